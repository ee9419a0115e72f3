#pragma once
// A folder of the fuzzing process's own under the temporary directory, for the files a target
// writes and reads; created on first use and removed when the process ends.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace quarvel::fuzz {

class FuzzFolder {
 public:
  FuzzFolder() { std::filesystem::create_directories(path_); }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() / ("quarvel-fuzz-" + std::to_string(::getpid()));
};

inline const std::filesystem::path& TheFuzzFolder() {
  static FuzzFolder folder;
  return folder.path();
}

}  // namespace quarvel::fuzz
