#include "poly/laurent_entry.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quarvel {

LaurentEntry::LaurentEntry(int32_t low, std::span<const uint8_t> coefficients) {
  if (coefficients.empty()) return;
  Reserve(low, low + static_cast<int64_t>(coefficients.size()) - 1,
          static_cast<int64_t>(RoundToGranule(coefficients.size())));
  low_ = low;
  size_ = static_cast<int32_t>(coefficients.size());
  std::memcpy(buffer_.data() + origin_, coefficients.data(), coefficients.size());
  Trim();
}

void LaurentEntry::Grow(int64_t low, int64_t end) {
  if (size_ == 0) {
    // Nothing to keep: the origin may move anywhere in the buffer.
    const size_t needed = static_cast<size_t>(end - low);
    if (buffer_.size() < needed) buffer_.resize(needed + needed / 2 + kResidueGranule, 0);
    origin_ = std::min(origin_, buffer_.size() - needed);
    low_ = static_cast<int32_t>(low);
    return;
  }
  const int64_t keptLow = std::min<int64_t>(low, low_);
  const int64_t keptEnd =
      std::max<int64_t>(end, low_ + static_cast<int64_t>(RoundToGranule(static_cast<size_t>(size_))));
  const int64_t span = keptEnd - keptLow;
  const int64_t room = span / 2 + static_cast<int64_t>(kResidueGranule);
  std::vector<uint8_t> grown(static_cast<size_t>(span + 2 * room), 0);
  const size_t newOrigin = static_cast<size_t>(room + (low_ - keptLow));
  std::memcpy(grown.data() + newOrigin, buffer_.data() + origin_, static_cast<size_t>(size_));
  buffer_.swap(grown);
  origin_ = newOrigin;
}

void LaurentEntry::AddMultiple(const LaurentEntry& source, const MultiplyAddModP& multiplyAdd,
                               int32_t shift) {
  const ShiftedMultiple multiple{multiplyAdd, shift};
  AddMultiples(source, {&multiple, 1});
}

void LaurentEntry::AddMultiples(const LaurentEntry& source, std::span<const ShiftedMultiple> multiples) {
  if (source.IsZero() || multiples.empty()) return;
  int64_t leastShift = multiples.front().shift;
  int64_t greatestShift = leastShift;
  for (const ShiftedMultiple& multiple : multiples) {
    leastShift = std::min<int64_t>(leastShift, multiple.shift);
    greatestShift = std::max<int64_t>(greatestShift, multiple.shift);
  }
  const int64_t sourceLow = static_cast<int64_t>(source.low_) + leastShift;
  const int64_t sourceHigh = static_cast<int64_t>(source.low_) + greatestShift + source.size_ - 1;
  const size_t count = RoundToGranule(static_cast<size_t>(source.size_));
  const int64_t low = IsZero() ? sourceLow : std::min<int64_t>(sourceLow, low_);
  const int64_t high = IsZero() ? sourceHigh : std::max<int64_t>(sourceHigh, High());
  Reserve(low, high, (sourceLow - low) + (greatestShift - leastShift) + static_cast<int64_t>(count));
  origin_ -= static_cast<size_t>(low_ - low);
  low_ = static_cast<int32_t>(low);
  size_ = static_cast<int32_t>(high - low + 1);
  const uint8_t* from = source.buffer_.data() + source.origin_;
  for (const ShiftedMultiple& multiple : multiples) {
    if (multiple.multiplyAdd.factor == 0) continue;
    multiple.multiplyAdd(buffer_.data() + origin_ + (sourceLow - low) + (multiple.shift - leastShift), from,
                         count);
  }
  Trim();
}

void LaurentEntry::Clear() {
  if (size_ == 0) return;  // also when there is no buffer
  std::memset(buffer_.data() + origin_, 0, static_cast<size_t>(size_));
  size_ = 0;
}

void LaurentEntry::Trim() {
  const uint8_t* data = buffer_.data() + origin_;
  int32_t first = 0;
  while (first < size_ && data[first] == 0) ++first;
  if (first == size_) {
    size_ = 0;
    return;
  }
  int32_t last = size_ - 1;
  while (data[last] == 0) --last;
  origin_ += static_cast<size_t>(first);
  low_ += first;
  size_ = last - first + 1;
}

}  // namespace quarvel
