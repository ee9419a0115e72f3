#pragma once
// The group of an isotopy run, S_k or A_k with k <= 7, tabulated: every element with its inverse,
// its one-line text and its permutation matrices, and the whole multiplication table, so that a
// product or an inverse is one lookup.
//
// Elements are numbered from 1 in the lexicographic order of their one-line notation; element 1 is
// the identity. A permutation's code is its one-line notation read as an octal number (p(1) the
// most significant digit), so codes order permutations as their texts do.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reps/representation.h"

namespace quarvel {

inline constexpr int32_t kMaxIsotopyDegree = 7;

// Points 1..k of a permutation of at most 7 points; slot 0 unused, slots above k are 0.
using SmallPermutation = std::array<uint8_t, kMaxIsotopyDegree + 1>;

// S_k or A_k, k <= 7, its elements in lexicographic order of their one-line notation. Element
// indices count from 1; index 0 is unused.
struct IsotopyGroup {
  std::string name;                                // "s5", "a4", ...
  char letter = 's';                               // 's' symmetric, 'a' alternating
  int32_t degree = 0;                              // k
  int32_t elementCount = 0;                        // N
  std::vector<SmallPermutation> elements;          // 1..N
  std::vector<SmallPermutation> inverses;          // 1..N
  std::vector<std::string> texts;                  // 1..N: "123" is the identity of S_3
  std::vector<int32_t> inverseIndex;               // 1..N
  std::vector<IntMatrix> matrices;                 // 1..N: column i carries its 1 in row p(i)
  std::vector<IntMatrix> inverseMatrices;          // 1..N: the transposes
  std::vector<uint16_t> products;                  // (N + 1) x (N + 1): index of a o b at a * (N + 1) + b
  std::vector<uint16_t> indexOfCode;               // element of each permutation code, 0 if none
  std::vector<int32_t> classRepresentatives;       // 1..C, ascending
  std::vector<int32_t> classOf;                    // 1..N: the number of the element's conjugacy class
  std::vector<std::vector<int32_t>> classMembers;  // 1..C: the elements of the class, ascending
  // 1..C: the least permutation code among the S_k-conjugates of the class representative, and
  // the permutations s of S_k whose conjugation takes the representative there.
  std::vector<uint32_t> leastConjugateCode;
  std::vector<std::vector<SmallPermutation>> toLeastConjugate;
};

// The digit k of a group name such as "s5" (at most 7; 0 when there is none).
int32_t IsotopyDegree(std::string_view name);

// The group named by `name` ("s" or "a" and the digit k). Any other letter gives no elements. The
// product table of S_7 takes 50 MB; it is built once per run.
IsotopyGroup MakeIsotopyGroup(std::string_view name);

// The conjugacy classes under conjugation by the group itself (for A_k a class of S_k may split in
// two): the first element of each, ascending, each element's class and each class's elements; and
// for each class the least code among its representative's S_k-conjugates, with the permutations
// that conjugate the representative there.
void FindConjugacyClasses(IsotopyGroup& group);

// a o b: apply b first, then a.
inline int32_t ElementProduct(const IsotopyGroup& group, int32_t a, int32_t b) {
  return group.products[static_cast<size_t>(a) * (group.elementCount + 1) + b];
}

SmallPermutation IdentityPermutation(int32_t k);

uint32_t PermutationCode(const SmallPermutation& p, int32_t k);

// The element with this code; 0 when the permutation is not in the group.
int32_t ElementOfCode(const IsotopyGroup& group, uint32_t code);

// s x s^-1 on points 1..k.
SmallPermutation Conjugate(const SmallPermutation& s, const SmallPermutation& x, int32_t k);

}  // namespace quarvel
