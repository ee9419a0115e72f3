#include "alexander/reduce_matrix.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "alexander/diagonal_form.h"

namespace quarvel {
namespace {

// Lowest term t^0 and constant term 1.
void Normalise(const PrimeField& field, Polynomial& f) {
  std::vector<Residue>& c = f.coefficients;
  const auto lowest = std::find_if(c.begin(), c.end(), [](Residue x) { return x != 0; });
  if (lowest == c.end()) return;
  c.erase(c.begin(), lowest);
  const uint32_t inverse = static_cast<uint8_t>(InverseModP(field, c[0]));
  for (Residue& x : c) x = static_cast<Residue>(ReduceBelowSquare(field, static_cast<uint32_t>(x) * inverse));
}

// True when f has exactly one nonzero coefficient: a unit of F_p[t, t^-1].
bool IsUnit(const Polynomial& f) {
  return std::count_if(f.coefficients.begin(), f.coefficients.end(), [](Residue x) { return x != 0; }) == 1;
}

// Entries (1, 1) .. (rows, columns) of the store, row by row.
std::vector<LaurentEntry> ReadEntries(const PolyMatrix& matrix, int32_t rows, int32_t columns) {
  std::vector<LaurentEntry> entries;
  entries.reserve(static_cast<size_t>(rows) * columns);
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t degree = MatrixEntryDegree(matrix, r, c);
      if (degree < 0) {
        entries.emplace_back();
        continue;
      }
      const std::span<const Residue> stored = MatrixCoefficients(matrix, r, c);
      entries.emplace_back(
          MatrixFirstExponent(matrix, r, c),
          std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(stored.data()), stored.size()));
    }
  }
  return entries;
}

// Empties every entry of the rows and columns, then writes the diagonal, each entry shifted to
// lowest exponent 0 and divided by its constant term (a unit), so that it reads the same whatever
// unit the elimination left on it.
void WriteDiagonal(PolyMatrix& matrix, int32_t rows, int32_t columns,
                   const std::vector<LaurentEntry>& diagonal, const PrimeField& field,
                   FailureState& failure) {
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= columns; ++c) {
      for (int32_t e = MatrixEntryDegree(matrix, r, c); e >= 0; e = MatrixEntryDegree(matrix, r, c))
        MatrixSet(matrix, r, c, e, 0, failure);
    }
  }
  for (size_t s = 1; s <= diagonal.size(); ++s) {
    const std::span<const uint8_t> coefficients = diagonal[s - 1].Coefficients();
    const uint32_t inverse = static_cast<uint8_t>(InverseModP(field, static_cast<Residue>(coefficients[0])));
    const int32_t position = static_cast<int32_t>(s);
    for (size_t e = coefficients.size(); e-- > 0;) {
      if (coefficients[e] == 0) continue;
      const uint32_t scaled = ReduceBelowSquare(field, coefficients[e] * inverse);
      MatrixSet(matrix, position, position, static_cast<int32_t>(e), static_cast<Residue>(scaled), failure);
    }
  }
}

}  // namespace

void TakeDiagonalResults(const PolyMatrix& matrix, int32_t rows, int32_t n, int64_t k,
                         const PrimeField& field, bool keepTorsion, Reduction& reduction) {
  Polynomial product{{1}};
  int32_t count = rows;
  for (int32_t s = 1; s <= n; ++s) {
    if (!MatrixEntryIsNonzero(matrix, s, s)) continue;
    Polynomial entry = MatrixEntryToPoly(matrix, s, s);
    // A unit factor changes the product only by a unit, which the normalisation removes (and a
    // unit product is replaced by the next factor): the product of units is skipped.
    if (!IsUnit(entry)) PolyMultiply(field, product, entry, product);
    --count;
  }
  Normalise(field, product);
  reduction.polynomial = product;
  reduction.count = count;
  if (count > k) {
    if (!keepTorsion) reduction.polynomial = Polynomial{};
    reduction.rankOfTorsionFreePart = static_cast<int32_t>(count - k);
    reduction.positiveRank = true;
  }
}

Reduction Reduce(PolyMatrix& matrix, int64_t blockRows, int64_t blockColumns, int64_t k,
                 const PrimeField& field, bool keepTorsion, RunControl& control,
                 ReductionProgress& progress) {
  Reduction reduction;
  if (k < 1 || blockRows < 0 || blockColumns < 0 || k * blockRows > kMatrixDimension ||
      k * blockColumns > kMatrixDimension) {
    Fail(reduction.failures, "Program error");
    return reduction;
  }
  const int32_t rows = static_cast<int32_t>(k * blockRows);
  const int32_t columns = static_cast<int32_t>(k * blockColumns);
  const size_t held = MatrixStorageBytes(matrix);
  const size_t room = matrix.byteCeiling > held ? matrix.byteCeiling - held : 1;
  DiagonalForm form =
      DiagonaliseLaurent(ReadEntries(matrix, rows, columns), rows, columns, field, room, control, progress);
  reduction.end = form.end;
  reduction.peakSpan = form.peakSpan;
  if (form.end == ReductionEnd::failed) FailPolynomial(reduction.failures, "Out of memory");
  if (form.end != ReductionEnd::complete) return reduction;
  WriteDiagonal(matrix, rows, columns, form.diagonal, field, reduction.failures);
  TakeDiagonalResults(matrix, rows, std::min(rows, columns), k, field, keepTorsion, reduction);
  return reduction;
}

}  // namespace quarvel
