#pragma once
// Knot lists for the end-to-end tests, and what a list may look like between two knots of a run:
// every knot line once and in order, the processed ones (a prefix of the knots) with a complete
// result line, then "end" and, in the isotopy mode, the closing section.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "group/knot_tables.h"

namespace quarvel::testing {

// "3_1 {-1,-1,-1}", "4_1 {-1,2,-1,2}", ...: the first `count` knots of the built-in table.
inline std::vector<std::string> TableKnotLines(int count) {
  std::vector<std::string> lines;
  for (int p = 1; p <= count; ++p)
    lines.push_back(KnotListEntry(p).substr(5) + " " + std::string(KnotBraid(p)));
  return lines;
}

inline std::string LfText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The lines of a rewritten list, which keeps the line ends of the list it replaced: every line
// ends as the first one does (LF or CR LF); fails when the text does not end with a complete line.
inline ::testing::AssertionResult SplitListLines(const std::string& text, std::vector<std::string>& lines) {
  lines.clear();
  const size_t first = text.find('\n');
  const std::string lineEnd =
      first != std::string::npos && first > 0 && text[first - 1] == '\r' ? "\r\n" : "\n";
  if (!text.ends_with(lineEnd))
    return ::testing::AssertionFailure() << "the list does not end with its line end";
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(lineEnd, start);
    lines.push_back(text.substr(start, end - start));
    if (lineEnd == "\n" && lines.back().ends_with('\r'))
      return ::testing::AssertionFailure() << "CR LF and LF mixed in the list";
    start = end + lineEnd.size();
  }
  return ::testing::AssertionSuccess();
}

inline std::string KnotName(const std::string& listLine) {
  return listLine.substr(0, listLine.find(' '));
}

inline std::string Unmarked(std::string line) {
  if (line.compare(15, 10, "Repeated! ") == 0) line.erase(15, 10);
  return line;
}

// The isotopy list `text` after some knots of `knots`: each line is the knot's own line or, for a
// prefix of them, the finished run's line (`finished`) with the "Repeated! " marks that the
// processed lines alone give (equal degree, classes, product text and hash); then "end" and the marked lines
// under the closing section.
inline ::testing::AssertionResult IsIsotopyListBetweenKnots(const std::string& text,
                                                            const std::vector<std::string>& knots,
                                                            const std::vector<std::string>& finished) {
  if (text == LfText(knots)) return ::testing::AssertionSuccess();
  std::vector<std::string> lines;
  if (auto split = SplitListLines(text, lines); !split) return split;
  const size_t n = knots.size();
  if (lines.size() < n + 1 || lines[n] != "end")
    return ::testing::AssertionFailure() << "no \"end\" after the knots";
  size_t processed = 0;
  while (processed < n && lines[processed] != knots[processed]) ++processed;
  for (size_t i = processed; i < n; ++i) {
    if (lines[i] != knots[i]) return ::testing::AssertionFailure() << "line " << i + 1 << ": " << lines[i];
  }
  // What tells knots apart: the degree, the number of classes, the product's text and its hash.
  auto invariant = [](const std::string& line) {
    const size_t from = line.find(": degree = ");
    const size_t hash = line.rfind("  product hash ");
    return line.substr(from, line.find(",  Braid: ") - from) +
           (hash == std::string::npos ? "" : line.substr(hash));
  };
  std::vector<std::string> marked;
  for (size_t i = 0; i < processed; ++i) {
    bool twin = false;
    for (size_t j = 0; j < processed; ++j) twin |= j != i && invariant(finished[j]) == invariant(finished[i]);
    const std::string expected = twin ? finished[i] : Unmarked(finished[i]);
    if (lines[i] != expected) {
      return ::testing::AssertionFailure()
             << "line " << i + 1 << " is\n  " << lines[i] << "\nnot\n  " << expected;
    }
    if (twin) marked.push_back(expected);
  }
  std::vector<std::string> section(lines.begin() + static_cast<long>(n) + 1, lines.end());
  if (!marked.empty()) marked.insert(marked.begin(), "List of knots which could not be distinguished:");
  if (section != marked)
    return ::testing::AssertionFailure() << "the closing section does not list the marked lines";
  return ::testing::AssertionSuccess();
}

// The norm-mode list `text` after some knots of `knots`: a prefix of the knots carries a result
// line (name and ":" padded to 14, the size tokens at column 63, the bound at column 85, and the
// braid at the end), the others their own lines; then "end" and nothing else.
inline ::testing::AssertionResult IsNormListBetweenKnots(const std::string& text,
                                                         const std::vector<std::string>& knots) {
  if (text == LfText(knots)) return ::testing::AssertionSuccess();
  std::vector<std::string> lines;
  if (auto split = SplitListLines(text, lines); !split) return split;
  const size_t n = knots.size();
  if (lines.size() != n + 1 || lines[n] != "end")
    return ::testing::AssertionFailure() << "not the knots and \"end\"";
  size_t processed = 0;
  while (processed < n && lines[processed] != knots[processed]) ++processed;
  for (size_t i = 0; i < n; ++i) {
    const std::string& line = lines[i];
    if (i >= processed) {
      if (line != knots[i]) return ::testing::AssertionFailure() << "line " << i + 1 << ": " << line;
      continue;
    }
    std::string name = KnotName(knots[i]) + ":";
    name.resize(14, ' ');
    const std::string braid = "braid " + knots[i].substr(knots[i].find('{'));
    if (!line.starts_with(name) || line.find("reps of dim") != 62 || line.find("genus>=") != 84 ||
        !line.ends_with(braid)) {
      return ::testing::AssertionFailure() << "line " << i + 1 << " is no result line: " << line;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace quarvel::testing
