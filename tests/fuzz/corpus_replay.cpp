// Runs a fuzz target once on every file of the folders (or files) named on the command line, so an
// ordinary build replays the seed corpus and every reproducer kept in it. A target that finds a
// fault aborts, which fails the test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  } else {
    inputs.push_back(path);
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int a = 1; a < argc; ++a) {
    for (const std::filesystem::path& input : InputsOf(argv[a])) {
      std::ifstream in(input, std::ios::binary);
      std::string bytes(std::istreambuf_iterator<char>(in), {});
      std::fprintf(stderr, "%s\n", input.filename().c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  return replayed > 0 ? 0 : 1;  // an empty corpus means the path is wrong
}
