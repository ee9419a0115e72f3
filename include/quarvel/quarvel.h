#pragma once
// Quarvel's library: twisted Alexander polynomials of finitely presented groups over F_p.
//
// Everything here works on values: no window, no run state, no files. Each step's contract is in
// the comment of its declaration; the steps of a computation, in order:
//
//  1. A presentation.
//     BuildClosedBraid and WirtingerRelators (group/braid.h) give the Wirtinger presentation of a
//     closed braid, ReplaceRelators and SetPhiToOne (group/presentation.h) store it with phi = 1
//     on every meridian; ReadPresentation (group/presentation_file.h) reads the text of a
//     presentation file with its phi. Failures come back as Result<T> (base/result.h).
//     group/input_presentation.h gives the whole presentation at once: BraidPresentation,
//     PresentationFromText, and BuiltInKnotBraid for a knot of the built-in tables.
//  2. Simplification (simplify/simplify_presentation.h): SimplifyPresentation eliminates
//     generators by Tietze moves, keeping a substitution record for each eliminated generator;
//     ListSurvivingGenerators lists the generators that are left.
//  3. A representation into a finite group (reps/): FindRepresentation searches homomorphisms
//     into S_k, A_k, metabelian groups Z/2 x Z/l or the units of F_p by random draws;
//     BuildRepresentationMatrices turns permutation images into matrices (on Z^k, or on the
//     reduced representation V = { v : v_1 + ... + v_k = 0 }); ComputeImage and
//     ImageGeneratorCount (reps/image_order.h) give the image, its order and its rank.
//     EnumerateHomomorphisms (homs/) lists every homomorphism into S_k or A_k up to conjugation.
//  4. The twisted Alexander polynomial (alexander/): TwistedFoxMatrix is the matrix of Fox
//     derivatives of the relators under rho tensor phi, the presentation matrix of the twisted
//     Alexander module; Reduce diagonalises it over F_p[t^(+-1)] and gives the order of its
//     torsion part (the twisted Alexander polynomial Delta_1 of Kirk and Livingston; Wada's
//     invariant is Delta_1 / Delta_0) and the rank of its free part. ZerothPolynomialMatrix and
//     SecondPolynomialMatrix give the matrices of the zeroth and second twisted polynomials;
//     IntegerAlexanderPolynomial and WadaInvariant compute over Q (alexander/integer_alexander.h).
//     TwistedAlexanderPolynomial (alexander/twisted_polynomial.h) does the matrix and its
//     reduction in one call; ComputeIsotopyInvariant (alexander/isotopy_invariant.h) gives the
//     isotopy invariant of a knot: every class of homomorphisms into S_k or A_k with its twisted
//     polynomial, and their product.
//  5. Bounds and verdicts (bounds/): BoundsFromDegree turns the degree of a twisted polynomial
//     into lower bounds on the Thurston norm of phi and on the genus of a knot (Friedl-Kim);
//     TestFibering applies the fibering criteria (a fibered knot's twisted polynomials are monic
//     of the predicted degree). EvaluateNorm (bounds/norm_evaluation.h) evaluates one
//     representation as the fibration-and-norm mode does: polynomial, bounds and verdict.
//
// Long steps take a RunControl (base/run_control.h) to be paused or stopped, and a progress
// interface of their own whose default members do nothing.

#include "alexander/fox_matrix.h"
#include "alexander/integer_alexander.h"
#include "alexander/isotopy_invariant.h"
#include "alexander/reduce_matrix.h"
#include "alexander/twisted_polynomial.h"
#include "alexander/zeroth_second_polynomials.h"
#include "base/random_generator.h"
#include "base/result.h"
#include "base/run_control.h"
#include "bounds/genus_norm_bounds.h"
#include "bounds/norm_evaluation.h"
#include "bounds/verdicts.h"
#include "group/braid.h"
#include "group/diagram_text.h"
#include "group/dt_code.h"
#include "group/input_presentation.h"
#include "group/knot_tables.h"
#include "group/pd_code.h"
#include "group/presentation.h"
#include "group/presentation_file.h"
#include "group/table_knots.h"
#include "homs/enumerate_homomorphisms.h"
#include "homs/isotopy_group.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "poly/polynomial.h"
#include "reps/find_representation.h"
#include "reps/image_order.h"
#include "reps/representation_matrices.h"
#include "simplify/simplify_presentation.h"
