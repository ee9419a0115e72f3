// The limits of the data model where the readers meet them byte for byte: the last generator byte
// of a relator, and a knot list grown past its longest while an isotopy run was on it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "group/presentation_file.h"
#include "lists/isotopy_list.h"
#include "lists/knot_list.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::ReadWholeFile;
using testing::TempDir;

Result<FilePresentation> ReadRelators(const std::string& text) {
  std::istringstream in(text);
  return ReadFormatOne(in);
}

TEST(InputLimits, RelatorBytesEndWithTheFiftySecondGenerator) {
  // Bytes 0x7B..0x94 stand in a file for the generators 27..52 as they are.
  Result<FilePresentation> last = ReadRelators("+\x7B-\x94\na1\n");
  ASSERT_TRUE(last.ok()) << last.error();
  EXPECT_EQ(last->relators, (std::vector<Word>{"+\x7B-\x94"}));

  for (const char* beyond : {"+a-\x95\na1\n", "+\x95\n+a-a\na1\n", "+a\n-\xFF\na1\n"}) {
    Result<FilePresentation> read = ReadRelators(beyond);
    ASSERT_FALSE(read.ok()) << beyond;
    EXPECT_EQ(read.error(), "Too many generators") << beyond;
  }
}

TEST(InputLimits, AnIsotopyResultIsNotWrittenIntoAListPastTheLimit) {
  std::string text;
  for (int64_t i = 1; i <= kMaxKnotListLines + 1; ++i) text += "k" + std::to_string(i) + " {-1,-1,-1}\n";
  TempDir dir;
  const auto list = dir.Write("list.txt", text);
  Bench bench;
  Workbench& wb = bench.wb;
  wb.settings.isotopyGroup = "s3";
  wb.settings.currentPrime = 13;
  wb.isotopy.listLineNumber = 1;
  wb.isotopy.productPolynomial = Polynomial{{1}};
  wb.isotopy.productText.plain = " 1+12t+t^2";
  RecordIsotopyResult(wb, list.string());
  EXPECT_TRUE(wb.failure.computationFailed);
  EXPECT_EQ(wb.failure.errorMessage, "Knot list has more than 20000 lines");
  EXPECT_EQ(ReadWholeFile(list), text);
}

}  // namespace
}  // namespace quarvel
