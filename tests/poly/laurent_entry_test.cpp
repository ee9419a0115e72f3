#include "poly/laurent_entry.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace quarvel {
namespace {

using Terms = std::map<int32_t, int>;  // exponent -> nonzero coefficient

Terms TermsOf(const LaurentEntry& f) {
  Terms terms;
  const std::span<const uint8_t> c = f.Coefficients();
  for (size_t i = 0; i < c.size(); ++i) {
    if (c[i] != 0) terms[f.Low() + static_cast<int32_t>(i)] = c[i];
  }
  return terms;
}

// Random sums of shifted multiples, one or several at a time, far below and far above exponent 0 and
// cancelling at both ends, against the same sums kept term by term; now and then an entry is cleared.
TEST(LaurentEntry, ShiftedMultiplesGrowAtBothEndsAndTrimWhatCancels) {
  LaurentEntry never;
  never.Clear();  // an entry that never held a term has no buffer
  EXPECT_TRUE(never.IsZero());
  std::mt19937 random(5);
  for (uint32_t p : {2u, 13u, 127u}) {
    std::vector<LaurentEntry> entries(4);
    std::vector<Terms> expected(4);
    for (int step = 0; step < 400; ++step) {
      const size_t target = random() % 4;
      const size_t source = (target + 1 + random() % 3) % 4;
      const bool fresh = expected[source].empty() || random() % 5 == 0;
      if (fresh) {
        // A fresh source: a few terms anywhere within +-2^16.
        const int32_t near = expected[target].empty() ? 0 : expected[target].begin()->first;
        const int32_t low = random() % 2 == 0 ? near + static_cast<int32_t>(random() % 20) - 10
                                              : static_cast<int32_t>(random() % (1 << 17)) - (1 << 16);
        std::vector<uint8_t> coefficients(1 + random() % 40);
        for (uint8_t& c : coefficients) c = static_cast<uint8_t>(random() % p);
        entries[source] = LaurentEntry(low, coefficients);
        expected[source].clear();
        for (size_t i = 0; i < coefficients.size(); ++i) {
          if (coefficients[i] != 0) expected[source][low + static_cast<int32_t>(i)] = coefficients[i];
        }
      }
      // One multiple, or several at once (a quotient's terms) of a fresh source.
      std::vector<ShiftedMultiple> multiples;
      for (size_t count = fresh && random() % 2 == 0 ? 2 + random() % 3 : 1; multiples.size() < count;) {
        uint32_t factor = static_cast<uint32_t>(random() % p);
        if (count == 1 && random() % 6 == 0) {
          // The target's own terms: minus them cancels everything, a shift cancels the middle.
          entries[source] = entries[target];
          expected[source] = expected[target];
          factor = p - 1;
        }
        // Mostly small shifts, so that terms meet and cancel; sometimes a jump of up to 2^16.
        const int32_t shift = factor == p - 1 && random() % 2 == 0 ? 0
                              : count == 1 && random() % 4 == 0
                                  ? static_cast<int32_t>(random() % (1 << 17)) - (1 << 16)
                                  : static_cast<int32_t>(random() % 9) - 4;
        multiples.push_back({MultiplyAddModP(p, factor), shift});
      }
      if (multiples.size() == 1) {
        entries[target].AddMultiple(entries[source], multiples[0].multiplyAdd, multiples[0].shift);
      } else {
        entries[target].AddMultiples(entries[source], multiples);
      }
      for (const ShiftedMultiple& multiple : multiples) {
        for (const auto& [e, c] : expected[source]) {
          const int32_t at = e + multiple.shift;
          const int sum = (expected[target][at] + multiple.multiplyAdd.factor * c) % static_cast<int>(p);
          if (sum == 0) {
            expected[target].erase(at);
          } else {
            expected[target][at] = sum;
          }
        }
      }
      if (random() % 50 == 0) {
        entries[target].Clear();
        expected[target].clear();
      }
      ASSERT_EQ(TermsOf(entries[target]), expected[target]) << "p=" << p << " step " << step;
      const LaurentEntry& f = entries[target];
      ASSERT_EQ(f.IsZero(), expected[target].empty());
      if (!f.IsZero()) {
        ASSERT_EQ(f.Low(), expected[target].begin()->first);
        ASSERT_EQ(f.High(), expected[target].rbegin()->first);
      }
    }
  }
}

}  // namespace
}  // namespace quarvel
