#include "simplify/simplify_presentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

#include "run/prepare_presentation.h"
#include "test_support.h"

namespace quarvel {
namespace {

constexpr const char* kNotRequiredForm = "Presentation not of the required form";
constexpr const char* kPhiNotDefined = " Homomorphism phi is not well-defined ";

std::vector<Word> Relators(const Presentation& p) {
  return {p.relators.begin() + 1, p.relators.begin() + 1 + p.relatorCount};
}

std::vector<Word> InputRelators(const Presentation& p) {
  return {p.inputRelators.begin() + 1, p.inputRelators.begin() + 1 + p.inputRelatorCount};
}

std::array<int32_t, kMaxRelators + 1> Order(std::initializer_list<int32_t> leading) {
  std::array<int32_t, kMaxRelators + 1> order{};
  std::copy(leading.begin(), leading.end(), order.begin() + 1);
  return order;
}

void SetRelators(Presentation& p, const std::vector<Word>& relators) {
  p.relatorCount = static_cast<int64_t>(relators.size());
  std::copy(relators.begin(), relators.end(), p.relators.begin() + 1);
}

// "+z", then +a +b ... over `depth` letters, their inverses in reverse, and "+z" again: each
// reduction pass can only cancel the innermost pair.
Word Nested(int depth) {
  Word w = "+z";
  for (int g = 1; g <= depth; ++g) w += std::string("+") + static_cast<char>(GeneratorByte(g));
  for (int g = depth; g >= 1; --g) w += std::string("-") + static_cast<char>(GeneratorByte(g));
  return w + "+z";
}

TEST(ExpandWrittenForm, ExpandsExponentsAndRejectsMalformedRelators) {
  const std::string high(1, static_cast<char>(GeneratorByte(27)));
  struct Case {
    Word written;
    WrittenForm form;
    Word plain;
  } cases[] = {
      {"+3a-2b", WrittenForm::expanded, "+a+a+a-b-b"},
      {"-01b", WrittenForm::expanded, "-b"},
      {"+12c", WrittenForm::expanded, "+c+c+c+c+c+c+c+c+c+c+c+c"},
      {"+0a-b", WrittenForm::expanded, "-b"},
      {"+a-b   ", WrittenForm::expanded, "+a-b"},
      {"", WrittenForm::expanded, ""},
      {"-2" + high, WrittenForm::expanded, "-" + high + "-" + high},
      {"*a", WrittenForm::malformed, ""},
      {"+a*b", WrittenForm::malformed, ""},
      {"+3", WrittenForm::malformed, ""},
      {"+A", WrittenForm::malformed, ""},
      {"+ a", WrittenForm::malformed, ""},
      {"+a b", WrittenForm::malformed, ""},
      // Exponents beyond 32 bits are refused, not wrapped around (2^32 + 1 would read as 1).
      {"+2147483648a", WrittenForm::malformed, ""},
      {"+4294967297a", WrittenForm::malformed, ""},
      {"-99999999999999999999b", WrittenForm::malformed, ""},
      // Within 32 bits, but spelling out more than 2,000,000 characters; malformed text still
      // counts as malformed, wherever it stands.
      {"+2147483647a", WrittenForm::tooLong, ""},
      {"+1000001a", WrittenForm::tooLong, ""},
      {"+999999a+2b", WrittenForm::tooLong, ""},
      {"+2147483647a*b", WrittenForm::malformed, ""},
  };
  for (const Case& c : cases) {
    Word plain = "stale";
    EXPECT_EQ(ExpandWrittenForm(c.written, plain), c.form) << c.written;
    if (c.form != WrittenForm::malformed) {
      EXPECT_EQ(plain, c.plain) << c.written;  // nothing is spelt out for a relator too long
    }
  }
}

TEST(ExpandWrittenForm, AMillionSyllablesIsTheLongestRelator) {
  Word plain;
  ASSERT_EQ(ExpandWrittenForm("+999999a-b", plain), WrittenForm::expanded);
  EXPECT_EQ(plain.size(), 2'000'000u);
  EXPECT_EQ(plain.substr(plain.size() - 6), "+a+a-b");
}

TEST(ReduceRelators, FreeAndCyclicReductionOverLongRelators) {
  struct Case {
    Word relator;
    int64_t letters;
    Word reduced;
  } cases[] = {
      {"+a-a", 26, "+a-a"},  // four characters are never reduced
      {"+a-a+b", 26, "+b"},         {"-a+b+a", 26, "+b"},
      {"+a+b+c-a", 26, "+b+c"},     {"+a+b-a-b", 26, "+a+b-a-b"},
      {"-b-a+a+a", 26, "-b+a"},     {"+a-a+b-b", 26, "+b-b"},
      {"+a+b-b-a+c", 26, "+c"},  // the second pass cancels what the first uncovered
      {"+b-b+a", 1, "+b-b+a"},   // only the first `letters` generators are looked at
      {"+b-b+a", 2, "+a"},          {Nested(15), 26, "+z+z"},
      {Nested(16), 26, "+z+a-a+z"},  // fifteen passes, one level each
  };
  for (const Case& c : cases) {
    Presentation p;
    SetRelators(p, {c.relator, "+a-a+b"});
    ReduceRelators(p, c.letters);
    EXPECT_EQ(p.relators[1], c.reduced) << c.relator << " over " << c.letters << " letters";
  }
}

// The reduction as stated on the text: 15 passes; in each, letter by letter and relator by
// relator, delete the four characters at each position p in turn when they cancel (and the relator
// is longer than 4 characters), then a cancelling first and last pair.
void ReduceByDeletingCharacters(Presentation& p, int64_t letterCount) {
  auto cancels = [](char s, char t) { return (s == '-' && t == '+') || (s == '+' && t == '-'); };
  for (int pass = 0; pass < 15; ++pass) {
    for (int64_t g = 1; g <= letterCount; ++g) {
      const char x = static_cast<char>(GeneratorByte(g));
      for (int64_t r = 1; r <= p.relatorCount; ++r) {
        Word& w = p.relators[r];
        for (size_t at = 0; at + 4 <= w.size(); ++at) {
          if (w.size() > 4 && w[at + 1] == x && w[at + 3] == x && cancels(w[at], w[at + 2])) w.erase(at, 4);
        }
        if (w.size() > 4 && w[1] == x && w[w.size() - 1] == x && cancels(w[0], w[w.size() - 2])) {
          w.erase(w.size() - 2, 2);
          w.erase(0, 2);
        }
      }
    }
  }
}

TEST(ReduceRelators, AgreesWithDeletingCharactersOnRandomRelators) {
  std::mt19937 random(11);
  for (int round = 0; round < 4000; ++round) {
    // Few letters and long runs, so that cancellations nest deeper than fifteen passes reach.
    const int letters = 1 + static_cast<int>(random() % 4);
    Presentation literal;
    SetRelators(literal, std::vector<Word>(1 + random() % 3));
    for (int64_t r = 1; r <= literal.relatorCount; ++r) {
      const size_t pairs = random() % 150;
      for (size_t i = 0; i < pairs; ++i) {
        literal.relators[r] += random() % 2 ? '+' : '-';
        literal.relators[r] += static_cast<char>(GeneratorByte(1 + random() % letters));
      }
    }
    Presentation fast = literal;
    const int64_t letterCount = 1 + random() % 5;
    ReduceByDeletingCharacters(literal, letterCount);
    ReduceRelators(fast, letterCount);
    for (int64_t r = 1; r <= literal.relatorCount; ++r)
      EXPECT_EQ(fast.relators[r], literal.relators[r]) << round;
  }
}

TEST(OrderRelatorsByLength, ExchangeSortOverEarlierEntries) {
  struct Case {
    std::vector<Word> relators;
    std::array<int32_t, kMaxRelators + 1> order;
  } cases[] = {
      // Lengths 8, 4, 8, 2: the exchanges leave the two of length 8 as 3, 1.
      {{"+a+b-a-b", "+a-a", "+b+a-b-a", "+a"}, Order({4, 2, 3, 1})},
      {{"+a-a", "+b-b", "+c-c"}, Order({1, 2, 3})},
      {{"+a+a+a", "+a", "+a+a"}, Order({2, 3, 1})},
      {{}, Order({})},
  };
  for (const Case& c : cases) {
    Presentation p;
    SetRelators(p, c.relators);
    std::array<int32_t, kMaxRelators + 1> order;
    order.fill(9);
    OrderRelatorsByLength(p, order);
    EXPECT_EQ(order, c.order) << c.relators.size() << " relators";
  }
}

struct Outcome {
  Presentation presentation;
  Result<Simplified> simplified;
};

Outcome Simplify(const std::vector<Word>& relators, const std::map<int, int32_t>& phi, int64_t generators) {
  Presentation p;
  SetPhiToOne(p);
  for (const auto& [g, value] : phi) p.phi[g] = value;
  SetRelators(p, relators);
  p.generatorCount = generators;
  RandomGenerator random;
  NoRunControl control;
  NoSimplificationProgress progress;
  Result<Simplified> simplified = SimplifyPresentation(p, 0, random, control, progress);
  return {p, simplified};
}

TEST(SimplifyPresentation, WithoutTrialsNormalisesChecksPhiReducesAndOrders) {
  Outcome s = Simplify({"+2a-b ", "+c+a-a-c"}, {{2, 2}, {3, 5}}, 3);
  ASSERT_TRUE(s.simplified.ok()) << s.simplified.error();
  EXPECT_TRUE(s.simplified->phiWellDefined);
  EXPECT_FALSE(s.simplified->stopped);
  EXPECT_EQ(InputRelators(s.presentation), (std::vector<Word>{"+a+a-b", "+c+a-a-c"}));
  EXPECT_EQ(Relators(s.presentation), (std::vector<Word>{"+a+a-b", "+c-c"}));
  EXPECT_EQ(s.presentation.generatorCount, 3);
  EXPECT_TRUE(s.simplified->simplification.substitutionList.empty());
  EXPECT_EQ(s.simplified->simplification.relatorOrder, Order({2, 1}));
}

TEST(SimplifyPresentation, PhiFailureLetsTheRemainingStepsRun) {
  Outcome s = Simplify({"+a+b+c+d", "+c+a-a-c"}, {}, 4);
  ASSERT_TRUE(s.simplified.ok()) << s.simplified.error();
  EXPECT_FALSE(s.simplified->phiWellDefined);
  EXPECT_EQ(s.presentation.inputRelatorCount, 2);
  EXPECT_EQ(s.presentation.relators[2], "+c-c");
  EXPECT_EQ(s.simplified->simplification.relatorOrder, Order({2, 1}));
}

TEST(SimplifyPresentation, MalformedOrOverlongRelatorStopsBeforeThePhiCheck) {
  const std::pair<Word, std::string> cases[] = {{"*a", kNotRequiredForm},
                                                {"+a*b", kNotRequiredForm},
                                                {"+4294967297a", kNotRequiredForm},
                                                {"+1500000a-1500000a", "Out of memory"}};
  for (const auto& [bad, message] : cases) {
    Outcome s = Simplify({"+2a+b", bad}, {}, 2);  // the first relator also fails phi
    ASSERT_FALSE(s.simplified.ok()) << bad;
    EXPECT_EQ(s.simplified.error(), message) << bad;
    // The presentation is left as it was, the relator before the bad one in written form too.
    EXPECT_EQ(Relators(s.presentation), (std::vector<Word>{"+2a+b", bad})) << bad;
    EXPECT_EQ(s.presentation.inputRelatorCount, 0) << bad;
  }
}

struct Prepared {
  testing::Bench bench;
  testing::TempDir dir;

  // A picked file, or a braid when `braid` is not empty.
  void Run(const std::string& braid, const std::string& fileContent = "") {
    Workbench& wb = bench.wb;
    SetSpaceNames(wb.presentation, GroupType::knot);
    wb.settings.inputDirectory = dir.directory();
    wb.settings.inputName = "group.txt";
    wb.presentation.braidText = braid;
    if (braid.empty()) dir.Write("group.txt", fileContent);
    PreparePresentation(wb);
  }
  std::string Panel7() const { return bench.surface.PanelText(ComputationWindow::norm, 7); }
};

TEST(PreparePresentation, BraidIsBuiltShownAndSimplified) {
  Prepared run;
  run.bench.wb.settings.zeroSurgery = true;
  run.Run("1 2 -3");
  const Presentation& p = run.bench.wb.presentation;
  ASSERT_FALSE(run.bench.wb.failure.computationFailed) << run.bench.wb.failure.errorMessage;
  EXPECT_EQ(p.braidText, "{1,2,-3}");
  for (int g = 1; g <= kMaxGenerators; ++g) EXPECT_EQ(p.phi[g], 1) << g;
  EXPECT_EQ(InputRelators(p), (std::vector<Word>{"-b-a+a+a", "-c-a+b+a", "+c-a-a+a"}));
  EXPECT_EQ(Relators(p), (std::vector<Word>{"-b+a", "-c-a+b+a", "+c-a"}));
  EXPECT_EQ(run.bench.wb.simplification.relatorOrder, Order({1, 3, 2}));
  EXPECT_EQ(p.generatorLetters[1], 1);
  EXPECT_EQ(p.generatorLetters[3], 3);
  EXPECT_EQ(p.generatorLetters[4], 0);
  EXPECT_NE(run.Panel7().find(
                "The generators are a, b, c\nThe relators are as follows:\n-b-a+a+a\n-c-a+b+a\n+c-a-a+a"),
            std::string::npos)
      << run.Panel7();
  EXPECT_EQ(run.bench.surface.MessagePumps(), 2);
}

TEST(PreparePresentation, FileWithABraidLineRunsTheBraidAndExportsIt) {
  Prepared run;
  run.bench.wb.current.writeKnotFiles = true;
  run.Run("", "Trefoil\n\n{1, 1, 1}\n-a-a\n");
  const Presentation& p = run.bench.wb.presentation;
  ASSERT_FALSE(run.bench.wb.failure.computationFailed) << run.bench.wb.failure.errorMessage;
  EXPECT_EQ(p.braidText, "{1,1,1}");
  EXPECT_EQ(Relators(p), (std::vector<Word>{"-b-a+c+a", "-a-c+b+c"}));
  EXPECT_TRUE(std::filesystem::exists(run.dir.path() / "knotgroup.txt.txt"));
  EXPECT_TRUE(std::filesystem::exists(run.dir.path() / "mfdgroup.txt.txt"));
}

TEST(PreparePresentation, FilesThatEndTheRunEarly) {
  // Past nine empty lines the pre-scan finds nothing usable: an error naming the file, not a
  // silent stop.
  Prepared nothing;
  nothing.Run("", std::string(10, '\n') + "-a+a\n");
  EXPECT_FALSE(nothing.bench.wb.panels.flags.stopRequested);
  EXPECT_TRUE(nothing.bench.wb.failure.errorMessage.starts_with("The file "));
  EXPECT_TRUE(
      nothing.bench.wb.failure.errorMessage.ends_with("group.txt holds no braid, presentation or knot list"));
  EXPECT_EQ(nothing.bench.surface.Snapshot(), "");

  Prepared badPhi;
  badPhi.Run("", "+a+b\n+a-b\na1\nb1\n");
  EXPECT_EQ(badPhi.bench.wb.failure.errorMessage, kPhiNotDefined);
  EXPECT_NE(badPhi.Panel7().find("The generators are a, b"), std::string::npos);  // shown before the check

  Prepared badFormatTwo;
  badFormatTwo.Run("", "x_1 x_{53}\n");
  EXPECT_EQ(badFormatTwo.bench.wb.failure.errorMessage, "Too many generators");
  EXPECT_EQ(badFormatTwo.Panel7(), "");

  Prepared alreadyFailed;
  Fail(alreadyFailed.bench.wb.failure, "earlier");
  alreadyFailed.Run("1");
  EXPECT_EQ(alreadyFailed.bench.wb.presentation.braidText, "1");
  EXPECT_EQ(alreadyFailed.bench.wb.presentation.relatorCount, 0);
  EXPECT_EQ(alreadyFailed.bench.wb.failure.errorMessage, "earlier");
  EXPECT_EQ(alreadyFailed.bench.surface.Snapshot(), "");
}

// A generator that the simplification leaves in no relator survives as a free factor: the
// two-strand unlink keeps two generators and no relator, the split link {-3,3,-2} keeps three.
// Every present generator is either listed or eliminated, never both.
TEST(PreparePresentation, GeneratorsThatNoRelatorUsesSurvive) {
  for (const auto& [braid, survivors] : {std::pair{"{1,-1}", 2}, std::pair{"{-3,3,-2}", 3}}) {
    Prepared run;
    run.bench.wb.settings.simplifyEffort = 10;
    run.Run(braid);
    const Presentation& p = run.bench.wb.presentation;
    ASSERT_FALSE(run.bench.wb.failure.computationFailed) << run.bench.wb.failure.errorMessage;
    ASSERT_EQ(p.generatorCount, survivors) << braid;
    std::vector<bool> eliminated(kMaxGenerators + 1, false);
    for (const std::string& record : run.bench.wb.simplification.substitutionList)
      eliminated[GeneratorOf(record[0])] = true;
    std::vector<int32_t> listed(p.generatorLetters.begin() + 1, p.generatorLetters.begin() + 1 + survivors);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end())) << braid;
    for (int32_t g = 1; g <= kMaxGenerators; ++g) {
      const bool isListed = std::find(listed.begin(), listed.end(), g) != listed.end();
      EXPECT_EQ(isListed, p.generatorUsed[g] && !eliminated[g]) << braid << " generator " << g;
    }
    EXPECT_EQ(p.generatorLetters[survivors + 1], 0) << braid;
  }
}

TEST(PreparePresentation, FormatOneFileOnTheIsotopyWindow) {
  Prepared run;
  run.bench.wb.settings.isotopyMode = true;
  run.bench.wb.panels.window = ComputationWindow::isotopy;
  run.Run("", "Two generators\n+a-c\n-c+a+c-a\na1\nc1\n");
  const Presentation& p = run.bench.wb.presentation;
  ASSERT_FALSE(run.bench.wb.failure.computationFailed) << run.bench.wb.failure.errorMessage;
  EXPECT_TRUE(p.braidText.empty());
  EXPECT_EQ(p.generatorCount, 2);
  EXPECT_EQ(p.generatorLetters[1], 1);
  EXPECT_EQ(p.generatorLetters[2], 3);
  EXPECT_EQ(p.generatorLetters[3], 0);
  EXPECT_EQ(run.Panel7(), "");
  EXPECT_NE(run.bench.surface.PanelText(ComputationWindow::isotopy, 1).find("Generators: a, c"),
            std::string::npos);
}

}  // namespace
}  // namespace quarvel
