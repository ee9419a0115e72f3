#pragma once
// The finite groups the representation search draws from, and the evaluation of words on the
// drawn images.
//
// Permutations act on points 1..k and compose as maps: (gh)(i) = g(h(i)). A word x1 x2 ... xm
// therefore evaluates to i -> P(x1)(P(x2)(...P(xm)(i))), which is what the matrices of
// representation_matrices.h multiply to.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/random_generator.h"
#include "base/run_settings.h"
#include "reps/representation.h"

namespace quarvel {

// S_k and A_k are tabulated up to this degree, so that a uniform element costs one draw.
inline constexpr int64_t kMaxTabulatedDegree = 8;

// Group elements as rows 1..Size() of permutations of 1..degree, each with its inverse. Entries
// are stored as bytes (no degree exceeds 60); slot 0 of each row is unused.
struct ElementTable {
  int32_t degree = 0;
  int32_t rows = 0;
  std::vector<uint8_t> images;    // row r, point i at r * (degree + 1) + i; row 0 unused
  std::vector<uint8_t> inverses;  // likewise

  int32_t Size() const { return rows; }
  int32_t At(int32_t row, int32_t point) const {
    return images[static_cast<size_t>(row) * (degree + 1) + point];
  }
  int32_t InverseAt(int32_t row, int32_t point) const {
    return inverses[static_cast<size_t>(row) * (degree + 1) + point];
  }
  // Writes points 1..degree of row `row` and of its inverse; slots above degree are left alone.
  void CopyRow(int32_t row, Permutation& image, Permutation& inverse) const;
  // Appends a row; `image` must be a permutation of 1..degree.
  void Append(const Permutation& image);
};

// Every element of S_k, or with `alternating` of A_k, in lexicographic order of the one-line
// notation (the order in which an odometer over all k-tuples, last position fastest, meets the
// bijections), k = 1..8: k! or k!/2 rows (A_1 is the identity alone).
ElementTable BuildElementTable(int32_t k, bool alternating);

// Inversions of points 1..k: pairs i < j with p(i) > p(j).
int32_t InversionCount(const Permutation& p, int32_t k);

// A uniform element of S_k by rejection: for positions 1..k in turn, draws 1 + (a draw below k)
// until the value is not yet used. Writes points 1..k of the permutation and of its inverse.
void RandomPermutation(RandomGenerator& random, int64_t k, Permutation& image, Permutation& inverse);

// The image of `word` (sign-letter pairs) under the generator images of `rep`, on points 1..k:
// "+g" stands for the image of g, "-g" for its inverse image. Writes points 1..k of `result`
// and allocates nothing. `result` must not be one of the images the word reads.
void EvaluateWord(const Representation& rep, int64_t k, std::string_view word, Permutation& result);

// Whether `word` evaluates to the identity on 1..k; stops at the first point that moves.
bool WordIsIdentity(const Representation& rep, int64_t k, std::string_view word);

// Writes the inverse of points 1..k of `p`.
void InvertPermutation(const Permutation& p, int64_t k, Permutation& inverse);

// The metabelian group Z/n x Z/l, 1 in Z/n acting on Z/l by multiplication by z.
struct MetabelianGroup {
  int32_t n = 2;
  int32_t l = 0;
  int32_t z = 0;
};

// Chooses the metabelian group Z/2 x Z/l, l a prime of 3..67 drawn from the prime table (2, 3, 5,
// ..., 71 at positions 1..20) until it is at most min(bound, degree cap); 1 in Z/2 acts on Z/l by
// multiplication by z = l - 1. Nothing, drawing nothing, when that minimum is below 3 (no prime of
// the range fits; no run lowers the bound that far).
std::optional<MetabelianGroup> ChooseMetabelianGroup(
    RandomGenerator& random, const std::array<int32_t, kPrimeTableSize + 1>& primeTable, int32_t bound,
    int32_t degreeCap);

// The 2l elements (i, j), i in Z/2, j in Z/l, at row l*i + j + 1: the permutation of the points
// 1..l given by m -> j + z^i m mod l, residues written 1..l (point l is the residue 0).
ElementTable BuildMetabelianElements(int32_t l, int32_t z);

// The row l*i + j + 1 of that table whose permutation is `p`, for z = l - 1: j is where the residue
// 0 goes, and p(1) - j is 1 for i = 0 and l - 1 for i = 1. Gives the element of a generator whose
// image was computed from a word.
int32_t MetabelianElementOf(const Permutation& p, int32_t l);

}  // namespace quarvel
