#include "base/run_settings.h"

namespace quarvel {

void FillPrimeTable(RunSettings& settings) {
  static constexpr int32_t kPrimes[kPrimeTableSize] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29,
                                                       31, 37, 41, 43, 47, 53, 59, 61, 67, 71};
  for (int i = 0; i < kPrimeTableSize; ++i) settings.primeTable[i + 1] = kPrimes[i];
}

}  // namespace quarvel
