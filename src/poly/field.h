#pragma once
// Arithmetic in the prime field F_p of the current run.
//
// A residue is one signed byte kept in [0, p). The field holds the current prime and the table of
// inverses of 1 .. p-1, which BuildInverseTable fills whenever the prime changes. Primes up to 127
// fit a signed byte; the run settings never pass more than 53. Every operation here is total for
// residues in range; InverseModP is defined for a != 0 only.

#include <array>
#include <cstdint>

namespace quarvel {

using Residue = int8_t;

inline constexpr int32_t kMaxFieldPrime = 127;

struct PrimeField {
  int32_t currentPrime = 2;
  std::array<Residue, kMaxFieldPrime + 1> inverseTable{};  // 1-based: inverseTable[a] for a = 1 .. p-1
  // Division-free reduction of values below p^2 (see ReduceBelowSquare).
  uint32_t reductionMultiplier = 0;
  uint32_t reductionShift = 0;
};

// Fills the inverse table for field.currentPrime: the inverse of a is the first b = 1, 2, ... with
// a * b - 1 divisible by p. Also prepares the fast reduction.
void BuildInverseTable(PrimeField& field);

// Sets the current prime (2 <= p <= kMaxFieldPrime) and rebuilds the table.
void SetCurrentPrime(PrimeField& field, int32_t prime);

// n brought into [0, p).
Residue ReduceModP(const PrimeField& field, int64_t n);

inline Residue AddModP(const PrimeField& field, Residue a, Residue b) {
  int32_t sum = a + b;
  return static_cast<Residue>(sum >= field.currentPrime ? sum - field.currentPrime : sum);
}

inline Residue SubtractModP(const PrimeField& field, Residue a, Residue b) {
  int32_t difference = a - b;
  return static_cast<Residue>(difference < 0 ? difference + field.currentPrime : difference);
}

inline Residue MultiplyModP(const PrimeField& field, Residue a, Residue b) {
  return static_cast<Residue>(static_cast<int64_t>(a) * b % field.currentPrime);
}

inline Residue InverseModP(const PrimeField& field, Residue a) {
  return field.inverseTable[a];
}

// x mod p for 0 <= x < p^2 by one multiplication and one shift: with 2^shift >= p^3 and
// multiplier = floor(2^shift / p) + 1 the quotient is never off by one in that range, and the
// product stays below 2^32 for every prime up to 127. This is what lets the matrix row operations
// run as a vectorisable loop.
inline uint32_t ReduceBelowSquare(const PrimeField& field, uint32_t x) {
  uint32_t quotient = (x * field.reductionMultiplier) >> field.reductionShift;
  return x - quotient * static_cast<uint32_t>(field.currentPrime);
}

}  // namespace quarvel
