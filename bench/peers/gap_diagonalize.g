# GAP's side of the reduction comparison (run.sh). Reads the program that
# `quarvel-cli norm --matrix gap` wrote (PeerFile), runs everything before its
# diagonalisation to build R and M, then times the program's own call
# DiagonalizeMat(R, M) on fresh copies of M until PeerMinMilliseconds of processor
# time have passed (at least once). The rest of the program then computes D
# from the last copy.
# Prints: processor and wall seconds per call, and the span of D (its degree
# less its lowest exponent: over F_p[t] the powers of t stay in D).
text := StringFile(PeerFile);
cut := PositionSublist(text, "N:=DiagonalizeMat(R,M);");
if cut = fail then Print("error no DiagonalizeMat call\n"); QUIT_GAP(1); fi;
Read(InputTextString(text{[1 .. cut - 1]}));
original := M;
calls := 0;
cpu := 0;
wall := 0;
repeat
  copy := MutableCopyMat(original);
  start := NanosecondsSinceEpoch();
  cpuStart := Runtime();
  DiagonalizeMat(R, copy);
  cpu := cpu + (Runtime() - cpuStart);
  wall := wall + (NanosecondsSinceEpoch() - start);
  calls := calls + 1;
until cpu >= PeerMinMilliseconds;
M := copy;
Read(InputTextString(text{[cut .. Length(text)]}));
coefficients := CoefficientsOfUnivariatePolynomial(D);
nonzero := Filtered([1 .. Length(coefficients)], i -> not IsZero(coefficients[i]));
span := -1;
if nonzero <> [] then span := nonzero[Length(nonzero)] - nonzero[1]; fi;
Print(cpu / calls / 1000., " ", wall / calls / 10.^9, " span=", span, "\n");
QUIT_GAP(0);
