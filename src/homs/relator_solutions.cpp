#include "homs/relator_solutions.h"

#include <algorithm>
#include <array>
#include <numeric>

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
    if (x >= 1 && x <= kMaxGenerators && z >= 1 && z <= kMaxGenerators)
      parent[Root(parent, x)] = Root(parent, z);
  }
}

}  // namespace

SimplifiedRelators SimplifiedRelatorsOf(const Presentation& p, const Simplification& simplification) {
  SimplifiedRelators simplified;
  for (int64_t r = 1; r <= p.relatorCount; ++r)
    simplified.relators.push_back(p.relators[simplification.relatorOrder[r]]);
  simplified.generatorLetters.assign(p.generatorLetters.begin(),
                                     p.generatorLetters.begin() + p.generatorCount + 1);
  simplified.inputRelators.assign(p.inputRelators.begin() + 1,
                                  p.inputRelators.begin() + p.inputRelatorCount + 1);
  return simplified;
}

RelatorSolutions::RelatorSolutions(const SimplifiedRelators& simplified, const IsotopyGroup& group)
    : group_(group), n_(simplified.GeneratorCount()) {
  const std::vector<int32_t>& letters = simplified.generatorLetters;
  std::array<int32_t, kMaxGenerators + 1> positionOf{};
  for (int32_t i = 1; i <= n_; ++i) {
    if (letters[i] != 0) positionOf[letters[i]] = i;
  }
  for (const Word& word : simplified.relators) {
    std::vector<Letter> relator;
    for (size_t at = 0; at + 1 < word.size(); at += 2) {
      const int32_t g = GeneratorOf(word[at + 1]);
      if (g >= 1 && g <= kMaxGenerators && positionOf[g] != 0)
        relator.push_back({positionOf[g], word[at] == '-'});
    }
    relators_.push_back(std::move(relator));
  }
  PlanOrder();
  FindConjugateGenerators(simplified);
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

void RelatorSolutions::FindConjugateGenerators(const SimplifiedRelators& simplified) {
  const std::vector<int32_t>& letters = simplified.generatorLetters;
  std::vector<int32_t> parent(kMaxGenerators + 1);
  std::iota(parent.begin(), parent.end(), 0);
  for (const Word& word : simplified.inputRelators) JoinConjugates(word, parent);
  partner_.assign(n_ + 1, 0);
  for (size_t i = 1; i < order_.size(); ++i) {
    const int32_t g = letters[order_[i]];
    for (size_t j = 0; j < i && g != 0 && partner_[order_[i]] == 0; ++j) {
      const int32_t h = letters[order_[j]];
      if (h != 0 && Root(parent, h) == Root(parent, g)) partner_[order_[i]] = order_[j];
    }
  }
}

const std::vector<int32_t>& RelatorSolutions::ConjugacyClassOf(int32_t element) const {
  return group_.classMembers[group_.classOf[element]];
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

bool RelatorSolutions::RelatorsHoldAt(size_t depth) const {
  for (size_t r : testedAt_[depth]) {
    if (!RelatorHolds(relators_[r])) return false;
  }
  return true;
}

// What `position` runs over, ascending: the class of its conjugate partner, or every element.
std::vector<int32_t> RelatorSolutions::Candidates(int32_t position) {
  const int32_t partner = partner_[position];
  // Copied: filling the cache for another element may move the cached list.
  if (partner != 0) return ConjugacyClassOf(elements_[partner]);
  std::vector<int32_t> all(static_cast<size_t>(group_.elementCount));
  std::iota(all.begin(), all.end(), 1);
  return all;
}

void RelatorSolutions::Assign(size_t depth) {
  if (abandoned_) return;
  if (++steps_ % kStepsPerQuestion == 0 && !(*keepGoing_)()) {
    abandoned_ = true;
    return;
  }
  if (!RelatorsHoldAt(depth - 1)) return;
  if (depth == order_.size()) {
    (*visit_)(elements_);
    return;
  }
  const int32_t position = order_[depth];
  if (partner_[position] != 0) {
    for (int32_t e : Candidates(position)) {
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

// Depth 1 over one element of each orbit of the last image's centraliser. The candidates of the
// first position are the last image's class or all elements, the candidates further on are classes
// of earlier images or all elements, and the relators hold for a conjugate exactly when they hold:
// conjugation by z maps the solutions with first image e one to one onto those with z e z^-1.
void RelatorSolutions::AssignUpToCentraliser() {
  const int32_t last = elements_[n_];
  std::vector<int32_t> centraliser;
  for (int32_t z = 1; z <= group_.elementCount; ++z) {
    if (ElementProduct(group_, z, last) == ElementProduct(group_, last, z)) centraliser.push_back(z);
  }
  const int32_t position = order_[1];
  std::vector<int32_t> found;  // solutions, n + 1 entries each
  const std::function<void(const std::vector<int32_t>&)> collect = [&found](const std::vector<int32_t>& e) {
    found.insert(found.end(), e.begin(), e.end());
  };
  const std::function<void(const std::vector<int32_t>&)>* visit = visit_;
  std::vector<bool> covered(static_cast<size_t>(group_.elementCount) + 1, false);
  std::vector<int32_t> conjugate(static_cast<size_t>(n_) + 1, 0);
  for (int32_t e : Candidates(position)) {
    if (covered[e]) continue;
    found.clear();
    visit_ = &collect;
    elements_[position] = e;
    Assign(2);
    visit_ = visit;
    if (abandoned_) break;
    for (int32_t z : centraliser) {
      const int32_t zInverse = group_.inverseIndex[z];
      const int32_t image = ElementProduct(group_, ElementProduct(group_, z, e), zInverse);
      if (covered[image]) continue;
      covered[image] = true;
      for (size_t at = 0; at < found.size(); at += conjugate.size()) {
        for (size_t i = 1; i < conjugate.size(); ++i) {
          conjugate[i] = ElementProduct(group_, ElementProduct(group_, z, found[at + i]), zInverse);
        }
        (*visit_)(conjugate);
      }
    }
  }
  elements_[position] = 0;
}

bool RelatorSolutions::FindAll(int32_t lastElement,
                               const std::function<void(const std::vector<int32_t>&)>& visit,
                               const std::function<bool()>& keepGoing) {
  visit_ = &visit;
  keepGoing_ = &keepGoing;
  abandoned_ = false;
  elements_.assign(n_ + 1, 0);
  if (n_ < 1) return true;
  elements_[n_] = lastElement;
  // With two generators the first free one is the last level: its tests cost less than the orbits.
  if (order_.size() <= 2) {
    Assign(1);
  } else if (RelatorsHoldAt(0)) {
    AssignUpToCentraliser();
  }
  return !abandoned_;
}

}  // namespace quarvel
