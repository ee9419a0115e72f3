#include "group/knot_tables.h"

#include <array>

#include "group/knot_table_data.h"

namespace quarvel {
namespace {

constexpr std::array<int, 9> kKnotsPerCrossingNumber = {1, 1, 2, 3, 7, 21, 49, 165, 552};
constexpr int kFewestCrossings = 3;

std::string KnotName(int position) {
  int crossings = kFewestCrossings;
  for (int count : kKnotsPerCrossingNumber) {
    if (position <= count) break;
    position -= count;
    ++crossings;
  }
  return std::to_string(crossings) + "_" + std::to_string(position);
}

// The knot's name: the text up to the first blank.
std::string_view LeadingName(std::string_view text) {
  return text.substr(0, text.find(' '));
}

}  // namespace

std::string_view KnotBraid(int position) {
  return knot_data::kKnotBraids[position - 1];
}

std::string KnotListEntry(int position) {
  if (position == 0) return std::string(kKnotListHeader);
  return "Knot " + KnotName(position);
}

std::string_view ExampleBraid(int position) {
  return knot_data::kExamples[position - 1].braid;
}

std::string_view ExamplesListEntry(int position) {
  if (position == 0) return kExamplesListHeader;
  return knot_data::kExamples[position - 1].text;
}

int MutantsListSize() {
  return static_cast<int>(knot_data::kMutantEntries.size());
}

std::string_view MutantsListEntry(int position) {
  if (position == 0) return kMutantsListHeader;
  return knot_data::kMutantEntries[position - 1];
}

KnotPositions FindKnot(std::string_view name) {
  if (name.starts_with("Knot ")) name.remove_prefix(5);
  KnotPositions found;
  for (int p = 1; p <= kKnotTableSize && found.knotList == 0; ++p) {
    if (KnotName(p) == name) found.knotList = p;
  }
  for (int p = 1; p <= kExampleCount && found.examplesList == 0; ++p) {
    if (LeadingName(ExamplesListEntry(p)) == name) found.examplesList = p;
  }
  for (int p = 1; p <= MutantsListSize() && found.mutantsList == 0; ++p) {
    if (LeadingName(MutantsListEntry(p)) == name) found.mutantsList = p;
  }
  return found;
}

}  // namespace quarvel
