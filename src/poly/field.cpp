#include "poly/field.h"

#include <bit>

namespace quarvel {

void BuildInverseTable(PrimeField& field) {
  const int32_t p = field.currentPrime;
  field.inverseTable.fill(0);
  for (int32_t a = 1; a < p; ++a) {
    for (int32_t b = 1; b < p; ++b) {
      if ((a * b - 1) % p == 0) {
        field.inverseTable[a] = static_cast<Residue>(b);
        break;
      }
    }
  }
  const uint32_t cube = static_cast<uint32_t>(p) * p * p;
  field.reductionShift = static_cast<uint32_t>(std::bit_width(cube));
  field.reductionMultiplier = (uint32_t{1} << field.reductionShift) / static_cast<uint32_t>(p) + 1;
}

void SetCurrentPrime(PrimeField& field, int32_t prime) {
  field.currentPrime = prime;
  BuildInverseTable(field);
}

Residue ReduceModP(const PrimeField& field, int64_t n) {
  const int64_t p = field.currentPrime;
  int64_t r = n % p;
  return static_cast<Residue>(r < 0 ? r + p : r);
}

}  // namespace quarvel
