#include "reps/representation_matrices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "reps/permutation_group.h"
#include "test_support.h"

namespace quarvel {
namespace {

// Plain integer matrices, rectangular so that the basis of V can take part in products.
using Plain = std::vector<std::vector<int64_t>>;

Plain ToPlain(const IntMatrix& m) {
  Plain p(m.size, std::vector<int64_t>(m.size));
  for (int32_t r = 1; r <= m.size; ++r) {
    for (int32_t c = 1; c <= m.size; ++c) p[r - 1][c - 1] = m(r, c);
  }
  return p;
}

Plain Multiply(const Plain& a, const Plain& b) {
  Plain product(a.size(), std::vector<int64_t>(b[0].size(), 0));
  for (size_t r = 0; r < a.size(); ++r) {
    for (size_t c = 0; c < b[0].size(); ++c) {
      for (size_t i = 0; i < b.size(); ++i) product[r][c] += a[r][i] * b[i][c];
    }
  }
  return product;
}

Plain Identity(size_t n) {
  Plain id(n, std::vector<int64_t>(n, 0));
  for (size_t i = 0; i < n; ++i) id[i][i] = 1;
  return id;
}

Permutation FromPoints(std::initializer_list<int32_t> points) {
  Permutation p{};
  std::copy(points.begin(), points.end(), p.begin() + 1);
  return p;
}

TEST(PermutationMatrices, ColumnICarriesItsOneInRowPofI) {
  IntMatrix m, inverse;
  PermutationMatrices(FromPoints({2, 3, 1}), 3, m, inverse);
  EXPECT_EQ(ToPlain(m), (Plain{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}));
  EXPECT_EQ(ToPlain(inverse), (Plain{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}));
}

TEST(ReducedPermutationMatrix, HandWorkedMatricesOfDegreeThree) {
  // Basis b1 = e1 - e2, b2 = e1 - e3. The transposition (1 2) sends b1 to -b1 and b2 to e2 - e3 =
  // b2 - b1; the 3-cycle 1 -> 2 -> 3 -> 1 sends b1 to e2 - e3 = b2 - b1 and b2 to e2 - e1 = -b1.
  IntMatrix m;
  ReducedPermutationMatrix(FromPoints({2, 1, 3}), 3, m);
  EXPECT_EQ(ToPlain(m), (Plain{{-1, -1}, {0, 1}}));
  ReducedPermutationMatrix(FromPoints({2, 3, 1}), 3, m);
  EXPECT_EQ(ToPlain(m), (Plain{{-1, -1}, {1, 0}}));
}

TEST(RepresentationMatrices, MultiplyLikePermutationsAndInvert) {
  RandomGenerator random;
  for (int32_t k : {2, 3, 5, 8, 13, 60}) {
    // B holds the basis vectors e_1 - e_(j+1) as columns: P B = B M says M is P acting on V.
    Plain basis(k, std::vector<int64_t>(k - 1, 0));
    for (int32_t j = 0; j < k - 1; ++j) {
      basis[0][j] = 1;
      basis[j + 1][j] = -1;
    }
    for (int trial = 0; trial < 10; ++trial) {
      Permutation g{}, gInverse{}, h{}, hInverse{}, gh{};
      RandomPermutation(random, k, g, gInverse);
      RandomPermutation(random, k, h, hInverse);
      for (int32_t i = 1; i <= k; ++i) gh[i] = g[h[i]];
      IntMatrix full, fullInverse, fullH, fullHInverse, fullGH, fullGHInverse, mg, mgInverse, mh, mgh;
      PermutationMatrices(g, k, full, fullInverse);
      PermutationMatrices(h, k, fullH, fullHInverse);
      PermutationMatrices(gh, k, fullGH, fullGHInverse);
      ASSERT_EQ(Multiply(ToPlain(full), ToPlain(fullH)), ToPlain(fullGH)) << k;
      ASSERT_EQ(Multiply(ToPlain(full), ToPlain(fullInverse)), Identity(k)) << k;

      ReducedPermutationMatrix(g, k, mg);
      ReducedPermutationMatrix(gInverse, k, mgInverse);
      ReducedPermutationMatrix(h, k, mh);
      ReducedPermutationMatrix(gh, k, mgh);
      ASSERT_EQ(Multiply(ToPlain(full), basis), Multiply(basis, ToPlain(mg))) << k;
      ASSERT_EQ(Multiply(ToPlain(mg), ToPlain(mh)), ToPlain(mgh)) << k;
      ASSERT_EQ(Multiply(ToPlain(mg), ToPlain(mgInverse)), Identity(k - 1)) << k;
    }
  }
}

TEST(BuildRepresentationMatrices, ChoosesTheMatricesByKindForPresentGenerators) {
  struct Case {
    MatrixKind kind;
    int32_t size;  // of the matrices of a and c
  };
  const Case cases[] = {{MatrixKind::permutation, 4}, {MatrixKind::reduced, 3}, {MatrixKind::scalar, 1}};
  for (const Case& c : cases) {
    Presentation presentation;
    Representation rep;
    presentation.generatorUsed[1] = presentation.generatorUsed[3] = true;  // b is not present
    for (int g : {1, 2, 3}) {
      rep.generators[g].image = FromPoints({2, 3, 4, 1});
      InvertPermutation(rep.generators[g].image, 4, rep.generators[g].inverseImage);
    }
    BuildRepresentationMatrices(presentation, c.kind, 4, rep);
    SCOPED_TRACE(c.size);
    EXPECT_EQ(rep.generators[2].matrix.size, 0);
    ASSERT_EQ(rep.generators[3].matrix.size, c.size);
    EXPECT_EQ(Multiply(ToPlain(rep.generators[1].matrix), ToPlain(rep.generators[1].inverseMatrix)),
              Identity(c.size));
    // [1]; a's column 1 with its 1 in row a(1) = 2; on V, a(b1) = e2 - e3 = b2 - b1.
    const std::vector<int64_t> firstColumn = c.size == 1   ? std::vector<int64_t>{1}
                                             : c.size == 4 ? std::vector<int64_t>{0, 1, 0, 0}
                                                           : std::vector<int64_t>{-1, 1, 0};
    for (int32_t r = 1; r <= c.size; ++r) EXPECT_EQ(rep.generators[1].matrix(r, 1), firstColumn[r - 1]) << r;
  }
}

TEST(MatrixProductModP, AgreesWithThePlainProductBroughtIntoRange) {
  RandomGenerator random;
  for (int32_t prime : {2, 3, 13, 53}) {
    for (int32_t k : {1, 2, 5, 11}) {
      IntMatrix a, b, product;
      a.Reset(k);
      b.Reset(k);
      for (int32_t& cell : a.cells) cell = static_cast<int32_t>(RandomBelow(random, 200)) - 100;
      for (int32_t& cell : b.cells) cell = static_cast<int32_t>(RandomBelow(random, 200)) - 100;
      MatrixProductModP(a, b, prime, product);
      Plain plain = Multiply(ToPlain(a), ToPlain(b));
      ASSERT_EQ(product.size, k);
      for (int32_t r = 1; r <= k; ++r) {
        for (int32_t c = 1; c <= k; ++c) {
          int64_t value = plain[r - 1][c - 1];
          while (value >= prime) value -= prime;
          while (value < 0) value += prime;
          ASSERT_EQ(product(r, c), value) << "p " << prime << " k " << k;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quarvel
