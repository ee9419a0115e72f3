#include "group/knot_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "group/presentation_file.h"

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

}  // namespace

bool IsListEnd(std::string_view line) {
  return line.starts_with("end");
}

bool ReadKnotList(const std::string& path, KnotList& list, FailureState& failure) {
  list.lines.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Fail(failure, std::string(kCannotRead));
    return false;
  }
  int64_t pendingEmpty = 0;  // kept only when a line follows them
  std::string line;
  while (ReadFileLine(in, line) && !IsListEnd(line)) {
    if (line.empty()) {
      ++pendingEmpty;
      continue;
    }
    if (list.Count() + pendingEmpty + 1 > kMaxKnotListLines) {
      list.lines.clear();
      Fail(failure, std::string(kTooLong));
      return false;
    }
    list.lines.insert(list.lines.end(), static_cast<size_t>(pendingEmpty), std::string());
    pendingEmpty = 0;
    list.lines.push_back(line);
  }
  return true;
}

bool RewriteKnotList(const std::string& path, const std::vector<std::string>& lines, FailureState& failure) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  if (ReplaceFile(path, text, true) || ReplaceFile(path, text, false)) return true;
  Fail(failure, std::string(kCannotRewrite));
  return false;
}

std::string ListLineBraid(std::string_view line) {
  size_t open = line.find('{');
  if (open == std::string_view::npos) open = 0;
  size_t close = line.find('}', open);
  size_t end = close == std::string_view::npos ? line.size() : close + 1;
  return std::string(line.substr(open, end - open));
}

}  // namespace quarvel
