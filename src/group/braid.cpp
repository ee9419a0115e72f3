#include "group/braid.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

namespace quarvel {
namespace {

struct Longitude {
  Word word;
  int passes = 0;  // crossings the first component passes under
  bool complete = true;
};

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Optional sign and at least one digit, nothing else. Values beyond 32 bits saturate: they are
// rejected by the strand limit anyway.
bool ParseLetter(const std::string& token, long long& value) {
  size_t i = token.empty() || (token[0] != '+' && token[0] != '-') ? 0 : 1;
  if (i == token.size()) return false;
  long long magnitude = 0;
  for (; i < token.size(); ++i) {
    if (!IsDigit(token[i])) return false;
    magnitude = std::min(magnitude * 10 + (token[i] - '0'), 1LL << 40);
  }
  value = token[0] == '-' ? -magnitude : magnitude;
  return true;
}

// What may follow the closing brace: nothing, or a note in parentheses (as in the mutants list).
bool IsNoteOrNothing(std::string_view note) {
  return note.empty() || (note.starts_with('(') && note.ends_with(')'));
}

// Follows the letters down the braid, labelling arcs 1..n at the top and n + k for the arc that
// starts under crossing k. Returns the labels at the bottom positions.
std::vector<int> LabelCrossings(const std::vector<int>& letters, int n, std::vector<Crossing>& crossings) {
  std::vector<int> label(n + 1);
  for (int i = 1; i <= n; ++i) label[i] = i;
  int next = n;
  crossings.assign(letters.size() + 1, Crossing{});
  for (size_t k = 1; k <= letters.size(); ++k) {
    int letter = letters[k - 1];
    int s = std::abs(letter);
    Crossing& c = crossings[k];
    c.positive = letter > 0;
    c.underOut = ++next;
    if (c.positive) {
      c.over = label[s];
      c.underIn = label[s + 1];
      label[s + 1] = label[s];
      label[s] = next;
    } else {
      c.over = label[s + 1];
      c.underIn = label[s];
      label[s] = label[s + 1];
      label[s + 1] = next;
    }
  }
  return label;
}

// Joins the bottom of the braid to its top. A strand that never passes under keeps its top label;
// chains of such strands are followed to their end by repeating the identification until nothing
// changes (one pass is enough unless a component runs over several positions).
std::vector<int> IdentifyArcs(const std::vector<int>& bottom, int n, int labelCount) {
  std::vector<int> value(labelCount + 1);
  for (int j = 1; j <= labelCount; ++j) value[j] = j;
  for (int i = 1; i <= n; ++i) value[bottom[i]] = i;
  bool changed = true;
  while (changed) {
    changed = false;
    for (int i = 1; i <= n; ++i) {
      if (bottom[i] > n || bottom[i] == i) continue;
      for (int j = 1; j <= labelCount; ++j) {
        if (value[j] == i) {
          value[j] = bottom[i];
          changed = true;
        }
      }
    }
  }
  return value;
}

// Renumbers the arc values to 1..g: values up to m stay, larger ones take the largest free number
// below, or the next number above. All labels of one value get the same number.
int CompactArcNumbers(std::vector<int>& value, int m) {
  int labelCount = static_cast<int>(value.size()) - 1;
  std::vector<bool> used(labelCount + 2, false);
  for (int j = 1; j <= labelCount; ++j) used[value[j]] = true;
  std::map<int, int> renumbered;
  int g = m;
  for (int j = 1; j <= labelCount; ++j) {
    int v = value[j];
    if (auto found = renumbered.find(v); found != renumbered.end()) {
      value[j] = found->second;
      continue;
    }
    if (v <= g) continue;
    int u = g;
    while (u >= 1 && used[u]) --u;
    if (u < 1) {
      // A number above g that an unmoved value holds stays with that value.
      ++g;
      while (g != v && used[g] && !renumbered.contains(g)) ++g;
      u = g;
    }
    used[u] = true;
    renumbered[v] = u;
    value[j] = u;
  }
  return g;
}

ClosedBraid CloseArcs(const std::vector<int>& letters) {
  int n = 1;
  for (int letter : letters) n = std::max(n, std::abs(letter) + 1);
  int m = static_cast<int>(letters.size());
  ClosedBraid braid;
  std::vector<int> bottom = LabelCrossings(letters, n, braid.crossings);
  std::vector<int> value = IdentifyArcs(bottom, n, n + m);
  braid.generatorCount = CompactArcNumbers(value, m);
  for (int k = 1; k <= m; ++k) {
    Crossing& c = braid.crossings[k];
    c.over = value[c.over];
    c.underIn = value[c.underIn];
    c.underOut = value[c.underOut];
  }
  return braid;
}

void AppendSyllable(Word& word, char sign, int generator) {
  word += sign;
  word += static_cast<char>(GeneratorByte(generator));
}

Word WirtingerRelator(const Crossing& c) {
  Word w;
  AppendSyllable(w, '-', c.underIn);
  AppendSyllable(w, c.positive ? '-' : '+', c.over);
  AppendSyllable(w, '+', c.underOut);
  AppendSyllable(w, c.positive ? '+' : '-', c.over);
  return w;
}

// The longitude of the component through generator 1, read off the crossings it passes under,
// with the writhe corrected so that its exponent sum is 0. The scan is bounded: a presentation
// whose arcs do not close up is reported instead of scanned forever.
Longitude FirstLongitude(const ClosedBraid& braid) {
  Longitude longitude;
  int m = static_cast<int>(braid.crossings.size()) - 1;
  int current = 1;
  int writhe = 0;
  int sinceLastStep = 0;
  long long budget = static_cast<long long>(m + 1) * m;
  for (int k = 1; budget > 0; k = k % m + 1, --budget) {
    const Crossing& c = braid.crossings[k];
    if (c.underIn == current) {
      AppendSyllable(longitude.word, c.positive ? '-' : '+', c.over);
      writhe += c.positive ? -1 : 1;
      ++longitude.passes;
      current = c.underOut;
      sinceLastStep = 0;
      if (current == 1) break;
    } else if (++sinceLastStep == m) {
      longitude.complete = longitude.passes == 0;
      break;
    }
  }
  if (budget == 0) longitude.complete = false;
  for (; writhe > 0; --writhe) AppendSyllable(longitude.word, '-', 1);
  for (; writhe < 0; ++writhe) AppendSyllable(longitude.word, '+', 1);
  return longitude;
}

}  // namespace

std::string_view BraidWithoutNote(std::string_view text) {
  size_t close = text.find('}');
  return close == std::string_view::npos ? text : text.substr(0, close + 1);
}

std::string_view BraidNote(std::string_view text) {
  std::string_view rest = text.substr(BraidWithoutNote(text).size());
  size_t first = rest.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return rest.substr(first, rest.find_last_not_of(' ') - first + 1);
}

std::string NormaliseBraidText(std::string_view text) {
  std::string_view braid = BraidWithoutNote(text);
  braid.remove_prefix(std::min(braid.find_first_not_of(' '), braid.size()));
  if (braid.starts_with('{')) braid.remove_prefix(1);
  if (braid.ends_with('}')) braid.remove_suffix(1);
  std::string normalised = "{";
  for (size_t i = 0; i < braid.size(); ++i) {
    if (braid[i] != ' ') {
      normalised += braid[i];
      continue;
    }
    // A run of blanks between a digit and the next letter separates them; any other blank goes.
    size_t next = braid.find_first_not_of(' ', i);
    if (next != std::string_view::npos && braid[next] != ',' && IsDigit(normalised.back())) normalised += ',';
    i = std::min(next, braid.size()) - 1;
  }
  normalised += '}';
  std::string_view note = BraidNote(text);
  if (!note.empty()) normalised.append(" ").append(note);
  return normalised;
}

Result<std::vector<int>> ParseBraid(const std::string& text) {
  std::vector<int> letters;
  size_t pos = !text.empty() && (text[0] == '{' || text[0] == '(') ? 1 : 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(",}", pos);
    if (end == std::string::npos) end = text.size();
    long long letter = 0;
    if (!ParseLetter(text.substr(pos, end - pos), letter) || letter == 0) {
      return Failure{"Not a valid braid description"};
    }
    if (std::llabs(letter) > kMaxBraidLetter) return Failure{"Braid description has to many strands"};
    if (letters.size() == kMaxBraidCrossings) return Failure{"Braid has to many crossings"};
    letters.push_back(static_cast<int>(letter));
    if (end < text.size() && text[end] == '}') {
      if (!IsNoteOrNothing(BraidNote(text))) return Failure{"Not a valid braid description"};
      break;
    }
    pos = end + 1;
  }
  return letters;
}

std::string BraidWordText(const std::vector<int>& letters) {
  std::string text = "{";
  for (int letter : letters) {
    if (text.size() > 1) text += ",";
    text += std::to_string(letter);
  }
  return text + "}";
}

Result<ClosedBraid> BuildClosedBraid(const std::string& normalisedText) {
  Result<std::vector<int>> letters = ParseBraid(normalisedText);
  if (!letters) return Failure{letters.error()};
  return CompleteClosure(CloseArcs(*letters));
}

Result<ClosedBraid> CompleteClosure(ClosedBraid braid) {
  Longitude longitude = FirstLongitude(braid);
  if (!longitude.complete) return Failure{"Program error"};
  braid.longitude = std::move(longitude.word);
  braid.isLink = longitude.passes < braid.CrossingCount();
  return braid;
}

Result<std::vector<Word>> WirtingerRelators(const ClosedBraid& braid, bool zeroSurgery) {
  const int m = braid.CrossingCount();
  std::vector<Word> relators;
  for (int k = 1; k < m; ++k) relators.push_back(WirtingerRelator(braid.crossings[k]));
  std::vector<bool> mentioned(braid.generatorCount + 1, false);
  for (int k = 1; k < m; ++k) {
    const Crossing& c = braid.crossings[k];
    mentioned[c.over] = mentioned[c.underIn] = mentioned[c.underOut] = true;
  }
  for (int g = 1; g <= braid.generatorCount; ++g) {
    if (!mentioned[g])
      relators.push_back(
          Word{'+', static_cast<char>(GeneratorByte(g)), '-', static_cast<char>(GeneratorByte(g))});
  }
  if (zeroSurgery) relators.push_back(braid.longitude);
  if (braid.generatorCount > kMaxGenerators) return Failure{"Too many generators"};
  if (relators.size() > kMaxRelators) return Failure{"Too many relators"};
  return relators;
}

}  // namespace quarvel
