#pragma once
// Braid descriptions and the Wirtinger presentation of the closed braid.
//
// A description is a list of non-zero integers such as {-1,2,-1,2}: +s is sigma_s, -s its inverse.
// At most 47 letters of absolute value at most 30 (31 strands). Failures come back as values:
// "Not a valid braid description", "Braid description has to many strands" or "Braid has to many
// crossings"; a closure beyond 52 generators or relators fails with "Too many generators" or
// "Too many relators".

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "group/presentation.h"
#include "group/word.h"

namespace quarvel {

inline constexpr int kMaxBraidLetter = 30;
inline constexpr int kMaxBraidCrossings = 47;

// The text up to and including its first closing brace (all of it when there is none).
std::string_view BraidWithoutNote(std::string_view text);
// What follows the first closing brace, without outer blanks: a note such as "(Conway knot)".
std::string_view BraidNote(std::string_view text);

// Puts braces around the description, turns a run of blanks between a digit and the next letter
// into a comma and drops other blanks; a note after the closing brace follows it after one blank.
std::string NormaliseBraidText(std::string_view text);

// The letters of a normalised description up to its closing brace; after it only a note in
// parentheses may follow. Fails on the first letter that is not a non-zero integer or lies beyond
// the limits.
Result<std::vector<int>> ParseBraid(const std::string& text);
// The normalised description of the letters: {1,-2,1,-2}.
std::string BraidWordText(const std::vector<int>& letters);

// One crossing of the closed braid: the arc passing over, and the arcs that end and start under it.
struct Crossing {
  bool positive = true;
  int over = 0;
  int underIn = 0;
  int underOut = 0;
};

// The closure of a braid (or any knot diagram): its arcs numbered 1..generatorCount, its crossings (1-based,
// slot 0 unused), and the longitude of the component through arc 1, read off the crossings it passes under
// with the writhe undone, so that its exponent sum is 0.
struct ClosedBraid {
  std::vector<Crossing> crossings;
  int generatorCount = 0;
  Word longitude;
  bool isLink = false;  // the component through arc 1 passes under fewer than all crossings

  int CrossingCount() const { return static_cast<int>(crossings.size()) - 1; }
};

// Completes a closure whose crossings and arcs are set: the longitude of the component through
// arc 1 and whether there are further components. Fails with "Program error" when the arcs of that
// component do not close up.
Result<ClosedBraid> CompleteClosure(ClosedBraid braid);

// Parses a normalised description (NormaliseBraidText) and closes the braid. Fails as ParseBraid
// does, or with "Program error" when the arcs of the first component do not close up.
Result<ClosedBraid> BuildClosedBraid(const std::string& normalisedText);

// The Wirtinger presentation of the closed braid: one relator per crossing but the last, "+x-x"
// for each generator no relator mentions, and with zeroSurgery the longitude as a last relator.
// Fails with "Too many generators" or "Too many relators" when it does not fit the tables.
Result<std::vector<Word>> WirtingerRelators(const ClosedBraid& braid, bool zeroSurgery);

}  // namespace quarvel
