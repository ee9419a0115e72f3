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
  // A default field is F_2, ready to use.
  int32_t currentPrime = 2;
  std::array<Residue, kMaxFieldPrime + 1> inverseTable{0, 1};  // 1-based: inverseTable[a], a = 1 .. p-1
  // Division-free reduction of values below p^2 (see ReduceBelowSquare).
  uint32_t reductionMultiplier = 9;
  uint32_t reductionShift = 4;
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
// run as a vectorisable loop; such a loop passes the three values in locals.
inline uint32_t ReduceBelowSquare(uint32_t x, uint32_t prime, uint32_t multiplier, uint32_t shift) {
  return x - ((x * multiplier) >> shift) * prime;
}

inline uint32_t ReduceBelowSquare(const PrimeField& field, uint32_t x) {
  return ReduceBelowSquare(x, static_cast<uint32_t>(field.currentPrime), field.reductionMultiplier,
                           field.reductionShift);
}

}  // namespace quarvel
