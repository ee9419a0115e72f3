// Benchmarks of the enumeration of homomorphisms up to conjugation (no twisted polynomials): the
// figure eight, the Conway knot (three generators after simplification) and 11_409 (four) into
// S_5, S_6 and S_7. The group tables are built once per benchmark, as a run builds them once.

#include <benchmark/benchmark.h>

#include <string>

#include "base/headless_surface.h"
#include "group/knot_tables.h"
#include "homs/isotopy_group.h"
#include "keep_classes.h"
#include "run/prepare_presentation.h"
#include "run/workbench.h"

namespace quarvel {
namespace {

constexpr int32_t kMediumEffort = 50;

void Enumerate(benchmark::State& state, const char* knot, const char* group) {
  HeadlessSurface surface;
  Workbench wb(surface);
  wb.settings.isotopyMode = true;
  wb.panels.window = ComputationWindow::isotopy;
  wb.settings.isotopyGroup = group;
  wb.settings.simplifyEffort = kMediumEffort;
  wb.presentation.braidText = KnotBraid(FindKnot(knot).knotList);
  PreparePresentation(wb);
  wb.isotopyGroup = MakeIsotopyGroup(group);
  FindConjugacyClasses(wb.isotopyGroup);
  HomomorphismCounts counts;
  for (auto _ : state) {
    HomomorphismStore store;
    counts = KeepClasses(wb, store);
  }
  state.counters["classes"] = static_cast<double>(counts.found);
  state.counters["solutions"] = static_cast<double>(counts.satisfying);
  state.counters["generators"] = static_cast<double>(wb.presentation.generatorCount);
}

BENCHMARK_CAPTURE(Enumerate, 4_1_s5, "4_1", "s5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 4_1_s6, "4_1", "s6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 4_1_s7, "4_1", "s7")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_401_s5, "11_401", "s5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_401_s6, "11_401", "s6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_401_s7, "11_401", "s7")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_409_s5, "11_409", "s5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_409_s6, "11_409", "s6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Enumerate, 11_409_s7, "11_409", "s7")->Unit(benchmark::kMillisecond);

void BuildS7Tables(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeIsotopyGroup("s7").elementCount);
}
BENCHMARK(BuildS7Tables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarvel
