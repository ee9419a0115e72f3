// Micro benchmarks of the representation search on the simplified presentation of a 12-crossing
// knot: evaluating relators on permutations, one search try (draw the images, test the relators
// shortest first), and whole searches.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/headless_surface.h"
#include "group/knot_tables.h"
#include "reps/find_representation.h"
#include "reps/permutation_group.h"
#include "run/prepare_presentation.h"
#include "run/workbench.h"

namespace quarvel {
namespace {

constexpr std::string_view kKnot = "12_1311";

// A workbench holding the knot's presentation, simplified as a norm run would (effort "low").
struct KnotBench {
  HeadlessSurface surface;
  Workbench wb{surface};

  explicit KnotBench(int64_t k) {
    KnotPositions at = FindKnot(kKnot);
    wb.presentation.braidText = std::string(ExampleBraid(at.examplesList));
    wb.settings.simplifyEffort = 20;
    PreparePresentation(wb);
    FillPrimeTable(wb.settings);
    wb.current.degreeK = k;
    wb.run.degreeCap = kInitialDegreeCap;
    wb.run.outputPanel = 3;
    SetSpaceNames(wb.presentation, GroupType::knot);
  }

  int64_t RelatorLetters() const {
    int64_t letters = 0;
    for (int64_t r = 1; r <= wb.presentation.relatorCount; ++r)
      letters += wb.presentation.relators[r].size() / 2;
    return letters;
  }

  // Candidate images for the surviving generators, as a search try draws them.
  void Draw(const ElementTable& table, int64_t k) {
    const Presentation& p = wb.presentation;
    for (int64_t position = 1; position <= p.generatorCount; ++position) {
      GeneratorImage& g = wb.representation.generators[p.generatorLetters[position]];
      if (k <= kMaxTabulatedDegree) {
        table.CopyRow(static_cast<int32_t>(RandomBelow(wb.random, static_cast<uint32_t>(table.Size()))) + 1,
                      g.image, g.inverseImage);
      } else {
        RandomPermutation(wb.random, k, g.image, g.inverseImage);
      }
    }
  }

  ElementTable Table(int64_t k) const {
    return k <= kMaxTabulatedDegree ? BuildElementTable(static_cast<int32_t>(k), false) : ElementTable{};
  }
};

// Every relator evaluated in full on random images; items are relator letters.
void BM_RelatorEvaluation(benchmark::State& state) {
  const int64_t k = state.range(0);
  KnotBench bench(k);
  ElementTable table = bench.Table(k);
  bench.Draw(table, k);
  Permutation result{};
  for (auto _ : state) {
    for (int64_t r = 1; r <= bench.wb.presentation.relatorCount; ++r) {
      EvaluateWord(bench.wb.representation, k, bench.wb.presentation.relators[r], result);
      benchmark::DoNotOptimize(result.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * bench.RelatorLetters());
  state.counters["relator_letters"] = static_cast<double>(bench.RelatorLetters());
}
BENCHMARK(BM_RelatorEvaluation)->Arg(5)->Arg(12);

// One try of the search: images for the surviving generators, then the relators shortest first,
// stopping at the first that moves a point. Items are tries.
void BM_SearchTry(benchmark::State& state) {
  const int64_t k = state.range(0);
  KnotBench bench(k);
  ElementTable table = bench.Table(k);
  int64_t solutions = 0;
  for (auto _ : state) {
    bench.Draw(table, k);
    solutions += RelatorsHold(bench.wb.presentation, bench.wb.simplification, bench.wb.representation, k);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["solutions"] = static_cast<double>(solutions);
}
BENCHMARK(BM_SearchTry)->Arg(5)->Arg(12);

// Counts the pumps: the search pumps once per try.
class TryCounter : public RunControl {
 public:
  int64_t tries = 0;
  void KeepWindowAlive() override { ++tries; }
};

// Whole searches for a nontrivial representation into S_5 (later searches of a knot, so the degree
// stays); items are tries.
void BM_FindRepresentation(benchmark::State& state) {
  KnotBench bench(5);
  SearchRequest request;
  request.degree = 5;
  request.degreeCap = kInitialDegreeCap;
  TryCounter control;
  SearchProgress progress;
  int64_t searches = 0;
  for (auto _ : state) {
    Workbench& wb = bench.wb;
    benchmark::DoNotOptimize(FindRepresentation(wb.presentation, wb.simplification, wb.field, request,
                                                wb.representation, wb.random, control, progress));
    ++searches;
  }
  state.SetItemsProcessed(control.tries);
  state.counters["tries_per_search"] = static_cast<double>(control.tries) / static_cast<double>(searches);
}
BENCHMARK(BM_FindRepresentation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarvel
