#pragma once
// target[n] := (target[n] + factor * source[n]) mod p over whole granules of 16 residues: the inner
// loop of every row operation on polynomial matrices. Residues are bytes in [0, p), p <= 127.
// Both ranges must hold count bytes, count a multiple of kResidueGranule; a granule past the end
// of the values that matter must read zeros in source, so that target keeps its values there.

#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quarvel {

inline constexpr size_t kResidueGranule = 16;

inline size_t RoundToGranule(size_t length) {
  return (length + kResidueGranule - 1) / kResidueGranule * kResidueGranule;
}

struct MultiplyAddModP {
  MultiplyAddModP(uint32_t prime, uint32_t factor);

  // target and source may not overlap. One granule, the common length of short entries, is
  // worked inline; longer ranges go to the widest kernel the processor has.
  void operator()(uint8_t* target, const uint8_t* source, size_t count) const {
    if (count == kResidueGranule) {
      MultiplyAddGranule(target, source);
    } else {
      MultiplyAddGranules(target, source, count);
    }
  }

  // Reduction of target + factor * source modulo p without a division: with m = floor(2^16 / p)
  // the quotient estimate ((x * m) >> 16) is at most one too small for x < 2^16, and x stays below
  // p^2 <= 16129, so one conditional subtraction of p finishes it. Worked in 16-bit lanes.
  void MultiplyAddGranule(uint8_t* __restrict target, const uint8_t* __restrict source) const {
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target));
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i low = Lanes(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(s, zero));
    const __m128i high = Lanes(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(s, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target), _mm_packus_epi16(low, high));
#else
    for (size_t n = 0; n < kResidueGranule; ++n) {
      const uint16_t x = static_cast<uint16_t>(target[n] + factor * source[n]);
      const uint16_t q = static_cast<uint16_t>((static_cast<uint32_t>(x) * m) >> 16);
      const uint16_t r = static_cast<uint16_t>(x - q * p);
      target[n] = static_cast<uint8_t>(r >= p ? r - p : r);
    }
#endif
  }

  uint16_t p;
  uint16_t m;  // floor(2^16 / p)
  uint16_t factor;

 private:
  void MultiplyAddGranules(uint8_t* target, const uint8_t* source, size_t count) const;

#ifdef __SSE2__
  // Eight lanes of target + factor * source, reduced.
  __m128i Lanes(__m128i target, __m128i source) const {
    const __m128i prime = _mm_set1_epi16(static_cast<int16_t>(p));
    const __m128i x =
        _mm_add_epi16(target, _mm_mullo_epi16(_mm_set1_epi16(static_cast<int16_t>(factor)), source));
    const __m128i q = _mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<int16_t>(m)));
    const __m128i r = _mm_sub_epi16(x, _mm_mullo_epi16(q, prime));
    const __m128i atLeastP = _mm_cmpgt_epi16(r, _mm_sub_epi16(prime, _mm_set1_epi16(1)));
    return _mm_sub_epi16(r, _mm_and_si128(atLeastP, prime));
  }
#endif
};

}  // namespace quarvel
