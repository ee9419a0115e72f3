#include "alexander/rational_determinant.h"

#include <cmath>
#include <utility>

namespace quarvel {
namespace {

constexpr int32_t kMaxPasses = 100;
constexpr int64_t kMaxConstantDenominator = 10000;

bool Nonzero(const RationalPolynomial& f) {
  return RationalPolynomialDegree(f) >= 0;
}

RationalNumber Lead(const RationalPolynomial& f) {
  return f.coefficients[RationalPolynomialDegree(f)];
}

long double LeadMagnitude(const RationalPolynomial& f) {
  const RationalNumber c = Lead(f);
  return std::fabs(static_cast<long double>(c.numerator) / static_cast<long double>(c.denominator));
}

// Smaller degree first, then the smaller leading coefficient in absolute value.
bool BetterPivot(const RationalPolynomial& candidate, const RationalPolynomial& best) {
  const int64_t dc = RationalPolynomialDegree(candidate), db = RationalPolynomialDegree(best);
  return dc < db || (dc == db && LeadMagnitude(candidate) < LeadMagnitude(best));
}

// Brings the best nonzero entry of column s (rows s..n) and row s (columns s..n) to (s, s) by one
// row or column swap. False when row s and column s are both zero.
bool PlacePivot(RationalMatrix& a, int32_t s, int32_t n) {
  int32_t bestRow = 0, bestColumn = 0;
  const RationalPolynomial* best = nullptr;
  for (int32_t r = s; r <= n; ++r) {
    if (Nonzero(a(r, s)) && (best == nullptr || BetterPivot(a(r, s), *best))) {
      best = &a(r, s);
      bestRow = r;
      bestColumn = s;
    }
  }
  for (int32_t c = s + 1; c <= n; ++c) {
    if (Nonzero(a(s, c)) && (best == nullptr || BetterPivot(a(s, c), *best))) {
      best = &a(s, c);
      bestRow = s;
      bestColumn = c;
    }
  }
  if (best == nullptr) return false;
  if (bestRow != s) {
    for (int32_t c = 1; c <= n; ++c) std::swap(a(s, c), a(bestRow, c));
  }
  if (bestColumn != s) {
    for (int32_t r = 1; r <= n; ++r) std::swap(a(r, s), a(r, bestColumn));
  }
  return true;
}

// -(lead(entry) / lead(pivot)) t^(deg entry - deg pivot): the multiple of the pivot's line that
// cancels the leading term of entry.
RationalPolynomial CancellingFactor(const RationalPolynomial& entry, const RationalPolynomial& pivot,
                                    FailureState& failure) {
  const RationalNumber q = MultiplyRational(Lead(entry), ReciprocalRational(Lead(pivot), failure), failure);
  const int64_t shift = RationalPolynomialDegree(entry) - RationalPolynomialDegree(pivot);
  return RationalMonomial(NegateRational(q, failure), static_cast<int32_t>(shift));
}

void AddMultiple(RationalPolynomial& target, const RationalPolynomial& factor,
                 const RationalPolynomial& source, FailureState& failure) {
  target = RationalPolynomialAdd(target, RationalPolynomialMultiply(factor, source, failure), failure);
}

// Whether entry can be reduced by the pivot with a polynomial multiplier.
bool Reducible(const RationalPolynomial& entry, const RationalPolynomial& pivot) {
  return Nonzero(entry) && RationalPolynomialDegree(entry) >= RationalPolynomialDegree(pivot);
}

// One pass at position s: one leading-term step for every other entry of column s, then of row s.
// Entries below the pivot's degree (brought in by the swap) wait: the next pass takes the smallest
// of them as its pivot. So the pivot degree never rises, and while it stays the same every pass
// lowers the degree of each other entry of row and column s, which bounds the passes.
void EliminationPass(RationalMatrix& a, int32_t s, int32_t n, FailureState& failure) {
  for (int32_t r = s + 1; r <= n; ++r) {
    if (!Reducible(a(r, s), a(s, s))) continue;
    const RationalPolynomial factor = CancellingFactor(a(r, s), a(s, s), failure);
    for (int32_t c = s; c <= n; ++c) AddMultiple(a(r, c), factor, a(s, c), failure);
  }
  for (int32_t c = s + 1; c <= n; ++c) {
    if (!Reducible(a(s, c), a(s, s))) continue;
    const RationalPolynomial factor = CancellingFactor(a(s, c), a(s, s), failure);
    for (int32_t r = s; r <= n; ++r) AddMultiple(a(r, c), factor, a(r, s), failure);
  }
}

bool PositionClean(const RationalMatrix& a, int32_t s, int32_t n) {
  for (int32_t other = s + 1; other <= n; ++other) {
    if (Nonzero(a(other, s)) || Nonzero(a(s, other))) return false;
  }
  return true;
}

// Clears row s and column s but for (s, s). False when the determinant is zero (row and column
// empty) or a failure was raised.
bool EliminatePosition(RationalMatrix& a, int32_t s, int32_t n, FailureState& failure) {
  for (int32_t pass = 1;; ++pass) {
    if (pass > kMaxPasses) {
      RaiseIntegerError(failure, "9");
      return false;
    }
    if (!PlacePivot(a, s, n)) return false;
    EliminationPass(a, s, n, failure);
    if (failure.integerPolynomialErrorFlag) return false;
    if (PositionClean(a, s, n)) return true;
  }
}

}  // namespace

RationalPolynomial DeterminantOverQ(RationalMatrix& matrix, int32_t n, int32_t m, FailureState& failure) {
  if (n == 0) return OneRationalPolynomial();
  failure.integerPolynomialErrorFlag = false;
  if (n < 0 || n > matrix.size() || m < 0) return ZeroRationalPolynomial();
  if (n <= m) m = n;
  const int32_t eliminated = n - m;
  for (int32_t s = 1; s <= eliminated; ++s) {
    if (!EliminatePosition(matrix, s, n, failure)) return ZeroRationalPolynomial();
  }
  RationalPolynomial product = OneRationalPolynomial();
  for (int32_t s = 1; s <= eliminated; ++s) {
    product = RationalPolynomialMultiply(product, StripPowerOfT(matrix(s, s), failure), failure);
  }
  if (product.coefficients[0].denominator > kMaxConstantDenominator) RaiseIntegerError(failure, "10");
  if (failure.integerPolynomialErrorFlag) return ZeroRationalPolynomial();

  RationalMatrix block(m);
  for (int32_t r = 1; r <= m; ++r) {
    for (int32_t c = 1; c <= m; ++c) block(r, c) = matrix(eliminated + r, eliminated + c);
  }
  RationalPolynomial result =
      RationalPolynomialMultiply(product, LaplaceDeterminant(block, m, failure), failure);
  return failure.integerPolynomialErrorFlag ? ZeroRationalPolynomial() : result;
}

RationalPolynomial LaplaceDeterminant(const RationalMatrix& matrix, int32_t size, FailureState& failure) {
  if (size == 0) return OneRationalPolynomial();
  if (size < 0 || size > matrix.size()) return ZeroRationalPolynomial();
  if (size == 1) {
    RationalPolynomial entry = matrix(1, 1);
    entry.degree = RationalPolynomialDegree(entry);
    return entry;
  }
  if (size == 2) {
    const RationalPolynomial ad = RationalPolynomialMultiply(matrix(1, 1), matrix(2, 2), failure);
    const RationalPolynomial bc = RationalPolynomialMultiply(matrix(1, 2), matrix(2, 1), failure);
    return RationalPolynomialAdd(ad, RationalPolynomialNegate(bc, failure), failure);
  }
  RationalPolynomial sum;
  RationalMatrix minor(size - 1);
  for (int32_t r = 1; r <= size; ++r) {
    if (!Nonzero(matrix(r, 1))) continue;
    for (int32_t row = 1, minorRow = 1; row <= size; ++row) {
      if (row == r) continue;
      for (int32_t c = 2; c <= size; ++c) minor(minorRow, c - 1) = matrix(row, c);
      ++minorRow;
    }
    RationalPolynomial term =
        RationalPolynomialMultiply(matrix(r, 1), LaplaceDeterminant(minor, size - 1, failure), failure);
    if (r % 2 == 0) term = RationalPolynomialNegate(term, failure);
    sum = RationalPolynomialAdd(sum, term, failure);
  }
  return sum;
}

}  // namespace quarvel
