# GAP's side of the enumeration comparison (run.sh): every action of the group
# of PeerPresentation on PeerDegree points up to relabelling, by the low-index
# route. LowIndexSubgroupsFpGroup gives the subgroups of index at most k up to
# conjugacy, that is the transitive actions of degree at most k; an action of
# degree k is a multiset of transitive ones whose degrees add up to k, built
# here as the generators' permutations. Repeated on a fresh group until
# PeerMinMilliseconds of processor time have passed (at least once).
# Prints: processor and wall seconds per call, the number of actions, the non-abelian ones among
# them, and the transitive ones of degree k.
lines := Filtered(SplitString(StringFile(PeerPresentation), "\n"), l -> l <> "");
n := Int(lines[1]);
F := FreeGroup(n);
Letter := function(s)
  local g;
  g := Int(s);
  if g < 0 then return GeneratorsOfGroup(F)[-g]^-1; fi;
  return GeneratorsOfGroup(F)[g];
end;
relators := List(lines{[2 .. Length(lines)]}, l -> Product(List(SplitString(l, " "), Letter)));

# The permutation on points offset+1 .. offset+d that acts as perm on 1 .. d.
Shifted := function(perm, offset, d)
  return PermList(Concatenation([1 .. offset], List([1 .. d], i -> i^perm + offset)));
end;

Enumerate := function(k)
  local G, byDegree, H, d, actions, Extend;
  G := F / relators;
  byDegree := List([1 .. k], d -> []);
  for H in LowIndexSubgroupsFpGroup(G, k) do
    d := Index(G, H);
    Add(byDegree[d], List(GeneratorsOfGroup(G), g -> Image(FactorCosetAction(G, H), g)));
  od;
  actions := [];
  # Parts in ascending (degree, position) order, so each multiset comes once.
  Extend := function(images, used, degree, position)
    local e, p;
    if used = k then Add(actions, images); return; fi;
    for e in [degree .. k - used] do
      for p in [1 .. Length(byDegree[e])] do
        if e > degree or p >= position then
          Extend(List([1 .. n], i -> images[i] * Shifted(byDegree[e][p][i], used, e)), used + e, e, p);
        fi;
      od;
    od;
  end;
  Extend(List([1 .. n], i -> ()), 0, 1, 1);
  return [actions, Length(byDegree[k])];
end;

calls := 0;
cpu := 0;
wall := 0;
repeat
  start := NanosecondsSinceEpoch();
  cpuStart := Runtime();
  result := Enumerate(PeerDegree);
  cpu := cpu + (Runtime() - cpuStart);
  wall := wall + (NanosecondsSinceEpoch() - start);
  calls := calls + 1;
until cpu >= PeerMinMilliseconds;
nonabelian := Number(result[1], images -> not IsAbelian(Group(images)));
SizeScreen([4096, 24]);  # one line, however long: GAP breaks lines at 80 characters otherwise
Print(cpu / calls / 1000., " ", wall / calls / 10.^9, " classes=", Length(result[1]), " nonabelian=", nonabelian,
      " transitive=", result[2], "\n");
QUIT_GAP(0);
