#include "group/pd_code.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <string>

namespace quarvel {
namespace {

constexpr int kUnderIn = 0;
constexpr int kUnderOut = 2;

// A cursor over the code's text that skips blanks.
class PdText {
 public:
  explicit PdText(std::string_view text) : text_(text) {}

  char Peek() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])) != 0) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  bool TakeOpening() { return Take('[') || Take('('); }
  bool TakeClosing() { return Take(']') || Take(')'); }
  bool TakeNumber(long long& value) {
    Peek();
    const bool negative = pos_ < text_.size() && text_[pos_] == '-';
    size_t end = pos_ + (negative ? 1 : 0);
    value = 0;
    const size_t digits = end;
    for (; end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end])) != 0; ++end) {
      value = std::min(value * 10 + (text_[end] - '0'), 1LL << 40);
    }
    if (end == digits) return false;
    if (negative) value = -value;
    pos_ = end;
    return true;
  }
  bool AtEnd() { return Peek() == '\0'; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

Failure CrossingFailure(size_t crossing, const std::string& what) {
  return Failure{"Not a valid PD code: crossing " + std::to_string(crossing + 1) + " " + what};
}

// The labels of one crossing up to its closing bracket; fails unless there are four.
Result<PdCrossing> ParseCrossing(PdText& text, size_t index) {
  std::vector<long long> labels;
  long long label = 0;
  while (!text.TakeClosing()) {
    if (!labels.empty() && !text.Take(',')) return CrossingFailure(index, "is not a list of labels");
    if (!text.TakeNumber(label)) return CrossingFailure(index, "is not a list of labels");
    labels.push_back(label);
  }
  if (labels.size() != 4) {
    return CrossingFailure(index, "has " + std::to_string(labels.size()) + " labels, not 4");
  }
  PdCrossing crossing{};
  for (int i = 0; i < 4; ++i) {
    crossing[i] = static_cast<int>(std::clamp(labels[i], -1LL, 1LL << 30));
  }
  return crossing;
}

// Where each label occurs: two (crossing, position) places.
struct Place {
  int crossing = -1;
  int position = -1;
};

// The edges' directions at every place: +1 where the edge runs into the crossing, -1 where it
// leaves it, 0 while unknown.
class EdgeDirections {
 public:
  EdgeDirections(const std::vector<PdCrossing>& crossings, const std::vector<std::array<Place, 2>>& places)
      : crossings_(crossings), places_(places), direction_(crossings.size(), {0, 0, 0, 0}) {}

  // Sets the under-edges, then settles the over-edges, by label order where nothing else does.
  // Returns the first crossing whose directions contradict each other, or -1.
  int Settle() {
    for (size_t k = 0; k < crossings_.size(); ++k) {
      if (!Set(static_cast<int>(k), kUnderIn, 1) || !Set(static_cast<int>(k), kUnderOut, -1)) {
        return failedCrossing_;
      }
    }
    for (size_t k = 0; k < crossings_.size(); ++k) {
      if (direction_[k][1] != 0) continue;
      const int b = crossings_[k][1];
      const int d = crossings_[k][3];
      const bool bFirst = d == b + 1 || (b > d + 1);
      if (!Set(static_cast<int>(k), 1, bFirst ? 1 : -1)) return failedCrossing_;
    }
    return -1;
  }

  // Positive: the over-strand runs from d (position 3) to b.
  bool Positive(size_t k) const { return direction_[k][3] == 1; }

 private:
  // Sets one place and everything it decides: the edge's other place, and at an over-place the
  // other over-place of the crossing.
  bool Set(int crossing, int position, int value) {
    std::vector<std::array<int, 3>> pending = {{crossing, position, value}};
    while (!pending.empty()) {
      const auto [k, p, v] = pending.back();
      pending.pop_back();
      int& current = direction_[k][p];
      if (current == v) continue;
      if (current != 0) {
        failedCrossing_ = k;
        return false;
      }
      current = v;
      for (const Place& place : places_[crossings_[k][p]]) {
        if (place.crossing != k || place.position != p)
          pending.push_back({place.crossing, place.position, -v});
      }
      if (p % 2 == 1) pending.push_back({k, 4 - p, -v});
    }
    return true;
  }

  const std::vector<PdCrossing>& crossings_;
  const std::vector<std::array<Place, 2>>& places_;
  std::vector<std::array<int, 4>> direction_;
  int failedCrossing_ = -1;
};

// Union-find over the edge labels.
class EdgeClasses {
 public:
  explicit EdgeClasses(int labels) : parent_(labels + 1) { std::iota(parent_.begin(), parent_.end(), 0); }
  int Find(int e) {
    while (parent_[e] != e) e = parent_[e] = parent_[parent_[e]];
    return e;
  }
  void Join(int a, int b) { parent_[Find(a)] = Find(b); }

 private:
  std::vector<int> parent_;
};

// The two places of every label 1..2n; fails on the first crossing with a label outside that
// range or used a third time, or holding a label used once.
Result<std::vector<std::array<Place, 2>>> LabelPlaces(const std::vector<PdCrossing>& crossings) {
  const int labels = 2 * static_cast<int>(crossings.size());
  std::vector<std::array<Place, 2>> places(labels + 1);
  std::vector<int> uses(labels + 1, 0);
  for (size_t k = 0; k < crossings.size(); ++k) {
    for (int p = 0; p < 4; ++p) {
      const int label = crossings[k][p];
      if (label < 1 || label > labels) {
        return CrossingFailure(
            k, "has the label " + std::to_string(label) + " outside 1.." + std::to_string(labels));
      }
      if (uses[label] == 2) {
        return CrossingFailure(k, "uses the label " + std::to_string(label) + " a third time");
      }
      places[label][uses[label]++] = {static_cast<int>(k), p};
    }
  }
  for (int label = 1; label <= labels; ++label) {
    if (uses[label] == 1) {
      return CrossingFailure(static_cast<size_t>(places[label][0].crossing),
                             "holds the label " + std::to_string(label) + ", which no other crossing has");
    }
  }
  return places;
}

}  // namespace

Result<std::vector<PdCrossing>> ParsePdCode(std::string_view code) {
  PdText text(code);
  if (text.Take('P') && !text.Take('D')) return Failure{"Not a valid PD code"};
  if (!text.TakeOpening()) return Failure{"Not a valid PD code: it does not begin with a list"};
  std::vector<PdCrossing> crossings;
  while (!text.TakeClosing()) {
    if (!crossings.empty() && !text.Take(','))
      return CrossingFailure(crossings.size(), "does not follow a comma");
    text.Take('X');
    if (!text.TakeOpening()) return CrossingFailure(crossings.size(), "is not a list of labels");
    Result<PdCrossing> crossing = ParseCrossing(text, crossings.size());
    if (!crossing) return Failure{crossing.error()};
    crossings.push_back(*crossing);
  }
  if (!text.AtEnd()) return Failure{"Not a valid PD code: text follows the list of crossings"};
  return crossings;
}

Result<ClosedBraid> ClosePdDiagram(const std::vector<PdCrossing>& crossings) {
  if (crossings.empty()) return Failure{"Not a valid PD code: it has no crossing"};
  Result<std::vector<std::array<Place, 2>>> places = LabelPlaces(crossings);
  if (!places) return Failure{places.error()};
  EdgeDirections directions(crossings, *places);
  if (int bad = directions.Settle(); bad >= 0) {
    return CrossingFailure(static_cast<size_t>(bad), "contradicts the directions of its edges");
  }

  const int labels = 2 * static_cast<int>(crossings.size());
  EdgeClasses arcs(labels);
  EdgeClasses components(labels);
  for (const PdCrossing& c : crossings) {
    arcs.Join(c[1], c[3]);
    components.Join(c[1], c[3]);
    components.Join(c[0], c[2]);
  }
  std::vector<int> arcNumber(labels + 1, 0);
  ClosedBraid diagram;
  int componentCount = 0;
  for (int e = 1; e <= labels; ++e) {
    if (arcNumber[arcs.Find(e)] == 0) arcNumber[arcs.Find(e)] = ++diagram.generatorCount;
    if (components.Find(e) == e) ++componentCount;
  }
  diagram.crossings.assign(crossings.size() + 1, Crossing{});
  for (size_t k = 0; k < crossings.size(); ++k) {
    const PdCrossing& c = crossings[k];
    diagram.crossings[k + 1] = {directions.Positive(k), arcNumber[arcs.Find(c[1])],
                                arcNumber[arcs.Find(c[0])], arcNumber[arcs.Find(c[2])]};
  }
  Result<ClosedBraid> closed = CompleteClosure(std::move(diagram));
  if (closed) closed->isLink = componentCount > 1;
  return closed;
}

}  // namespace quarvel
