#include "run/picked_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quarvel {
namespace {

std::vector<Word> Relators(const Presentation& p) {
  return {p.relators.begin() + 1, p.relators.begin() + 1 + p.relatorCount};
}

std::string Repeat(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

TEST(ReadPresentationFile, ChoosesTheReaderByTheFirstEightLines) {
  testing::TempDir dir;
  const std::string noRelator = "No relator could be read from the file " + dir.directory() + "group.txt";
  struct Case {
    std::string content;
    std::vector<Word> relators;
    std::string failure;
  } cases[] = {
      {"-a-c+b+c\r\n-b-a+c+a\r\na1\r\nb1\r\nc1\r\n", {"-a-c+b+c", "-b-a+c+a"}, ""},
      {Repeat("header line\r\n", 7) + "x_1 x_2^-1\r\n", {"+a-b"}, ""},
      // On the ninth line the x_ line is no longer seen: format I skips it as a header and reads
      // no relator, which is not the trivial group but a file that cannot be used.
      {Repeat("header line\r\n", 8) + "x_1 x_2^-1\r\n", {}, noRelator},
  };
  for (const Case& c : cases) {
    testing::Bench bench;
    bench.wb.settings.inputDirectory = dir.directory();
    bench.wb.settings.inputName = "group.txt";
    bench.wb.presentation.phi.fill(7);
    dir.Write("group.txt", c.content);
    ReadPresentationFile(bench.wb);
    EXPECT_EQ(bench.wb.failure.errorMessage, c.failure) << c.content;
    EXPECT_EQ(Relators(bench.wb.presentation), c.relators) << c.content;
    if (c.failure.empty()) {
      EXPECT_EQ(bench.wb.presentation.phi[3], 1) << c.content;
    }
  }
}

}  // namespace
}  // namespace quarvel
