#pragma once
// The three built-in pick lists: every prime knot with up to 11 crossings, examples whose genus or
// non-fiberedness the Alexander polynomial misses, and groups of mutant knots. Position 0 of each
// list is its header line.

#include <optional>
#include <string>
#include <string_view>

namespace quarvel {

inline constexpr int kKnotTableSize = 801;
inline constexpr int kExampleCount = 49;
inline constexpr std::string_view kKnotListHeader = "Braid descriptions of knots with up to 11 crossings";
inline constexpr std::string_view kExamplesListHeader =
    "Genus and non-fiberedness not found by Alexander polynomial";
inline constexpr std::string_view kMutantsListHeader =
    "List of mutant pairs and triples with up to 12 crossings";

// The braid of knot table position 1..801.
std::string_view KnotBraid(int position);
// "Knot " + n + "_" + i for position 1..801; the header for 0.
std::string KnotListEntry(int position);

// The braid of example 1..49.
std::string_view ExampleBraid(int position);
// The example's text for 1..49; the header for 0.
std::string_view ExamplesListEntry(int position);

// Entries 1..MutantsListSize(): knot entries and separators of 69 asterisks; the header for 0.
int MutantsListSize();
std::string_view MutantsListEntry(int position);

// Positions of a knot by name ("4_1" or "Knot 4_1"; "11_401"; "12_1311"), 0 where a list lacks it.
struct KnotPositions {
  int knotList = 0;
  int examplesList = 0;
  int mutantsList = 0;
};
KnotPositions FindKnot(std::string_view name);

}  // namespace quarvel
