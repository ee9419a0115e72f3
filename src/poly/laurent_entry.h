#pragma once
// A Laurent polynomial over F_p laid out for row operations: its coefficients at exponents
// low .. high sit in one byte buffer with room on both sides, so that adding a shifted multiple of
// another entry is one pass of MultiplyAddModP over whole granules, growing the buffer at either
// end only when the result leaves it. Any exponent an int32_t holds is allowed; the buffer grows
// with the span (highest minus lowest exponent), which is what the memory follows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

#include "poly/multiply_add.h"

namespace quarvel {

// factor * t^shift, the factor held by its multiply-add.
struct ShiftedMultiple {
  MultiplyAddModP multiplyAdd;
  int32_t shift = 0;
};

class LaurentEntry {
 public:
  LaurentEntry() = default;
  // The polynomial with coefficients[i] at exponent low + i (residues in [0, p)).
  LaurentEntry(int32_t low, std::span<const uint8_t> coefficients);

  bool IsZero() const { return size_ == 0; }
  int32_t Low() const { return low_; }
  int32_t High() const { return low_ + size_ - 1; }
  // High - Low; -1 for zero.
  int32_t Span() const { return size_ - 1; }
  uint8_t LowestCoefficient() const { return buffer_[origin_]; }
  uint8_t HighestCoefficient() const { return buffer_[origin_ + size_ - 1]; }
  // The coefficients at Low() .. High().
  std::span<const uint8_t> Coefficients() const {
    return {buffer_.data() + origin_, static_cast<size_t>(size_)};
  }

  // this += multiplyAdd.factor * t^shift * source; source is another entry.
  void AddMultiple(const LaurentEntry& source, const MultiplyAddModP& multiplyAdd, int32_t shift);
  // this += (the sum of the multiples) * source, growing the buffer once for all of them.
  void AddMultiples(const LaurentEntry& source, std::span<const ShiftedMultiple> multiples);

  // Makes this zero, keeping the buffer.
  void Clear();

  size_t BufferBytes() const { return buffer_.size(); }

 private:
  // Makes the buffer hold exponents from `low` to `high` and, from `low`, `reach` bytes.
  void Reserve(int64_t low, int64_t high, int64_t reach) {
    if (high > INT32_MAX || low < INT32_MIN) throw std::bad_alloc();
    // One past the last byte that must exist; the extra granule keeps a whole granule readable
    // from the origin after Trim moves it.
    const int64_t end = std::max(high + 1, low + reach) + static_cast<int64_t>(kResidueGranule);
    const int64_t first = static_cast<int64_t>(origin_) - (low_ - low);  // index of `low`
    const int64_t last = static_cast<int64_t>(origin_) + (end - low_);   // one past `end`
    if (size_ == 0 || first < 0 || last > static_cast<int64_t>(buffer_.size())) Grow(low, end);
  }
  // Reserve's work when the buffer must grow or, for a zero entry, the origin move.
  void Grow(int64_t low, int64_t end);
  // Drops zero coefficients at both ends.
  void Trim();

  // Zero outside origin_ .. origin_ + size_ - 1; at least RoundToGranule(size_) bytes from origin_.
  std::vector<uint8_t> buffer_;
  size_t origin_ = 0;  // where the coefficient at low_ sits
  int32_t low_ = 0;
  int32_t size_ = 0;
};

}  // namespace quarvel
