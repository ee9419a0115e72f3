#pragma once
// The homomorphisms an isotopy run keeps for its reports, one per class under conjugation by S_k,
// and the counters of the enumeration that found them.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/result.h"
#include "homs/enumerate_homomorphisms.h"

namespace quarvel {

inline constexpr int64_t kMaxHomomorphisms = 1000;

struct HomomorphismStore {
  std::vector<Assignment> rows;  // the kept homomorphisms, at most 1000; H = rows.size()
  int64_t satisfyingCount = 0;   // T: candidates that satisfy the relators
  int64_t newCount = 0;          // H': candidates new up to conjugation
  int32_t checkedPercent = 0;    // the share of the candidates checked so far
};

// Appends `homomorphism` (every generator's image, eliminated ones included) as the next row;
// beyond 1000 rows it keeps nothing and returns the failure "Out of memory".
inline std::optional<Failure> StoreHomomorphism(HomomorphismStore& store, const Assignment& homomorphism) {
  if (static_cast<int64_t>(store.rows.size()) >= kMaxHomomorphisms) return Failure{"Out of memory"};
  store.rows.push_back(homomorphism);
  return std::nullopt;
}

}  // namespace quarvel
