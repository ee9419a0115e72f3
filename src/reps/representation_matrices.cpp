#include "reps/representation_matrices.h"

namespace quarvel {

void PermutationMatrices(const Permutation& p, int32_t k, IntMatrix& matrix, IntMatrix& inverseMatrix) {
  matrix.Reset(k);
  inverseMatrix.Reset(k);
  for (int32_t i = 1; i <= k; ++i) {
    matrix(p[i], i) = 1;
    inverseMatrix(i, p[i]) = 1;
  }
}

void ReducedPermutationMatrix(const Permutation& p, int32_t k, IntMatrix& matrix) {
  matrix.Reset(k - 1);
  for (int32_t j = 1; j <= k - 1; ++j) {
    if (p[j + 1] != 1) matrix(p[j + 1] - 1, j) += 1;
    if (p[1] != 1) matrix(p[1] - 1, j) -= 1;
  }
}

void BuildRepresentationMatrices(const Presentation& presentation, MatrixKind kind, int32_t k,
                                 Representation& representation) {
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!presentation.generatorUsed[g]) continue;
    GeneratorImage& image = representation.generators[g];
    switch (kind) {
      case MatrixKind::scalar:
        image.matrix.Reset(1);
        image.matrix(1, 1) = 1;
        image.inverseMatrix.Reset(1);
        image.inverseMatrix(1, 1) = 1;
        break;
      case MatrixKind::reduced:
        ReducedPermutationMatrix(image.image, k, image.matrix);
        ReducedPermutationMatrix(image.inverseImage, k, image.inverseMatrix);
        break;
      case MatrixKind::permutation:
        PermutationMatrices(image.image, k, image.matrix, image.inverseMatrix);
        break;
    }
  }
}

void MatrixProductModP(const IntMatrix& a, const IntMatrix& b, int32_t prime, IntMatrix& product) {
  const int32_t k = a.size;
  if (product.size != k) product.Reset(k);
  for (int32_t row = 1; row <= k; ++row) {
    for (int32_t column = 1; column <= k; ++column) {
      int64_t sum = 0;
      for (int32_t inner = 1; inner <= k; ++inner)
        sum += static_cast<int64_t>(a(row, inner)) * b(inner, column);
      // The same residue as subtracting or adding p until the sum lies in [0, p).
      int64_t residue = sum % prime;
      product(row, column) = static_cast<int32_t>(residue < 0 ? residue + prime : residue);
    }
  }
}

}  // namespace quarvel
