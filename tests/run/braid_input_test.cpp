// The braid input of a run: the closed braid's presentation taken into the run's presentation, and
// the knot files written from it.

#include "run/braid_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "group/presentation_file.h"
#include "simplify/simplify_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

std::string BraidText(const std::vector<int>& letters) {
  std::string text = "{";
  for (size_t i = 0; i < letters.size(); ++i) text += (i ? "," : "") + std::to_string(letters[i]);
  return text + "}";
}

std::vector<std::string> Lines(const std::string& fileText) {
  std::vector<std::string> lines;
  std::istringstream in(fileText);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(LoadBraidPresentation, NormalisesTheTextAndKeepsTheRelatorsAsInputRelators) {
  testing::Bench bench;
  Workbench& wb = bench.wb;
  wb.presentation.braidText = "1 1 1";
  wb.settings.zeroSurgery = true;
  LoadBraidPresentation(wb);
  ASSERT_FALSE(wb.failure.computationFailed) << wb.failure.errorMessage;
  const Presentation& p = wb.presentation;
  EXPECT_EQ(p.braidText, "{1,1,1}");
  EXPECT_EQ(p.generatorCount, 3);
  ASSERT_EQ(p.relatorCount, 3);
  EXPECT_EQ(p.relators[3], "-c-a-b+a+a+a");
  EXPECT_EQ(p.inputRelatorCount, 3);
  EXPECT_EQ(p.inputRelators, p.relators);
  EXPECT_FALSE(p.braidIsLink);
}

// The caption of a braid run tells knot from link even when the presentation then fails the
// tables; a braid that cannot be read leaves the flag as it was.
TEST(LoadBraidPresentation, TellsALinkAlsoWhenTheTablesOverflow) {
  testing::Bench overflow;
  overflow.wb.presentation.braidText = BraidText(std::vector<int>(47, 7));
  LoadBraidPresentation(overflow.wb);
  EXPECT_EQ(overflow.wb.failure.errorMessage, "Too many generators");
  EXPECT_TRUE(overflow.wb.presentation.braidIsLink);
  EXPECT_EQ(overflow.wb.presentation.relatorCount, 0);

  testing::Bench unreadable;
  unreadable.wb.presentation.braidIsLink = true;
  unreadable.wb.presentation.braidText = "{1,0} ";
  LoadBraidPresentation(unreadable.wb);
  EXPECT_EQ(unreadable.wb.failure.errorMessage, "Not a valid braid description");
  EXPECT_EQ(unreadable.wb.presentation.braidText, "{1,0}");
  EXPECT_TRUE(unreadable.wb.presentation.braidIsLink);
}

// Loads the braid with the knot files going into `dir` under `name`.
void LoadWritingKnotFiles(testing::Bench& bench, const testing::TempDir& dir, const std::string& name,
                          const std::string& braid, bool zeroSurgery) {
  bench.wb.settings.inputDirectory = dir.directory();
  bench.wb.settings.inputName = name;
  bench.wb.current.writeKnotFiles = true;
  bench.wb.settings.zeroSurgery = zeroSurgery;
  bench.wb.presentation.braidText = braid;
  LoadBraidPresentation(bench.wb);
}

TEST(LoadBraidPresentation, ExportsTheTrefoilAsTwoFormatIFiles) {
  testing::TempDir dir;
  testing::Bench bench;
  LoadWritingKnotFiles(bench, dir, "3_1", "1 1 1", false);
  ASSERT_FALSE(bench.wb.failure.computationFailed);
  EXPECT_EQ(testing::ReadWholeFile(dir.path() / "knot3_1.txt"),
            "-01b-01a+01c+01a\r\n-01a-01c+01b+01c\r\na1\r\nb1\r\nc1\r\n{1,1,1}\r\n");
  EXPECT_EQ(testing::ReadWholeFile(dir.path() / "mfd3_1.txt"),
            "-01b-01a+01c+01a\r\n-01a-01c+01b+01c\r\n-c-a-b+a+a+a\r\na1\r\nb1\r\nc1\r\n{1,1,1}\r\n");

  testing::TempDir quiet;
  testing::Bench off;
  off.wb.settings.inputDirectory = quiet.directory();
  off.wb.settings.inputName = "3_1";
  off.wb.presentation.braidText = "{1,1,1}";
  LoadBraidPresentation(off.wb);
  EXPECT_TRUE(std::filesystem::is_empty(quiet.path()));
}

// sigma_1^29: arcs 1..29, crossing k has over k+1, under k -> k+2 (k >= 3), with 30, 31 closing to 2, 1.
TEST(LoadBraidPresentation, ExportWritesHighGeneratorsAsCapitalsAndReadsBack) {
  testing::TempDir dir;
  testing::Bench bench;
  LoadWritingKnotFiles(bench, dir, "t", BraidText(std::vector<int>(29, 1)), true);
  ASSERT_FALSE(bench.wb.failure.computationFailed);
  const Presentation& built = bench.wb.presentation;
  ASSERT_EQ(built.generatorCount, 29);
  ASSERT_EQ(built.relatorCount, 29);  // 28 Wirtinger relators and the longitude

  for (std::string name : {"knott.txt", "mfdt.txt"}) {
    SCOPED_TRACE(name);
    std::string text = testing::ReadWholeFile(dir.path() / name);
    EXPECT_TRUE(
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), name[0] == 'k' ? 58u : 59u);
    EXPECT_EQ(lines[26], "-01A-01B+01C+01B\r");
    EXPECT_EQ(lines[27], "-01B-01C+01b+01C\r");
    EXPECT_EQ(lines[lines.size() - 5], "z1\r");
    EXPECT_EQ(lines[lines.size() - 4], "A1\r");
    EXPECT_EQ(lines[lines.size() - 2], "C1\r");
    EXPECT_EQ(lines.back(), built.braidText + "\r");

    // Read back as a format I file, the lines give the built relators again, with phi 1.
    std::istringstream in(text);
    Result<FilePresentation> read = ReadFormatOne(in);
    ASSERT_TRUE(read.ok()) << read.error();
    ASSERT_EQ(read->relators.size(), name[0] == 'k' ? 28u : 29u);
    for (size_t r = 0; r < read->relators.size(); ++r) {
      Word plain;
      ASSERT_EQ(ExpandWrittenForm(read->relators[r], plain), WrittenForm::expanded);
      EXPECT_EQ(plain, built.relators[r + 1]) << r + 1;
    }
    for (int g = 1; g <= 29; ++g) EXPECT_EQ(read->phi[g], 1);
  }
}

}  // namespace
}  // namespace quarvel
