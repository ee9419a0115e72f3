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

void LaurentEntry::Reserve(int64_t low, int64_t high, int64_t reach) {
  if (high > INT32_MAX || low < INT32_MIN) throw std::bad_alloc();
  // One past the last byte that must exist; the extra granule keeps a whole granule readable
  // from the origin after Trim moves it.
  const int64_t end = std::max(high + 1, low + reach) + static_cast<int64_t>(kResidueGranule);
  if (size_ == 0) {
    // Nothing to keep: the origin may move anywhere in the buffer.
    const size_t needed = static_cast<size_t>(end - low);
    if (buffer_.size() < needed) buffer_.resize(needed + needed / 2 + kResidueGranule, 0);
    origin_ = std::min(origin_, buffer_.size() - needed);
    low_ = static_cast<int32_t>(low);
    return;
  }
  const int64_t first = static_cast<int64_t>(origin_) - (low_ - low);  // index of `low`
  const int64_t last = static_cast<int64_t>(origin_) + (end - low_);   // one past `end`
  if (first >= 0 && last <= static_cast<int64_t>(buffer_.size())) return;
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
  if (source.IsZero() || multiplyAdd.factor == 0) return;
  const int64_t sourceLow = static_cast<int64_t>(source.low_) + shift;
  const int64_t sourceHigh = sourceLow + source.size_ - 1;
  const size_t count = RoundToGranule(static_cast<size_t>(source.size_));
  const int64_t low = IsZero() ? sourceLow : std::min<int64_t>(sourceLow, low_);
  const int64_t high = IsZero() ? sourceHigh : std::max<int64_t>(sourceHigh, High());
  Reserve(low, high, (sourceLow - low) + static_cast<int64_t>(count));
  origin_ -= static_cast<size_t>(low_ - low);
  low_ = static_cast<int32_t>(low);
  size_ = static_cast<int32_t>(high - low + 1);
  multiplyAdd(buffer_.data() + origin_ + (sourceLow - low), source.buffer_.data() + source.origin_, count);
  Trim();
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
