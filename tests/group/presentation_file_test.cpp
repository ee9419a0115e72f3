#include "group/presentation_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace quarvel {
namespace {

constexpr const char* kFormatTwoMessage =
    "Can not read the relations, they have to be of the form \"x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\"";

Result<FilePresentation> ReadText(Result<FilePresentation> (*reader)(std::istream&),
                                  const std::string& text) {
  std::istringstream in(text);
  return reader(in);
}

std::string Repeat(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

Word Byte(int generator) {
  return Word(1, static_cast<char>(GeneratorByte(generator)));
}

TEST(ReadFileLine, DropsTrailingControlCharactersOnly) {
  std::istringstream in("-a-c+b+c\r\nhead  \r\n\tx\t\r\n\r\nlast");
  std::string line;
  std::vector<std::string> lines;
  while (ReadFileLine(in, line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"-a-c+b+c", "head  ", "\tx", "", "last"}));
}

TEST(PreScanPresentation, TheFirstBraidOrRelatorLineDecides) {
  struct Case {
    std::string text;
    PreScan::Kind kind;
    std::string braid;
  } cases[] = {
      {"Trefoil\n\n{1,1,1}\n-a-c+b+c\n", PreScan::braid, "{1,1,1}"},
      {"-a-c+b+c\n{1,1,1}\n", PreScan::presentation, ""},
      {"+a\n-b\nx_1 x_2\n", PreScan::presentation, ""},  // two-character signed lines pass
      {"+a\n-b\n", PreScan::nothingUsable, ""},
      {" x_{1}^{-1}\n", PreScan::presentation, ""},
      {"a title\nsome text\n", PreScan::nothingUsable, ""},
      {Repeat("\n", 9) + "-a+a\n", PreScan::presentation, ""},
      {Repeat("\n", 10) + "-a+a\n", PreScan::nothingUsable, ""},
      // The empty lines are counted over the whole file.
      {Repeat("\n", 5) + "title\n" + Repeat("\r\n", 5) + "{1}\n", PreScan::nothingUsable, ""},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    PreScan scan = PreScanPresentation(in);
    EXPECT_EQ(scan.kind, c.kind) << c.text;
    EXPECT_EQ(scan.braidText, c.braid) << c.text;
  }
}

TEST(IsFormatTwo, LooksAtTheFirstEightLines) {
  auto detect = [](const std::string& text) {
    std::istringstream in(text);
    return IsFormatTwo(in);
  };
  EXPECT_TRUE(detect("x_1 x_2\n"));
  EXPECT_TRUE(detect(Repeat("header line\n", 7) + " x_1 x_2\n"));
  EXPECT_FALSE(detect(Repeat("header line\n", 8) + "x_1 x_2\n"));
  EXPECT_FALSE(detect("  x_1 x_2\n"));
  EXPECT_FALSE(detect("-a-c+b+c\nx\n"));
}

TEST(ReadFormatOne, RelatorsThenPhiLines) {
  auto plain = ReadText(ReadFormatOne, "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  ASSERT_TRUE(plain.ok()) << plain.error();
  EXPECT_EQ(plain->relators, (std::vector<Word>{"-a-c+b+c", "-b-a+c+a"}));
  EXPECT_EQ(plain->phi[0], 0);
  for (int g = 1; g <= kMaxGenerators; ++g) EXPECT_EQ(plain->phi[g], 1) << g;

  auto titled = ReadText(ReadFormatOne, "Trefoil knot group\n-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  ASSERT_TRUE(titled.ok()) << titled.error();
  EXPECT_EQ(titled->relators, plain->relators);

  // Comments and a single empty line stay inside the relator section; the written form is kept.
  auto comments = ReadText(ReadFormatOne, "#\n+2a-b\n# note (x)\n\n-A+a\r\na2\r\n");
  ASSERT_TRUE(comments.ok()) << comments.error();
  EXPECT_EQ(comments->relators, (std::vector<Word>{"+2a-b", "-" + Byte(27) + "+a"}));
  EXPECT_EQ(comments->phi[1], 2);

  // A second empty line takes the place of the first and ends everything.
  auto twoEmpty = ReadText(ReadFormatOne, "-a+a\n\n\n-b+b\n");
  ASSERT_TRUE(twoEmpty.ok()) << twoEmpty.error();
  EXPECT_EQ(twoEmpty->relators, (std::vector<Word>{"-a+a"}));

  // A file without relator lines is read as one without relators.
  auto none = ReadText(ReadFormatOne, "a title\nsome text\n");
  ASSERT_TRUE(none.ok()) << none.error();
  EXPECT_TRUE(none->relators.empty());
}

TEST(ReadFormatOne, PhiSection) {
  struct Case {
    std::string phiLines;
    int32_t a, b, c, generator29;
  } cases[] = {
      {"a2\nb-1\nC5\n", 2, -1, 1, 5},
      {"a2\n(phi)\nb3\n", 2, 3, 1, 1},  // lines with "(" are passed over
      {"a2\n\nb3\n", 2, 1, 1, 1},       // an empty line ends the section
      {"a2\nb100\nc3\n", 2, 1, 1, 1},   // so does a longer line without "("
      {"a2\nb-10\nc3\n", 2, 1, 1, 1},
      {"ax\nb\nc1x\nC+\n", 1, 1, 1, 1},  // values that are not integers are ignored
      {"(a)\na4\n", 4, 1, 1, 1},         // a line with "(" ends the relators and starts the phi section
  };
  for (const Case& c : cases) {
    auto read = ReadText(ReadFormatOne, "+a-b\n" + c.phiLines);
    ASSERT_TRUE(read.ok()) << c.phiLines;
    const auto& phi = read->phi;
    EXPECT_EQ((std::array<int32_t, 4>{phi[1], phi[2], phi[3], phi[29]}),
              (std::array<int32_t, 4>{c.a, c.b, c.c, c.generator29}))
        << c.phiLines;
    EXPECT_EQ(phi[52], 1);
  }
}

TEST(ReadFormatOne, RejectsWhatLiesBeyondTheTables) {
  auto full = ReadText(ReadFormatOne, Repeat("+a-a\n", 52) + "a1\n");
  ASSERT_TRUE(full.ok()) << full.error();
  EXPECT_EQ(full->relators.size(), 52u);

  auto tooMany = ReadText(ReadFormatOne, Repeat("+a-a\n", 53) + "a1\n");
  ASSERT_FALSE(tooMany.ok());
  EXPECT_EQ(tooMany.error(), "Too many relators");

  auto lastLetter = ReadText(ReadFormatOne, "+Z-Z\n");
  ASSERT_TRUE(lastLetter.ok()) << lastLetter.error();
  EXPECT_EQ(lastLetter->relators, (std::vector<Word>{"+" + Byte(52) + "-" + Byte(52)}));

  auto beyond = ReadText(ReadFormatOne, "+a-\xC3\n");
  ASSERT_FALSE(beyond.ok());
  EXPECT_EQ(beyond.error(), "Too many generators");
}

TEST(ReadFormatTwo, GeneratorsWithOptionalBracesAndInverses) {
  auto read = ReadText(ReadFormatTwo,
                       "Knot group\nfrom some program\n"
                       "x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\n"
                       " x_3 x_2^-1\r\n"
                       "x_{12}^{-1} x_52\n"
                       "x_2 ^-1 x_{4}^-1\n"
                       "\n"
                       "x_1\n");
  ASSERT_TRUE(read.ok()) << read.error();
  EXPECT_EQ(read->relators, (std::vector<Word>{"+c+b-c-a", "+c-b", "-l+" + Byte(52), "+b-d"}));
  for (int g = 1; g <= kMaxGenerators; ++g) EXPECT_EQ(read->phi[g], 1) << g;
}

TEST(ReadFormatTwo, ReportsTheFirstFailure) {
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"x_{0} x_1\n", kFormatTwoMessage},
      {"x_{a} x_1\n", kFormatTwoMessage},
      {"x_ x_1\n", kFormatTwoMessage},
      {"x_{53}\n", "Too many generators"},
      {"x_1 x_{0}\nx_{53}\n", kFormatTwoMessage},
      {"x_{99}\nx_0\n", "Too many generators"},
      // The relator table fills after the first failure: the failure stays the reported one.
      {"x_0\n" + Repeat("x_1 x_1^-1\n", 53), kFormatTwoMessage},
  };
  for (const Case& c : cases) {
    auto read = ReadText(ReadFormatTwo, c.text + "x_1 x_1^-1\n");
    ASSERT_FALSE(read.ok()) << c.text;
    EXPECT_EQ(read.error(), c.message) << c.text;
  }
  auto tooMany = ReadText(ReadFormatTwo, Repeat("x_1 x_1^-1\n", 53));
  ASSERT_FALSE(tooMany.ok());
  EXPECT_EQ(tooMany.error(), "Too many relators");
}

}  // namespace
}  // namespace quarvel
