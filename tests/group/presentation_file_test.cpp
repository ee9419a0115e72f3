#include "group/presentation_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace quarvel {
namespace {

constexpr const char* kFormatTwoMessage =
    "Can not read the relations, they have to be of the form \"x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\"";

struct Read {
  Presentation presentation;
  FailureState failure;
};

// Reads `text` with the given reader; phi starts away from 1 so that the reset shows.
Read ReadText(void (*reader)(std::istream&, Presentation&, FailureState&), const std::string& text) {
  Read result;
  result.presentation.phi.fill(7);
  std::istringstream in(text);
  reader(in, result.presentation, result.failure);
  return result;
}

std::vector<Word> Relators(const Presentation& p) {
  return {p.relators.begin() + 1, p.relators.begin() + 1 + p.relatorCount};
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
  Read plain = ReadText(ReadFormatOne, "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  EXPECT_EQ(Relators(plain.presentation), (std::vector<Word>{"-a-c+b+c", "-b-a+c+a"}));
  for (int g = 1; g <= kMaxGenerators; ++g) EXPECT_EQ(plain.presentation.phi[g], 1) << g;

  Read titled = ReadText(ReadFormatOne, "Trefoil knot group\n-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  EXPECT_EQ(Relators(titled.presentation), Relators(plain.presentation));

  // Comments and a single empty line stay inside the relator section; the written form is kept.
  Read comments = ReadText(ReadFormatOne, "#\n+2a-b\n# note (x)\n\n-A+a\r\na2\r\n");
  EXPECT_EQ(Relators(comments.presentation), (std::vector<Word>{"+2a-b", "-" + Byte(27) + "+a"}));
  EXPECT_EQ(comments.presentation.phi[1], 2);

  // A second empty line takes the place of the first and ends everything.
  Read twoEmpty = ReadText(ReadFormatOne, "-a+a\n\n\n-b+b\n");
  EXPECT_EQ(Relators(twoEmpty.presentation), (std::vector<Word>{"-a+a"}));
  EXPECT_FALSE(plain.failure.computationFailed || titled.failure.computationFailed ||
               comments.failure.computationFailed);
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
    Read read = ReadText(ReadFormatOne, "+a-b\n" + c.phiLines);
    const auto& phi = read.presentation.phi;
    EXPECT_EQ((std::array<int32_t, 4>{phi[1], phi[2], phi[3], phi[29]}),
              (std::array<int32_t, 4>{c.a, c.b, c.c, c.generator29}))
        << c.phiLines;
    EXPECT_EQ(phi[52], 1);
  }
}

TEST(ReadFormatOne, RejectsWhatLiesBeyondTheTables) {
  Read full = ReadText(ReadFormatOne, Repeat("+a-a\n", 52) + "a1\n");
  EXPECT_FALSE(full.failure.computationFailed);
  EXPECT_EQ(full.presentation.relatorCount, 52);

  Read tooMany = ReadText(ReadFormatOne, Repeat("+a-a\n", 53) + "a1\n");
  EXPECT_TRUE(tooMany.failure.computationFailed);
  EXPECT_EQ(tooMany.failure.errorMessage, "Too many relators");
  EXPECT_EQ(tooMany.presentation.relatorCount, 52);  // the 53rd is not stored

  Read lastLetter = ReadText(ReadFormatOne, "+Z-Z\n");
  EXPECT_FALSE(lastLetter.failure.computationFailed);
  EXPECT_EQ(Relators(lastLetter.presentation), (std::vector<Word>{"+" + Byte(52) + "-" + Byte(52)}));

  Read beyond = ReadText(ReadFormatOne, "+a-\xC3\n");
  EXPECT_TRUE(beyond.failure.computationFailed);
  EXPECT_EQ(beyond.failure.errorMessage, "Too many generators");
}

TEST(ReadFormatTwo, GeneratorsWithOptionalBracesAndInverses) {
  Read read = ReadText(ReadFormatTwo,
                       "Knot group\nfrom some program\n"
                       "x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\n"
                       " x_3 x_2^-1\r\n"
                       "x_{12}^{-1} x_52\n"
                       "x_2 ^-1 x_{4}^-1\n"
                       "\n"
                       "x_1\n");
  EXPECT_FALSE(read.failure.computationFailed) << read.failure.errorMessage;
  EXPECT_EQ(Relators(read.presentation), (std::vector<Word>{"+c+b-c-a", "+c-b", "-l+" + Byte(52), "+b-d"}));
  for (int g = 1; g <= kMaxGenerators; ++g) EXPECT_EQ(read.presentation.phi[g], 1) << g;
}

TEST(ReadFormatTwo, KeepsTheFirstFailureAndReadsOn) {
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
  };
  for (const Case& c : cases) {
    Read read = ReadText(ReadFormatTwo, c.text + "x_1 x_1^-1\n");
    EXPECT_TRUE(read.failure.computationFailed) << c.text;
    EXPECT_EQ(read.failure.errorMessage, c.message) << c.text;
    EXPECT_EQ(read.presentation.relators[read.presentation.relatorCount], "+a-a") << c.text;
  }
  Read tooMany = ReadText(ReadFormatTwo, Repeat("x_1 x_1^-1\n", 53));
  EXPECT_EQ(tooMany.failure.errorMessage, "Too many relators");
  EXPECT_EQ(tooMany.presentation.relatorCount, 52);
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
    dir.Write("group.txt", c.content);
    ReadPresentationFile(bench.wb);
    EXPECT_EQ(bench.wb.failure.errorMessage, c.failure) << c.content;
    EXPECT_EQ(Relators(bench.wb.presentation), c.relators) << c.content;
  }
}

}  // namespace
}  // namespace quarvel
