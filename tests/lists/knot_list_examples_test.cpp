// The ready knot lists under examples/ hold the built-in tables (scripts/make-example-lists.sh
// writes them): the 49 examples for the fibration-and-norm mode, the mutant groups for the
// isotopy mode.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "group/knot_tables.h"
#include "lists/knot_list.h"
#include "lists/knot_list_detection.h"
#include "test_support.h"

namespace quarvel {
namespace {

std::string ExamplePath(const std::string& name) {
  return std::string(QUARVEL_SOURCE_DIR) + "/examples/" + name;
}

// The lines before "end", comments apart.
struct ExampleList {
  std::vector<std::string> knots;
  std::vector<std::string> comments;
};

ExampleList ReadExample(const std::string& name) {
  KnotList list;
  FailureState failure;
  EXPECT_TRUE(ReadKnotList(ExamplePath(name), list, failure)) << failure.errorMessage;
  ExampleList example;
  for (const std::string& line : list.lines)
    (line.starts_with("%") ? example.comments : example.knots).push_back(line);
  std::ifstream in(ExamplePath(name), std::ios::binary);
  EXPECT_TRUE(IsKnotList(in)) << name;
  return example;
}

TEST(KnotListExamples, TheNormListHoldsTheFortyNineExamples) {
  const ExampleList example = ReadExample("norm_examples.txt");
  ASSERT_EQ(example.knots.size(), static_cast<size_t>(kExampleCount));
  for (int p = 1; p <= kExampleCount; ++p) {
    const std::string entry(ExamplesListEntry(p));
    EXPECT_EQ(example.knots[p - 1], entry.substr(0, entry.find(' ')) + " " + std::string(ExampleBraid(p)));
  }
}

TEST(KnotListExamples, TheIsotopyListHoldsTheMutantGroups) {
  KnotList list;
  FailureState failure;
  ASSERT_TRUE(ReadKnotList(ExamplePath("isotopy_mutants.txt"), list, failure)) << failure.errorMessage;
  // After the opening comments: the pick list's entries, each separator as a comment line.
  std::vector<std::string> expected;
  for (int p = 1; p <= MutantsListSize(); ++p) {
    const std::string entry(MutantsListEntry(p));
    expected.push_back(entry.starts_with("*") ? "%" + entry : entry);
  }
  auto firstEntry = std::find_if(list.lines.begin(), list.lines.end(),
                                 [](const std::string& line) { return !line.starts_with("%"); });
  EXPECT_EQ(std::vector<std::string>(firstEntry, list.lines.end()), expected);
  EXPECT_EQ(ReadExample("isotopy_mutants.txt").knots.size(), 187u);
}

}  // namespace
}  // namespace quarvel
