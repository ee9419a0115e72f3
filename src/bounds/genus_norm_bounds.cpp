#include "bounds/genus_norm_bounds.h"

#include <algorithm>
#include <cstdio>

#include "base/run_settings.h"

namespace quarvel {

ZerothCorrection ZerothCorrectionFor(bool trivialPass, RepFamily repFamily, int64_t k, int64_t b3,
                                     int64_t phiMultiple, int64_t zerothAndSecondDegrees) {
  const int64_t lower = zerothAndSecondDegrees;
  const int64_t primitive = (1 + b3) * phiMultiple;
  ZerothCorrection d;
  if (trivialPass) {
    d.bound = 1 + b3;
  } else if (repFamily == RepFamily::abelian) {
    d = {primitive * k, 0, primitive * k};
  } else if (repFamily == RepFamily::metabelian) {
    d = {primitive, primitive, primitive};
  } else {
    d = {lower, lower, lower};
  }
  d.bound = std::max(d.bound, lower);
  return d;
}

GenusNormBounds BoundsFromDegree(int32_t twistedDegree, int64_t correction, int64_t k, int64_t phiMultiple,
                                 int64_t b3, bool positiveRank) {
  if (positiveRank) return {};
  const double norm = static_cast<double>(twistedDegree - correction) / static_cast<double>(k);
  const double genus = (norm / static_cast<double>(phiMultiple) + static_cast<double>(1 + b3)) * 0.5;
  return {std::max(genus, 0.0), std::max(norm, 0.0)};
}

std::string TwoDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string BoundText(double bound) {
  return std::to_string(static_cast<long long>(bound + 0.9999));
}

}  // namespace quarvel
