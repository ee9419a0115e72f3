// Micro benchmarks of the polynomial store and the polynomial product.

#include <benchmark/benchmark.h>

#include <random>

#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "poly/polynomial.h"

namespace quarvel {
namespace {

constexpr int32_t kPrime = 53;

PrimeField BenchField() {
  PrimeField field;
  SetCurrentPrime(field, kPrime);
  return field;
}

Residue NonzeroResidue(int32_t i, int32_t j, int32_t e) {
  return static_cast<Residue>(1 + (i * 7 + j * 3 + e) % (kPrime - 1));
}

// Fills a size x size matrix with entries of the given degree, exponent by exponent from 0 up.
void FillMatrix(PolyMatrix& matrix, int32_t size, int32_t degree, FailureState& failure) {
  for (int32_t i = 1; i <= size; ++i) {
    for (int32_t j = 1; j <= size; ++j) {
      for (int32_t e = 0; e <= degree; ++e) MatrixSet(matrix, i, j, e, NonzeroResidue(i, j, e), failure);
    }
  }
}

// Args: matrix size, entry degree.
void BM_MatrixSetFill(benchmark::State& state) {
  const auto size = static_cast<int32_t>(state.range(0));
  const auto degree = static_cast<int32_t>(state.range(1));
  FailureState failure;
  PolyMatrix matrix;
  for (auto _ : state) {
    ResetMatrix(matrix);
    FillMatrix(matrix, size, degree, failure);
    benchmark::DoNotOptimize(matrix.slots.data());
  }
  state.SetItemsProcessed(state.iterations() * size * size * (degree + 1));
  state.counters["store_MB"] = static_cast<double>(MatrixStorageBytes(matrix)) / 1e6;
}
BENCHMARK(BM_MatrixSetFill)
    ->Args({100, 20})
    ->Args({100, 200})
    ->Args({300, 20})
    ->Args({300, 200})
    ->Unit(benchmark::kMillisecond);

void BM_MatrixGetSweep(benchmark::State& state) {
  const auto size = static_cast<int32_t>(state.range(0));
  const auto degree = static_cast<int32_t>(state.range(1));
  FailureState failure;
  PolyMatrix matrix;
  FillMatrix(matrix, size, degree, failure);
  for (auto _ : state) {
    int64_t sum = 0;
    for (int32_t i = 1; i <= size; ++i) {
      for (int32_t j = 1; j <= size; ++j) {
        for (int32_t e = 0; e <= degree; ++e) sum += MatrixGet(matrix, i, j, e);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * size * size * (degree + 1));
}
BENCHMARK(BM_MatrixGetSweep)
    ->Args({100, 20})
    ->Args({100, 200})
    ->Args({300, 20})
    ->Args({300, 200})
    ->Unit(benchmark::kMillisecond);

// Row operations of the reduction over a whole row of 300 entries of the given degree:
// entry(2, j) -= c * t^3 * entry(1, j), then the same with -c, which restores the row (its degree
// rises by 3 and drops back), so every iteration does the same work.
void BM_MatrixSubtractMultipleRow(benchmark::State& state) {
  const auto degree = static_cast<int32_t>(state.range(0));
  const PrimeField field = BenchField();
  FailureState failure;
  PolyMatrix matrix;
  FillMatrix(matrix, 2, degree, failure);
  for (int32_t i = 1; i <= 2; ++i) {
    for (int32_t j = 3; j <= kMatrixDimension; ++j) {
      for (int32_t e = 0; e <= degree; ++e) MatrixSet(matrix, i, j, e, NonzeroResidue(i, j, e), failure);
    }
  }
  for (auto _ : state) {
    for (int32_t j = 1; j <= kMatrixDimension; ++j)
      MatrixSubtractMultiple(matrix, 2, j, 1, j, 5, 3, field, failure);
    for (int32_t j = 1; j <= kMatrixDimension; ++j) {
      MatrixSubtractMultiple(matrix, 2, j, 1, j, kPrime - 5, 3, field, failure);
    }
    benchmark::ClobberMemory();
  }
  if (failure.polynomialErrorFlag || MatrixEntryDegree(matrix, 2, 1) != degree)
    state.SkipWithError("row drifted");
  state.SetItemsProcessed(state.iterations() * 2 * kMatrixDimension * (degree + 1));
}
BENCHMARK(BM_MatrixSubtractMultipleRow)->Arg(20)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

Polynomial DensePolynomial(int32_t degree, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> coefficient(1, kPrime - 1);
  std::vector<Residue> coefficients(static_cast<size_t>(degree) + 1);
  for (Residue& c : coefficients) c = static_cast<Residue>(coefficient(random));
  return PolyFromCoefficients(std::move(coefficients));
}

void BM_PolyMultiply(benchmark::State& state) {
  const auto degree = static_cast<int32_t>(state.range(0));
  const PrimeField field = BenchField();
  const Polynomial f = DensePolynomial(degree, 1);
  const Polynomial g = DensePolynomial(degree, 2);
  Polynomial result;
  for (auto _ : state) {
    PolyMultiply(field, f, g, result);
    benchmark::DoNotOptimize(result.coefficients.data());
  }
}
BENCHMARK(BM_PolyMultiply)->Arg(10)->Arg(40)->Arg(1000)->Arg(2500)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarvel
