#include "reps/homomorphism_search.h"

namespace quarvel {

HomomorphismSearch::HomomorphismSearch(const Presentation& p, int32_t k)
    : k_(k), n_(static_cast<int32_t>(p.generatorCount)) {
  std::array<int32_t, kMaxGenerators + 1> positionOf{};
  for (int32_t i = 1; i <= n_ && i <= kMaxGenerators; ++i) positionOf[p.generatorLetters[i]] = i;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& word = p.relators[r];
    std::vector<Step> steps;
    // The word's last letter acts first.
    for (size_t at = word.size(); at >= 2; at -= 2) {
      const int32_t g = static_cast<unsigned char>(word[at - 1]) - kGeneratorByteBase;
      if (g < 1 || g > kMaxGenerators || positionOf[g] == 0) continue;
      steps.push_back({positionOf[g], word[at - 2] == '-'});
    }
    const int32_t number = static_cast<int32_t>(relators_.size());
    for (int32_t s = 0; s < static_cast<int32_t>(steps.size()); ++s) {
      occurrences_[steps[s].position].push_back({number, s});
    }
    relators_.push_back(std::move(steps));
  }
}

int32_t HomomorphismSearch::Apply(const Step& step, int32_t point) const {
  return step.inverse ? preimage_[step.position][point] : image_[step.position][point];
}

int32_t HomomorphismSearch::ApplyInverse(const Step& step, int32_t point) const {
  return step.inverse ? image_[step.position][point] : preimage_[step.position][point];
}

bool HomomorphismSearch::Define(int32_t position, int32_t from, int32_t to) {
  const int32_t known = image_[position][from];
  if (known != 0) return known == to;
  if (preimage_[position][to] != 0) return false;
  image_[position][from] = static_cast<int8_t>(to);
  preimage_[position][to] = static_cast<int8_t>(from);
  ++defined_[position];
  trail_.emplace_back(position, from);
  return defined_[position] != k_ - 1 || ForceLastPoint(position);
}

bool HomomorphismSearch::ForceLastPoint(int32_t position) {
  int32_t from = 1;
  int32_t to = 1;
  while (image_[position][from] != 0) ++from;
  while (preimage_[position][to] != 0) ++to;
  return Define(position, from, to);
}

// Follows the relator's closed path at `point`, entering it at step `start`, from both ends.
bool HomomorphismSearch::Scan(int32_t relator, int32_t start, int32_t point) {
  const std::vector<Step>& steps = relators_[relator];
  const int32_t m = static_cast<int32_t>(steps.size());
  int32_t forward = point;
  int32_t i = 0;
  for (; i < m; ++i) {
    const int32_t next = Apply(steps[(start + i) % m], forward);
    if (next == 0) break;
    forward = next;
  }
  if (i == m) return forward == point;
  int32_t backward = point;
  int32_t j = m;
  for (; j > i + 1; --j) {
    const int32_t previous = ApplyInverse(steps[(start + j - 1) % m], backward);
    if (previous == 0) return true;  // two or more steps open: nothing follows yet
    backward = previous;
  }
  // Exactly step i is open: it must take `forward` to `backward`.
  const Step& gap = steps[(start + i) % m];
  return gap.inverse ? Define(gap.position, backward, forward) : Define(gap.position, forward, backward);
}

bool HomomorphismSearch::Propagate() {
  while (queueHead_ < trail_.size()) {
    const auto [position, from] = trail_[queueHead_++];
    const int32_t to = image_[position][from];
    for (const Occurrence& o : occurrences_[position]) {
      const Step& step = relators_[o.relator][o.step];
      if (!Scan(o.relator, o.step, step.inverse ? to : from)) return false;
    }
  }
  return true;
}

void HomomorphismSearch::Undo(size_t trailSize) {
  while (trail_.size() > trailSize) {
    const auto [position, from] = trail_.back();
    trail_.pop_back();
    preimage_[position][image_[position][from]] = 0;
    image_[position][from] = 0;
    --defined_[position];
  }
  queueHead_ = trailSize;
}

void HomomorphismSearch::Solve(const std::function<void(const PositionImages&)>& visit) {
  if (!Propagate()) return;
  int32_t position = 1;
  while (position <= n_ && defined_[position] == k_) ++position;
  if (position > n_) {
    visit(image_);
    return;
  }
  int32_t from = 1;
  while (image_[position][from] != 0) ++from;
  const size_t mark = trail_.size();
  for (int32_t to = 1; to <= k_; ++to) {
    if (preimage_[position][to] != 0) continue;
    if (Define(position, from, to)) Solve(visit);
    Undo(mark);
  }
}

void HomomorphismSearch::FindAll(const std::vector<std::pair<int32_t, SmallPermutation>>& fixed,
                                 const std::function<void(const PositionImages&)>& visit) {
  Undo(0);
  bool consistent = true;
  for (const auto& [position, p] : fixed) {
    for (int32_t point = 1; point <= k_ && consistent; ++point) consistent = Define(position, point, p[point]);
  }
  if (consistent) Solve(visit);
  Undo(0);
}

}  // namespace quarvel
