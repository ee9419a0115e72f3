// End-to-end runs of quarvel-cli: the panels it prints, the files it writes, the settings a dry run
// derives and the usage errors it refuses.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <regex>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/cli_runner.h"

namespace quarvel::testing {
namespace {

// Each parameterised case shows as its `name` field.
template <typename Param>
requires requires(const Param& p) {
  p.name;
}
void PrintTo(const Param& param, std::ostream* out) {
  *out << param.name;
}

struct ByName {
  template <typename Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
    return info.param.name;
  }
};

std::string RepeatedBraid(const std::string& letter, int count) {
  std::string text = "{";
  for (int i = 0; i < count; ++i) text += (i == 0 ? "" : ",") + letter;
  return text + "}";
}

const std::string kTrefoil = "{1,1,1}";

// ---- braids shown on the panels ----

struct ShownBraid {
  std::string name;
  std::vector<std::string> args;
  std::string caption;                    // panel 5
  std::vector<std::string> presentation;  // panel 7 up to the last relator
  std::string phi;
};

class CliShowBraid : public ::testing::TestWithParam<ShownBraid> {};

TEST_P(CliShowBraid, CaptionPresentationAndPhi) {
  const ShownBraid& braid = GetParam();
  std::vector<std::string> args = {"show", "--braid"};
  args.insert(args.end(), braid.args.begin(), braid.args.end());
  CliResult run = RunCli(args);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(Panel(run, 5), std::vector<std::string>{braid.caption});
  std::vector<std::string> expected = braid.presentation;
  expected.push_back("The homomorphism phi is given by");
  expected.push_back(braid.phi);
  EXPECT_EQ(Panel(run, 7), expected);
  EXPECT_EQ(Panel(run, 1), std::vector<std::string>{});
  EXPECT_NE(run.out.find("--- simplified presentation ---\nThe program substituted\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Braids, CliShowBraid,
    ::testing::Values(
        // Crossing 1: b passes under a and becomes c; crossing 2: a under c becomes b; the last
        // crossing gives no relator.
        ShownBraid{"Trefoil",
                   {kTrefoil},
                   "Knot is closure of the braid {1,1,1}",
                   {"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                    "The relators are as follows:", "-b-a+c+a", "-a-c+b+c"},
                   "a -> 1 b -> 1 c -> 1"},
        // The strand entering at position 4 runs over to position 3, so the arcs 3, 4 and the one
        // leaving the last crossing are one generator: three arcs, and the longitude closes up.
        ShownBraid{"BlankSeparatedUnknot",
                   {"1 2 -3"},
                   "Knot is closure of the braid {1,2,-3}",
                   {"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                    "The relators are as follows:", "-b-a+a+a", "-c-a+b+a"},
                   "a -> 1 b -> 1 c -> 1"},
        // The first component passes under one crossing of two.
        ShownBraid{"HopfLink",
                   {"{1,1}"},
                   "Link is closure of the braid {1,1}",
                   {"Presentation of pi_1(S^3\\L):", "The generators are a, b",
                    "The relators are as follows:", "-b-a+b+a"},
                   "a -> 1 b -> 1"},
        // Strand 1 meets no crossing: its generator a gets +a-a, and the arc label 4 above m = 3
        // becomes a fourth generator.
        ShownBraid{"UntouchedStrand",
                   {"{2,2,2}"},
                   "Link is closure of the braid {2,2,2}",
                   {"Presentation of pi_1(S^3\\L):", "The generators are a, b, c, d",
                    "The relators are as follows:", "-c-b+d+b", "-b-d+c+d", "+a-a"},
                   "a -> 1 b -> 1 c -> 1 d -> 1"},
        // The first strand passes under c, a, b at three positive crossings; +a three times undoes
        // the writhe.
        ShownBraid{"ZeroSurgeryAddsLongitude",
                   {kTrefoil, "--zero-surgery"},
                   "M is 0-surgery along the knot which is the closure of the braid {1,1,1}",
                   {"Presentation of pi_1(M):", "The generators are a, b, c",
                    "The relators are as follows:", "-b-a+c+a", "-a-c+b+c", "-c-a-b+a+a+a"},
                   "a -> 1 b -> 1 c -> 1"}),
    ByName());

struct BraidFault {
  std::string name;
  std::string braid;
  std::string message;
};

class CliBraidLimits : public ::testing::TestWithParam<BraidFault> {};

TEST_P(CliBraidLimits, StopWithErrorOnPanel1) {
  CliResult run = RunCli({"show", "--braid", GetParam().braid});
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 1), "ERROR: " + GetParam().message));
  EXPECT_EQ(run.out.find("--- simplified presentation ---"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, CliBraidLimits,
                         ::testing::Values(BraidFault{"Fraction", "{1.5}", "Not a valid braid description"},
                                           BraidFault{"LetterZero", "{0}", "Not a valid braid description"},
                                           BraidFault{"ThirtyTwoStrands", "{31}",
                                                      "Braid description has to many strands"},
                                           BraidFault{"FortyEightCrossings", RepeatedBraid("1", 48),
                                                      "Braid has to many crossings"}),
                         ByName());

// ---- presentation files ----

class CliShowFile : public ::testing::Test {
 protected:
  CliResult Show(const std::string& name, const std::string& content, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"show", "--file", dir.Write(name, content).string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCliIn(dir.path(), args);
  }
  TempDir dir;
};

TEST_F(CliShowFile, FormatOneRelatorsAndPhiLines) {
  CliResult run = Show("tref.txt", "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 5), "Filename: tref.txt (fundamental group of a knot complement)"));
  EXPECT_EQ(Panel(run, 7),
            (std::vector<std::string>{"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                                      "The relators are as follows:", "-a-c+b+c", "-b-a+c+a",
                                      "The homomorphism phi is given by", "a -> 1 b -> 1 c -> 1"}));
}

TEST_F(CliShowFile, GroupTypeChangesTheCaption) {
  CliResult run = Show("tref.txt", "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n", {"--group-type", "link"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 5), "Filename: tref.txt (fundamental group of a link complement)"));
  EXPECT_TRUE(HasLine(Panel(run, 7), "Presentation of pi_1(S^3\\L):"));
}

TEST_F(CliShowFile, FormatTwoRelator) {
  CliResult run = Show("g.txt", "Group of the trefoil\nx_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(Panel(run, 7),
            (std::vector<std::string>{"Presentation of pi_1(S^3\\K):", "The generators are a, b, c",
                                      "The relators are as follows:", "+c+b-c-a",
                                      "The homomorphism phi is given by", "a -> 1 b -> 1 c -> 1"}));
}

TEST_F(CliShowFile, BraidLineIsRunAndExported) {
  CliResult run = Show("tref", "Trefoil knot\nfrom the table\n{1,1,1}\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 5), "Filename: tref (fundamental group of a knot complement)"));
  EXPECT_TRUE(HasLine(Panel(run, 7), "-b-a+c+a"));
  const std::string crossings = "-01b-01a+01c+01a\r\n-01a-01c+01b+01c\r\n";
  const std::string tail = "a1\r\nb1\r\nc1\r\n{1,1,1}\r\n";
  EXPECT_EQ(ReadWholeFile(dir.path() / "knottref.txt"), crossings + tail);
  EXPECT_EQ(ReadWholeFile(dir.path() / "mfdtref.txt"), crossings + "-c-a-b+a+a+a\r\n" + tail);
}

TEST_F(CliShowFile, ByteOrderMarkIsSkipped) {
  const std::string relators = "-a-c+b+c\n-b-a+c+a\na1\nb1\nc1\n";
  CliResult plain = Show("plain.txt", relators);
  CliResult marked = Show("marked.txt", "\xEF\xBB\xBF" + relators);
  EXPECT_EQ(marked.exitStatus, 0) << marked.err;
  EXPECT_EQ(Panel(marked, 7), Panel(plain, 7));
  EXPECT_TRUE(HasLine(Panel(marked, 7), "-a-c+b+c"));
}

struct FileFault {
  std::string name;
  std::string content;
  std::string panelLine;
};

class CliFileFaults : public CliShowFile, public ::testing::WithParamInterface<FileFault> {};

TEST_P(CliFileFaults, StopWithErrorOnPanel1) {
  CliResult run = Show("bad.txt", GetParam().content);
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_TRUE(HasLine(Panel(run, 1), GetParam().panelLine));
}

std::string ManyRelators(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "+a-a\n";
  return text + "a1\n";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CliFileFaults,
    ::testing::Values(FileFault{"FormatTwoGenerator53", "x_{53} x_{1}^{-1}\n", "ERROR: Too many generators"},
                      FileFault{"FiftyThreeRelators", ManyRelators(53), "ERROR: Too many relators"},
                      // phi(b) = 2 gives -a-c+b+c the exponent sum 1.
                      FileFault{"PhiNotWellDefined", "-a-c+b+c\n-b-a+c+a\na1\nb2\nc1\n",
                                "ERROR:  Homomorphism phi is not well-defined"}),
    ByName());

// ---- input that cannot be used ----

// An input file nothing can be computed from ends every mode with "ERROR:", the file and the
// reason, and exit status 1 (never an empty success).
struct UnusableFile {
  std::string name;
  std::string content;  // written to "input.txt" unless `path` is given
  std::string path;     // a path used as it is ("" for the written file, "." for the folder)
  std::string reason;   // the message after the file name
};

class CliUnusableFile : public ::testing::TestWithParam<UnusableFile> {};

TEST_P(CliUnusableFile, EveryModeStopsWithTheFileAndTheReason) {
  const UnusableFile& c = GetParam();
  TempDir dir;
  std::string path = c.path.empty() ? dir.Write("input.txt", c.content).string() : c.path;
  if (path == ".") path = dir.path().string();
  for (const char* mode : {"show", "norm", "isotopy"}) {
    std::vector<std::string> args = {mode, "--file", path};
    if (std::string(mode) != "show") args.insert(args.end(), {"--save", "none", "--time-limit", "20"});
    CliResult run = RunCliIn(dir.path(), args);
    EXPECT_EQ(run.exitStatus, 1) << mode << '\n' << run.out << run.err;
    std::string message = c.reason;
    message.replace(message.find("FILE"), 4, path);
    EXPECT_NE(run.out.find("ERROR: " + message), std::string::npos) << mode << '\n' << run.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CliUnusableFile,
    ::testing::Values(
        UnusableFile{"Empty", "", "", "The file FILE is empty"},
        UnusableFile{"DevNull", "", "/dev/null", "The file FILE is empty"},
        UnusableFile{"Directory", "", ".", "The file FILE is a directory"},
        // Read up to the cap, not until memory runs out.
        UnusableFile{"EndlessDevice", "", "/dev/zero", "The file FILE is larger than 64 MiB"},
        UnusableFile{"OnlyBlankLines", std::string(12, '\n'), "",
                     "The file FILE holds no braid, presentation or knot list"},
        UnusableFile{"Prose", "Dear colleague,\nplease find the knot attached.\n", "",
                     "The file FILE holds no braid, presentation or knot list"},
        // The title line with "(" ends the relator section before any relator: no trivial group.
        UnusableFile{"TitleBeforeRelators", "Trefoil (3_1)\n-a-c+b+c\n-b-a+c+a\n", "",
                     "No relator could be read from the file FILE"}),
    ByName());

// Inside the braces blanks may stand anywhere, and a note in parentheses may follow them (junk
// after the closing brace is refused: ParseBraid's tests).
TEST(CliBraidText, BlanksInsideTheBracesAndANoteAfterThemAreTaken) {
  CliResult tight = RunCli({"show", "--braid", "{1,-2,1,-2}"});
  ASSERT_EQ(tight.exitStatus, 0) << tight.out;
  for (const std::string& braid : std::vector<std::string>{"{ 1 , -2 , 1 , -2 }", "{1 -2 1 -2 }",
                                                           " 1 -2 1 -2", "{1,-2,1,-2}   (4_1)  "}) {
    CliResult run = RunCli({"show", "--braid", braid});
    EXPECT_EQ(run.exitStatus, 0) << braid << '\n' << run.out;
    EXPECT_EQ(Panel(run, 7), Panel(tight, 7)) << braid;
    EXPECT_EQ(Section(run, "--- simplified presentation ---"),
              Section(tight, "--- simplified presentation ---"))
        << braid;
  }
}

// ---- run settings of a dry run ----

struct DryRun {
  std::string name;
  std::vector<std::string> args;
  std::map<std::string, std::string> expected;
};

class CliDryRun : public ::testing::TestWithParam<DryRun> {};

TEST_P(CliDryRun, DerivesTheRunSettings) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--dry-run");
  CliResult run = RunCli(args);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::map<std::string, std::string> settings;
  for (const std::string& line : Lines(run.out)) {
    if (size_t eq = line.find(" = "); eq != std::string::npos)
      settings[line.substr(0, eq)] = line.substr(eq + 3);
  }
  for (const auto& [name, value] : GetParam().expected) {
    ASSERT_TRUE(settings.contains(name)) << name << " missing from\n" << run.out;
    EXPECT_EQ(settings[name], value) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CliDryRun,
    ::testing::Values(
        DryRun{"NormDefaults",
               {"norm", "--braid", kTrefoil},
               {{"currentPrime", "13"},
                {"simplifyEffort", "20"},
                {"degreeK", "3"},
                {"saveMode", "1"},
                {"degreeCap", "60"},
                {"writeKnotFiles", "1"},
                {"compareFields", "0"},
                {"stopCondition", "0"},
                {"matrixSaveMode", "0"},
                {"reducedPermutationRep", "1"},
                {"determineImageSize", "0"}}},
        // 31 characters: 50 is halved once, to 25.
        DryRun{"Braid31CharactersHalvesMedium",
               {"norm", "--braid", "{1,2,1,2,1,2,1,2,1,2,1,2,1,2,1}", "--simplify", "medium"},
               {{"simplifyEffort", "25"}}},
        // 71 characters: 500 is halved three times, 250, 125, 62.
        DryRun{"Braid71CharactersHalvesVeryHighThrice",
               {"norm", "--braid", RepeatedBraid("1", 35), "--simplify", "very-high"},
               {{"simplifyEffort", "62"}}},
        // The note of the mutants entry does not lengthen the braid: 20 stays 20 (48 characters
        // with the note would halve it).
        DryRun{"NoteAfterTheBraidKeepsTheEffort",
               {"norm", "--braid", "{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)"},
               {{"simplifyEffort", "20"}}},
        DryRun{"Field53", {"norm", "--braid", kTrefoil, "--field", "53"}, {{"currentPrime", "53"}}},
        DryRun{"AbelianComparesNoFields",
               {"norm", "--braid", kTrefoil, "--rep", "abelian", "--compare-fields", "all"},
               {{"compareFields", "0"}, {"repFamily", "2"}}},
        DryRun{"CompareTwoFields",
               {"norm", "--braid", kTrefoil, "--compare-fields", "2,5"},
               {{"compareFields", "1"}, {"fieldSelected", "1,0,1,0,0,0,0,0,0,0"}}},
        DryRun{"PermutationGroupOfSeven",
               {"norm", "--braid", kTrefoil, "--rep", "sk-regular", "--size", "7"},
               {{"permutationGroupOnly", "1"},
                {"reducedPermutationRep", "0"},
                {"determineImageSize", "1"},
                {"degreeK", "7"}}},
        DryRun{"MetabelianSizeTwo",
               {"norm", "--braid", kTrefoil, "--rep", "metabelian", "--size", "2"},
               {{"metabelianMaxOrder", "3"}, {"degreeK", "3"}, {"repFamily", "1"}, {"metabelianRep", "1"}}},
        DryRun{"IsotopyDefaults",
               {"isotopy", "--braid", kTrefoil},
               {{"simplifyEffort", "50"}, {"isotopyGroup", "s5"}}},
        DryRun{"IsotopyAlexanderOnlyDividesEffort",
               {"isotopy", "--group", "s1", "--simplify", "medium", "--braid", kTrefoil},
               {{"simplifyEffort", "10"}, {"isotopyGroup", "s1"}}}),
    ByName());

// ---- usage errors ----

struct UsageCase {
  std::string name;
  std::vector<std::string> args;
  std::vector<std::string> named;  // what the message on stderr must mention
};

class CliUsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageErrors, ExitTwoNamingTheFault) {
  CliResult run = RunCli(GetParam().args);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "");
  for (const std::string& word : GetParam().named)
    EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CliUsageErrors,
    ::testing::Values(
        UsageCase{"UnknownFlag", {"norm", "--braid", kTrefoil, "--colour", "red"}, {"--colour"}},
        UsageCase{"FieldFour", {"norm", "--braid", kTrefoil, "--field", "4"}, {"--field", "'4'"}},
        UsageCase{"SizeEleven", {"norm", "--braid", kTrefoil, "--size", "11"}, {"--size", "'11'"}},
        UsageCase{"IsotopyWithoutSimplification",
                  {"isotopy", "--braid", kTrefoil, "--simplify", "none"},
                  {"--simplify", "'none'"}},
        UsageCase{"GroupS2", {"isotopy", "--braid", kTrefoil, "--group", "s2"}, {"--group", "'s2'"}},
        UsageCase{"MissingValue", {"norm", "--braid", kTrefoil, "--field"}, {"--field"}},
        UsageCase{"NoInput", {"norm", "--field", "13"}, {"--braid", "--file"}},
        UsageCase{"TwoInputs", {"show", "--braid", kTrefoil, "--braid", "{1,1}"}, {"--braid", "--file"}},
        UsageCase{
            "IsotopyFlagInNormMode", {"norm", "--braid", kTrefoil, "--group", "s3"}, {"--group", "norm"}},
        UsageCase{"UnknownCommand", {"draw", "--braid", kTrefoil}, {"draw"}},
        UsageCase{"MissingFile", {"show", "--file", "no-such-file.txt"}, {"--file", "no-such-file.txt"}}),
    ByName());

// Help and version ask for nothing else: no input is needed, other flags are not checked, exit 0.
TEST(CliHelp, HelpAndVersionPrintOnStdoutAndExitZero) {
  const CliResult general = RunCli({"--help"});
  EXPECT_EQ(general.exitStatus, 0);
  for (const char* command : {"norm", "isotopy", "show", "knots"})
    EXPECT_NE(general.out.find(std::string("quarvel-cli ") + command), std::string::npos) << command;
  const CliResult isotopy = RunCli({"isotopy", "--colour", "red", "-h"});
  EXPECT_EQ(isotopy.exitStatus, 0) << isotopy.err;
  EXPECT_NE(isotopy.out.find("--group G"), std::string::npos);
  EXPECT_EQ(isotopy.out.find("--rep"), std::string::npos);  // a norm flag
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("quarvel-cli [0-9]+\\.[0-9]+(\\.[0-9]+)?\n")))
      << version.out;
}

// ---- transcript and repeatability ----

TEST(CliTranscript, RecordsCaptionAndPhiEntries) {
  TempDir dir;
  CliResult run = RunCliIn(dir.path(), {"show", "--braid", kTrefoil, "--transcript", "calls.tsv"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> calls = Lines(ReadWholeFile(dir.path() / "calls.tsv"));
  EXPECT_TRUE(HasLine(calls, "P5\t7\t7\tKnot is closure of the braid {1,1,1}"));
  // Generator a: letter at 7, glyph at 18, value at 29; b and c follow 34 pixels apart.
  auto glyph = std::find(calls.begin(), calls.end(), "A7\t18\t157");
  ASSERT_TRUE(glyph != calls.end() && glyph != calls.begin() && glyph + 1 != calls.end());
  EXPECT_EQ(*(glyph - 1), "P7\t7\t157\ta");
  EXPECT_EQ(*(glyph + 1), "P7\t29\t157\t1");
  EXPECT_TRUE(HasLine(calls, "A7\t52\t157"));
  EXPECT_TRUE(HasLine(calls, "P7\t97\t157\t1"));
}

TEST(CliDeterminism, FreshRunsPrintTheSameSnapshot) {
  std::vector<std::string> args = {"show", "--braid", "{1,-2,1,-2,3,-2,3}", "--simplify", "high"};
  CliResult first = RunCli(args);
  CliResult second = RunCli(args);
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_NE(first.out.find("--- panel 7 ---"), std::string::npos);
  EXPECT_EQ(first.out, second.out);
}

}  // namespace
}  // namespace quarvel::testing
