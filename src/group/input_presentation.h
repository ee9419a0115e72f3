#pragma once
// The presentation a run starts from, as a value: from a braid description, from the text of a
// presentation file, or from a knot of the built-in tables. The relators are those of the input
// (kept as the input relators too), the generators present in them are counted, and nothing is
// simplified yet (simplify/simplify_presentation.h).

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "group/presentation.h"

namespace quarvel {

// The Wirtinger presentation of the closed braid (or of its 0-surgery), phi = 1 on every
// meridian; braidText holds the normalised description. Fails as BuildClosedBraid and
// WirtingerRelators do ("Not a valid braid description", "Too many generators", ...).
Result<Presentation> BraidPresentation(std::string_view braidText, bool zeroSurgery);

// The presentation that a presentation file with this text gives: a braid when its first usable
// line is one, else its format I or II relators with phi. Fails with the reader's message, with
// "The text holds no braid, presentation or knot list" when nothing in it is usable, and with "No
// relator could be read from the text" when no relator is read.
Result<Presentation> PresentationFromText(std::string_view text, bool zeroSurgery);

// The diagram that a table knot's name puts into a run ("4_1", "Knot 4_1", "11_401", "11n_34",
// "K11n34", "12_1311", "13_42", "m3_1"): the braid of the pick lists where they hold the knot,
// else the prime knot table's minimal PD code (group/table_knots.h). None for an unknown name.
std::optional<std::string> BuiltInKnotBraid(std::string_view name);

}  // namespace quarvel
