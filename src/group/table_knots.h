#pragma once
// Table knots by the names the field uses, and the diagram a run takes for each.
//
// Names: "4_1" (also "Knot 4_1"); the 11-crossing knots as 11_1 .. 11_552 or 11a_1 .. 11a_367 and
// 11n_1 .. 11n_185 (11_i = 11a_i, 11_(367+j) = 11n_j) or as the Knot Atlas writes them (K11a1,
// K11n34); the 12-crossing knots as 12a_1 .. 12a_1288 and 12n_1 .. 12n_888 or 12_1 .. 12_2176
// (12_i = 12a_i, 12_(1288+j) = 12n_j); 13_1 .. 13_9988. An "m" before a name asks for the mirror.

#include <optional>
#include <string>
#include <string_view>

namespace quarvel {

inline constexpr int kPrimeKnotCount = 12965;
inline constexpr std::string_view kKnotNameSchemes =
    "3_1 .. 10_165; 11_1 .. 11_552, 11a_1 .. 11a_367, 11n_1 .. 11n_185 or K11a1, K11n34; "
    "12a_1 .. 12a_1288, 12n_1 .. 12n_888 or 12_1 .. 12_2176; 13_1 .. 13_9988; an m before a name for "
    "the mirror image (m3_1)";

// A table knot: its crossing number, its number in the single numbering of that crossing number
// (11_401 for 11n_34), and whether the mirror image is asked for.
struct TableKnotName {
  int crossings = 0;
  int number = 0;
  bool mirror = false;
};

// The knot a name names, where it is one of the table's knots.
std::optional<TableKnotName> ParseTableKnotName(std::string_view name);

// "11_401": the name of the built-in pick lists.
std::string SingleNumberingName(const TableKnotName& knot);
// "11n_34": the name of the prime knot table.
std::string PrimeTableName(const TableKnotName& knot);

// Position 1..kPrimeKnotCount of the prime knot table: its name ("11n_34") and crossing number.
std::string_view PrimeKnotName(int position);
int PrimeKnotCrossings(int position);

// The diagram a run takes for a table knot: the braid of the pick lists where they hold the knot
// (knot table, examples, mutants: the braid with its note), else the prime knot table's minimal PD
// code; mirrored where the name asks for it. None for a name that no table holds.
std::optional<std::string> TableKnotDiagram(std::string_view name);

}  // namespace quarvel
