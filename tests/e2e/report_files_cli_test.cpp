// The report files of quarvel-cli runs: byte-for-byte golden files, LaTeX reports that pdflatex
// compiles, and GAP programs whose D agrees with the twisted polynomial of the same evaluation.
//
// Golden files live in tests/e2e/golden/<case>/. After a deliberate change of a report, rewrite
// them with QUARVEL_UPDATE_GOLDEN=1 and read the difference line by line before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "e2e/cli_runner.h"
#include "reports/report_test_support.h"

namespace quarvel::testing {
namespace {

const char* const kReportNames[] = {"quarvel_results.txt", "quarvel_latex.tex", "quarvel_matrix.txt",
                                    "quarvel_matrix_gap.txt"};

std::filesystem::path GoldenDir(const std::string& name) {
  return std::filesystem::path(QUARVEL_SOURCE_DIR) / "tests" / "e2e" / "golden" / name;
}

// Runs a shell command inside `dir`, its output into dir/<log>; the exit status.
int RunIn(const std::filesystem::path& dir, const std::string& command, const std::string& log) {
  std::string line = "cd " + ShellQuote(dir.string()) + " && " + command + " >" + ShellQuote(log) + " 2>&1";
  int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct GoldenCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> files;  // the report files the run leaves, no more and no fewer
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
  *out << c.name;
}

class GoldenReports : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenReports, FilesMatchTheirGoldenCopiesByteForByte) {
  const GoldenCase& c = GetParam();
  TempDir dir;
  CliResult run = RunCliIn(dir.path(), c.args);
  ASSERT_EQ(run.exitStatus, 0) << run.err << run.out;
  for (const char* name : kReportNames) {
    bool expected = std::find(c.files.begin(), c.files.end(), name) != c.files.end();
    EXPECT_EQ(std::filesystem::exists(dir.path() / name), expected) << name;
  }
  for (const std::string& name : c.files) {
    const std::string written = ReadWholeFile(dir.path() / name);
    CrLfLines(written);  // every line ends with CR LF
    EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](char ch) { return ch > 0; }))
        << name << ": not ASCII";
    const std::filesystem::path golden = GoldenDir(c.name) / name;
    if (std::getenv("QUARVEL_UPDATE_GOLDEN") != nullptr) {
      std::filesystem::create_directories(golden.parent_path());
      std::ofstream(golden, std::ios::binary) << written;
      continue;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    EXPECT_EQ(written, ReadWholeFile(golden)) << name << " differs from " << golden;
  }
}

INSTANTIATE_TEST_SUITE_P(
    NormRuns, GoldenReports,
    ::testing::Values(
        GoldenCase{"trefoil_results_matrix",
                   {"norm", "--knot", "3_1", "--rep", "sk-z", "--save", "results", "--matrix", "matrix",
                    "--cycles", "3"},
                   {"quarvel_results.txt", "quarvel_matrix.txt"}},
        GoldenCase{
            "trefoil_latex_gap",
            {"norm", "--knot", "3_1", "--rep", "sk-z", "--save", "latex", "--matrix", "gap", "--cycles", "3"},
            {"quarvel_latex.tex", "quarvel_matrix_gap.txt"}},
        GoldenCase{"trefoil_none", {"norm", "--knot", "3_1", "--save", "none", "--cycles", "3"}, {}},
        GoldenCase{"conway_results_matrix",
                   {"norm", "--knot", "11_401", "--save", "results", "--matrix", "matrix", "--cycles", "3"},
                   {"quarvel_results.txt", "quarvel_matrix.txt"}},
        GoldenCase{"conway_latex_gap",
                   {"norm", "--knot", "11_401", "--save", "latex", "--matrix", "gap", "--cycles", "3"},
                   {"quarvel_latex.tex", "quarvel_matrix_gap.txt"}},
        GoldenCase{"conway_none", {"norm", "--knot", "11_401", "--save", "none", "--cycles", "3"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The isotopy report is written once, at the end of a completed run; "s1" writes none.
INSTANTIATE_TEST_SUITE_P(
    IsotopyRuns, GoldenReports,
    ::testing::Values(
        GoldenCase{"figure_eight_s4_results",
                   {"isotopy", "--knot", "4_1", "--group", "s4", "--save", "results"},
                   {"quarvel_results.txt"}},
        GoldenCase{
            "figure_eight_s4_latex", {"isotopy", "--knot", "4_1", "--group", "s4"}, {"quarvel_latex.tex"}},
        GoldenCase{
            "figure_eight_s4_none", {"isotopy", "--knot", "4_1", "--group", "s4", "--save", "none"}, {}},
        GoldenCase{"figure_eight_s1", {"isotopy", "--knot", "4_1", "--group", "s1", "--save", "latex"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs that exercise each part of the LaTeX report; `feature` is a line the report must contain.
struct LatexCase {
  const char* name;
  std::vector<std::string> args;
  std::string feature;
};

void PrintTo(const LatexCase& c, std::ostream* out) {
  *out << c.name;
}

class LatexReports : public ::testing::TestWithParam<LatexCase> {};

TEST_P(LatexReports, CompileWithPdflatex) {
  const LatexCase& c = GetParam();
  TempDir dir;
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {"--save", "latex", "--time-limit", "50"});
  CliResult run = RunCliIn(dir.path(), args);
  ASSERT_EQ(run.exitStatus, 0) << run.err << run.out;
  std::vector<std::string> lines = ReportLinesOf(dir.path() / "quarvel_latex.tex");
  EXPECT_TRUE(HasLine(lines, c.feature));
  EXPECT_EQ(lines.back(), "\\end{document}");

  int status =
      RunIn(dir.path(), "timeout 120 pdflatex -interaction=nonstopmode -halt-on-error quarvel_latex.tex",
            "pdflatex.out");
  std::string log = ReadWholeFile(dir.path() / "pdflatex.out");
  ASSERT_NE(status, 127) << "pdflatex is not installed (scripts/install-deps.sh installs it)";
  EXPECT_EQ(status, 0) << log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "quarvel_latex.pdf"));
}

INSTANTIATE_TEST_SUITE_P(
    NormRuns, LatexReports,
    ::testing::Values(
        LatexCase{"Knot",
                  {"norm", "--knot", "3_1", "--cycles", "2"},
                  "\\\\ \\\\ { \\bf{Last representation computed:}} \\\\"},
        LatexCase{"LinkWithPhi",
                  {"norm", "--braid", "{1,1,1,1}", "--cycles", "2"},
                  "The homomorphism $\\phi$ is given by"},
        LatexCase{"ClosedByZeroSurgery",
                  {"norm", "--knot", "3_1", "--zero-surgery", "--cycles", "2"},
                  "\\noindent Presentation of $\\pi_1(M)$:"},
        LatexCase{"ComparedFields",
                  {"norm", "--knot", "4_1", "--compare-fields", "2,3,5", "--cycles", "2"},
                  "\\[ \\begin{array}{l}"},
        LatexCase{"TenRowDiagonal",
                  {"norm", "--knot", "4_1", "--rep", "sk-z", "--size", "5", "--cycles", "1"},
                  "_{\\cdot}\\hspace{-0.2cm}&_{\\cdot}\\hspace{-0.2cm}&_{\\cdot}\\hspace{-0.2cm}&_{\\cdot}"
                  "\\hspace{-0.2cm}"
                  "&_{\\cdot}\\hspace{-0.2cm}\\\\"},
        LatexCase{"BothBlocksAndAContinuedDiagonalEntry",
                  {"norm", "--knot", "11_401", "--cycles", "3"},
                  "\\\\ {\\bf{Representation which shows that the knot is not fibered:} }"},
        LatexCase{"Metabelian",
                  {"norm", "--knot", "5_2", "--rep", "metabelian", "--cycles", "2"},
                  "\\[ \\begin{array}{rcl}"},
        LatexCase{"Abelian",
                  {"norm", "--knot", "5_2", "--rep", "abelian", "--cycles", "2"},
                  "Representation $\\pi_1(S^3\\setminus K) \\to  (\\Bbb{F}_13)^*$:"},
        LatexCase{"SkRepresentation",
                  {"norm", "--knot", "3_1", "--rep", "sk-regular", "--cycles", "2"},
                  "Representation $\\pi_1(S^3\\setminus K) \\to S_3 \\to \\mbox{Aut}(\\Bbb{Z}[S_3])$"},
        LatexCase{"IntegralPermutationsWithIntegerTexts",
                  {"norm", "--knot", "3_1", "--rep", "sk-z", "--cycles", "3"},
                  "The Wada-invariant is given by:"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    IsotopyRuns, LatexReports,
    ::testing::Values(
        LatexCase{"WithClasses",
                  {"isotopy", "--knot", "5_2", "--group", "s5", "--field", "7"},
                  "(Note that the elements in $S_5$ are written in permutation form.)"},
        LatexCase{"WithoutClasses",
                  {"isotopy", "--knot", "4_1", "--group", "s3"},
                  "There are 0 equivalence classes of non--abelian homomorphisms $\\pi_1(S^3\\setminus "
                  "K) \\to S_3$.\\\\"}),
    [](const auto& info) { return std::string(info.param.name); });

// A polynomial over F_p as coefficients from t^0 up, divided by its lowest power of t and by its
// lowest coefficient, so that two polynomials that differ by a unit of F_p[t, t^-1] compare equal.
std::vector<int> Normalised(std::vector<int> c, int p) {
  while (!c.empty() && c.back() == 0) c.pop_back();
  auto first = std::find_if(c.begin(), c.end(), [](int x) { return x != 0; });
  c.erase(c.begin(), first);
  if (c.empty()) return c;
  int inverse = 1;
  while (inverse * c[0] % p != 1) ++inverse;
  for (int& x : c) x = x * inverse % p;
  return c;
}

// The coefficients of a polynomial text such as " 1+12t+t^3" (terms "+", coefficient, power).
std::vector<int> ParsePolynomialText(std::string text) {
  std::vector<int> c;
  if (!text.empty() && text[0] == ' ') text[0] = '+';
  size_t at = 0;
  while (at < text.size() && text[at] == '+') {
    size_t end = text.find('+', at + 1);
    std::string term = text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    size_t t = term.find('t');
    int coefficient = t == 0 ? 1 : std::stoi(term.substr(0, t));
    int exponent = t == std::string::npos ? 0 : t + 1 == term.size() ? 1 : std::stoi(term.substr(t + 2));
    if (static_cast<int>(c.size()) <= exponent) c.resize(exponent + 1, 0);
    c[exponent] = coefficient;
    at = end == std::string::npos ? text.size() : end;
  }
  return c;
}

class GapPrograms : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(GapPrograms, ComputeTheTwistedPolynomialOfTheSameEvaluation) {
  TempDir dir;
  std::vector<std::string> args = GetParam();
  args.insert(args.end(), {"--save", "results", "--matrix", "gap"});
  CliResult run = RunCliIn(dir.path(), args);
  ASSERT_EQ(run.exitStatus, 0) << run.err << run.out;

  // The last representation's polynomial, as the results file states it: " ... in F_p[t]".
  std::vector<std::string> lines = ReportLinesOf(dir.path() / "quarvel_results.txt");
  auto last = std::find(lines.begin(), lines.end(), "Last representation computed:");
  auto equals = std::find(last, lines.end(), "The twisted Alexander polynomial equals");
  ASSERT_NE(equals + 1, lines.end());
  const std::string& stated = *(equals + 1);
  size_t in = stated.find(" in F_");
  ASSERT_NE(in, std::string::npos) << stated;
  const int p = std::stoi(stated.substr(in + 6));
  std::vector<int> expected = Normalised(ParsePolynomialText(stated.substr(0, in)), p);
  ASSERT_FALSE(expected.empty()) << stated;

  std::ofstream(dir.path() / "print_d.g")
      << "Read(\"quarvel_matrix_gap.txt\");\nPrint(D, \"\\n\");\n"
         "Print(List(CoefficientsOfUnivariatePolynomial(D), IntFFE), \"\\n\");\nQUIT;\n";
  int status = RunIn(dir.path(), "timeout 120 gap -q print_d.g </dev/null", "gap.out");
  std::string out = ReadWholeFile(dir.path() / "gap.out");
  ASSERT_NE(status, 127) << "gap is not installed (scripts/install-deps.sh installs it)";
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out.find("Error"), std::string::npos) << out;
  std::vector<std::string> printed = Lines(out);
  ASSERT_FALSE(printed.empty()) << out;
  std::string list = printed.back();  // "[ c0, c1, ... ]"
  ASSERT_TRUE(list.starts_with("[") && list.ends_with("]")) << out;
  std::vector<int> d;
  for (char& ch : list) {
    if (ch == '[' || ch == ']' || ch == ',') ch = ' ';
  }
  std::istringstream numbers(list);
  for (int x; numbers >> x;) d.push_back(x);
  EXPECT_EQ(Normalised(d, p), expected) << "D printed by GAP:\n" << out << "stated: " << stated;
}

INSTANTIATE_TEST_SUITE_P(
    NormRuns, GapPrograms,
    ::testing::Values(
        std::vector<std::string>{"norm", "--knot", "3_1", "--cycles", "1"},
        std::vector<std::string>{"norm", "--knot", "4_1", "--size", "4", "--cycles", "2"},
        std::vector<std::string>{"norm", "--knot", "11_401", "--cycles", "2"},
        std::vector<std::string>{"norm", "--knot", "5_2", "--rep", "metabelian", "--cycles", "1"},
        std::vector<std::string>{"norm", "--knot", "6_2", "--rep", "sk-z", "--field", "5", "--cycles", "1"},
        std::vector<std::string>{"norm", "--braid", "{1,1,1,1}", "--field", "7", "--cycles", "2"}),
    [](const auto& info) { return "Run" + std::to_string(info.index); });

TEST(ReportFilesCli, EveryRunWritesItsFilesAnewInTheWorkingDirectory) {
  TempDir dir;
  dir.Write("quarvel_results.txt", std::string(5000, 'x') + "\r\n");
  dir.Write("quarvel_matrix.txt", std::string(5000, 'x') + "\r\n");
  CliResult run = RunCliIn(
      dir.path(), {"norm", "--knot", "3_1", "--save", "results", "--matrix", "matrix", "--cycles", "1"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const char* name : {"quarvel_results.txt", "quarvel_matrix.txt"}) {
    std::vector<std::string> lines = ReportLinesOf(dir.path() / name);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Presentation of pi_1(S^3\\K):") << name;
  }
  // The untwisted pass alone writes the matrix file (k = 1) but no results file.
  TempDir untwisted;
  run = RunCliIn(untwisted.path(),
                 {"norm", "--knot", "3_1", "--save", "results", "--matrix", "matrix", "--cycles", "0"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(untwisted.path() / "quarvel_results.txt"));
  EXPECT_TRUE(HasLine(ReportLinesOf(untwisted.path() / "quarvel_matrix.txt"),
                      "The representation matrix for H_1(M,pt,F_13^1[t^-1,t]) given by"));
}

// Two runs in one folder with their own --output-dir keep both sets of files; the knot files of a
// braid file go there too, and the pointer to the LaTeX report names its path.
TEST(ReportFilesCli, EachRunWritesItsFilesInItsOutputDirectory) {
  TempDir dir;
  dir.Write("twist.txt", "{1,1,1}\n");
  const CliResult first = RunCliIn(dir.path(), {"norm", "--knot", "3_1", "--output-dir", "runs/first",
                                                "--matrix", "gap", "--cycles", "1"});
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  const CliResult second =
      RunCliIn(dir.path(), {"norm", "--file", "twist.txt", "--output-dir", "second", "--cycles", "1"});
  ASSERT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_NE(first.out.find("More details can be found in the file: runs/first/quarvel_latex.tex"),
            std::string::npos);
  for (const char* file :
       {"runs/first/quarvel_latex.tex", "runs/first/quarvel_matrix_gap.txt", "second/quarvel_latex.tex",
        "second/knottwist.txt.txt", "second/mfdtwist.txt.txt"}) {
    EXPECT_FALSE(ReportLinesOf(dir.path() / file).empty()) << file;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "quarvel_latex.tex"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "knottwist.txt.txt"));
  const CliResult blocked = RunCliIn(dir.path(), {"norm", "--knot", "3_1", "--output-dir", "twist.txt/x"});
  EXPECT_EQ(blocked.exitStatus, 1);
  EXPECT_NE(blocked.err.find("Can not create the directory twist.txt/x"), std::string::npos) << blocked.err;
}

// ---- writes that fail ----

// A file in the way of a report: a full device, or a folder where the file should be.
enum class Obstacle { fullDevice, folder };

void Obstruct(const std::filesystem::path& file, Obstacle obstacle) {
  if (obstacle == Obstacle::fullDevice) {
    std::filesystem::create_symlink("/dev/full", file);
  } else {
    std::filesystem::create_directories(file);
  }
}

struct FailedWrite {
  const char* name;
  std::vector<std::string> args;
  std::string file;  // the file the run cannot write, in its working directory
};

void PrintTo(const FailedWrite& c, std::ostream* out) {
  *out << c.name;
}

class FailedWrites : public ::testing::TestWithParam<FailedWrite> {};

TEST_P(FailedWrites, EndTheRunWithTheNameOfTheFile) {
  const FailedWrite& c = GetParam();
  for (Obstacle obstacle : {Obstacle::fullDevice, Obstacle::folder}) {
    TempDir dir;
    dir.Write("tref.txt", "{1,1,1}\n");
    Obstruct(dir.path() / c.file, obstacle);
    CliResult run = RunCliIn(dir.path(), c.args);
    EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find("ERROR: Can not write the file " + c.file), std::string::npos)
        << run.out << run.err;
    EXPECT_EQ(run.out.find("More details can be found"), std::string::npos) << run.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedWrites,
    ::testing::Values(
        FailedWrite{"Results",
                    {"norm", "--knot", "3_1", "--save", "results", "--cycles", "2"},
                    "quarvel_results.txt"},
        FailedWrite{
            "Latex", {"norm", "--knot", "3_1", "--save", "latex", "--cycles", "2"}, "quarvel_latex.tex"},
        FailedWrite{"Matrix",
                    {"norm", "--knot", "3_1", "--save", "none", "--matrix", "matrix", "--cycles", "2"},
                    "quarvel_matrix.txt"},
        FailedWrite{"Gap",
                    {"norm", "--knot", "3_1", "--save", "none", "--matrix", "gap", "--cycles", "2"},
                    "quarvel_matrix_gap.txt"},
        FailedWrite{"IsotopyResults",
                    {"isotopy", "--knot", "4_1", "--group", "s4", "--save", "results"},
                    "quarvel_results.txt"},
        FailedWrite{"IsotopyLatex", {"isotopy", "--knot", "4_1", "--group", "s4"}, "quarvel_latex.tex"},
        // A braid file exports the knot and its 0-surgery next to it.
        FailedWrite{"Export", {"show", "--file", "tref.txt"}, "knottref.txt.txt"},
        FailedWrite{"Transcript", {"show", "--knot", "3_1", "--transcript", "calls.tsv"}, "calls.tsv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailedWrites, StandardOutputThatCannotBeWrittenIsAnError) {
  const std::string cli = ShellQuote(QUARVEL_CLI);
  for (const std::string command :
       {"norm --knot 3_1 --save none --cycles 1", "show --knot 3_1", "knots --examples"}) {
    TempDir dir;
    int status = RunIn(dir.path(), "{ " + cli + " " + command + " >/dev/full; }", "err.txt");
    EXPECT_EQ(status, 1) << command;
    EXPECT_NE(ReadWholeFile(dir.path() / "err.txt").find("ERROR: Can not write the standard output"),
              std::string::npos)
        << command;
  }
}

// The panel names the report by the name it is written under, once it is there.
TEST(FailedWrites, ThePointerToTheReportNamesTheFileWritten) {
  TempDir dir;
  CliResult run = RunCliIn(dir.path(), {"norm", "--knot", "3_1", "--cycles", "1"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 2), "More details can be found in the file: quarvel_latex.tex")) << run.out;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "quarvel_latex.tex"));
}

// ---- reports ----

// A relator "+0a" is empty and prints as an empty line; the blocks kept from earlier versions of
// the results file must survive it. The Conway knot's first representations show non-fibering
// and the best bound, the third copies both blocks.
TEST(ReportReadBack, AnEmptyRelatorLineKeepsTheEarlierBlocks) {
  TempDir dir;
  dir.Write("conway.txt", "{1,2,2,-3,1,-3,1,-2,1,-2,-3}\n");
  ASSERT_EQ(RunCliIn(dir.path(), {"show", "--file", "conway.txt"}).exitStatus, 0);
  std::string exported = ReadWholeFile(dir.path() / "knotconway.txt.txt");
  size_t phiLines = exported.find("\r\na1\r\n");
  ASSERT_NE(phiLines, std::string::npos);
  dir.Write("group.txt", exported.insert(phiLines, "\r\n+0a"));
  CliResult run = RunCliIn(dir.path(), {"norm", "--file", "group.txt", "--save", "results", "--cycles", "3"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines = ReportLinesOf(dir.path() / "quarvel_results.txt");
  ASSERT_TRUE(HasLine(lines, "")) << "no empty relator line";
  EXPECT_TRUE(HasLine(lines, "Representation which shows that the knot is not fibered"));
  EXPECT_TRUE(HasLine(lines, "Representation which gives the best bound on the genus of K"));
}

// The mutants entries carry a note after the braid; the report shows it as text.
TEST(ReportReadBack, ABraidWithANoteGivesALatexReportThatCompiles) {
  TempDir dir;
  CliResult run =
      RunCliIn(dir.path(), {"norm", "--braid", "{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)", "--save",
                            "latex", "--cycles", "1"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines = ReportLinesOf(dir.path() / "quarvel_latex.tex");
  EXPECT_TRUE(
      HasLine(lines, "\\noindent {\\bf{Braid: $\\{{1,2,2,-3,1,-3,1,-2,1,-2,-3}\\}$ (Conway knot).}} \\\\"));
  int status =
      RunIn(dir.path(), "timeout 120 pdflatex -interaction=nonstopmode -halt-on-error quarvel_latex.tex",
            "pdflatex.out");
  ASSERT_NE(status, 127) << "pdflatex is not installed";
  EXPECT_EQ(status, 0) << ReadWholeFile(dir.path() / "pdflatex.out");
}

// "non-abelian" only when only the non-abelian homomorphisms were counted.
TEST(ReportReadBack, TheIsotopyReportSaysWhichHomomorphismsItCounted) {
  for (bool all : {false, true}) {
    TempDir dir;
    std::vector<std::string> args = {"isotopy", "--knot", "3_1", "--group", "s3", "--save", "results"};
    if (all) args.push_back("--all-homomorphisms");
    CliResult run = RunCliIn(dir.path(), args);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    std::vector<std::string> lines = ReportLinesOf(dir.path() / "quarvel_results.txt");
    auto count = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& line) { return line.starts_with("There are "); });
    ASSERT_NE(count, lines.end());
    EXPECT_EQ(count->find("non-abelian") != std::string::npos, !all) << *count;
  }
}

}  // namespace
}  // namespace quarvel::testing
