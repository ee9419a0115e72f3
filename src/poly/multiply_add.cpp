#include "poly/multiply_add.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace quarvel {
namespace {

// Reduction of target + factor * source modulo p without a division: with m = floor(2^16 / p)
// the quotient estimate ((x * m) >> 16) is at most one too small for x < 2^16, and x stays below
// p^2 <= 16129. Written in 16-bit lanes so that the loops vectorise on every x86-64; where the
// processor has AVX2, one granule is one 256-bit register of 16-bit lanes instead of two halves.
[[gnu::noinline]] void MultiplyAddGranules(uint8_t* __restrict target, const uint8_t* __restrict source,
                                           size_t count, uint16_t prime, uint16_t multiplier,
                                           uint16_t factor) {
  for (size_t chunk = 0; chunk < count; chunk += kResidueGranule) {
    for (size_t n = chunk; n < chunk + kResidueGranule; ++n) {
      const uint16_t x = static_cast<uint16_t>(target[n] + factor * source[n]);
      const uint16_t q = static_cast<uint16_t>((static_cast<uint32_t>(x) * multiplier) >> 16);
      // r < 2p: one conditional subtraction, as a signed comparison (one instruction on SSE2).
      const int16_t r = static_cast<int16_t>(x - q * prime);
      target[n] = static_cast<uint8_t>(r - (r >= static_cast<int16_t>(prime) ? prime : 0));
    }
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define QUARVEL_AVX2_KERNEL 1
static_assert(kResidueGranule == 16, "one granule fills one register of 16-bit lanes");

// The same arithmetic, lane for lane.
[[gnu::target("avx2"), gnu::noinline]] void MultiplyAddGranulesAvx2(uint8_t* target, const uint8_t* source,
                                                                    size_t count, uint16_t prime,
                                                                    uint16_t multiplier, uint16_t factor) {
  const __m256i p = _mm256_set1_epi16(static_cast<int16_t>(prime));
  const __m256i m = _mm256_set1_epi16(static_cast<int16_t>(multiplier));
  const __m256i f = _mm256_set1_epi16(static_cast<int16_t>(factor));
  for (size_t n = 0; n < count; n += kResidueGranule) {
    const __m256i t = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(target + n)));
    const __m256i s = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + n)));
    const __m256i x = _mm256_add_epi16(t, _mm256_mullo_epi16(f, s));
    const __m256i q = _mm256_mulhi_epu16(x, m);
    __m256i r = _mm256_sub_epi16(x, _mm256_mullo_epi16(q, p));
    r = _mm256_min_epu16(r, _mm256_sub_epi16(r, p));
    const __m128i packed = _mm_packus_epi16(_mm256_castsi256_si128(r), _mm256_extracti128_si256(r, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + n), packed);
  }
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

}  // namespace

MultiplyAddModP::MultiplyAddModP(uint32_t prime, uint32_t factorModP)
    : p(static_cast<uint16_t>(prime)),
      m(static_cast<uint16_t>(65536u / prime)),
      factor(static_cast<uint16_t>(factorModP)) {}

void MultiplyAddModP::operator()(uint8_t* target, const uint8_t* source, size_t count) const {
#ifdef QUARVEL_AVX2_KERNEL
  if (HasAvx2()) {
    MultiplyAddGranulesAvx2(target, source, count, p, m, factor);
    return;
  }
#endif
  MultiplyAddGranules(target, source, count, p, m, factor);
}

}  // namespace quarvel
