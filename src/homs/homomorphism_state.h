#pragma once
// The finite group of an isotopy run and the homomorphisms of the simplified group into it, kept
// one per conjugacy class (conjugation by S_k). Element indices count from 1; index 0 is unused.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "group/word.h"
#include "reps/representation.h"

namespace quarvel {

inline constexpr int32_t kMaxIsotopyDegree = 7;
inline constexpr int64_t kMaxHomomorphisms = 1000;

// Points 1..k of a permutation of at most 7 points; slot 0 unused, slots above k are 0.
using SmallPermutation = std::array<int8_t, kMaxIsotopyDegree + 1>;

// One element index per generator number 1..52, 0 where unassigned.
using Assignment = std::array<int32_t, kMaxGenerators + 1>;

// S_k or A_k, k <= 7, its elements in lexicographic order of their one-line notation.
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

struct HomomorphismStore {
  Assignment assignment{};       // the current candidate, by generator number
  std::vector<Assignment> rows;  // the kept homomorphisms, at most 1000; H = rows.size()
  int64_t satisfyingCount = 0;   // T: candidates that satisfy the relators
  int64_t newCount = 0;          // H': candidates new up to conjugation
  int32_t checkedPercent = 0;    // the share of the candidates checked so far
};

}  // namespace quarvel
