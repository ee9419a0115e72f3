#pragma once
// A knot list as a file: one knot per line (a name, a braid in braces, and once processed the
// results of a run), comment lines beginning with "%", blank lines, headings, and a line "end"
// after the knots, which notes may follow. Both run modes read the whole list into memory and
// write it back whole after each knot.
//
// Reading keeps every line of the file: the lines before "end" (or before the end of the file) in
// order, blank ones included, so that line numbers always name the same line of the file, and the
// lines after "end" as they stand; blank lines at the very end of a file without "end" are
// dropped. A line is "end" only when it holds nothing else but blanks. A list of more than 20000
// lines before "end" (or after it) fails with "Knot list has more than 20000 lines"; a list that
// cannot be opened fails with "Cannot read the knot list".
//
// A knot line is a line that is not blank, no comment and not "end", and holds a braid ("{"), a
// PD code ("PD[...]" or "[[...]]") or a DT code ("DT[...]"), or begins with the name of a table
// knot ("7_4", "11n_34", "13_42"; group/table_knots.h); every other line is kept as it stands and
// never taken as a knot. A knot line is read in two parts: its name (up to the first ":" before the
// braid or code, else up to it) and the rest without the braid or code: its results and notes.
// Result tokens ("3y", "new", "degree", ...) count only there, never in the name or the braid.
//
// Rewriting never leaves a partial list behind: the new text goes to a temporary file in the
// list's own folder, is flushed to the disk and then renamed over the list, so a run killed at any
// moment leaves either the old or the new list. The temporary file gets its name (".<name>.<id>")
// only once its text is on the disk where the file system allows that, so a killed run rarely
// leaves one behind. The rewrite keeps the file's mode and its line ends: LF where the file's
// first line ends with LF alone, else CR LF. A list that cannot be replaced fails with "Cannot
// rewrite the knot list" and stays as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"

namespace quarvel {

inline constexpr int64_t kMaxKnotListLines = 20000;

// The result part of a knot that could not be computed: "not computed: <reason>".
inline constexpr std::string_view kNotComputed = "not computed: ";

struct KnotList {
  std::vector<std::string> lines;  // line n of the file at lines[n - 1], up to "end"
  std::vector<std::string> notes;  // the lines after "end"
  std::string lineEnd = "\r\n";    // what ends each line of the file

  int64_t Count() const { return static_cast<int64_t>(lines.size()); }
  // Line n, 1 <= n <= Count().
  std::string& Line(int64_t n) { return lines[static_cast<size_t>(n - 1)]; }
  const std::string& Line(int64_t n) const { return lines[static_cast<size_t>(n - 1)]; }
};

// True for the line that closes a list: "end", blanks around it allowed.
bool IsListEnd(std::string_view line);

// True for a line that a run takes as a knot (see above).
bool IsKnotLine(std::string_view line);

// The name of a knot line, without the blanks after it.
std::string_view ListLineName(std::string_view line);

// What follows the name of a knot line, without its braid: its results and notes.
std::string ListLineResults(std::string_view line);

// Reads the list at `path`; on failure sets it and returns false with `list` empty.
bool ReadKnotList(const std::string& path, KnotList& list, FailureState& failure);

// Reads the list at `path` for a rewrite of its line `lineNumber`; fails with "Knot list changed
// during the run" when the list no longer has that line.
bool ReadListForLine(const std::string& path, int64_t lineNumber, KnotList& list, FailureState& failure);

// Replaces the file at `path` by the list's lines, "end" and its notes, in one atomic step; on
// failure the old file stays, the failure is set and false is returned.
bool RewriteKnotList(const std::string& path, const KnotList& list, FailureState& failure);

// Replaces the file at `path` by `text` in one atomic step, as a list is rewritten (temporary
// file, flush, rename; mode kept); false, with the old file left, when it cannot.
bool ReplaceFileText(const std::string& path, const std::string& text);

// The braid, PD or DT code of a list line (group/diagram_text.h, FindDiagram). A line without one
// that begins with a table knot's name gets the diagram a run takes for that knot; any other line
// is taken up to its first "}".
std::string ListLineBraid(std::string_view line);

// The line of a knot that could not be computed: its name, "not computed: " and the reason, and
// its braid; `nameWidth` is the width the name and ":" are padded to.
std::string NotComputedLine(std::string_view line, std::string_view reason, size_t nameWidth);

// Rewrites line `lineNumber` of the list at `path` as the line of a knot not computed, the
// failure's message its reason, and clears the failure; false with the failure set when the list
// cannot be read or rewritten.
bool RecordNotComputed(const std::string& path, int64_t lineNumber, size_t nameWidth, FailureState& failure);

}  // namespace quarvel
