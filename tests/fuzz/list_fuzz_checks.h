#pragma once
// What the two knot-list targets share: the input bytes become the list file, a few settings are
// drawn from the bytes so that one corpus covers them, and a rewritten list is split into its
// CR LF lines.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "fuzz_folder.h"
#include "group/knot_list.h"

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
  Require(!taken.empty() && !taken.starts_with("%"), "the taken line is a knot line");
  return taken;
}

// The lines of a rewritten list: every line, the last one too, ends with CR LF.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  Require(text.ends_with("\r\n"), "the rewritten list ends with CR LF");
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// A failure of a list walk: the list could not be read, or the knot's braid could not be built.
inline void RequireWalkMessage(const FailureState& failure) {
  RequireMessageAmong(failure, {"Knot list has more than 20000 lines", "Cannot read the knot list",
                                "Not a valid braid description", "Braid description has to many strands",
                                "Braid has to many crossings", "Too many generators", "Too many relators"});
}

// After a walk: a failure carries a walk message, the file is as it was, and a list that did not
// read stopped the walk.
inline void RequireQuietWalk(const FuzzedList& list, const FailureState& failure) {
  RequireWalkMessage(failure);
  Require(ReadListFile(list.path) == list.original, "walking the list writes nothing");
  Require(list.read || failure.computationFailed, "a list that does not read stops the walk");
}

}  // namespace quarvel::fuzz
