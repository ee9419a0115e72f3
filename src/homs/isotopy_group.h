#pragma once
// The group of an isotopy run, S_k or A_k with k <= 7, tabulated: every element with its inverse,
// its one-line text and its permutation matrices, and the whole multiplication table, so that a
// product or an inverse is one lookup.
//
// Elements are numbered from 1 in the lexicographic order of their one-line notation; element 1 is
// the identity. A permutation's code is its one-line notation read as an octal number (p(1) the
// most significant digit), so codes order permutations as their texts do.

#include <cstdint>
#include <string_view>

#include "homs/homomorphism_state.h"
#include "run/workbench.h"

namespace quarvel {

// The digit k of a group name such as "s5" (at most 7; 0 when there is none).
int32_t IsotopyDegree(std::string_view name);

// The group named by `name` ("s" or "a" and the digit k). Any other letter gives no elements. The
// product table of S_7 takes 50 MB; it is built once per run.
IsotopyGroup MakeIsotopyGroup(std::string_view name);

// Builds the group of settings.isotopyGroup into the workbench (unless it already holds that group)
// and sets degree k to its digit. The class representatives are left as they are.
void BuildIsotopyGroup(Workbench& workbench);

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
