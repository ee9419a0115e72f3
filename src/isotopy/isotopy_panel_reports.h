#pragma once
// What the isotopy window shows of a run: each class with its twisted polynomial on panel 2, the
// product (or the untwisted polynomial alone for "s1") on panel 3.

#include <string>
#include <string_view>

#include "run/workbench.h"

namespace quarvel {

// The current homomorphism: for each used generator its letter, the maps-to arrow and the element
// text of its image, from x = 7 on the panel's current line; wraps 13 pixels lower past x = 420 (430
// in the compact layout); the line position ends 15 below the last line used.
void ShowIsotopyRepresentation(Workbench& workbench);

// The class's polynomial, wrapped from a first cut of 89, at x = 470 from the representation's line.
void ShowClassPolynomial(Workbench& workbench, int32_t representationLine, std::string_view polynomialText);

// The product on panel 3, wrapped from a first cut of 169; sets the plain and LaTeX product texts.
void ShowProduct(Workbench& workbench, int64_t classCount);

// "The Alexander polynomial equals: " and the untwisted polynomial on panel 3.
void ShowUntwistedOnly(Workbench& workbench);

}  // namespace quarvel
