#pragma once
// A knot list as a file: one knot per line (a name, a braid in braces, and once processed the
// results of a run), comment lines beginning with "%", and a line beginning with "end" after the
// knots. Both run modes read the whole list into memory and write it back whole after each knot.
//
// Reading keeps every line before "end" (or before the end of the file) in order, empty lines
// between knots included, so that line numbers always name the same line of the file and nothing
// is lost on a rewrite; empty lines at the very end are dropped. A list of more than 20000 such
// lines fails with "Knot list has more than 20000 lines"; a list that cannot be opened fails with
// "Cannot read the knot list".
//
// Rewriting never leaves a partial list behind: the new text goes to a temporary file in the
// list's own folder, is flushed to the disk and then renamed over the list, so a run killed at any
// moment leaves either the old or the new list. The temporary file gets its name (".<name>.<id>")
// only once its text is on the disk where the file system allows that, so a killed run rarely
// leaves one behind. Lines end with CR LF. A list that cannot be replaced fails with "Cannot
// rewrite the knot list" and stays as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/failure.h"

namespace quarvel {

inline constexpr int64_t kMaxKnotListLines = 20000;

struct KnotList {
  std::vector<std::string> lines;  // line n of the file at lines[n - 1]

  int64_t Count() const { return static_cast<int64_t>(lines.size()); }
  // Line n, 1 <= n <= Count().
  std::string& Line(int64_t n) { return lines[static_cast<size_t>(n - 1)]; }
  const std::string& Line(int64_t n) const { return lines[static_cast<size_t>(n - 1)]; }
};

// True for the line that closes a list: its first three characters are "end".
bool IsListEnd(std::string_view line);

// Reads the list at `path`; on failure sets it and returns false with `list` empty.
bool ReadKnotList(const std::string& path, KnotList& list, FailureState& failure);

// Replaces the file at `path` by `lines` in one atomic step; on failure the old file stays, the
// failure is set and false is returned.
bool RewriteKnotList(const std::string& path, const std::vector<std::string>& lines, FailureState& failure);

// The braid of a list line: from its first "{" (from its start when it has none) up to and
// including the first "}" after it, or to the end of the line when there is none.
std::string ListLineBraid(std::string_view line);

}  // namespace quarvel
