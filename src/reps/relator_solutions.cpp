#include "reps/relator_solutions.h"

#include <algorithm>
#include <numeric>

#include "reps/isotopy_group.h"

namespace quarvel {
namespace {

constexpr uint64_t kStepsPerQuestion = 65536;

int32_t Root(std::vector<int32_t>& parent, int32_t g) {
  while (parent[g] != g) g = parent[g] = parent[parent[g]];
  return g;
}

// Relator x^e1 y^e2 z^e3 y^-e2 (in some rotation) with e3 = -e1 says that x and z are conjugate.
void JoinConjugates(const Word& word, std::vector<int32_t>& parent) {
  constexpr size_t kLetters = 4;
  if (word.size() != 2 * kLetters) return;
  for (size_t r = 0; r < kLetters; ++r) {
    auto at = [&](size_t i) { return (2 * (r + i)) % word.size(); };
    const bool conjugating = word[at(1) + 1] == word[at(3) + 1] && word[at(1)] != word[at(3)];
    if (!conjugating || word[at(0)] == word[at(2)]) continue;
    const int32_t x = GeneratorOf(word[at(0) + 1]);
    const int32_t z = GeneratorOf(word[at(2) + 1]);
    if (x >= 1 && x <= kMaxGenerators && z >= 1 && z <= kMaxGenerators) parent[Root(parent, x)] = Root(parent, z);
  }
}

}  // namespace

RelatorSolutions::RelatorSolutions(const Workbench& wb)
    : group_(wb.isotopyGroup), n_(static_cast<int32_t>(wb.presentation.generatorCount)) {
  const Presentation& p = wb.presentation;
  std::array<int32_t, kMaxGenerators + 1> positionOf{};
  for (int32_t i = 1; i <= n_; ++i) {
    if (p.generatorLetters[i] != 0) positionOf[p.generatorLetters[i]] = i;
  }
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& word = p.relators[wb.simplification.relatorOrder[r]];
    std::vector<Letter> letters;
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      const int32_t g = GeneratorOf(word[at + 1]);
      if (g >= 1 && g <= kMaxGenerators && positionOf[g] != 0) letters.push_back({positionOf[g], word[at] == '-'});
    }
    relators_.push_back(std::move(letters));
  }
  PlanOrder();
  FindConjugateGenerators(wb);
  classes_.resize(group_.elementCount + 1);
}

// The last position first, then greedily the one that completes the most relators.
void RelatorSolutions::PlanOrder() {
  std::vector<bool> placed(n_ + 1, false);
  std::vector<bool> tested(relators_.size(), false);
  testedAt_.assign(n_ + 1, {});
  for (size_t depth = 0; depth < static_cast<size_t>(n_); ++depth) {
    int32_t best = n_;
    if (depth > 0) {
      int64_t bestScore = -1;
      for (int32_t candidate = 1; candidate < n_; ++candidate) {
        if (placed[candidate]) continue;
        int64_t completed = 0;
        for (const auto& relator : relators_) {
          completed += std::all_of(relator.begin(), relator.end(), [&](const Letter& l) {
            return placed[l.position] || l.position == candidate;
          });
        }
        if (completed > bestScore) bestScore = completed, best = candidate;
      }
    }
    placed[best] = true;
    order_.push_back(best);
    for (size_t r = 0; r < relators_.size(); ++r) {
      if (tested[r]) continue;
      tested[r] = std::all_of(relators_[r].begin(), relators_[r].end(),
                              [&](const Letter& l) { return placed[l.position]; });
      if (tested[r]) testedAt_[depth].push_back(r);
    }
  }
}

void RelatorSolutions::FindConjugateGenerators(const Workbench& wb) {
  const Presentation& p = wb.presentation;
  std::vector<int32_t> parent(kMaxGenerators + 1);
  std::iota(parent.begin(), parent.end(), 0);
  for (int32_t r = 1; r <= p.inputRelatorCount; ++r) JoinConjugates(p.inputRelators[r], parent);
  partner_.assign(n_ + 1, 0);
  for (size_t i = 1; i < order_.size(); ++i) {
    const int32_t g = p.generatorLetters[order_[i]];
    for (size_t j = 0; j < i && g != 0 && partner_[order_[i]] == 0; ++j) {
      const int32_t h = p.generatorLetters[order_[j]];
      if (h != 0 && Root(parent, h) == Root(parent, g)) partner_[order_[i]] = order_[j];
    }
  }
}

const std::vector<int32_t>& RelatorSolutions::ConjugacyClassOf(int32_t element) {
  std::vector<int32_t>& members = classes_[element];
  if (members.empty()) {
    for (int32_t y = 1; y <= group_.elementCount; ++y) {
      members.push_back(ElementProduct(group_, ElementProduct(group_, y, element), group_.inverseIndex[y]));
    }
    std::sort(members.begin(), members.end());
    members.erase(std::unique(members.begin(), members.end()), members.end());
  }
  return members;
}

// Follows each point through the word, its last letter acting first; most candidates fail on the
// first point already.
bool RelatorSolutions::RelatorHolds(const std::vector<Letter>& relator) const {
  for (int32_t point = 1; point <= group_.degree; ++point) {
    int32_t q = point;
    for (auto letter = relator.rbegin(); letter != relator.rend(); ++letter) {
      const int32_t e = elements_[letter->position];
      q = (letter->inverse ? group_.inverses[e] : group_.elements[e])[q];
    }
    if (q != point) return false;
  }
  return true;
}

void RelatorSolutions::Assign(size_t depth) {
  if (abandoned_) return;
  if (++steps_ % kStepsPerQuestion == 0 && !(*keepGoing_)()) {
    abandoned_ = true;
    return;
  }
  for (size_t r : testedAt_[depth - 1]) {
    if (!RelatorHolds(relators_[r])) return;
  }
  if (depth == order_.size()) {
    (*visit_)(elements_);
    return;
  }
  const int32_t position = order_[depth];
  const int32_t partner = partner_[position];
  if (partner != 0) {
    // Copied: filling the cache for another element may move this list.
    const std::vector<int32_t> candidates = ConjugacyClassOf(elements_[partner]);
    for (int32_t e : candidates) {
      elements_[position] = e;
      Assign(depth + 1);
    }
  } else {
    for (int32_t e = 1; e <= group_.elementCount; ++e) {
      elements_[position] = e;
      Assign(depth + 1);
    }
  }
  elements_[position] = 0;
}

bool RelatorSolutions::FindAll(int32_t lastElement, const std::function<void(const std::vector<int32_t>&)>& visit,
                               const std::function<bool()>& keepGoing) {
  visit_ = &visit;
  keepGoing_ = &keepGoing;
  abandoned_ = false;
  elements_.assign(n_ + 1, 0);
  if (n_ < 1) return true;
  elements_[n_] = lastElement;
  Assign(1);
  return !abandoned_;
}

}  // namespace quarvel
