#pragma once
// target[n] := (target[n] + factor * source[n]) mod p over whole granules of 16 residues: the inner
// loop of every row operation on polynomial matrices. Residues are bytes in [0, p), p <= 127.
// Both ranges must hold count bytes, count a multiple of kResidueGranule; a granule past the end
// of the values that matter must read zeros in source, so that target keeps its values there.

#include <cstddef>
#include <cstdint>

namespace quarvel {

inline constexpr size_t kResidueGranule = 16;

inline size_t RoundToGranule(size_t length) {
  return (length + kResidueGranule - 1) / kResidueGranule * kResidueGranule;
}

struct MultiplyAddModP {
  MultiplyAddModP(uint32_t prime, uint32_t factor);

  // target and source may not overlap.
  void operator()(uint8_t* target, const uint8_t* source, size_t count) const;

  uint16_t p;
  uint16_t m;  // floor(2^16 / p)
  uint16_t factor;
};

}  // namespace quarvel
