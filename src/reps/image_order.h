#pragma once
// The image of a permutation representation in S_m (m = degree k <= 7), its order, and the
// smallest number of its elements that generate it.
//
// ComputeImage closes the generator images under composition, each element with a word in the
// generators that produces it (the list stops growing at 5040 elements, and passes stop once it
// holds more than 1000). For images of at most 1000 elements it also yields the phi divisor: the
// gcd over every element x and present generator g of phi(word x) + phi(g) - phi(word of xg).
// For the item "S_k - representation" (permutationGroupOnly) the image then becomes the
// representation itself: degree k := n and each surviving generator gets the n x n matrix of its
// left regular action (column i has its 1 in the row of g x_i; the inverse matrix is the
// transpose); an image of more than 60 elements gives no representation (representationFound is
// cleared). The order is shown on the output panel outside the trivial pass.
//
// ImageGeneratorCount finds the least d such that some d elements of the image (at most 1000 of
// them) generate it, trying the d-tuples in odometer order; S_6 and A_6 are known to need 2. A d of
// 7 means no 6 elements do. The knot's generator bound becomes max(bound, d) and is shown on
// panel 6.
//
// Both do nothing unless determineImageSize is on, the representation is a permutation one of
// degree at most 7, and neither computationFailed nor stopRequested is set; both return at once on
// stopRequested. They pump the window every 10 outer steps of a closure.

#include <cstdint>

#include "group/word.h"
#include "reps/image_state.h"
#include "run/workbench.h"

namespace quarvel {

inline constexpr int32_t kLargestShownImage = 1000;
inline constexpr int32_t kLargestRegularImage = 60;

void ComputeImage(Workbench& workbench);
void ImageGeneratorCount(Workbench& workbench);

// Empties the list for permutations of 1..m.
void ResetImage(ImageState& image, int32_t m);
// Position 1..count of the element equal to p on points 1..m, or 0.
int32_t FindImageElement(const ImageState& image, const Permutation& p);
// Appends p with its word unless it is already listed; true when it was appended.
bool AddImageElement(ImageState& image, const Permutation& p, const Word& word);

// The gcd of |a| and |b| by repeated subtraction; Gcd(0, b) = |b|, Gcd(a, 0) = |a|.
int32_t Gcd(int32_t a, int32_t b);

}  // namespace quarvel
