#pragma once
// Exact rational numbers with 64-bit numerator and denominator, for the Alexander polynomial over Z
// and the Wada invariant.
//
// Normal form: numerator and denominator divided by their greatest common divisor, denominator
// positive, zero as 0/1. Results of the operations below are in normal form.
//
// Failures raise the integer polynomial error flag of the failure state with a short code:
//   "7"      NormaliseRational: gcd 0
//   "8"      GcdInt64, NegateRational: an absolute value beyond the 64-bit range
//   "r1222"  AddRational, MultiplyRational, ReciprocalRational: a zero denominator
//   "q1q2"   AddRational: the sum out of range
//   "qprod"  MultiplyRational: the product out of range
// The flag never stops a run, and it never hides an earlier failure: the shared error message takes
// the code only while no other failure is recorded, and the first code of the flag stays. While
// the flag is set, AddRational and MultiplyRational return 1/1 without computing.

#include <cstdint>

#include "base/failure.h"

namespace quarvel {

struct RationalNumber {
  int64_t numerator = 0;
  int64_t denominator = 1;

  friend bool operator==(const RationalNumber&, const RationalNumber&) = default;
};

// Sets the integer polynomial error flag; the message takes the code only as described above.
void RaiseIntegerError(FailureState& failure, const char* code);

// The gcd of |a| and |b| by Euclid's algorithm (gcd(0, 0) = 0). The most negative 64-bit number
// has no absolute value: "8", and 0 is returned.
int64_t GcdInt64(int64_t a, int64_t b, FailureState& failure);

// x/y in normal form; a gcd of 0 raises "7" and gives 1/1.
RationalNumber NormaliseRational(RationalNumber x, FailureState& failure);

// x/y + z/w. A zero denominator raises "r1222" and gives the first summand. A denominator above
// 10000 in absolute value is normalised first. With all four parts below 100000 in absolute value
// the sum is formed directly. Otherwise a zero summand gives the other one, and when ln|x| + ln|w|, ln|z| +
// ln|y| or ln|y| + ln|w| reaches 38 the sum is out of range: "q1q2" and 1/1. Below that bound every product
// fits 64 bits exactly.
RationalNumber AddRational(RationalNumber a, RationalNumber b, FailureState& failure);

// (x/y)(z/w) by the same scheme (a zero denominator: "r1222" and the first factor); out of range when ln|x| +
// ln|z| or ln|y| + ln|w| reaches 38: "qprod" and 1/1. A zero factor gives 0/1.
RationalNumber MultiplyRational(RationalNumber a, RationalNumber b, FailureState& failure);

// -x/y.
RationalNumber NegateRational(RationalNumber x, FailureState& failure);

// y/x, denominator made positive; the reciprocal of 0 raises "r1222" and gives 0/1.
RationalNumber ReciprocalRational(RationalNumber x, FailureState& failure);

}  // namespace quarvel
