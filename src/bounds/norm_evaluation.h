#pragma once
// The evaluation of one representation in the fibration-and-norm mode as a value: its twisted
// Alexander polynomial (keeping the torsion polynomial where the module has positive rank, as norm
// runs do), the degrees of its zeroth and second twisted polynomials, the lower bounds on the genus
// and the Thurston norm they give (genus_norm_bounds.h) and the fibering verdict (verdicts.h)
// against the untwisted degree. Fields are not compared, so the verdict never says non-monic.
//
// The presentation must be simplified with its surviving generators listed, and the representation
// must carry k x k matrices for every present generator. Fails as TwistedAlexanderPolynomial does
// (twisted_polynomial.h).

#include <cstdint>

#include "alexander/twisted_polynomial.h"
#include "base/option_codes.h"
#include "base/result.h"
#include "base/run_control.h"
#include "bounds/genus_norm_bounds.h"
#include "bounds/verdicts.h"
#include "group/presentation.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "reps/representation.h"

namespace quarvel {

struct NormRequest {
  RepFamily repFamily = RepFamily::permutation;
  int64_t k = 1;                // the size of the representation's matrices
  bool closedManifold = false;  // b3 = 1, and the second polynomial counts
  int32_t untwistedDegree = 0;  // the degree of the Alexander polynomial over the same field
};

struct NormEvaluation {
  TwistedPolynomial twisted;
  int32_t twistedDegree = 0;
  int32_t zerothDegree = 0;
  int32_t secondDegree = 0;
  ZerothCorrection correction;
  GenusNormBounds bounds;
  FiberingVerdict fibering;
};

Result<NormEvaluation> EvaluateNorm(const Presentation& presentation, const Representation& representation,
                                    const PrimeField& field, const NormRequest& request, RunControl& control,
                                    PolyMatrix& store);

}  // namespace quarvel
