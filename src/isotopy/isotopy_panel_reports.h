#pragma once
// What the isotopy window shows of a run: each class with its twisted polynomial on panel 2, the
// product (or the untwisted polynomial alone for "s1") on panel 3.

#include <cstdint>
#include <string>
#include <string_view>

#include "homs/enumerate_homomorphisms.h"
#include "run/workbench.h"

namespace quarvel {

// The homomorphism: for each used generator its letter, the maps-to arrow and the element text of
// its image, from x = 7 on the panel's current line; wraps 13 pixels lower past x = 420 (430
// in the compact layout); the line position ends 15 below the last line used.
void ShowIsotopyRepresentation(Workbench& workbench, const Assignment& homomorphism);

// The enumeration's progress: "Checked NN% of all potential homomorphisms" on panel 1 at (7, 67)
// ("Checked 0% ..." and "Checked 100% ..." with a trailing blank), and after each share the count
// H' on panel 2 at (7, 7). The share also goes to homomorphisms.checkedPercent for a progress line.
class EnumerationPanels : public EnumerationProgress {
 public:
  explicit EnumerationPanels(Workbench& workbench) : wb_(workbench) {}
  void Started() override;
  void Checked(int64_t percent, int64_t found) override;
  void Finished() override;

 private:
  Workbench& wb_;
  int64_t percentShown_ = 0;
  std::string percentText_;
  int64_t countShown_ = 0;
  std::string countText_;
};

// The class's polynomial, wrapped from a first cut of 89, at x = 470 from the representation's line.
void ShowClassPolynomial(Workbench& workbench, int32_t representationLine, std::string_view polynomialText);

// The product on panel 3, wrapped from a first cut of 169, all of it; a product of six pieces or
// more has its lowest and highest terms on a line below it. Sets the plain and LaTeX product texts.
void ShowProduct(Workbench& workbench, int64_t classCount);

// "The Alexander polynomial equals: " and the untwisted polynomial on panel 3.
void ShowUntwistedOnly(Workbench& workbench);

}  // namespace quarvel
