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
// Every prime knot with 3 to 13 crossings (data/knots13.csv, generated into prime_knot_data.cpp by
// data/generate_prime_knot_table.py): 3_1 .. 10_165, 11a_1 .. 11a_367, 11n_1 .. 11n_185,
// 12a_1 .. 12a_1288, 12n_1 .. 12n_888, 13_1 .. 13_9988, each with a braid and a minimal PD code.
// Plain C strings: GCC spends most of a minute on 38,895 string_views made from literals, and
// well over ten on a busy machine; C strings take it under a second.
struct PrimeKnot {
  const char* name;
  const char* braid;
  const char* pd;
};
extern const std::array<PrimeKnot, 12965> kPrimeKnots;

// Name, four blanks, braid (and for two knots a note); groups apart by a line of 69 asterisks.
extern const std::array<std::string_view, 277> kMutantEntries;

}  // namespace quarvel::knot_data
