#include "group/input_file_check.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace quarvel {
namespace {

// The number of bytes the stream holds, counted up to one past the limit.
std::uintmax_t CountBytesUpToLimit(std::istream& in) {
  std::array<char, 1 << 16> buffer{};
  std::uintmax_t count = 0;
  while (count <= kMaxInputFileBytes && in.read(buffer.data(), buffer.size())) count += buffer.size();
  return count + static_cast<std::uintmax_t>(in.gcount());
}

}  // namespace

std::optional<std::string> UnusableFileReason(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return "The file " + path + " is a directory";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "Can not open the file " + path;
  std::uintmax_t size = CountBytesUpToLimit(in);
  if (size == 0) return "The file " + path + " is empty";
  if (size > kMaxInputFileBytes) return "The file " + path + " is larger than 64 MiB";
  return std::nullopt;
}

}  // namespace quarvel
