// Quarvel's side of the comparison with the peers (bench/peers/run.sh): one Google Benchmark per
// call, on the inputs the peers get as well, printing one line "cpu_seconds wall_seconds counters..."
// (per call).
//
//   quarvel_peers [benchmark flags] reduce MATRIX K
//       Reduce on a matrix in the form gap_to_flint writes (converted from the GAP program that
//       `quarvel-cli norm --matrix gap` wrote), k the degree of the representation, keeping torsion.
//       Counters: the degree of the twisted polynomial, the count and the largest span an entry
//       reached (peak_span), or out_of_memory=1 when the reduction ended in "Out of memory".
//   quarvel_peers [benchmark flags] enumerate BRAID GROUP [PRESENTATION_OUT]
//       The homomorphisms up to conjugation into GROUP ("s5" ...) of the knot group of the braid,
//       prepared as an isotopy run prepares it (medium simplification). With PRESENTATION_OUT the
//       simplified presentation goes there first, for the peers: the generator count on the first
//       line, then one relator per line as signed generator positions 1..n.
//       Counters: the classes (non-abelian, as a run counts them) and the relator solutions.
//   quarvel_peers unsimplified-matrix BRAID GROUP permutation|regular
//       Writes quarvel_matrix_gap.txt for the unsimplified presentation (see WriteUnsimplifiedMatrix).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/headless_surface.h"
#include "base/random_generator.h"
#include "front/start.h"
#include "homs/enumerate_homomorphisms.h"
#include "homs/isotopy_group.h"
#include "keep_classes.h"
#include "reports/matrix_files.h"
#include "run/prepare_presentation.h"
#include "run/twisted_polynomial_stages.h"
#include "run/workbench.h"

namespace quarvel {
namespace {

constexpr int32_t kMediumEffort = 50;
constexpr int32_t kPrime = 13;  // the runs' default field
// The draws an isotopy run takes before it prepares the presentation.
constexpr uint64_t kIsotopyWarmUpDraws = 1000;

struct Bench {
  std::unique_ptr<HeadlessSurface> surface = std::make_unique<HeadlessSurface>();
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(*surface);
};

// Reads "rows columns p" and the entries as "length p c0 c1 ..." into the matrix store.
bool ReadMatrix(const std::string& path, Workbench& wb, int32_t& rows, int32_t& columns) {
  std::ifstream in(path);
  int64_t p = 0;
  if (!(in >> rows >> columns >> p) || rows < 1 || columns < 1 || rows > kMatrixDimension ||
      columns > kMatrixDimension)
    return false;
  SetCurrentPrime(wb.field, static_cast<int32_t>(p));
  ResetMatrix(wb.matrix);
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= columns; ++c) {
      int32_t length = 0;
      int64_t modulus = 0;
      if (!(in >> length >> modulus) || modulus != p || length < 0) return false;
      for (int32_t e = 0; e < length; ++e) {
        int32_t value = 0;
        if (!(in >> value)) return false;
        if (value != 0) MatrixSet(wb.matrix, r, c, e, static_cast<Residue>(value), wb.failure);
      }
    }
  }
  return !wb.failure.polynomialErrorFlag;
}

void ReduceMatrixFile(benchmark::State& state, const std::string& path, int64_t k) {
  Bench bench;
  Workbench& wb = *bench.wb;
  int32_t rows = 0;
  int32_t columns = 0;
  if (!ReadMatrix(path, wb, rows, columns) || k < 1 || rows % k != 0 || columns % k != 0) {
    state.SkipWithError("cannot read the matrix");
    return;
  }
  wb.current.degreeK = k;
  wb.settings.keepTorsionSwitch = true;
  const PolyMatrix built = wb.matrix;
  Reduction reduction;
  NoRunControl control;
  NoReductionProgress progress;
  for (auto _ : state) {
    state.PauseTiming();
    wb.matrix = built;
    state.ResumeTiming();
    reduction = Reduce(wb.matrix, rows / k, columns / k, k, wb.field, true, control, progress);
    benchmark::DoNotOptimize(reduction.polynomial.coefficients.data());
  }
  if (!reduction.complete()) {
    state.counters["out_of_memory"] = 1;  // the time is the time until it gave up
    return;
  }
  state.counters["degree"] = PolyDegree(reduction.polynomial);
  state.counters["count"] = reduction.count;
  state.counters["peak_span"] = reduction.peakSpan;
}

// The presentation as the peers read it.
void WritePresentation(const Workbench& wb, const std::string& path) {
  const Presentation& p = wb.presentation;
  std::array<int32_t, kMaxGenerators + 1> positionOf{};
  for (int32_t i = 1; i <= p.generatorCount; ++i) positionOf[p.generatorLetters[i]] = i;
  std::ofstream out(path);
  out << p.generatorCount << "\n";
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& word = p.relators[wb.simplification.relatorOrder[r]];
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      out << (at == 0 ? "" : " ") << (word[at] == '-' ? "-" : "") << positionOf[GeneratorOf(word[at + 1])];
    }
    out << "\n";
  }
}

// The knot group of the braid as an isotopy run into `group` prepares it, with the group's tables
// and classes; false when the presentation cannot be prepared.
bool PrepareIsotopyGroup(Workbench& wb, const std::string& braid, const std::string& group) {
  wb.settings.isotopyMode = true;
  wb.panels.window = ComputationWindow::isotopy;
  wb.settings.isotopyGroup = group;
  wb.settings.simplifyEffort = EffortForBraidLength(kMediumEffort, braid.size());
  wb.presentation.braidText = braid;
  SkipDraws(wb.random, kIsotopyWarmUpDraws);
  PreparePresentation(wb);
  if (wb.failure.computationFailed) return false;
  wb.isotopyGroup = MakeIsotopyGroup(group);
  FindConjugacyClasses(wb.isotopyGroup);
  return true;
}

void Enumerate(benchmark::State& state, const std::string& braid, const std::string& group,
               const std::string& presentationOut) {
  Bench bench;
  Workbench& wb = *bench.wb;
  if (!PrepareIsotopyGroup(wb, braid, group)) {
    state.SkipWithError("cannot prepare the presentation");
    return;
  }
  if (!presentationOut.empty()) WritePresentation(wb, presentationOut);
  HomomorphismCounts counts;
  for (auto _ : state) {
    HomomorphismStore store;
    counts = KeepClasses(wb, store);
  }
  state.counters["classes"] = static_cast<double>(counts.found);
  state.counters["solutions"] = static_cast<double>(counts.satisfying);
}

// One line per run: the mean processor and wall seconds per iteration, then the counters.
class LineReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) {
        std::printf("error %s\n", run.error_message.c_str());
        continue;
      }
      const double iterations = static_cast<double>(run.iterations);
      std::printf("%.9f %.9f", run.cpu_accumulated_time / iterations, run.real_accumulated_time / iterations);
      for (const auto& [name, counter] : run.counters) std::printf(" %s=%g", name.c_str(), counter.value);
      std::printf("\n");
    }
  }
};

// The image of an assignment: its elements' closure under products, the identity first.
std::vector<int32_t> ImageOf(const IsotopyGroup& group, const Presentation& p, const Assignment& assignment) {
  std::vector<int32_t> elements{1};
  std::vector<char> seen(static_cast<size_t>(group.elementCount) + 1, 0);
  seen[1] = 1;
  for (size_t next = 0; next < elements.size(); ++next) {
    for (int32_t g = 1; g <= kMaxGenerators; ++g) {
      if (!p.generatorUsed[g]) continue;
      const int32_t product = ElementProduct(group, assignment[g], elements[next]);
      if (!seen[product]) {
        seen[product] = 1;
        elements.push_back(product);
      }
    }
  }
  return elements;
}

// The matrix of left multiplication by x on the image, in the basis of its elements.
IntMatrix RegularMatrix(const IsotopyGroup& group, const std::vector<int32_t>& image, int32_t x) {
  std::vector<int32_t> position(static_cast<size_t>(group.elementCount) + 1, 0);
  for (size_t i = 0; i < image.size(); ++i) position[image[i]] = static_cast<int32_t>(i) + 1;
  IntMatrix matrix;
  matrix.Reset(static_cast<int32_t>(image.size()));
  for (size_t j = 0; j < image.size(); ++j)
    matrix(position[ElementProduct(group, x, image[j])], static_cast<int32_t>(j) + 1) = 1;
  return matrix;
}

// The GAP program of the twisted Fox matrix of the braid's unsimplified presentation (one
// generator per arc, one relator per crossing but the last), in the current folder, over F_13.
// The representation comes from the homomorphisms an isotopy run into `group` finds, extended from
// the simplified presentation to every generator: "permutation" takes the first one on F_13^k;
// "regular" takes the one whose image is largest within the degree cap (300 over the larger of the
// generator and relator counts) and its regular representation. A random search on the
// unsimplified presentation finds no representation in minutes; these matrices have the sizes the
// comparison's reference figures were measured on (77 x 70 for an 11-crossing knot into S_7).
int WriteUnsimplifiedMatrix(const std::string& braid, const std::string& group, const std::string& kind) {
  if (kind != "permutation" && kind != "regular") return 2;
  const bool regular = kind == "regular";
  Bench build;
  Workbench& wb = *build.wb;
  wb.presentation.braidText = braid;
  wb.settings.simplifyEffort = 0;
  PreparePresentation(wb);
  if (wb.failure.computationFailed) return 1;
  const Presentation& p = wb.presentation;
  const int64_t cap = kMatrixDimension / std::max(p.generatorCount, p.relatorCount);

  Bench search;
  Workbench& found = *search.wb;
  if (!PrepareIsotopyGroup(found, braid, group)) return 1;
  const IsotopyGroup& elements = found.isotopyGroup;
  std::optional<Assignment> chosen;
  std::vector<int32_t> image;
  NoRunControl control;
  NoEnumerationProgress progress;
  EnumerateHomomorphisms(
      SimplifiedRelatorsOf(found.presentation, found.simplification), elements,
      found.settings.allHomomorphisms, control, progress,
      [&](const Assignment& images, const HomomorphismCounts&) {
        if (chosen && !regular) return true;
        const Assignment homomorphism =
            ExtendToEliminated(elements, found.simplification.substitutionList, images);
        if (regular) {
          std::vector<int32_t> candidate = ImageOf(elements, p, homomorphism);
          if (static_cast<int64_t>(candidate.size()) > cap || candidate.size() <= image.size()) return true;
          image = std::move(candidate);
        }
        chosen = homomorphism;
        return true;
      });
  if (!chosen) return 1;

  SetCurrentPrime(wb.field, kPrime);
  wb.settings.currentPrime = kPrime;
  wb.current.degreeK = regular ? static_cast<int64_t>(image.size()) : elements.degree;
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    const int32_t x = (*chosen)[g];
    GeneratorImage& generator = wb.representation.generators[g];
    if (regular) {
      generator.matrix = RegularMatrix(elements, image, x);
      generator.inverseMatrix = RegularMatrix(elements, image, elements.inverseIndex[x]);
    } else {
      generator.matrix = elements.matrices[x];
      generator.inverseMatrix = elements.inverseMatrices[x];
    }
  }
  BuildWorkbenchFoxMatrix(wb);
  if (wb.failure.computationFailed || wb.failure.polynomialErrorFlag) return 1;
  WriteGapFile(wb);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: quarvel_peers [benchmark flags] reduce MATRIX K\n"
               "       quarvel_peers [benchmark flags] enumerate BRAID GROUP [PRESENTATION_OUT]\n"
               "       quarvel_peers unsimplified-matrix BRAID GROUP permutation|regular\n");
  return 2;
}

}  // namespace
}  // namespace quarvel

int main(int argc, char** argv) {
  using namespace quarvel;
  benchmark::Initialize(&argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "unsimplified-matrix")
    return WriteUnsimplifiedMatrix(args[1], args[2], args[3]);
  if (args.size() == 3 && args[0] == "reduce") {
    benchmark::RegisterBenchmark("reduce", ReduceMatrixFile, args[1], std::stoll(args[2]))
        ->Unit(benchmark::kMillisecond);
  } else if ((args.size() == 3 || args.size() == 4) && args[0] == "enumerate") {
    benchmark::RegisterBenchmark("enumerate", Enumerate, args[1], args[2], args.size() == 4 ? args[3] : "")
        ->Unit(benchmark::kMillisecond);
  } else {
    return Usage();
  }
  LineReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
