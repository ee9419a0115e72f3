// Reading a knot list into memory and replacing it in one step.

#include "group/knot_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

TEST(KnotListRead, KeepsEveryLineBeforeEndWithoutLineEnds) {
  TempDir dir;
  auto path = dir.Write("l.txt", "% knots\r\n3_1 {1,1,1}\r\n\r\n4_1: {-1,2,-1,2} note\nend\r\nafter end\n");
  EXPECT_EQ(Read(path), (std::vector<std::string>{"% knots", "3_1 {1,1,1}", "", "4_1: {-1,2,-1,2} note"}));
}

TEST(KnotListRead, DropsOnlyTheEmptyLinesAtTheEnd) {
  TempDir dir;
  auto path = dir.Write("l.txt", "3_1 {1,1,1}\n\n\n4_1 {-1,2,-1,2}\n\n\n");
  EXPECT_EQ(Read(path), (std::vector<std::string>{"3_1 {1,1,1}", "", "", "4_1 {-1,2,-1,2}"}));
  // Any line whose first three characters are "end" closes the list.
  auto ended = dir.Write("e.txt", "3_1 {1,1,1}\n\nending here\n4_1 {-1,2,-1,2}\n");
  EXPECT_EQ(Read(ended), (std::vector<std::string>{"3_1 {1,1,1}"}));
}

TEST(KnotListRead, TheLimitIsTwentyThousandLines) {
  TempDir dir;
  std::string text;
  for (int i = 1; i <= kMaxKnotListLines; ++i) text += "k" + std::to_string(i) + " {1,1,1}\n";
  // Empty lines after the last knot are no lines of the list.
  auto full = dir.Write("full.txt", text + "\n\n\nend\n");
  EXPECT_EQ(Read(full).size(), static_cast<size_t>(kMaxKnotListLines));

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

TEST(KnotListRewrite, WritesCrLfLinesAndKeepsTheFilesMode) {
  TempDir dir;
  auto path = dir.Write("l.txt", "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  FailureState failure;
  ASSERT_TRUE(RewriteKnotList(path.string(), {"3_1: result", "", "end"}, failure));
  EXPECT_EQ(ReadWholeFile(path), "3_1: result\r\n\r\nend\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  // Nothing but the list is left in its folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(KnotListRewrite, AFailedRewriteLeavesTheOldList) {
  TempDir dir;
  auto path = dir.Write("l.txt", "3_1 {1,1,1}\n");
  // A folder in place of the list cannot be replaced by a file.
  std::filesystem::create_directory(dir.path() / "folder");
  FailureState failure;
  EXPECT_FALSE(RewriteKnotList((dir.path() / "folder").string(), {"end"}, failure));
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
