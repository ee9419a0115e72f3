#pragma once
// Helpers shared by the twisted-polynomial tests: reading and writing store entries, permutation
// representations, and knots prepared from braids.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "permutation_search.h"
#include "poly/poly_matrix.h"
#include "run/prepare_presentation.h"
#include "run/workbench.h"
#include "test_support.h"

namespace quarvel::testing {

// Every coefficient from -50, or the lowest exponent when that is lower, up to the entry degree, as
// MatrixGet reads it.
inline std::vector<int> ReadEntry(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::vector<int> coefficients;
  const int32_t lowest = MatrixLowestExponent(matrix, i, j);
  const int32_t from =
      lowest == kEmptyEntryLowestExponent ? kEmptyEntryDegree : std::min(lowest, kEmptyEntryDegree);
  for (int32_t e = from; e <= MatrixEntryDegree(matrix, i, j); ++e) {
    coefficients.push_back(MatrixGet(matrix, i, j, e));
  }
  return coefficients;
}

// The coefficients at exponents 0, 1, ... of an entry, up to its degree (empty for a zero entry).
inline std::vector<int> EntryTerms(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::vector<int> terms;
  for (int32_t e = 0; e <= MatrixEntryDegree(matrix, i, j); ++e) terms.push_back(MatrixGet(matrix, i, j, e));
  return terms;
}

// Stores coefficients at exponents lowest, lowest + 1, ... into an entry (zeros included).
inline void SetEntry(Workbench& wb, int32_t i, int32_t j, int32_t lowest, const std::vector<int>& terms) {
  for (size_t n = terms.size(); n-- > 0;) {
    MatrixSet(wb.matrix, i, j, lowest + static_cast<int32_t>(n), static_cast<Residue>(terms[n]), wb.failure);
  }
}

// Rows 1..rows and columns 1..columns but empty entries, one per line as "(i,j) deg d:" and the
// nonzero terms of the top 201 exponents.
inline std::string DescribeMatrix(const PolyMatrix& matrix, int32_t rows, int32_t columns) {
  std::ostringstream out;
  for (int32_t i = 1; i <= rows; ++i) {
    for (int32_t j = 1; j <= columns; ++j) {
      const int32_t degree = MatrixEntryDegree(matrix, i, j);
      if (MatrixLowestExponent(matrix, i, j) == kEmptyEntryLowestExponent) continue;
      out << "(" << i << "," << j << ") deg " << degree << ":";
      for (int32_t e = std::max(degree - 200, MatrixFirstExponent(matrix, i, j)); e <= degree; ++e) {
        int c = MatrixGet(matrix, i, j, e);
        if (c != 0) out << " " << c << "t^" << e;
      }
      out << "\n";
    }
  }
  return out.str();
}

// The value of a word under images of its generators, read as maps composed from the right:
// x1 x2 ... xm sends i to x1(x2(...xm(i))).
inline Perm EvaluateWord(const Word& word, const std::map<int, Perm>& images, size_t k) {
  Perm result(k);
  for (size_t i = 0; i < k; ++i) result[i] = static_cast<int32_t>(i + 1);
  for (size_t q = 0; q + 1 < word.size(); q += 2) {
    const Perm& image = images.at(static_cast<unsigned char>(word[q + 1]) - kGeneratorByteBase);
    result = Compose(result, word[q] == '-' ? Invert(image) : image);
  }
  return result;
}

inline bool IsIdentity(const Perm& perm) {
  for (size_t i = 0; i < perm.size(); ++i) {
    if (perm[i] != static_cast<int32_t>(i + 1)) return false;
  }
  return true;
}

// Puts the permutation representation into the workbench: A(g) has its 1 in row image(i) of
// column i, and A(g)^-1 is its transpose; the scalars are 1. Sets the degree k.
inline void SetPermutationRepresentation(Workbench& wb, const std::map<int, Perm>& images) {
  int32_t k = static_cast<int32_t>(images.begin()->second.size());
  wb.current.degreeK = k;
  for (const auto& [g, image] : images) {
    GeneratorImage& slot = wb.representation.generators[g];
    slot.matrix.Reset(k);
    slot.inverseMatrix.Reset(k);
    for (int32_t i = 1; i <= k; ++i) {
      slot.matrix(image[i - 1], i) = 1;
      slot.inverseMatrix(i, image[i - 1]) = 1;
    }
    slot.abelianScalar = 1;
  }
}

// The trivial representation of degree 1 on generators 1..52.
inline void SetTrivialRepresentation(Workbench& wb) {
  std::map<int, Perm> images;
  for (int g = 1; g <= kMaxGenerators; ++g) images[g] = Perm{1};
  SetPermutationRepresentation(wb, images);
}

// A knot's presentation from its braid, simplified with the given effort, over F_p.
inline void PrepareBraid(Workbench& wb, const std::string& braid, int32_t effort, int32_t prime) {
  PrepareBraid(wb, std::string_view(braid), effort);
  SetCurrentPrime(wb.field, prime);
  wb.settings.currentPrime = prime;
}

}  // namespace quarvel::testing
