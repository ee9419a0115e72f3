#pragma once
// The codes of the run options that name a choice. Each keeps the number of its item in the main
// window's list; OptionCode gives the number back.

#include <cstdint>
#include <type_traits>

namespace quarvel {

// The representations a norm run searches: into S_k (on Z^k, on V or regular), into a metabelian
// group Z/2 x Z/l, or onto the units of a field.
enum class RepFamily : int32_t { permutation = 0, metabelian = 1, abelian = 2 };

// When a norm run, or a knot of a list, ends by itself: never; at the first nontrivial
// representation; once the knot is shown not to fiber; when the genus bound improves; when the
// untwisted Alexander polynomial vanishes.
enum class StopCondition : int32_t { never = 0, first = 1, notFibered = 2, improved = 3, vanishes = 4 };

// The report a run writes: the plain results file, the LaTeX document, or none.
enum class SaveMode : int32_t { results = 0, latex = 1, none = 2 };

// The twisted Fox matrices a norm run writes: none, as text, or as a GAP program.
enum class MatrixSaveMode : int32_t { none = 0, matrix = 1, gap = 2 };

// The space whose fundamental group the input presents.
enum class GroupType : int32_t { knot = 0, link = 1, boundary = 2, closed = 3 };

// The number of an option code, as the lists and the settings print show it.
template <typename Code>
constexpr std::underlying_type_t<Code> OptionCode(Code code) {
  return static_cast<std::underlying_type_t<Code>>(code);
}

}  // namespace quarvel
