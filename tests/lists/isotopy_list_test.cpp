// The isotopy walk over a knot list: the next knot, the result line, "Repeated!" marks and the
// closing section, and whole list runs through the driver.

#include "lists/isotopy_list.h"

#include <gtest/gtest.h>

#include "e2e/cli_runner.h"
#include "front/start.h"
#include "group/knot_tables.h"
#include "isotopy/isotopy_driver.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;
using testing::Lines;
using testing::ReadWholeFile;
using testing::TempDir;

constexpr const char* kUndistinguished = "List of knots which could not be distinguished:";

struct ListBench {
  explicit ListBench(const std::string& content) : path(dir.Write("list.txt", content).string()) {
    wb.settings.isotopyGroup = "s3";
    wb.settings.currentPrime = 13;
  }

  // The lines of the list, written with LF as the list was.
  std::vector<std::string> FileLines() const {
    std::vector<std::string> lines = Lines(ReadWholeFile(path));
    for (const std::string& line : lines) EXPECT_FALSE(line.ends_with('\r')) << line;
    return lines;
  }

  // The knot on `line` is done: its product has the given degree and text, from `classes` classes.
  void Record(int64_t line, int32_t degree, const std::string& text, int64_t classes) {
    wb.isotopy.listLineNumber = line;
    wb.isotopy.productPolynomial = Polynomial{};
    PolySetCoefficient(wb.isotopy.productPolynomial, 0, 1);
    PolySetCoefficient(wb.isotopy.productPolynomial, degree, 1);
    wb.isotopy.productText.plain = text;
    wb.homomorphisms.newCount = classes;
    RecordIsotopyResult(wb, path);
    EXPECT_FALSE(wb.failure.computationFailed) << wb.failure.errorMessage;
  }

  TempDir dir;
  std::string path;
  Bench bench;
  Workbench& wb = bench.wb;
};

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

// The hash of the trefoil's full S_3 product text " 1+12t+t^3+12t^4 mod 13": lists keep it, so
// it must never change.
constexpr const char* kTrefoilHash = "  product hash 97af483425686a18";

// The line a knot named `name` gets for the trefoil's S_3 product over F_13.
std::string TrefoilLine(const std::string& name, const std::string& braid, int classes = 1) {
  const std::string line =
      Padded(name, 15) + ": degree = 4,    number of reps: " + Padded(std::to_string(classes) + ",", 3) + " ";
  return Padded(line, 50) + " Polynomial =  1+12t+t^3+12t^4 mod 13,  Braid: " + braid + kTrefoilHash;
}

// The mark goes after the name and its padding.
std::string Marked(const std::string& line) {
  const size_t colon = line.find(':');
  return line.substr(0, colon) + "Repeated! " + line.substr(colon);
}

TEST(ShortPolynomialText, AShortTextStaysWhole) {
  const std::string eighty = " 1" + std::string(78, '0');
  EXPECT_EQ(ShortPolynomialText(eighty), eighty);
  EXPECT_EQ(ShortPolynomialText(" 1+12t+t^3+12t^4 mod 13"), " 1+12t+t^3+12t^4 mod 13");
}

TEST(ShortPolynomialText, ALongTextIsCutAtTheSignsOfTerms) {
  std::string text = " 1";
  for (int e = 1; e <= 30; ++e) text += "+3t^" + std::to_string(e);
  text += " mod 13";
  // The first 30 characters end inside "+3t^6", the last 21 begin inside "+3t^28".
  EXPECT_EQ(ShortPolynomialText(text), " 1+3t^1+3t^2+3t^3+3t^4+3t^5+3t^6+....+3t^28+3t^29+3t^30 mod 13");
}

TEST(NextIsotopyKnot, PassesOverProcessedLinesAndComments) {
  ListBench list("% knots\n" + TrefoilLine("3_1", "{1,1,1}") +
                 "\nnot a knot\n4_1 Repeated!: new = 0, {-1,2,-1,2\nend\n");
  NextIsotopyKnot(list.wb, list.path);
  ASSERT_FALSE(list.wb.failure.computationFailed) << list.wb.failure.errorMessage;
  EXPECT_FALSE(list.wb.isotopy.listDone);
  EXPECT_EQ(list.wb.isotopy.listLineNumber, 4);
  EXPECT_EQ(list.wb.presentation.braidText, "{-1,2,-1,2}");  // the missing brace added
  EXPECT_EQ(list.bench.surface.PanelText(ComputationWindow::isotopy, kIsotopyHeaderPanel),
            "Knot number 4,  Name: knot4_1");
}

TEST(NextIsotopyKnot, AFinishedListIsDone) {
  ListBench list("% knots\n" + TrefoilLine("3_1", "{1,1,1}") + "\nend\n" + kUndistinguished +
                 "\n4_1 {-1,2,-1,2}\n");
  NextIsotopyKnot(list.wb, list.path);
  EXPECT_TRUE(list.wb.isotopy.listDone);
}

TEST(NextIsotopyKnot, BlankLinesHeadingsAndNotComputedKnotsArePassedOver) {
  ListBench list(
      TrefoilLine("3_1", "{1,1,1}") + "\n\nLegend: mirror images follow\n" +
      "bad:           not computed: Not a valid braid description  braid {1,x}\n\n4_1 {-1,2,-1,2}\n");
  NextIsotopyKnot(list.wb, list.path);
  EXPECT_FALSE(list.wb.isotopy.listDone);
  EXPECT_EQ(list.wb.isotopy.listLineNumber, 6);
}

TEST(NextIsotopyKnot, AnUnreadableBraidIsRecordedAndTheWalkGoesOn) {
  ListBench list("3_1 {1,1,1}\nbad {1,x}\n4_1 {-1,2,-1,2}\nend\nnote\n");
  list.wb.isotopy.listLineNumber = 1;
  list.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  NextIsotopyKnot(list.wb, list.path);
  ASSERT_FALSE(list.wb.failure.computationFailed) << list.wb.failure.errorMessage;
  EXPECT_EQ(list.wb.isotopy.listLineNumber, 3);
  EXPECT_EQ(list.FileLines(), (std::vector<std::string>{
                                  TrefoilLine("3_1", "{1,1,1}"),
                                  "bad:           not computed: Not a valid braid description  braid {1,x}",
                                  "4_1 {-1,2,-1,2}", "end", "note"}));
}

TEST(RecordIsotopyResult, WritesTheResultLineAndEnd) {
  ListBench list("% knots\n3_1:  {1,1,1}  (the trefoil)\n4_1 {-1,2,-1,2}\n");
  list.Record(2, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(list.FileLines(),
            (std::vector<std::string>{"% knots", TrefoilLine("3_1", "{1,1,1}"), "4_1 {-1,2,-1,2}", "end"}));
}

TEST(RecordIsotopyResult, KnotsWithDifferentClassCountsAreToldApart) {
  ListBench list("12_1344 {1,1,1}\n12_1345 {-1,-1,-1}\n");
  list.Record(1, 4, " 1+12t+t^3+12t^4", 18);
  list.Record(2, 4, " 1+12t+t^3+12t^4", 20);
  EXPECT_EQ(list.FileLines(), (std::vector<std::string>{TrefoilLine("12_1344", "{1,1,1}", 18),
                                                        TrefoilLine("12_1345", "{-1,-1,-1}", 20), "end"}));
}

TEST(RecordIsotopyResult, FullProductsAreComparedByTheirHashWhereLinesCarryOne) {
  // Two products longer than a line shows, equal in their shown text, different in the middle.
  std::string first = " 1", second = " 1";
  for (int e = 1; e <= 40; ++e) {
    first += "+3t^" + std::to_string(e);
    second += (e == 20 ? "+4t^" : "+3t^") + std::to_string(e);
  }
  ListBench list("a {1,1,1}\nb {-1,-1,-1}\nc {1,1,1,1,1}\n");
  list.Record(1, 30, first, 2);
  list.Record(2, 30, second, 2);
  std::vector<std::string> lines = list.FileLines();
  EXPECT_EQ(lines[0].find("Repeated"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1].find("Repeated"), std::string::npos) << lines[1];
  list.Record(3, 30, first, 2);
  lines = list.FileLines();
  EXPECT_NE(lines[0].find("a              Repeated! : "), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1].find("Repeated"), std::string::npos) << lines[1];

  // A line an older run wrote, without the hash, compares by the text it shows.
  const std::string old = lines[1].substr(0, lines[1].find("  product hash "));
  ListBench older(old + "\nd {1,1,1}\n");
  older.Record(2, 30, first, 2);
  EXPECT_NE(older.FileLines().at(0).find("Repeated! : "), std::string::npos);
}

TEST(RecordIsotopyResult, LongNamesAreMarkedAfterTheirEndAndNotesAfterEndStay) {
  ListBench list("a_knot_with_a_long_name {1,1,1}\nend\nfirst note\n" + std::string(kUndistinguished) +
                 "\nold Repeated! line\nlast note\n");
  list.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(list.FileLines(), (std::vector<std::string>{TrefoilLine("a_knot_with_a_long_name", "{1,1,1}"),
                                                        "end", "first note", "last note"}));
  ListBench twins("a_knot_with_a_long_name {1,1,1}\nsecond_knot_with_a_long_name {1,1,1}\nend\nnote\n");
  twins.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  twins.Record(2, 4, " 1+12t+t^3+12t^4", 1);
  const std::string first = Marked(TrefoilLine("a_knot_with_a_long_name", "{1,1,1}"));
  const std::string second = Marked(TrefoilLine("second_knot_with_a_long_name", "{1,1,1}"));
  EXPECT_TRUE(first.starts_with("a_knot_with_a_long_nameRepeated! : degree")) << first;
  EXPECT_EQ(twins.FileLines(),
            (std::vector<std::string>{first, second, "end", "note", kUndistinguished, first, second}));
  // A rerun of a long name marked "new" keeps the whole name.
  std::string rerun = second;
  rerun.replace(rerun.find("degree"), 6, "new");
  ListBench again(rerun + "\n");
  again.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(again.FileLines().at(0), TrefoilLine("second_knot_with_a_long_name", "{1,1,1}"));
}

TEST(RecordIsotopyResult, S1WritesTheUntwistedDegreeAndText) {
  ListBench list("4_1 {-1,2,-1,2}\n");
  list.wb.settings.isotopyGroup = "s1";
  list.wb.isotopy.untwistedDegree = 2;
  list.wb.isotopy.untwistedPolynomialText.plain = " 1+10t+t^2";
  list.Record(1, 0, "", 0);
  EXPECT_EQ(list.FileLines().at(0),
            "4_1            : degree = 2,     Polynomial =  1+10t+t^2 mod 13,  Braid: {-1,2,-1,2}"
            "  product hash 6c44d03e9eff325f");
}

TEST(RecordIsotopyResult, EqualProductsMarkBothLinesAndListThem) {
  ListBench list("3_1 {-1,-1,-1}\n% " + TrefoilLine("x", "{}") + "\n4_1 {-1,2,-1,2}\n3_1m {1,1,1}\n");
  const std::string trefoil = " 1+12t+t^3+12t^4";
  list.Record(1, 4, trefoil, 1);
  list.Record(3, 0, "1", 0);
  list.Record(4, 4, trefoil, 1);
  const std::string first = Marked(TrefoilLine("3_1", "{-1,-1,-1}"));
  const std::string mirror = Marked(TrefoilLine("3_1m", "{1,1,1}"));
  const std::vector<std::string> lines = list.FileLines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], "% " + TrefoilLine("x", "{}"));  // comments are not compared
  EXPECT_EQ(lines[3], mirror);
  EXPECT_EQ((std::vector<std::string>(lines.begin() + 4, lines.end())),
            (std::vector<std::string>{"end", kUndistinguished, first, mirror}));
}

TEST(RecordIsotopyResult, AMarkedLineIsNotMarkedTwiceAndTheSectionIsMadeAnew) {
  ListBench list("a {1,1,1}\nb {-1,-1,-1}\nc {1,1,1,1,1,1}\n");
  const std::string trefoil = " 1+12t+t^3+12t^4";
  list.Record(1, 4, trefoil, 1);
  list.Record(2, 4, trefoil, 1);
  list.Record(3, 4, trefoil, 1);
  const std::vector<std::string> lines = list.FileLines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], Marked(TrefoilLine("a", "{1,1,1}")));
  EXPECT_EQ(lines[2], Marked(TrefoilLine("c", "{1,1,1,1,1,1}")));
  EXPECT_EQ(lines[4], kUndistinguished);
  EXPECT_EQ((std::vector<std::string>(lines.begin() + 5, lines.end())),
            (std::vector<std::string>(lines.begin(), lines.begin() + 3)));
}

TEST(RecordIsotopyResult, ARecomputedLineKeepsItsNameBeforeNew) {
  std::string line = Marked(TrefoilLine("3_1", "{1,1,1}"));
  line.replace(line.find("degree"), 6, "new");
  ListBench list(line + "\n");
  list.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(list.FileLines(), (std::vector<std::string>{TrefoilLine("3_1", "{1,1,1}"), "end"}));
}

TEST(RecordIsotopyResult, NothingIsWrittenOnceTheUserLeft) {
  ListBench list("3_1 {1,1,1}\n");
  list.wb.panels.flags.stopRequested = true;
  list.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(ReadWholeFile(list.path), "3_1 {1,1,1}\n");
}

TEST(RecordIsotopyResult, KeepsKnotsAfterAnEmptyLine) {
  ListBench list("3_1 {1,1,1}\n\n4_1 {-1,2,-1,2}\n");
  list.Record(1, 4, " 1+12t+t^3+12t^4", 1);
  EXPECT_EQ(list.FileLines(),
            (std::vector<std::string>{TrefoilLine("3_1", "{1,1,1}"), "", "4_1 {-1,2,-1,2}", "end"}));
}

// A whole run through the driver, as Start runs it, on the list "list.txt" in `dir`.
void RunList(Bench& bench, const TempDir& dir, int group) {
  MainWindowOptions options = DefaultMainWindowOptions();
  options.isotopyMode = true;
  options.pickedDirectory = dir.directory();
  options.pickedName = "list.txt";
  options.reptypeIsotopy = group;
  options.savetypeIsotopy = 2;
  ASSERT_TRUE(TakeStartSettings(options, bench.wb));
  RunIsotopy(bench.wb);
}

constexpr int kS1 = 0;
constexpr int kS3 = 1;

std::string Panel(const Bench& bench, int panel) {
  return bench.surface.PanelText(ComputationWindow::isotopy, panel);
}

std::string TableLine(const std::string& name) {
  return name + " " + std::string(KnotBraid(FindKnot(name).knotList));
}

TEST(IsotopyListRun, TellsTheFigureEightFromTheTrefoilsAndRerunsDoNothing) {
  TempDir dir;
  auto path = dir.Write(
      "list.txt", "% trefoils and the figure eight\n3_1 {-1,-1,-1}\n4_1 {-1,2,-1,2}\n3_1m {1,1,1}\nend\n");
  Bench bench;
  RunList(bench, dir, kS3);
  ASSERT_FALSE(bench.wb.failure.computationFailed) << bench.wb.failure.errorMessage;
  EXPECT_EQ(Panel(bench, 1), "Computed all knots in the list");
  const std::string done = ReadWholeFile(path);
  const std::vector<std::string> lines = Lines(done);
  ASSERT_EQ(lines.size(), 8u) << done;
  EXPECT_EQ(lines[1], Marked(TrefoilLine("3_1", "{-1,-1,-1}")));
  EXPECT_TRUE(lines[2].starts_with("4_1            : degree = 0,    number of reps: 0,")) << lines[2];
  EXPECT_EQ(lines[5], std::string(kUndistinguished));

  Bench again;
  RunList(again, dir, kS3);
  EXPECT_EQ(Panel(again, 1), "Computed all knots in the list");
  EXPECT_EQ(Panel(again, 2), "");
  EXPECT_EQ(ReadWholeFile(path), done);
}

TEST(IsotopyListRun, S1ComparesTheAlexanderPolynomials) {
  // 6_1 and 9_46 share the Alexander polynomial 2 - 5t + 2t^2; 4_1 does not.
  TempDir dir;
  auto path =
      dir.Write("list.txt", TableLine("6_1") + "\n" + TableLine("4_1") + "\n" + TableLine("9_46") + "\n");
  Bench bench;
  RunList(bench, dir, kS1);
  const std::vector<std::string> lines = Lines(ReadWholeFile(path));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_TRUE(lines[0].starts_with("6_1            Repeated! : degree = 2,")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("4_1            : degree = 2,")) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("9_46           Repeated! : degree = 2,")) << lines[2];
}

TEST(IsotopyListRun, ABadBraidIsRecordedAndTheRunGoesOnToTheEnd) {
  TempDir dir;
  auto path = dir.Write("list.txt", "3_1 {-1,-1,-1}\nbad {1,0}\n4_1 {-1,2,-1,2}\n");
  Bench bench;
  RunList(bench, dir, kS3);
  ASSERT_FALSE(bench.wb.failure.computationFailed) << bench.wb.failure.errorMessage;
  EXPECT_EQ(Panel(bench, 1), "Computed all knots in the list");
  const std::vector<std::string> lines = Lines(ReadWholeFile(path));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "bad:           not computed: Not a valid braid description  braid {1,0}");
  EXPECT_TRUE(lines[2].starts_with("4_1            : degree = 0,")) << lines[2];
}

}  // namespace
}  // namespace quarvel
