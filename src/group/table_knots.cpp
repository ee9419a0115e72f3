#include "group/table_knots.h"

#include <array>
#include <charconv>
#include <cstdlib>

#include "group/braid.h"
#include "group/knot_table_data.h"
#include "group/knot_tables.h"
#include "group/pd_code.h"

namespace quarvel {
namespace {

constexpr int kFewestCrossings = 3;
constexpr int kMostCrossings = 13;
// Knots of 3, 4, ..., 13 crossings.
constexpr std::array<int, 11> kKnotCounts = {1, 1, 2, 3, 7, 21, 49, 165, 552, 2176, 9988};
// Alternating knots of 11 and 12 crossings: they come first in the single numbering.
constexpr int kAlternating11 = 367;
constexpr int kAlternating12 = 1288;

int KnotCount(int crossings) {
  return kKnotCounts[crossings - kFewestCrossings];
}

int AlternatingCount(int crossings) {
  return crossings == 11 ? kAlternating11 : kAlternating12;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.starts_with('0')) return std::nullopt;
  return value;
}

// "11", "a" or "n" or "", and "34" into a knot of the single numbering.
std::optional<TableKnotName> NameOf(std::string_view crossingsText, std::string_view kind,
                                    std::string_view numberText) {
  const std::optional<int> crossings = Number(crossingsText);
  const std::optional<int> number = Number(numberText);
  if (!crossings || !number || *crossings < kFewestCrossings || *crossings > kMostCrossings)
    return std::nullopt;
  TableKnotName knot{*crossings, *number};
  if (!kind.empty()) {
    if (*crossings != 11 && *crossings != 12) return std::nullopt;
    const int alternating = AlternatingCount(*crossings);
    if (kind == "a" && *number > alternating) return std::nullopt;
    if (kind == "n") knot.number += alternating;
  }
  if (knot.number < 1 || knot.number > KnotCount(knot.crossings)) return std::nullopt;
  return knot;
}

int TablePosition(const TableKnotName& knot) {
  int position = knot.number;
  for (int c = kFewestCrossings; c < knot.crossings; ++c) position += KnotCount(c);
  return position;
}

std::string MirrorBraid(const std::string& braid) {
  const std::string normalised = NormaliseBraidText(braid);
  Result<std::vector<int>> letters = ParseBraid(normalised);
  if (!letters) return braid;
  std::vector<int> mirroredLetters;
  for (int letter : *letters) mirroredLetters.push_back(-letter);
  std::string mirrored = BraidWordText(mirroredLetters);
  if (std::string_view note = BraidNote(normalised); !note.empty()) mirrored.append(" ").append(note);
  return mirrored;
}

// The mirror image of a knot's PD code: each crossing is read from its over-strand's incoming edge,
// which becomes the under-strand (positive: the over-strand runs from d to b).
std::string MirrorPd(std::string_view code) {
  Result<std::vector<PdCrossing>> crossings = ParsePdCode(code);
  if (!crossings) return std::string(code);
  const int labels = 2 * static_cast<int>(crossings->size());
  std::string mirrored = "[";
  for (const PdCrossing& x : *crossings) {
    const bool positive = x[1] == x[3] % labels + 1;
    const PdCrossing m = positive ? PdCrossing{x[3], x[0], x[1], x[2]} : PdCrossing{x[1], x[2], x[3], x[0]};
    mirrored += std::string(mirrored.size() > 1 ? "," : "") + "[" + std::to_string(m[0]) + "," +
                std::to_string(m[1]) + "," + std::to_string(m[2]) + "," + std::to_string(m[3]) + "]";
  }
  return mirrored + "]";
}

// The pick lists' braid of a name of the single numbering, with its note.
std::optional<std::string> PickListBraid(const std::string& name) {
  const KnotPositions found = FindKnot(name);
  if (found.knotList != 0) return std::string(KnotBraid(found.knotList));
  if (found.examplesList != 0) return std::string(ExampleBraid(found.examplesList));
  if (found.mutantsList != 0) {
    const std::string_view entry = MutantsListEntry(found.mutantsList);
    const size_t brace = entry.find('{');
    if (brace != std::string_view::npos) return std::string(entry.substr(brace));
  }
  return std::nullopt;
}

}  // namespace

std::optional<TableKnotName> ParseTableKnotName(std::string_view name) {
  if (name.starts_with("Knot ")) name.remove_prefix(5);
  bool mirror = false;
  if (name.starts_with('m')) {
    mirror = true;
    name.remove_prefix(1);
  }
  std::optional<TableKnotName> knot;
  if (name.starts_with('K') && name.size() > 3) {
    const size_t kind = name.find_first_of("an");
    if (kind != std::string_view::npos) {
      knot = NameOf(name.substr(1, kind - 1), name.substr(kind, 1), name.substr(kind + 1));
    }
  } else if (const size_t bar = name.find('_'); bar != std::string_view::npos && bar > 0) {
    const bool kinded = name[bar - 1] == 'a' || name[bar - 1] == 'n';
    knot = NameOf(name.substr(0, kinded ? bar - 1 : bar), kinded ? name.substr(bar - 1, 1) : "",
                  name.substr(bar + 1));
  }
  if (knot) knot->mirror = mirror;
  return knot;
}

std::string SingleNumberingName(const TableKnotName& knot) {
  return std::to_string(knot.crossings) + "_" + std::to_string(knot.number);
}

std::string PrimeTableName(const TableKnotName& knot) {
  if (knot.crossings != 11 && knot.crossings != 12) return SingleNumberingName(knot);
  const int alternating = AlternatingCount(knot.crossings);
  const bool isAlternating = knot.number <= alternating;
  return std::to_string(knot.crossings) + (isAlternating ? "a_" : "n_") +
         std::to_string(isAlternating ? knot.number : knot.number - alternating);
}

std::string_view PrimeKnotName(int position) {
  return knot_data::kPrimeKnots[position - 1].name;
}

int PrimeKnotCrossings(int position) {
  int crossings = kFewestCrossings;
  for (int count : kKnotCounts) {
    if (position <= count) break;
    position -= count;
    ++crossings;
  }
  return crossings;
}

std::optional<std::string> TableKnotDiagram(std::string_view name) {
  std::optional<TableKnotName> knot = ParseTableKnotName(name);
  // Names the pick lists hold but the tables' grammar does not (none today) still find their braid.
  if (!knot) return PickListBraid(std::string(name));
  if (std::optional<std::string> braid = PickListBraid(SingleNumberingName(*knot))) {
    return knot->mirror ? MirrorBraid(*braid) : *braid;
  }
  // The minimal diagram: its Wirtinger presentation has as many generators as crossings, where a
  // braid's closure may have three times as many, which the simplification does not always undo
  // (13_2768: minutes in S_5 from its 35-letter braid, milliseconds from its PD code).
  const knot_data::PrimeKnot& entry = knot_data::kPrimeKnots[TablePosition(*knot) - 1];
  return knot->mirror ? MirrorPd(entry.pd) : std::string(entry.pd);
}

}  // namespace quarvel
