#!/usr/bin/python3
"""The isotopy invariant in S_5 over the built-in mutant groups: which groups it separates.

Mutant knots share their Alexander polynomial (and many other invariants); the product of the
twisted Alexander polynomials over all classes of homomorphisms into S_5 often tells them apart.
For each group of the list (quarvel-cli knots --mutants) this prints its knots with their class
count, and whether the invariant separates all of them, some of them, or none.

    python3 examples/python/mutants.py [GROUP]      GROUP: s5 by default, e.g. a5 or s6
"""
import sys

import quarvel


def separation(invariants):
    """'all', 'some' or 'none': how many distinct keys the group's invariants show."""
    keys = {invariant.key for invariant in invariants}
    if len(keys) == len(invariants):
        return "all"
    return "none" if len(keys) == 1 else "some"


def main():
    group = sys.argv[1] if len(sys.argv) > 1 else "s5"
    counts = {"all": 0, "some": 0, "none": 0}
    for knots in quarvel.mutant_groups():
        invariants = [quarvel.isotopy_invariant(quarvel.from_braid(braid), group=group) for _, braid in knots]
        verdict = separation(invariants)
        counts[verdict] += 1
        members = ", ".join(f"{name} ({invariant.class_count} classes)" for (name, _), invariant in zip(knots, invariants))
        print(f"{verdict:>4}  {members}")
    print(f"{group}: separates {counts['all']} groups, part of {counts['some']}, none of {counts['none']}")


if __name__ == "__main__":
    main()
