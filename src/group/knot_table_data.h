#pragma once
// The built-in tables as data; generated into knot_table_data.cpp by data/generate_knot_tables.py.

#include <array>
#include <string_view>

namespace quarvel::knot_data {

struct Example {
  std::string_view text;  // as the examples list shows it
  std::string_view braid;
};

// 3_1, 4_1, 5_1, 5_2, ..., 11_552 (the 11-crossing knots in one sequence).
extern const std::array<std::string_view, 801> kKnotBraids;
extern const std::array<Example, 49> kExamples;
// Name, four blanks, braid (and for two knots a note); groups apart by a line of 69 asterisks.
extern const std::array<std::string_view, 277> kMutantEntries;

}  // namespace quarvel::knot_data
