// Reading a knot list into memory and replacing it in one step.

#include "lists/knot_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "lists/knot_list_detection.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ReadWholeFile;
using testing::TempDir;

std::vector<std::string> Read(const std::filesystem::path& path, FailureState& failure) {
  KnotList list;
  EXPECT_TRUE(ReadKnotList(path.string(), list, failure)) << failure.errorMessage;
  return list.lines;
}

std::vector<std::string> Read(const std::filesystem::path& path) {
  FailureState failure;
  return Read(path, failure);
}

TEST(KnotListRead, KeepsEveryLineBeforeEndWithoutLineEndsAndTheNotesAfterIt) {
  TempDir dir;
  auto path = dir.Write("l.txt",
                        "% knots\r\n3_1 {1,1,1}\r\n\r\n4_1: {-1,2,-1,2} note\n\nend\r\nafter end\n\n"
                        "more notes\t\n\n\n");
  FailureState failure;
  KnotList list;
  ASSERT_TRUE(ReadKnotList(path.string(), list, failure));
  EXPECT_EQ(list.lines,
            (std::vector<std::string>{"% knots", "3_1 {1,1,1}", "", "4_1: {-1,2,-1,2} note", ""}));
  EXPECT_EQ(list.notes, (std::vector<std::string>{"after end", "", "more notes\t"}));
  EXPECT_EQ(list.lineEnd, "\r\n");
}

TEST(KnotListRead, OnlyALineHoldingEndAloneClosesTheList) {
  TempDir dir;
  auto path = dir.Write("l.txt", "3_1 {1,1,1}\n\n\n4_1 {-1,2,-1,2}\n\n\n");
  // Without "end", the empty lines at the very end are dropped.
  EXPECT_EQ(Read(path), (std::vector<std::string>{"3_1 {1,1,1}", "", "", "4_1 {-1,2,-1,2}"}));
  auto ended =
      dir.Write("e.txt", "3_1 {1,1,1}\nending here\nLegend: end of group\n  end \n4_1 {-1,2,-1,2}\n");
  EXPECT_EQ(Read(ended), (std::vector<std::string>{"3_1 {1,1,1}", "ending here", "Legend: end of group"}));
}

TEST(KnotListDetection, AHeadingAndBlankLinesBeforeTheKnotsStillMakeAList) {
  std::istringstream headed("% trefoils\nLegend: mirror images follow\n\n  \n3_1 {-1,-1,-1}\n");
  EXPECT_TRUE(IsKnotList(headed));
  std::istringstream braid("\n{1,1,1}\n");  // one braid is a braid file
  EXPECT_FALSE(IsKnotList(braid));
  std::istringstream formatTwo("\nx_{1} x_{2}\n\nx_{2} x_{1}\n");
  EXPECT_FALSE(IsKnotList(formatTwo));
}

TEST(KnotListLines, KnotLinesHoldABraidOrBeginWithATableKnot) {
  EXPECT_TRUE(IsKnotLine("3_1 {1,1,1}"));
  EXPECT_TRUE(IsKnotLine("7_4"));
  EXPECT_TRUE(IsKnotLine("11_401 (Conway knot)"));
  EXPECT_FALSE(IsKnotLine("Legend: mirror images follow"));
  EXPECT_FALSE(IsKnotLine("   "));
  EXPECT_FALSE(IsKnotLine("% 3_1 {1,1,1}"));
  EXPECT_FALSE(IsKnotLine("end"));
  EXPECT_FALSE(IsKnotLine("3_1x"));
  // A table knot's name without a braid stands for the table's braid.
  EXPECT_EQ(ListLineBraid("7_4"), "{1,1,2,-1,2,2,3,-2,3}");
}

TEST(KnotListLines, TheNameEndsAtItsColonOrTheBraid) {
  const std::string processed = "K13n1_long_name:  1+12t (in F_13)  reps of dim3n4y  new  braid {1,1,1}";
  EXPECT_EQ(ListLineName(processed), "K13n1_long_name");
  EXPECT_EQ(ListLineResults(processed), ":  1+12t (in F_13)  reps of dim3n4y  new  braid ");
  EXPECT_EQ(ListLineName("K13n1 new {1,2}  (note: 3n)"), "K13n1 new");
  EXPECT_EQ(ListLineResults("K13n1 new {1,2}  (note: 3n)"), "   (note: 3n)");
  // A braid holds no result tokens.
  EXPECT_EQ(ListLineResults("bad:  not computed: Not a valid braid description  braid {new"),
            ":  not computed: Not a valid braid description  braid ");
  EXPECT_EQ(ListLineName("4_1 Repeated! : degree = 2, Braid: {-1,2,-1,2}"), "4_1 Repeated!");
  EXPECT_EQ(NotComputedLine("bad  {1,x}", "Not a valid braid description", 14),
            "bad:          not computed: Not a valid braid description  braid {1,x}");
}

TEST(KnotListRead, TheLimitIsTwentyThousandLines) {
  TempDir dir;
  std::string text;
  for (int i = 1; i <= kMaxKnotListLines; ++i) text += "k" + std::to_string(i) + " {1,1,1}\n";
  // Empty lines after the last knot do not count.
  auto full = dir.Write("full.txt", text + "\n\n\nend\n");
  EXPECT_EQ(Read(full).size(), static_cast<size_t>(kMaxKnotListLines) + 3);

  auto longer = dir.Write("long.txt", text + "\nk20001 {1,1,1}\n");
  FailureState failure;
  KnotList list;
  EXPECT_FALSE(ReadKnotList(longer.string(), list, failure));
  EXPECT_TRUE(failure.computationFailed);
  EXPECT_EQ(failure.errorMessage, "Knot list has more than 20000 lines");
  EXPECT_TRUE(list.lines.empty());
}

TEST(KnotListRead, AMissingListFails) {
  TempDir dir;
  FailureState failure;
  KnotList list;
  EXPECT_FALSE(ReadKnotList((dir.path() / "none.txt").string(), list, failure));
  EXPECT_EQ(failure.errorMessage, "Cannot read the knot list");
}

TEST(KnotListRewrite, KeepsTheLineEndsTheNotesAndTheFilesMode) {
  TempDir dir;
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    auto path = dir.Write("l.txt", "3_1 {1,1,1}" + lineEnd + lineEnd + "end" + lineEnd + "a note" + lineEnd);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    FailureState failure;
    KnotList list;
    ASSERT_TRUE(ReadKnotList(path.string(), list, failure));
    list.Line(1) = "3_1: result";
    ASSERT_TRUE(RewriteKnotList(path.string(), list, failure));
    EXPECT_EQ(ReadWholeFile(path), "3_1: result" + lineEnd + lineEnd + "end" + lineEnd + "a note" + lineEnd);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Nothing but the list is left in its folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
  // In a list of LF lines a CR before a line's LF belongs to the line and comes back as it was.
  auto mixed = dir.Write("l.txt", "3_1 {1,1,1}\nx {1}\r\r\nend\r\n");
  {
    FailureState failure;
    KnotList list;
    ASSERT_TRUE(ReadKnotList(mixed.string(), list, failure));
    EXPECT_EQ(list.lines, (std::vector<std::string>{"3_1 {1,1,1}", "x {1}\r\r"}));
    ASSERT_TRUE(RewriteKnotList(mixed.string(), list, failure));
    EXPECT_EQ(ReadWholeFile(mixed), "3_1 {1,1,1}\nx {1}\r\r\nend\n");
  }
  // A list of one line without a line end is written with CR LF.
  auto single = dir.Write("l.txt", "3_1 {1,1,1}");
  FailureState failure;
  KnotList list;
  ASSERT_TRUE(ReadKnotList(single.string(), list, failure));
  ASSERT_TRUE(RewriteKnotList(single.string(), list, failure));
  EXPECT_EQ(ReadWholeFile(single), "3_1 {1,1,1}\r\nend\r\n");
}

TEST(KnotListRewrite, AFailedRewriteLeavesTheOldList) {
  TempDir dir;
  auto path = dir.Write("l.txt", "3_1 {1,1,1}\n");
  // A folder in place of the list cannot be replaced by a file.
  std::filesystem::create_directory(dir.path() / "folder");
  FailureState failure;
  EXPECT_FALSE(RewriteKnotList((dir.path() / "folder").string(), KnotList{}, failure));
  EXPECT_EQ(failure.errorMessage, "Cannot rewrite the knot list");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
  EXPECT_EQ(ReadWholeFile(path), "3_1 {1,1,1}\n");
}

TEST(KnotListBraid, FromTheFirstOpeningToTheNextClosingBrace) {
  EXPECT_EQ(ListLineBraid("7_4: {1,1,2} genus>=1.00 braid {1,1,2}"), "{1,1,2}");
  EXPECT_EQ(ListLineBraid("11_401    {1,2,2,-3}        (Conway knot)"), "{1,2,2,-3}");
  EXPECT_EQ(ListLineBraid("k {1,2"), "{1,2");
  EXPECT_EQ(ListLineBraid("1 2 1"), "1 2 1");  // the braid parser decides
  EXPECT_EQ(ListLineBraid("k } {1}"), "{1}");
}

}  // namespace
}  // namespace quarvel
