#include "homs/enumerate_homomorphisms.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "homs/isotopy_group.h"
#include "homs/relator_solutions.h"

namespace quarvel {
namespace {

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

// Whether every relator maps to the identity under `assignment`.
bool RelatorsHold(const IsotopyGroup& group, const std::vector<Word>& relators,
                  const Assignment& assignment) {
  if (group.letter != 's' && group.letter != 'a') return true;
  for (const Word& word : relators) {
    int32_t value = 1;
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      const int32_t element = assignment[GeneratorOf(word[at + 1])];
      value = ElementProduct(group, value, word[at] == '-' ? group.inverseIndex[element] : element);
    }
    if (value != 1) return false;
  }
  return true;
}

class Enumeration {
 public:
  Enumeration(const SimplifiedRelators& relators, const IsotopyGroup& group, bool allHomomorphisms,
              RunControl& control, EnumerationProgress& progress, const HomomorphismStep& step)
      : relators_(relators),
        group_(group),
        allHomomorphisms_(allHomomorphisms),
        control_(control),
        progress_(progress),
        step_(step),
        forms_(group_),
        search_(relators, group),
        n_(relators.GeneratorCount()),
        classCount_(group_.classRepresentatives.size() - 1) {}

  EnumerationOutcome Run();

 private:
  enum class Outcome { goOn, stop };

  Outcome Visit(const Candidate& candidate);
  bool Commute(const std::vector<int32_t>& elements) const;
  void ShowProgress(int64_t done, int64_t total);
  bool FindSolutions(std::vector<Candidate>& solutions);
  bool LastOfItsFirstDigit(const Candidate& candidate) const;
  void RunManyGenerators();
  void RunSingleGenerator();

  const SimplifiedRelators& relators_;
  const IsotopyGroup& group_;
  bool allHomomorphisms_;
  RunControl& control_;
  EnumerationProgress& progress_;
  const HomomorphismStep& step_;
  ConjugacyForms forms_;
  RelatorSolutions search_;
  int32_t n_;
  size_t classCount_;
  Assignment images_{};
  HomomorphismCounts counts_;
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
  if (!allHomomorphisms_ && Commute(candidate.elements)) return Outcome::goOn;
  const std::vector<int32_t>& letters = relators_.generatorLetters;
  for (int32_t i = 1; i <= n_; ++i) images_[letters[i]] = candidate.elements[i];
  if (!RelatorsHold(group_, relators_.relators, images_)) return Outcome::goOn;
  ++counts_.satisfying;
  if (!forms_.IsNewUpToConjugation(candidate.elements, candidate.classNumber)) return Outcome::goOn;
  ++counts_.found;
  return step_(images_, counts_) ? Outcome::goOn : Outcome::stop;
}

void Enumeration::ShowProgress(int64_t done, int64_t total) {
  progress_.Checked(RoundedPercent(done, total), counts_.found);
}

// Every relator solution, in odometer order; false when the user stopped the search.
bool Enumeration::FindSolutions(std::vector<Candidate>& solutions) {
  const std::function<bool()> keepGoing = [this] {
    control_.PumpMessages();
    return !control_.StopRequested();
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
      if (control_.StopRequested()) {
        if (LastOfItsFirstDigit(*next)) ShowProgress(first, elementCount);
        return;
      }
    }
    ShowProgress(first, elementCount);
    control_.PumpMessages();
    if (control_.StopRequested()) return;
  }
  progress_.Finished();
}

// One digit, over the class representatives.
void Enumeration::RunSingleGenerator() {
  for (size_t c = 1; c <= classCount_; ++c) {
    const Candidate candidate{{0, group_.classRepresentatives[c]}, c};
    if (Visit(candidate) == Outcome::stop) return;
    ShowProgress(static_cast<int64_t>(c), static_cast<int64_t>(classCount_));
    control_.PumpMessages();
    if (control_.StopRequested()) return;
  }
  progress_.Finished();
}

EnumerationOutcome Enumeration::Run() {
  progress_.Started();
  if (n_ == 1) {
    RunSingleGenerator();
  } else if (n_ > 1) {
    RunManyGenerators();
  }
  return {counts_, control_.StopRequested()};
}

}  // namespace

Assignment ExtendToEliminated(const IsotopyGroup& group, const std::vector<std::string>& substitutionList,
                              Assignment images) {
  for (auto record = substitutionList.rbegin(); record != substitutionList.rend(); ++record) {
    if (record->empty()) continue;
    int32_t value = 1;
    for (size_t at = 2; at + 1 < record->size(); at += 2) {
      const int32_t element = images[GeneratorOf((*record)[at + 1])];
      value = ElementProduct(group, value, (*record)[at] == '-' ? group.inverseIndex[element] : element);
    }
    images[GeneratorOf((*record)[0])] = value;
  }
  return images;
}

EnumerationOutcome EnumerateHomomorphisms(const SimplifiedRelators& relators, const IsotopyGroup& group,
                                          bool allHomomorphisms, RunControl& control,
                                          EnumerationProgress& progress, const HomomorphismStep& step) {
  return Enumeration(relators, group, allHomomorphisms, control, progress, step).Run();
}

}  // namespace quarvel
