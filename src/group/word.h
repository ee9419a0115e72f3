#pragma once
// Words in the generators: a byte string of syllables. In plain form a syllable is a sign ("+" or
// "-") followed by the generator byte 0x60 + g, so generators 1..26 are "a".."z" and 27..52 are the
// bytes 0x7B..0x94. Written form may put a decimal exponent between sign and letter (+3a).

#include <cstdint>
#include <string>

namespace quarvel {

using Word = std::string;

inline constexpr int kMaxGenerators = 52;
inline constexpr unsigned char kGeneratorByteBase = 0x60;

inline unsigned char GeneratorByte(int64_t generator) {
  return static_cast<unsigned char>(kGeneratorByteBase + generator);
}

// The generator number of a letter byte (1 for "a").
inline int32_t GeneratorOf(char letter) {
  return static_cast<unsigned char>(letter) - kGeneratorByteBase;
}

// The pairs in reverse order with each sign exchanged: +a-b becomes +b-a.
Word InverseWord(const Word& word);

// "a".."z" for 1..26, "A".."Z" for 27..52.
char GeneratorLetter(int64_t generator);

// Display form: bytes above "z" become "A".."Z". The LaTeX form also drops "+", writes "-x" as
// x^{-1} and "=" as "&=&" (the last character is copied as it stands).
std::string WordToText(const Word& word, bool latexForm);

}  // namespace quarvel
