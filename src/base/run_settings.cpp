#include "base/run_settings.h"

#include <unistd.h>

namespace quarvel {

size_t DefaultMemoryCeilingBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return size_t{4} << 30;
  return static_cast<size_t>(pages) / 2 * static_cast<size_t>(pageSize);
}

void FillPrimeTable(RunSettings& settings) {
  static constexpr int32_t kPrimes[kPrimeTableSize] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29,
                                                       31, 37, 41, 43, 47, 53, 59, 61, 67, 71};
  for (int i = 0; i < kPrimeTableSize; ++i) settings.primeTable[i + 1] = kPrimes[i];
}

}  // namespace quarvel
