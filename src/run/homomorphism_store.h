#pragma once
// The homomorphisms an isotopy run keeps for its reports, one per class under conjugation by S_k,
// and the counters of the enumeration that found them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/result.h"
#include "homs/enumerate_homomorphisms.h"

namespace quarvel {

struct HomomorphismStore {
  std::vector<Assignment> rows;  // the kept homomorphisms; H = rows.size()
  int64_t satisfyingCount = 0;   // T: candidates that satisfy the relators
  int64_t newCount = 0;          // H': candidates new up to conjugation
  int32_t checkedPercent = 0;    // the share of the candidates checked so far
};

// Appends `homomorphism` (every generator's image, eliminated ones included) as the next row. When
// growing the rows would take them past byteCeiling it keeps nothing and returns the failure
// "Out of memory".
inline std::optional<Failure> StoreHomomorphism(HomomorphismStore& store, const Assignment& homomorphism,
                                                size_t byteCeiling) {
  if (store.rows.size() == store.rows.capacity()) {
    const size_t grown = std::max<size_t>(2 * store.rows.capacity(), 16);
    if (grown > byteCeiling / sizeof(Assignment)) return Failure{"Out of memory"};
    store.rows.reserve(grown);
  }
  store.rows.push_back(homomorphism);
  return std::nullopt;
}

}  // namespace quarvel
