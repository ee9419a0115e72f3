#include "lists/list_knot_seed.h"

#include <string>

#include "lists/knot_list.h"

namespace quarvel {

uint32_t ListKnotSeed(std::string_view line, int64_t size) {
  constexpr uint32_t kOffsetBasis = 2166136261u;
  constexpr uint32_t kPrime = 16777619u;
  uint32_t hash = kOffsetBasis;
  const std::string braid = ListLineBraid(line);
  for (unsigned char c : braid) hash = (hash ^ c) * kPrime;
  for (int shift = 0; shift < 64; shift += 8)
    hash = (hash ^ ((static_cast<uint64_t>(size) >> shift) & 0xff)) * kPrime;
  return hash;
}

}  // namespace quarvel
