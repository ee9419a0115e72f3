#pragma once
// The image of a permutation representation in S_m (m = degree k <= 7), its order, and the
// smallest number of its elements that generate it.
//
// ComputeImage closes the generator images under composition, each element with a word in the
// generators that produces it (the list stops growing at 5040 elements, and passes stop once it
// holds more than 1000). For images of at most 1000 elements it also yields the phi divisor: the
// gcd over every element x and present generator g of phi(word x) + phi(g) - phi(word of xg).
//
// BuildRegularRepresentation turns the image into a representation of its own, for the item
// "S_k - representation": each surviving generator gets the n x n matrix of its left regular
// action on the n elements (column i has its 1 in the row of g x_i; the inverse matrix is the
// transpose).
//
// ImageGeneratorCount finds the least d such that some d elements of the image (at most 1000 of
// them) generate it, trying the d-tuples in odometer order; S_6 and A_6 are known to need 2. A d of
// 7 means no 6 elements do.
//
// The closures pump the window every 10 outer steps and return at once when the run is asked to
// stop.

#include <cstdint>
#include <optional>

#include "base/run_control.h"
#include "group/presentation.h"
#include "group/word.h"
#include "reps/image_state.h"

namespace quarvel {

inline constexpr int32_t kLargestShownImage = 1000;
inline constexpr int32_t kLargestRegularImage = 60;

// Fills `image` with the image of the present generators (generatorUsed) under the permutations of
// 1..m of `representation`, and its phi divisor. Clears image.current on entry and sets it once the
// closure is complete; returns it. Computes nothing for m outside 1..7; a stop leaves the list
// partly filled.
bool ComputeImage(const Presentation& presentation, const Representation& representation, int32_t m,
                  ImageState& image, RunControl& control);

// The matrices of the left regular representation of a complete image for the surviving
// generators; false, writing nothing, when the image has more than 60 elements.
bool BuildRegularRepresentation(const ImageState& image, const Presentation& presentation,
                                Representation& representation);

// The least number of elements that generate a complete image of at most 1000 elements of S_m,
// m <= 7; nothing for any other image, or when the run was asked to stop.
std::optional<int32_t> ImageGeneratorCount(const ImageState& image, RunControl& control);

// Empties the list for permutations of 1..m.
void ResetImage(ImageState& image, int32_t m);
// Position 1..count of the element equal to p on points 1..m, or 0.
int32_t FindImageElement(const ImageState& image, const Permutation& p);
// Appends p with its word unless it is already listed; true when it was appended.
bool AddImageElement(ImageState& image, const Permutation& p, const Word& word);

// The gcd of |a| and |b| by repeated subtraction; Gcd(0, b) = |b|, Gcd(a, 0) = |a|.
int32_t Gcd(int32_t a, int32_t b);

}  // namespace quarvel
