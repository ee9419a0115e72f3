// Benchmarks of the twisted Fox matrix and its reduction on a 12-crossing knot with permutation
// representations onto S_k, k = 4 .. 8, on F_p^k.
//
// The representations are found here by a randomised search: the Wirtinger generators (all
// conjugate) are given images in one conjugacy class of S_k, in random order, and a relator in
// which one generator is still open fixes that generator; a representation is kept when its image
// is all of S_k.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "base/headless_surface.h"
#include "base/random_generator.h"
#include "group/knot_tables.h"
#include "norm/representation_stage.h"
#include "permutation_search.h"
#include "reps/representation_matrices.h"
#include "run/prepare_presentation.h"
#include "run/twisted_polynomial_stages.h"
#include "run/workbench.h"

namespace quarvel {
namespace {

constexpr int32_t kPrime = 13;
constexpr const char* kKnot = "12_1311";
constexpr int32_t kSimplifyEffort = 20;

using testing::CycleType;
using testing::Identity;
using testing::Perm;

// The order of the group the permutations generate.
size_t GroupOrder(const std::vector<Perm>& generators) {
  std::set<Perm> elements{Identity(generators.front().size())};
  std::vector<Perm> frontier(elements.begin(), elements.end());
  while (!frontier.empty()) {
    std::vector<Perm> next;
    for (const Perm& x : frontier) {
      for (const Perm& g : generators) {
        Perm y = testing::Compose(x, g);
        if (elements.insert(y).second) next.push_back(y);
      }
    }
    frontier.swap(next);
  }
  return elements.size();
}

// A representation of the input relators onto S_k with every generator in the class of
// `representative`, or an empty map.
std::map<int, Perm> SearchClass(const Presentation& presentation, const Perm& representative,
                                RandomGenerator& random) {
  size_t factorial = 1;
  for (size_t i = 2; i <= representative.size(); ++i) factorial *= i;
  testing::ClassSearch search;
  search.accept = [factorial](const std::map<int, Perm>& images) {
    std::vector<Perm> all;
    for (const auto& [g, image] : images) all.push_back(image);
    return GroupOrder(all) == factorial;
  };
  search.shuffle = &random;
  search.budget = 200000;
  return testing::FindRepresentationIn(
      presentation, testing::ConjugacyClass(representative.size(), CycleType(representative)), search);
}

// Odd cycle types first (they can generate S_k), transpositions before longer cycles.
std::map<int, Perm> FindOntoSk(const Presentation& presentation, size_t k, RandomGenerator& random) {
  std::vector<Perm> representatives;
  std::set<std::vector<int>> types;
  Perm perm = Identity(k);
  do {
    if (types.insert(CycleType(perm)).second && !CycleType(perm).empty()) representatives.push_back(perm);
  } while (std::next_permutation(perm.begin(), perm.end()));
  auto sign = [](const Perm& p) {
    int transpositions = 0;
    for (int length : CycleType(p)) transpositions += length - 1;
    return transpositions % 2;
  };
  std::stable_sort(representatives.begin(), representatives.end(), [&](const Perm& a, const Perm& b) {
    if (sign(a) != sign(b)) return sign(a) > sign(b);
    return CycleType(a).size() < CycleType(b).size();
  });
  for (const Perm& representative : representatives) {
    std::map<int, Perm> images = SearchClass(presentation, representative, random);
    if (!images.empty()) return images;
  }
  return {};
}

struct Setup {
  std::unique_ptr<HeadlessSurface> surface = std::make_unique<HeadlessSurface>();
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(*surface);
  bool ok = false;
};

// The knot prepared, a representation onto S_k installed (on Z^k, or on the sum-zero subspace V of
// dimension k - 1), the field set.
Setup& PreparedKnot(int64_t k, bool onV = false) {
  static std::map<std::pair<int64_t, bool>, Setup> setups;
  Setup& setup = setups[{k, onV}];
  if (setup.ok) return setup;
  Workbench& wb = *setup.wb;
  wb.presentation.braidText = std::string(ExampleBraid(FindKnot(kKnot).examplesList));
  wb.settings.simplifyEffort = 0;
  PreparePresentation(wb);
  RandomGenerator random;
  std::map<int, Perm> images = FindOntoSk(wb.presentation, static_cast<size_t>(k), random);
  if (images.empty()) return setup;
  std::string cycleType;
  for (int length : CycleType(images.begin()->second)) cycleType += std::to_string(length) + " ";

  // The simplified presentation for the matrices.
  wb.presentation = Presentation{};
  wb.presentation.braidText = std::string(ExampleBraid(FindKnot(kKnot).examplesList));
  wb.settings.simplifyEffort = kSimplifyEffort;
  PreparePresentation(wb);
  SetCurrentPrime(wb.field, kPrime);
  wb.current.degreeK = onV ? k - 1 : k;
  wb.settings.keepTorsionSwitch = true;
  for (const auto& [g, image] : images) {
    GeneratorImage& slot = wb.representation.generators[g];
    Permutation p{};
    Permutation inverse{};
    for (int32_t i = 1; i <= k; ++i) {
      p[i] = image[i - 1];
      inverse[image[i - 1]] = i;
    }
    if (onV) {
      ReducedPermutationMatrix(p, static_cast<int32_t>(k), slot.matrix);
      ReducedPermutationMatrix(inverse, static_cast<int32_t>(k), slot.inverseMatrix);
    } else {
      PermutationMatrices(p, static_cast<int32_t>(k), slot.matrix, slot.inverseMatrix);
    }
  }
  BuildWorkbenchFoxMatrix(wb);
  std::fprintf(stderr,
               "%s with %lld generators and %lld relators; S_%lld via cycle type %s: matrix %lld x %lld\n",
               kKnot, static_cast<long long>(wb.presentation.generatorCount),
               static_cast<long long>(wb.presentation.relatorCount), static_cast<long long>(k),
               cycleType.c_str(), static_cast<long long>(k * wb.presentation.generatorCount),
               static_cast<long long>(k * wb.presentation.relatorCount));
  setup.ok = !wb.failure.computationFailed;
  return setup;
}

void BM_BuildTwistedFoxMatrix(benchmark::State& state) {
  Setup& setup = PreparedKnot(state.range(0));
  if (!setup.ok) {
    state.SkipWithError("no representation onto S_k found");
    return;
  }
  Workbench& wb = *setup.wb;
  for (auto _ : state) {
    BuildWorkbenchFoxMatrix(wb);
    benchmark::DoNotOptimize(MatrixEntryDegree(wb.matrix, 1, 1));
  }
}

void BM_ReduceMatrix(benchmark::State& state) {
  Setup& setup = PreparedKnot(state.range(0));
  if (!setup.ok) {
    state.SkipWithError("no representation onto S_k found");
    return;
  }
  Workbench& wb = *setup.wb;
  BuildWorkbenchFoxMatrix(wb);
  const PolyMatrix built = wb.matrix;
  for (auto _ : state) {
    state.PauseTiming();
    wb.matrix = built;
    state.ResumeTiming();
    ReduceWorkbenchMatrix(wb, wb.presentation.generatorCount, wb.presentation.relatorCount);
    benchmark::DoNotOptimize(wb.twisted.twistedPolynomial.coefficients.data());
  }
  state.counters["degree"] = PolyDegree(wb.twisted.twistedPolynomial);
}

// Builds and reduces the matrix of a prepared representation, once per iteration.
void BuildAndReduce(benchmark::State& state, Setup& setup) {
  if (!setup.ok) {
    state.SkipWithError("no representation onto the group found");
    return;
  }
  Workbench& wb = *setup.wb;
  for (auto _ : state) {
    BuildWorkbenchFoxMatrix(wb);
    ReduceWorkbenchMatrix(wb, wb.presentation.generatorCount, wb.presentation.relatorCount);
    benchmark::DoNotOptimize(wb.twisted.twistedPolynomial.coefficients.data());
  }
  state.counters["rows"] = static_cast<double>(wb.current.degreeK * wb.presentation.generatorCount);
  state.counters["degree"] = PolyDegree(wb.twisted.twistedPolynomial);
}

void BM_BuildAndReduce(benchmark::State& state) {
  BuildAndReduce(state, PreparedKnot(state.range(0)));
}

void BM_BuildAndReduceOnV(benchmark::State& state) {
  BuildAndReduce(state, PreparedKnot(state.range(0), true));
}

// The run's own search for a representation of the Conway knot into A_5 whose image is all of A_5,
// and the regular representation of that image (degree 60), as the "S_k - representation" kind
// uses it.
Setup& PreparedRegularA5() {
  static Setup setup;
  static bool tried = false;
  if (tried) return setup;
  tried = true;
  Workbench& wb = *setup.wb;
  wb.presentation.braidText = std::string(ExampleBraid(FindKnot("11_401").examplesList));
  wb.settings.simplifyEffort = kSimplifyEffort;
  PreparePresentation(wb);
  SetCurrentPrime(wb.field, kPrime);
  RunSettings& s = wb.settings;
  s.repFamily = RepFamily::permutation;
  s.permutationGroupOnly = s.alternatingOnly = s.determineImageSize = true;
  s.keepTorsionSwitch = true;
  wb.run.degreeCap = 60;
  for (int attempt = 0; attempt < 50 && !setup.ok; ++attempt) {
    wb.current.degreeK = 5;
    wb.representation.searchNumber = 2;  // not the first search: no escalation
    wb.representation.representationFound = true;
    SearchRepresentation(wb);
    ComputeImageOrder(wb);
    setup.ok =
        wb.representation.representationFound && wb.current.degreeK == 60 && !wb.failure.computationFailed;
  }
  return setup;
}

void BM_BuildAndReduceRegular60(benchmark::State& state) {
  BuildAndReduce(state, PreparedRegularA5());
}

BENCHMARK(BM_BuildTwistedFoxMatrix)->DenseRange(4, 8)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReduceMatrix)->DenseRange(4, 8)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildAndReduce)->DenseRange(4, 8)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildAndReduceOnV)->DenseRange(4, 8)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildAndReduceRegular60)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarvel
