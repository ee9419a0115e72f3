#pragma once
// What the two knot-list targets share: the input bytes become the list file, a few settings are
// drawn from the bytes so that one corpus covers them, and what a walk may change in the list.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "fuzz_folder.h"
#include "lists/knot_list.h"

namespace quarvel::fuzz {

// Writes the bytes as the list file of this process and returns its path.
inline std::string WriteListFile(const uint8_t* data, size_t size) {
  const std::filesystem::path path = TheFuzzFolder() / "list.txt";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path.string();
}

inline std::string ReadListFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A number that changes with every byte, from which a target picks its settings.
inline uint64_t Mix(const uint8_t* data, size_t size) {
  uint64_t mix = size;
  for (size_t i = 0; i < size; ++i) mix = mix * 1099511628211u + data[i];
  return mix;
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The input as a list file, read the way both walks read it.
struct FuzzedList {
  std::string path;
  std::string original;  // the file's bytes
  uint64_t mix = 0;
  KnotList before;
  bool read = false;
};

inline FuzzedList ReadFuzzedList(const uint8_t* data, size_t size) {
  FuzzedList list;
  list.path = WriteListFile(data, size);
  list.original = ReadListFile(list.path);
  list.mix = Mix(data, size);
  FailureState failure;
  list.read = ReadKnotList(list.path, list.before, failure);
  RequireMessageAmong(failure, {"Knot list has more than 20000 lines"});
  Require(list.read || list.before.Count() == 0, "a list that fails to read is left empty");
  return list;
}

// The line a walk took: a knot line of the list.
inline std::string RequireTakenLine(const KnotList& before, int64_t n) {
  Require(n >= 1 && n <= before.Count(), "the taken line is a line of the list");
  const std::string taken = before.Line(n);
  Require(IsKnotLine(taken), "the taken line is a knot line");
  return taken;
}

// The bytes of a list as a rewrite gives them: its lines, "end" and its notes, each ending as the
// list's lines do.
inline std::string ListText(const KnotList& list) {
  std::string text;
  for (const std::string& line : list.lines) text += line + list.lineEnd;
  text += "end" + list.lineEnd;
  for (const std::string& line : list.notes) text += line + list.lineEnd;
  return text;
}

// The list a rewrite left: it reads, and its bytes are its lines, "end" and its notes with the
// line ends of the list it replaced.
inline KnotList RequireRewrittenList(const FuzzedList& list) {
  KnotList after;
  FailureState failure;
  Require(ReadKnotList(list.path, after, failure), "the rewritten list reads");
  Require(after.lineEnd == list.before.lineEnd, "the rewrite keeps the line ends");
  Require(ReadListFile(list.path) == ListText(after),
          "the rewritten list is its lines, \"end\" and its notes");
  return after;
}

// Whether `now` is `was` recorded as a knot that could not be computed: its name, the reason, and
// its braid.
inline bool IsNotComputedLineOf(const std::string& now, const std::string& was) {
  const std::string name(ListLineName(was));
  return now.starts_with(name + ":") && Contains(now, std::string(kNotComputed)) &&
         now.ends_with("  braid " + ListLineBraid(was));
}

// A failure of a list walk: the list could not be read or rewritten.
inline void RequireWalkMessage(const FailureState& failure) {
  RequireMessageAmong(failure, {"Knot list has more than 20000 lines", "Cannot read the knot list",
                                "Cannot rewrite the knot list"});
}

// After a walk that took line `taken` (0 when it took none): a failure carries a walk message, a
// list that did not read stopped the walk, and the list is as it was but for the knot lines
// before the taken one that it recorded as not computed; every other line, the notes and the line
// ends are kept. Returns the list as the walk left it.
inline KnotList RequireWalk(const FuzzedList& list, const FailureState& failure, int64_t taken) {
  RequireWalkMessage(failure);
  Require(list.read || failure.computationFailed, "a list that does not read stops the walk");
  if (ReadListFile(list.path) == list.original) return list.before;
  const KnotList after = RequireRewrittenList(list);
  Require(after.lines.size() == list.before.lines.size() && after.notes == list.before.notes,
          "a walk keeps every line and the notes");
  for (int64_t i = 1; i <= after.Count(); ++i) {
    const std::string& was = list.before.Line(i);
    if (after.Line(i) == was) continue;
    Require(IsKnotLine(was) && (taken == 0 || i < taken) && IsNotComputedLineOf(after.Line(i), was),
            "a walk changes only the knots it could not compute before the one it takes");
  }
  return after;
}

}  // namespace quarvel::fuzz
