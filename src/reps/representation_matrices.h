#pragma once
// Integer matrices of the representation, which the twisted Fox matrix multiplies along words.
//
// The matrix of a permutation p of 1..k sends the unit vector e_i to e_p(i): column i carries its 1
// in row p(i). With (gh)(i) = g(h(i)) this gives M(g) M(h) = M(gh), and the inverse matrix is the
// transpose.
//
// The reduced representation acts on V = { v in Z^k : v_1 + ... + v_k = 0 }, of rank k - 1, in the
// basis b_j = e_1 - e_(j+1), j = 1..k-1, for rows and columns alike. Since
//   p(b_j) = e_p(1) - e_p(j+1) = b_(p(j+1)-1) - b_(p(1)-1)   (with b_0 = 0),
// column j has +1 in row p(j+1) - 1 unless p(j+1) = 1, and -1 in row p(1) - 1 unless p(1) = 1.
// Entries are -1, 0 or 1; the matrices multiply like the permutations, and the inverse matrix is
// the reduced matrix of the inverse permutation.

#include <cstdint>

#include "group/presentation.h"
#include "reps/representation.h"

namespace quarvel {

// Which matrices a representation multiplies: 1 x 1 [1] (the trivial pass and the abelian kind),
// the k x k permutation matrices (the permutation and metabelian kinds), or the (k-1) x (k-1)
// reduced matrices on V.
enum class MatrixKind { scalar, permutation, reduced };

// The matrices of that kind for every present generator (generatorUsed) from its image on 1..k.
// The regular representation takes its matrices from its image instead (image_order.h).
void BuildRepresentationMatrices(const Presentation& presentation, MatrixKind kind, int32_t k,
                                 Representation& representation);

// The k x k matrix of p and its inverse (the transpose).
void PermutationMatrices(const Permutation& p, int32_t k, IntMatrix& matrix, IntMatrix& inverseMatrix);

// The (k-1) x (k-1) matrix of p on V in the basis above.
void ReducedPermutationMatrix(const Permutation& p, int32_t k, IntMatrix& matrix);

// a b with every entry brought into [0, p). `product` must be neither `a` nor `b`; it takes their size.
void MatrixProductModP(const IntMatrix& a, const IntMatrix& b, int32_t prime, IntMatrix& product);

}  // namespace quarvel
