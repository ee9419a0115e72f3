#pragma once
// The text that gives a run its knot or link: a braid ({-1,2,-1,2}, or [-1,2,-1,2] as SnapPy and
// Sage write it), a PD code ([[1,5,2,4],...] or PD[X[1,5,2,4],...]) or a DT code (DT[4,6,2]; the
// tag tells it from a bracketed braid).

#include <string>
#include <string_view>

#include "base/result.h"
#include "group/braid.h"

namespace quarvel {

enum class DiagramForm { braid, pd, dt };

// The form of a diagram text: pd where it begins with "PD", "X[" or a bracket followed by another,
// dt where it begins with "DT", else braid.
DiagramForm FormOfDiagramText(std::string_view text);

// A braid as NormaliseBraidText gives it (a bracketed braid in braces); a PD or DT code without
// the blanks around it.
std::string NormaliseDiagramText(std::string_view text);

// The closure of the diagram a normalised text gives (group/braid.h, group/pd_code.h,
// group/dt_code.h); fails with the reader's message.
Result<ClosedBraid> CloseDiagram(const std::string& normalisedText);

// Where the first diagram in a line of text (a knot list's line) begins and ends: a braid from "{"
// up to the first "}" after it; a PD code from "PD[", "PD(", "[[" or "[(" and a DT code from "DT["
// or "DT(" to the bracket that closes it. The end is the line's end where nothing closes the
// diagram; begin is npos where the line holds none.
struct DiagramSpan {
  size_t begin = std::string_view::npos;
  size_t end = std::string_view::npos;

  bool Found() const { return begin != std::string_view::npos; }
};
DiagramSpan FindDiagram(std::string_view line);

// The length that sets the simplification effort: a braid's text without its note; for a PD or
// DT code the length of a braid text with as many crossings.
size_t DiagramLength(std::string_view normalisedText);

}  // namespace quarvel
