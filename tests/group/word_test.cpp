#include "group/word.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(GeneratorLetter, LowerThenUpperCase) {
  EXPECT_EQ(GeneratorLetter(1), 'a');
  EXPECT_EQ(GeneratorLetter(26), 'z');
  EXPECT_EQ(GeneratorLetter(27), 'A');
  EXPECT_EQ(GeneratorLetter(52), 'Z');
}

TEST(WordToText, PlainFormShowsHighGeneratorsAsCapitals) {
  Word word = "+a-";
  word += static_cast<char>(GeneratorByte(27));
  word += '+';
  word += static_cast<char>(GeneratorByte(52));
  EXPECT_EQ(WordToText(word, false), "+a-A+Z");
  EXPECT_EQ(WordToText("", false), "");
}

TEST(WordToText, LatexFormDropsPlusAndWritesInverses) {
  EXPECT_EQ(WordToText("+a-b+c", true), "ab^{-1}c");
  EXPECT_EQ(WordToText("b=+a-c", true), "b&=&ac^{-1}");
  EXPECT_EQ(WordToText("-a-b", true), "a^{-1}b^{-1}");
  Word high = "-";
  high += static_cast<char>(GeneratorByte(27));
  EXPECT_EQ(WordToText(high, true), "A^{-1}");
}

}  // namespace
}  // namespace quarvel
