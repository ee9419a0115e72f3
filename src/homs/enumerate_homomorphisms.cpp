#include "homs/enumerate_homomorphisms.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "homs/isotopy_group.h"
#include "homs/relator_solutions.h"

namespace quarvel {
namespace {

constexpr int kProgressPanel = 1;
constexpr int kProgressY = 67;
constexpr int kCountPanel = 2;

// 100 done / total, to the nearest integer, ties to even.
int64_t RoundedPercent(int64_t done, int64_t total) {
  const int64_t numerator = 100 * done;
  int64_t quotient = numerator / total;
  const int64_t twiceRest = 2 * (numerator % total);
  if (twiceRest > total || (twiceRest == total && quotient % 2 != 0)) ++quotient;
  return quotient;
}

// Decides new-up-to-conjugation by canonical forms. The S_k-conjugates of an assignment whose last
// image is the class representative c are compared only under the permutations s that take c to
// the least element m of its S_k-class: two such assignments are conjugate exactly when they share m
// and their least conjugates under those s agree.
class ConjugacyForms {
 public:
  explicit ConjugacyForms(const IsotopyGroup& group) : group_(group) {}

  // `elements` by position 1..n-1; remembers the form and returns true when it is new.
  bool IsNewUpToConjugation(const std::vector<int32_t>& elements, size_t classNumber) {
    const int32_t k = group_.degree;
    const size_t free = elements.size() - 1;
    best_.assign(free + 1, UINT32_MAX);
    best_[0] = group_.leastConjugateCode[classNumber];
    for (const SmallPermutation& s : group_.toLeastConjugate[classNumber]) {
      for (size_t i = 1; i <= free; ++i) {
        const uint32_t code = PermutationCode(Conjugate(s, group_.elements[elements[i]], k), k);
        if (code > best_[i]) break;
        if (code < best_[i]) {
          best_[i] = code;
          std::fill(best_.begin() + static_cast<std::ptrdiff_t>(i) + 1, best_.end(), UINT32_MAX);
        }
      }
    }
    std::string key(reinterpret_cast<const char*>(best_.data()), best_.size() * sizeof(uint32_t));
    return forms_.insert(std::move(key)).second;
  }

 private:
  const IsotopyGroup& group_;
  std::vector<uint32_t> best_;
  std::unordered_set<std::string> forms_;
};

// A candidate: elements by position 1..n (slot 0 unused) and the class number of the last one.
struct Candidate {
  std::vector<int32_t> elements;
  size_t classNumber = 0;
};

class Enumeration {
 public:
  Enumeration(Workbench& wb, const HomomorphismStep& step)
      : wb_(wb),
        group_(wb.isotopyGroup),
        step_(step),
        forms_(group_),
        search_(wb),
        n_(static_cast<int32_t>(wb.presentation.generatorCount)),
        classCount_(group_.classRepresentatives.size() - 1) {}

  void Run();

 private:
  enum class Outcome { goOn, stop };

  Outcome Visit(const Candidate& candidate);
  bool Commute(const std::vector<int32_t>& elements) const;
  void ShowProgress(int64_t done, int64_t total);
  bool FindSolutions(std::vector<Candidate>& solutions);
  bool LastOfItsFirstDigit(const Candidate& candidate) const;
  void RunManyGenerators();
  void RunSingleGenerator();

  Workbench& wb_;
  const IsotopyGroup& group_;
  const HomomorphismStep& step_;
  ConjugacyForms forms_;
  RelatorSolutions search_;
  int32_t n_;
  size_t classCount_;
  int64_t percentShown_ = 0;
  std::string percentText_;
  int64_t countShown_ = 0;
  std::string countText_;
};

bool Enumeration::Commute(const std::vector<int32_t>& e) const {
  for (size_t i = 1; i < e.size(); ++i) {
    for (size_t j = i + 1; j < e.size(); ++j) {
      if (ElementProduct(group_, e[i], e[j]) != ElementProduct(group_, e[j], e[i])) return false;
    }
  }
  return true;
}

Enumeration::Outcome Enumeration::Visit(const Candidate& candidate) {
  HomomorphismStore& store = wb_.homomorphisms;
  if (!wb_.settings.allHomomorphisms && Commute(candidate.elements)) return Outcome::goOn;
  const auto& letters = wb_.presentation.generatorLetters;
  for (int32_t i = 1; i <= n_; ++i) store.assignment[letters[i]] = candidate.elements[i];
  if (!RelatorsHold(group_, wb_.presentation, wb_.simplification, store.assignment)) return Outcome::goOn;
  ++store.satisfyingCount;
  if (!forms_.IsNewUpToConjugation(candidate.elements, candidate.classNumber)) return Outcome::goOn;
  ++store.newCount;
  step_(wb_);
  const FailureState& f = wb_.failure;
  if (f.polynomialErrorFlag || f.computationFailed) return Outcome::stop;
  return Outcome::goOn;
}

// Both lines are written every time; their texts are made again only when the numbers change (the
// first digit moves on thousands of times, the numbers rarely).
void Enumeration::ShowProgress(int64_t done, int64_t total) {
  const int64_t percent = RoundedPercent(done, total);
  wb_.homomorphisms.checkedPercent = static_cast<int32_t>(percent);
  if (percent != percentShown_ || percentText_.empty()) {
    // Rebuilt in its own storage: with S_5 the percentage changes at nearly every step.
    percentText_.assign("Checked ")
        .append(std::to_string(percent))
        .append("% of all potential homomorphisms");
    percentShown_ = percent;
  }
  WriteText(wb_.panels, kProgressPanel, 7, kProgressY, percentText_);
  const int64_t count = wb_.homomorphisms.newCount;
  if (count != countShown_ || countText_.empty()) {
    const std::string k = std::to_string(group_.degree);
    const std::string letter(1, static_cast<char>(group_.letter - 'a' + 'A'));
    countText_ = std::string(wb_.settings.allHomomorphisms ? "Number of homomorphisms pi -> "
                                                           : "Number of non-abelian homomorphisms pi -> ") +
                 letter + "_" + k + " up to conjugation by element in S_" + k + ": " + std::to_string(count) +
                 "   ";
    countShown_ = count;
  }
  WriteText(wb_.panels, kCountPanel, 7, 7, countText_);
}

// Every relator solution, in odometer order; false when the user stopped the search.
bool Enumeration::FindSolutions(std::vector<Candidate>& solutions) {
  const std::function<bool()> keepGoing = [this] {
    PumpMessages(wb_.panels);
    return !wb_.panels.flags.stopRequested;
  };
  for (size_t c = 1; c <= classCount_; ++c) {
    const bool complete = search_.FindAll(
        group_.classRepresentatives[c],
        [&](const std::vector<int32_t>& elements) {
          solutions.push_back({elements, c});
        },
        keepGoing);
    if (!complete) return false;
  }
  // The last digit counts class representatives, which ascend with their elements.
  std::sort(solutions.begin(), solutions.end(),
            [](const Candidate& a, const Candidate& b) { return a.elements < b.elements; });
  return true;
}

bool Enumeration::LastOfItsFirstDigit(const Candidate& candidate) const {
  for (int32_t i = 2; i < n_; ++i) {
    if (candidate.elements[i] != group_.elementCount) return false;
  }
  return candidate.classNumber == classCount_;
}

void Enumeration::RunManyGenerators() {
  std::vector<Candidate> solutions;
  if (!FindSolutions(solutions)) return;
  const int32_t elementCount = group_.elementCount;
  auto next = solutions.cbegin();
  for (int32_t first = 1; first <= elementCount; ++first) {
    for (; next != solutions.cend() && next->elements[1] == first; ++next) {
      if (Visit(*next) == Outcome::stop) return;
      if (wb_.panels.flags.stopRequested) {
        if (LastOfItsFirstDigit(*next)) ShowProgress(first, elementCount);
        return;
      }
    }
    ShowProgress(first, elementCount);
    PumpMessages(wb_.panels);
    if (wb_.panels.flags.stopRequested) return;
  }
  WriteText(wb_.panels, kProgressPanel, 7, kProgressY, "Checked 100% of all potential homomorphisms ");
}

// One digit, over the class representatives.
void Enumeration::RunSingleGenerator() {
  for (size_t c = 1; c <= classCount_; ++c) {
    const Candidate candidate{{0, group_.classRepresentatives[c]}, c};
    if (Visit(candidate) == Outcome::stop) return;
    ShowProgress(static_cast<int64_t>(c), static_cast<int64_t>(classCount_));
    PumpMessages(wb_.panels);
    if (wb_.panels.flags.stopRequested) return;
  }
  WriteText(wb_.panels, kProgressPanel, 7, kProgressY, "Checked 100% of all potential homomorphisms ");
}

void Enumeration::Run() {
  WriteText(wb_.panels, kProgressPanel, 7, kProgressY, "Checked 0% of all potential homomorphisms ");
  if (n_ == 1) {
    RunSingleGenerator();
  } else if (n_ > 1) {
    RunManyGenerators();
  }
}

}  // namespace

bool RelatorsHold(const IsotopyGroup& group, const Presentation& p, const Simplification& simplification,
                  const Assignment& assignment) {
  if (group.letter != 's' && group.letter != 'a') return true;
  for (int64_t i = 1; i <= p.relatorCount; ++i) {
    const Word& word = p.relators[simplification.relatorOrder[i]];
    int32_t value = 1;
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      const int32_t element = assignment[GeneratorOf(word[at + 1])];
      value = ElementProduct(group, value, word[at] == '-' ? group.inverseIndex[element] : element);
    }
    if (value != 1) return false;
  }
  return true;
}

void ExtendToEliminated(Workbench& wb) {
  const IsotopyGroup& group = wb.isotopyGroup;
  Assignment& assignment = wb.homomorphisms.assignment;
  const std::vector<std::string>& records = wb.simplification.substitutionList;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->empty()) continue;
    int32_t value = 1;
    for (size_t at = 2; at + 1 < record->size(); at += 2) {
      const int32_t element = assignment[GeneratorOf((*record)[at + 1])];
      value = ElementProduct(group, value, (*record)[at] == '-' ? group.inverseIndex[element] : element);
    }
    assignment[GeneratorOf((*record)[0])] = value;
  }
}

bool StoreHomomorphism(Workbench& wb) {
  HomomorphismStore& store = wb.homomorphisms;
  if (static_cast<int64_t>(store.rows.size()) >= kMaxHomomorphisms) {
    FailPolynomial(wb.failure, "Out of memory");
    return false;
  }
  store.rows.push_back(store.assignment);
  return true;
}

void EnumerateHomomorphisms(Workbench& wb, const HomomorphismStep& step) {
  HomomorphismStore& store = wb.homomorphisms;
  store.assignment.fill(0);
  store.rows.clear();
  store.satisfyingCount = 0;
  store.newCount = 0;
  store.checkedPercent = 0;
  Enumeration(wb, step).Run();
}

}  // namespace quarvel
