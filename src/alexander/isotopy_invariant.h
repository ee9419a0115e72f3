#pragma once
// The isotopy invariant of one knot as a value: the Alexander polynomial over F_p, then every
// homomorphism of the simplified group into S_k or A_k up to conjugation by S_k
// (enumerate_homomorphisms.h; only the non-abelian ones unless allHomomorphisms), the twisted
// Alexander polynomial of its permutation representation on Z^k, and the product of them all
// (PolyMultiply: exact up to a unit). The classes and their order are those of an isotopy run.
//
// The presentation must be simplified with its surviving generators listed; the group tabulated
// with its conjugacy classes (MakeIsotopyGroup, FindConjugacyClasses). A group of degree 1 ("s1")
// has no classes: the product is the Alexander polynomial. With torsion each polynomial is the
// twisted torsion polynomial; without it a module of positive rank gives 0. Fails with the first
// failure a polynomial meets, or with kStoppedMessage when the run control asked to stop.

#include <vector>

#include "base/result.h"
#include "base/run_control.h"
#include "group/presentation.h"
#include "homs/enumerate_homomorphisms.h"
#include "homs/isotopy_group.h"
#include "poly/field.h"
#include "poly/polynomial.h"
#include "simplify/simplification.h"

namespace quarvel {

struct IsotopyClass {
  // The group element of every present generator, the eliminated ones included; 0 elsewhere.
  Assignment images{};
  Polynomial polynomial;
};

struct IsotopyInvariant {
  Polynomial alexanderPolynomial;  // 0 where the untwisted module has positive rank
  std::vector<IsotopyClass> classes;
  Polynomial product;
  HomomorphismCounts counts;
};

struct IsotopyRequest {
  bool allHomomorphisms = false;
  bool torsion = false;
};

Result<IsotopyInvariant> ComputeIsotopyInvariant(const Presentation& presentation,
                                                 const Simplification& simplification,
                                                 const IsotopyGroup& group, const PrimeField& field,
                                                 const IsotopyRequest& request, RunControl& control,
                                                 EnumerationProgress& progress);

}  // namespace quarvel
