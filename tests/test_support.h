#pragma once
// Helpers shared by the tests: a workbench on a headless surface, temporary folders and files.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/headless_surface.h"
#include "reps/permutation_group.h"
#include "run/prepare_presentation.h"
#include "run/workbench.h"

namespace quarvel::testing {

// Every prime a run can use: the main window's fields and those the comparison adds.
inline const std::vector<int32_t> kSupportedPrimes = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 53};

inline PrimeField FieldOf(int32_t p) {
  PrimeField field;
  SetCurrentPrime(field, p);
  return field;
}

// A fresh workbench drawing on its own headless surface.
struct Bench {
  HeadlessSurface surface;
  Workbench wb{surface};
};

// A folder of its own under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() / ("quarvel-test-" + std::to_string(device()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder with a trailing separator, as the file picker gives it.
  std::string directory() const { return path_.string() + "/"; }

  std::filesystem::path Write(const std::string& name, const std::string& content) const {
    std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// A fresh temporary folder as the working directory while the object lives: the report files a
// run writes land there and vanish with it.
class TempWorkingDirectory {
 public:
  TempWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
  }
  ~TempWorkingDirectory() { std::filesystem::current_path(previous_); }
  TempWorkingDirectory(const TempWorkingDirectory&) = delete;
  TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;

  const std::filesystem::path& path() const { return dir_.path(); }

 private:
  TempDir dir_;
  std::filesystem::path previous_;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The drawing calls of a recorded transcript that start with `prefix`, one a line.
inline std::vector<std::string> TranscriptCalls(const std::ostringstream& transcript,
                                                std::string_view prefix) {
  std::vector<std::string> lines;
  std::istringstream in(transcript.str());
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(prefix)) lines.push_back(line);
  }
  return lines;
}

// The presentation of `braid` as a run prepares it, simplified with `effort`.
inline void PrepareBraid(Workbench& wb, std::string_view braid, int32_t effort) {
  wb.presentation.braidText = std::string(braid);
  wb.settings.simplifyEffort = effort;
  PreparePresentation(wb);
}

// As a norm run prepares it: simplified with effort 20, the unknot {1} left as it is.
inline void PrepareBraid(Workbench& wb, std::string_view braid) {
  PrepareBraid(wb, braid, braid == "{1}" ? 0 : 20);
}

// Generators a, b, ... with phi 1, each present, mapped to the listed permutations of 1..m.
inline void SetGeneratorImages(Presentation& p, Representation& rep, int32_t m,
                               const std::vector<std::vector<int32_t>>& images) {
  p.generatorCount = static_cast<int64_t>(images.size());
  p.phi.fill(1);
  for (size_t i = 0; i < images.size(); ++i) {
    const int g = static_cast<int>(i) + 1;
    p.generatorUsed[g] = true;
    p.generatorLetters[g] = g;
    std::copy(images[i].begin(), images[i].end(), rep.generators[g].image.begin() + 1);
    InvertPermutation(rep.generators[g].image, m, rep.generators[g].inverseImage);
  }
}

}  // namespace quarvel::testing
