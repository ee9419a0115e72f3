#include "poly/multiply_add.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace quarvel {
namespace {

#if defined(__x86_64__) && defined(__GNUC__)
#define QUARVEL_AVX2_KERNEL 1
static_assert(kResidueGranule == 16, "one granule fills one register of 16-bit lanes");

// MultiplyAddGranule's arithmetic, lane for lane, one granule per 256-bit register.
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

void MultiplyAddModP::MultiplyAddGranules(uint8_t* target, const uint8_t* source, size_t count) const {
#ifdef QUARVEL_AVX2_KERNEL
  if (HasAvx2()) {
    MultiplyAddGranulesAvx2(target, source, count, p, m, factor);
    return;
  }
#endif
  for (size_t n = 0; n < count; n += kResidueGranule) MultiplyAddGranule(target + n, source + n);
}

}  // namespace quarvel
