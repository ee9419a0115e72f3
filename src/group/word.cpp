#include "group/word.h"

namespace quarvel {

Word InverseWord(const Word& word) {
  Word inverse;
  inverse.reserve(word.size());
  for (size_t i = word.size(); i >= 2; i -= 2) {
    inverse += word[i - 2] == '+' ? '-' : '+';
    inverse += word[i - 1];
  }
  return inverse;
}

char GeneratorLetter(int64_t generator) {
  if (generator <= 26) return static_cast<char>('a' + generator - 1);
  return static_cast<char>(generator - 26 + 0x40);
}

std::string WordToText(const Word& word, bool latexForm) {
  std::string copy = word;
  for (char& c : copy) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte > 'z') c = static_cast<char>('A' + (byte - 0x7B));
  }
  if (!latexForm || copy.empty()) return copy;

  // Walk from the first to the next-to-last character; a "-" takes the letter after it along.
  std::string latex;
  size_t last = copy.size() - 1;
  size_t i = 0;
  while (i < last) {
    char c = copy[i];
    if (c == '-') {
      latex += copy[i + 1];
      latex += "^{-1}";
      i += 2;
      continue;
    }
    if (c == '=')
      latex += "&=&";
    else if (c != '+')
      latex += c;
    ++i;
  }
  if (i == last) latex += copy[last];
  return latex;
}

}  // namespace quarvel
