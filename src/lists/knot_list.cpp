#include "lists/knot_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "group/diagram_text.h"
#include "group/table_knots.h"

namespace quarvel {
namespace {

constexpr std::string_view kTooLong = "Knot list has more than 20000 lines";
constexpr std::string_view kCannotRead = "Cannot read the knot list";
constexpr std::string_view kCannotRewrite = "Cannot rewrite the knot list";

// Writes all of `text` to `fd`, retrying after short writes and interruptions.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

size_t NameStart(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The new list, beside the old one. Where the file system allows it, the file has no name until
// its text is on the disk, so that a run killed while writing leaves nothing behind; otherwise it
// is named ".<name>.XXXXXX" from the start.
struct NewList {
  int fd = -1;
  std::string name;  // the name it takes before it replaces the list
  bool unnamed = false;
};

NewList CreateNewList(const std::string& folder, const std::string& listName, bool unnamed) {
  NewList file;
#ifdef O_TMPFILE
  if (unnamed) {
    file.fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    file.unnamed = file.fd >= 0;
    file.name = folder + "." + listName + "." + std::to_string(::getpid());
    return file;
  }
#endif
  file.name = folder + "." + listName + ".XXXXXX";
  file.fd = ::mkstemp(file.name.data());
  return file;
}

// Gives an unnamed file its name; a named one has it already.
bool NameNewList(const NewList& file) {
  if (!file.unnamed) return true;
  ::unlink(file.name.c_str());  // left by a killed run that had this process id
  const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, file.name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool ReplaceFile(const std::string& path, const std::string& text, bool unnamed) {
  const std::string folder = path.substr(0, NameStart(path));
  NewList file = CreateNewList(folder, path.substr(NameStart(path)), unnamed);
  if (file.fd < 0) return false;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(file.fd, old.st_mode & 07777);
  bool written = WriteAll(file.fd, text) && ::fsync(file.fd) == 0 && NameNewList(file);
  written = ::close(file.fd) == 0 && written;
  if (!written || std::rename(file.name.c_str(), path.c_str()) != 0) {
    ::unlink(file.name.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

// Where the line's braid, PD or DT code begins, or its end.
size_t BraidStart(std::string_view line) {
  return std::min(FindDiagram(line).begin, line.size());
}

// Blanks, and a CR left at a line's end in a list whose lines end with LF.
std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string_view LeadingWord(std::string_view line) {
  line = TrimBlanks(line);
  return line.substr(0, line.find_first_of(" \t"));
}

// The diagram a run takes for the table knot named `name` (the pick lists' braid without its note),
// empty when no table holds it.
std::string TableBraid(std::string_view name) {
  if (name.empty()) return {};
  const std::string diagram = TableKnotDiagram(name).value_or("");
  const DiagramSpan span = FindDiagram(diagram);
  return span.Found() ? diagram.substr(span.begin, span.end - span.begin) : diagram;
}

// The file's lines, each without its line end; `lineEnd` becomes the first line's end. In a list
// whose lines end with LF a CR before one is part of its line, so that the rewrite gives it back.
std::vector<std::string> SplitLines(const std::string& text, std::string& lineEnd) {
  std::vector<std::string> lines;
  const size_t firstEnd = text.find('\n');
  lineEnd = firstEnd != std::string::npos && (firstEnd == 0 || text[firstEnd - 1] != '\r') ? "\n" : "\r\n";
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line(text.data() + start, end - start);
    if (lineEnd == "\r\n" && line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

// Appends `lines` to `kept`; blank lines are kept only when a line follows them or `keepBlanks`.
bool KeepLines(std::vector<std::string>::const_iterator from, std::vector<std::string>::const_iterator to,
               bool keepBlanks, std::vector<std::string>& kept) {
  size_t pendingBlank = 0;
  for (auto line = from; line != to; ++line) {
    if (line->empty()) {
      ++pendingBlank;
      continue;
    }
    if (static_cast<int64_t>(kept.size() + pendingBlank + 1) > kMaxKnotListLines) return false;
    kept.insert(kept.end(), pendingBlank, std::string());
    pendingBlank = 0;
    kept.push_back(*line);
  }
  if (keepBlanks) kept.insert(kept.end(), pendingBlank, std::string());
  return true;
}

}  // namespace

bool IsListEnd(std::string_view line) {
  return TrimBlanks(line) == "end";
}

bool IsKnotLine(std::string_view line) {
  if (TrimBlanks(line).empty() || line.starts_with("%") || IsListEnd(line)) return false;
  return FindDiagram(line).Found() || !TableBraid(LeadingWord(line)).empty();
}

std::string_view ListLineName(std::string_view line) {
  std::string_view name = line.substr(0, BraidStart(line));
  name = name.substr(0, name.find(':'));
  return name.substr(0, name.find_last_not_of(" \t") + 1);
}

std::string ListLineResults(std::string_view line) {
  std::string rest(line.substr(ListLineName(line).size()));
  if (const DiagramSpan span = FindDiagram(rest); span.Found()) rest.erase(span.begin, span.end - span.begin);
  return rest;
}

bool ReadKnotList(const std::string& path, KnotList& list, FailureState& failure) {
  list = KnotList{};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Fail(failure, std::string(kCannotRead));
    return false;
  }
  const std::string text(std::istreambuf_iterator<char>(in), {});
  const std::vector<std::string> lines = SplitLines(text, list.lineEnd);
  const auto end =
      std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return IsListEnd(l); });
  const bool ended = end != lines.end();
  if (!KeepLines(lines.begin(), end, ended, list.lines) ||
      (ended && !KeepLines(end + 1, lines.end(), false, list.notes))) {
    list = KnotList{};
    Fail(failure, std::string(kTooLong));
    return false;
  }
  return true;
}

bool ReadListForLine(const std::string& path, int64_t lineNumber, KnotList& list, FailureState& failure) {
  if (!ReadKnotList(path, list, failure)) return false;
  if (lineNumber >= 1 && lineNumber <= list.Count()) return true;
  Fail(failure, "Knot list changed during the run");
  return false;
}

bool RewriteKnotList(const std::string& path, const KnotList& list, FailureState& failure) {
  std::string text;
  for (const std::string& line : list.lines) text += line + list.lineEnd;
  text += "end" + list.lineEnd;
  // Empty lines at the very end are not read back (see ReadKnotList), so none are written there.
  size_t notes = list.notes.size();
  while (notes > 0 && list.notes[notes - 1].empty()) --notes;
  for (size_t i = 0; i < notes; ++i) text += list.notes[i] + list.lineEnd;
  if (ReplaceFileText(path, text)) return true;
  Fail(failure, std::string(kCannotRewrite));
  return false;
}

bool ReplaceFileText(const std::string& path, const std::string& text) {
  return ReplaceFile(path, text, true) || ReplaceFile(path, text, false);
}

std::string ListLineBraid(std::string_view line) {
  const DiagramSpan span = FindDiagram(line);
  if (span.Found()) return std::string(line.substr(span.begin, span.end - span.begin));
  if (std::string table = TableBraid(LeadingWord(line)); !table.empty()) return table;
  const size_t close = line.find('}');
  return std::string(line.substr(0, close == std::string_view::npos ? close : close + 1));
}

std::string NotComputedLine(std::string_view line, std::string_view reason, size_t nameWidth) {
  std::string result = std::string(ListLineName(line)) + ":";
  if (result.size() < nameWidth) result.resize(nameWidth, ' ');
  return result + std::string(kNotComputed) + std::string(reason) + "  braid " + ListLineBraid(line);
}

bool RecordNotComputed(const std::string& path, int64_t lineNumber, size_t nameWidth, FailureState& failure) {
  const std::string reason = failure.errorMessage;
  ClearFailure(failure);
  KnotList list;
  if (!ReadListForLine(path, lineNumber, list, failure)) return false;
  list.Line(lineNumber) = NotComputedLine(list.Line(lineNumber), reason, nameWidth);
  return RewriteKnotList(path, list, failure);
}

}  // namespace quarvel
