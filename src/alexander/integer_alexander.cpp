#include "alexander/integer_alexander.h"

#include <optional>
#include <string>

#include "alexander/rational_determinant.h"
#include "alexander/rational_fox_matrix.h"
#include "base/run_settings.h"

namespace quarvel {
namespace {

constexpr int64_t kMaxRows = kRationalMatrixSide;
constexpr int32_t kNumeratorExpansion = 6;
constexpr int32_t kDenominatorExpansion = 4;

// det(I - A(g) t^e), none when it cannot be stored or a failure is raised.
std::optional<RationalPolynomial> WadaDenominator(const IntMatrix& a, int64_t e, int32_t k,
                                                  FailureState& failure) {
  if (a.size != k || k > kRationalMatrixSide || e >= kRationalSlots) return std::nullopt;
  RationalMatrix matrix(k);
  for (int32_t row = 1; row <= k; ++row) {
    for (int32_t column = 1; column <= k; ++column) {
      RationalPolynomial& entry = matrix(row, column);
      entry.coefficients[0] = {row == column ? 1 : 0, 1};
      entry.coefficients[e] = {-static_cast<int64_t>(a(row, column)), 1};
      entry.degree = RationalPolynomialDegree(entry);
    }
  }
  RationalPolynomial d = DeterminantOverQ(matrix, k, kDenominatorExpansion, failure);
  if (failure.integerPolynomialErrorFlag) return std::nullopt;
  return d;
}

// The Alexander polynomial over Z of the presentation, stripped; none on a failure. It is the same
// determinant as in the knot's trivial pass, taken again here.
std::optional<RationalPolynomial> UntwistedDeterminant(const Presentation& presentation, int32_t prime,
                                                       FailureState& failure) {
  const int32_t rows = static_cast<int32_t>(presentation.generatorCount - 1);
  RationalMatrix fox(rows);
  if (!BuildUntwistedRationalFoxMatrix(presentation, prime, fox, failure)) return std::nullopt;
  RationalPolynomial u = DeterminantOverQ(fox, rows, kNumeratorExpansion, failure);
  u = StripPowerOfT(u, failure);
  if (failure.integerPolynomialErrorFlag) return std::nullopt;
  return u;
}

// "(N) / (D)", or "(U)(S) / (t-1)" where the divisions come out exactly; empty without D.
std::string WadaText(const Presentation& p, const Representation& representation, int32_t prime,
                     const RationalPolynomial& numerator, int32_t k, FailureState& failure) {
  const int g = p.generatorLetters[p.generatorCount];
  const int64_t e = p.phi[g] < 0 ? -static_cast<int64_t>(p.phi[g]) : p.phi[g];
  if (e == 0) return "";
  const std::optional<RationalPolynomial> denominator =
      WadaDenominator(representation.generators[g].matrix, e, k, failure);
  if (!denominator) return "";
  const RationalPolynomial n = StripPowerOfT(numerator, failure);
  const RationalPolynomial d = StripPowerOfT(*denominator, failure);
  if (failure.integerPolynomialErrorFlag) return "";
  std::string text = "(" + RationalPolynomialToText(n) + ") / (" + RationalPolynomialToText(d) + ")";

  const std::optional<RationalPolynomial> u = UntwistedDeterminant(p, prime, failure);
  if (!u) return text;
  RationalPolynomial oneMinusT = OneRationalPolynomial();
  oneMinusT.coefficients[1] = {-1, 1};
  oneMinusT.degree = 1;
  std::optional<RationalPolynomial> q = DivideExactly(d, oneMinusT, failure);
  std::optional<RationalPolynomial> r = q ? DivideExactly(n, *q, failure) : std::nullopt;
  std::optional<RationalPolynomial> s = r ? DivideExactly(*r, *u, failure) : std::nullopt;
  if (!s) return text;
  return "(" + RationalPolynomialToText(*u) + ")(" + RationalPolynomialToText(*s) + ") / (t-1)";
}

// The determinant of the Fox matrix without the row of the last generator (deficiency one, at
// most 6 rows); none when it is skipped or fails.
std::optional<RationalPolynomial> FoxDeterminant(const Presentation& p, const Representation& representation,
                                                 int64_t k, int32_t prime, FailureState& failure) {
  const int64_t n = p.generatorCount;
  if (n < 1 || n - 1 != p.relatorCount || k < 1 || k * (n - 1) > kMaxRows) return std::nullopt;
  const int32_t rows = static_cast<int32_t>(k * (n - 1));
  RationalMatrix fox(rows);
  if (!BuildRationalFoxMatrix(p, representation, k, prime, fox, failure) || rows > kNumeratorExpansion)
    return std::nullopt;
  RationalPolynomial numerator = DeterminantOverQ(fox, rows, kNumeratorExpansion, failure);
  if (failure.integerPolynomialErrorFlag) return std::nullopt;
  return numerator;
}

}  // namespace

bool HasZeroOneMatrices(RepFamily repFamily, bool reducedPermutationRep) {
  return (repFamily == RepFamily::permutation || repFamily == RepFamily::metabelian) &&
         !reducedPermutationRep;
}

RationalInvariant IntegerAlexanderPolynomial(const Presentation& presentation,
                                             const Representation& representation, int64_t k, int32_t prime) {
  RationalInvariant result;
  const std::optional<RationalPolynomial> numerator =
      FoxDeterminant(presentation, representation, k, prime, result.failures);
  if (!numerator) return result;
  const RationalPolynomial stripped = StripPowerOfT(*numerator, result.failures);
  if (!result.failures.integerPolynomialErrorFlag) result.text = RationalPolynomialToText(stripped);
  return result;
}

RationalInvariant WadaInvariant(const Presentation& presentation, const Representation& representation,
                                int64_t k, int32_t prime) {
  RationalInvariant result;
  const std::optional<RationalPolynomial> numerator =
      FoxDeterminant(presentation, representation, k, prime, result.failures);
  if (!numerator) return result;
  result.text =
      WadaText(presentation, representation, prime, *numerator, static_cast<int32_t>(k), result.failures);
  return result;
}

Result<std::vector<int64_t>> AlexanderPolynomialOverZ(const Presentation& presentation, int32_t prime) {
  const int64_t n = presentation.generatorCount;
  if (n < 1 || n - 1 != presentation.relatorCount || n - 1 > kNumeratorExpansion)
    return Failure{kIntegerAlexanderSizeMessage};
  FailureState failure;
  const std::optional<RationalPolynomial> u = UntwistedDeterminant(presentation, prime, failure);
  if (!u) return Failure{failure.errorMessage.empty() ? "Program error" : failure.errorMessage};
  std::vector<int64_t> coefficients;
  for (int64_t e = 0; e <= u->degree; ++e) {
    // A determinant of integer entries has integer coefficients.
    coefficients.push_back(u->coefficients[e].numerator / u->coefficients[e].denominator);
  }
  return coefficients;
}

}  // namespace quarvel
