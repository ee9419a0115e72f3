#pragma once
// Determinants of square matrices over Q[t], up to sign, for the Alexander polynomial over Z and
// the Wada invariant.
//
// DeterminantOverQ eliminates the first n - m diagonal positions by leading-term row and column
// operations (each of determinant 1, or a swap) and expands the remaining m x m block by cofactors,
// whose cost grows like m!. At each position the pivot is the entry of column s or row s of
// smallest degree, then of smallest leading coefficient in absolute value; every multiplier is a
// polynomial, so no negative power of t arises. Failures raise the integer polynomial error flag
// (rational_number.h) and give the zero polynomial:
//   "9"   more than 100 passes at one position
//   "10"  the product of the eliminated diagonal entries has a constant coefficient whose
//         denominator exceeds 10000
// besides the codes of the polynomial arithmetic.

#include <cstdint>
#include <vector>

#include "base/failure.h"
#include "poly/rational_polynomial.h"

namespace quarvel {

inline constexpr int32_t kRationalMatrixSide = 20;

// A square matrix of up to 20 x 20 rational polynomials; rows and columns count from 1.
class RationalMatrix {
 public:
  explicit RationalMatrix(int32_t size) : size_(size), cells_(static_cast<size_t>(size) * size) {}

  int32_t size() const { return size_; }
  RationalPolynomial& operator()(int32_t row, int32_t column) { return cells_[Index(row, column)]; }
  const RationalPolynomial& operator()(int32_t row, int32_t column) const {
    return cells_[Index(row, column)];
  }

 private:
  size_t Index(int32_t row, int32_t column) const {
    return static_cast<size_t>(row - 1) * size_ + static_cast<size_t>(column - 1);
  }

  int32_t size_;
  std::vector<RationalPolynomial> cells_;
};

// The determinant of the leading n x n block (n <= matrix size), up to sign and with each
// eliminated diagonal entry stripped of its power of t; n = 0 gives 1. The cofactor expansion
// covers the last min(m, n) positions. Clears the integer polynomial error flag first; leaves
// computationFailed alone. The matrix is changed by the elimination.
RationalPolynomial DeterminantOverQ(RationalMatrix& matrix, int32_t n, int32_t m, FailureState& failure);

// The determinant of the leading size x size block by expansion along the first column: size 0
// gives 1, size 1 the entry, size 2 ad - bc.
RationalPolynomial LaplaceDeterminant(const RationalMatrix& matrix, int32_t size, FailureState& failure);

}  // namespace quarvel
