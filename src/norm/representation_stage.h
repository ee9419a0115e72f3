#pragma once
// The representation step of a norm-mode cycle on the workbench: the search for the next
// representation with its status line, the representation on the output panel and its matrices,
// then the image of a permutation representation with its order and generator count on the panels.

#include "run/workbench.h"

namespace quarvel {

// Searches the next representation of the kind the run settings name (the trivial one in the
// trivial pass) at degree k (find_representation.h), with the status line of search_status_line.h.
// Afterwards degree k is the degree searched at. A found representation is shown on the output
// panel (outside the trivial pass: ShowRepresentation), gets its matrices (except for the
// S_k - representation and the abelian kind, whose matrices come with the image and the search),
// and raises searchNumber; nontrivialCount becomes 1 outside the trivial pass. A search that gives
// up clears representationFound; one that fails also records its message as the run's failure.
void SearchRepresentation(Workbench& workbench);

// With determineImageSize, for a permutation representation of degree k <= 7 while the run goes on
// and nothing failed: the image in S_k, its order and its phi divisor (image_order.h). For the
// S_k - representation degree k then becomes the order n and the representation the regular one
// of the image (representationFound is cleared when n > 60). Outside the trivial pass an order up
// to 1000 is shown on the output panel ("Order of Im{pi_1(M) -> S_k}=n" at outputLine + 7, and
// savedPanelPosition := outputLine + 25); outputLine then moves down by 18 and the window is pumped.
void ComputeImageOrder(Workbench& workbench);

// After ComputeImageOrder, under the same conditions: the least number of generators of the image.
// The knot's generator bound becomes the larger of it and the count; the count is shown beside the
// order (outside the trivial pass), the bound on panel 6, and the window is pumped.
void CountImageGenerators(Workbench& workbench);

}  // namespace quarvel
