#include "alexander/integer_alexander.h"

#include <optional>
#include <string>

#include "alexander/rational_determinant.h"
#include "alexander/rational_fox_matrix.h"

namespace quarvel {
namespace {

constexpr int64_t kMaxRows = kRationalMatrixSide;
constexpr int32_t kNumeratorExpansion = 6;
constexpr int32_t kDenominatorExpansion = 4;

bool KindQualifies(const RunSettings& s) {
  return (s.repFamily == RepFamily::permutation || s.repFamily == RepFamily::metabelian) &&
         !s.reducedPermutationRep;
}

// det(I - A(g) t^e), none when it cannot be stored or a failure is raised.
std::optional<RationalPolynomial> WadaDenominator(Workbench& wb, int g, int64_t e, int32_t k) {
  const IntMatrix& a = wb.representation.generators[g].matrix;
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
  RationalPolynomial d = DeterminantOverQ(matrix, k, kDenominatorExpansion, wb.failure);
  if (wb.failure.integerPolynomialErrorFlag) return std::nullopt;
  return d;
}

// The Alexander polynomial over Z of the presentation, stripped; none on a failure. It is the same
// determinant as in the knot's trivial pass, taken again here.
std::optional<RationalPolynomial> UntwistedDeterminant(Workbench& wb) {
  const int32_t rows = static_cast<int32_t>(wb.presentation.generatorCount - 1);
  RationalMatrix fox(rows);
  if (!BuildUntwistedRationalFoxMatrix(wb, fox)) return std::nullopt;
  RationalPolynomial u = DeterminantOverQ(fox, rows, kNumeratorExpansion, wb.failure);
  u = StripPowerOfT(u, wb.failure);
  if (wb.failure.integerPolynomialErrorFlag) return std::nullopt;
  return u;
}

// "(N) / (D)", or "(U)(S) / (t-1)" where the divisions come out exactly; empty without D.
std::string WadaText(Workbench& wb, const RationalPolynomial& numerator, int32_t k) {
  FailureState& failure = wb.failure;
  const Presentation& p = wb.presentation;
  const int g = p.generatorLetters[p.generatorCount];
  const int64_t e = p.phi[g] < 0 ? -static_cast<int64_t>(p.phi[g]) : p.phi[g];
  if (e == 0) return "";
  const std::optional<RationalPolynomial> denominator = WadaDenominator(wb, g, e, k);
  if (!denominator) return "";
  const RationalPolynomial n = StripPowerOfT(numerator, failure);
  const RationalPolynomial d = StripPowerOfT(*denominator, failure);
  if (failure.integerPolynomialErrorFlag) return "";
  std::string text = "(" + RationalPolynomialToText(n) + ") / (" + RationalPolynomialToText(d) + ")";

  const std::optional<RationalPolynomial> u = UntwistedDeterminant(wb);
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

}  // namespace

void IntegerAlexanderAndWada(Workbench& wb) {
  EvaluationState& ev = wb.evaluation;
  const bool trivial = wb.run.trivialPass;
  if (trivial) ev.integerAlexanderText.clear();
  ev.wadaText.clear();
  FailureState& failure = wb.failure;
  if (failure.computationFailed || failure.polynomialErrorFlag) return;

  const Presentation& p = wb.presentation;
  const int64_t n = p.generatorCount;
  const int64_t k = wb.current.degreeK;
  if (n < 1 || n - 1 != p.relatorCount || k < 1 || k * (n - 1) > kMaxRows) return;
  if (!KindQualifies(wb.settings)) return;
  const int32_t rows = static_cast<int32_t>(k * (n - 1));
  RationalMatrix fox(rows);
  if (!BuildRationalFoxMatrix(wb, fox) || rows > kNumeratorExpansion) return;
  const RationalPolynomial numerator = DeterminantOverQ(fox, rows, kNumeratorExpansion, failure);
  if (failure.integerPolynomialErrorFlag) return;
  if (trivial) {
    const RationalPolynomial stripped = StripPowerOfT(numerator, failure);
    if (!failure.integerPolynomialErrorFlag) ev.integerAlexanderText = RationalPolynomialToText(stripped);
  } else {
    ev.wadaText = WadaText(wb, numerator, static_cast<int32_t>(k));
  }
}

}  // namespace quarvel
