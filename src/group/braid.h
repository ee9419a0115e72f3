#pragma once
// Braid descriptions and the Wirtinger presentation of the closed braid.
//
// A description is a list of non-zero integers such as {-1,2,-1,2}: +s is sigma_s, -s its inverse.
// At most 47 letters of absolute value at most 30 (31 strands). Failures set the run's failure
// state with "Not a valid braid description", "Braid description has to many strands" or
// "Braid has to many crossings"; a closure beyond 52 generators or relators fails with
// "Too many generators" or "Too many relators".

#include <string>
#include <string_view>
#include <vector>

#include "base/failure.h"
#include "run/workbench.h"

namespace quarvel {

inline constexpr int kMaxBraidLetter = 30;
inline constexpr int kMaxBraidCrossings = 47;

// The text up to and including its first closing brace (all of it when there is none).
std::string_view BraidWithoutNote(std::string_view text);
// What follows the first closing brace, without outer blanks: a note such as "(Conway knot)".
std::string_view BraidNote(std::string_view text);

// Puts braces around the description, turns a run of blanks between a digit and the next letter
// into a comma and drops other blanks; a note after the closing brace follows it after one blank.
std::string NormaliseBraidText(std::string text);

// The letters of a normalised description up to its closing brace; after it only a note in
// parentheses may follow. On bad input fails and returns what was read so far.
std::vector<int> ParseBraid(const std::string& text, FailureState& failure);

// Normalises presentation.braidText, parses it and builds the closed-braid presentation: one
// generator per arc, one relator per crossing but the last, "+x-x" for generators no relator
// mentions, and with settings.zeroSurgery the longitude of the first component as a last relator.
// Sets braidIsLink and the input relators. With the run's writeKnotFiles it also writes
// "knot<name>.txt" and "mfd<name>.txt" into the input directory.
void BuildBraidPresentation(Workbench& workbench);

}  // namespace quarvel
