#include "reps/permutation_group.h"

#include <algorithm>
#include <numeric>

namespace quarvel {
namespace {

// The prime table holds 2, 3, 5, ..., 71; the metabelian modulus is drawn from positions 2..19.
constexpr int32_t kFirstMetabelianPrimePosition = 2;
constexpr int32_t kSmallestMetabelianModulus = 3;

}  // namespace

void ElementTable::CopyRow(int32_t row, Permutation& image, Permutation& inverse) const {
  const size_t base = static_cast<size_t>(row) * (degree + 1);
  for (int32_t i = 1; i <= degree; ++i) {
    image[i] = images[base + i];
    inverse[i] = inverses[base + i];
  }
}

void ElementTable::Append(const Permutation& image) {
  if (images.empty()) {
    images.assign(degree + 1, 0);  // row 0, unused
    inverses.assign(degree + 1, 0);
  }
  const size_t base = images.size();
  images.resize(base + degree + 1, 0);
  inverses.resize(base + degree + 1, 0);
  for (int32_t i = 1; i <= degree; ++i) {
    images[base + i] = static_cast<uint8_t>(image[i]);
    inverses[base + image[i]] = static_cast<uint8_t>(i);
  }
  ++rows;
}

int32_t InversionCount(const Permutation& p, int32_t k) {
  int32_t count = 0;
  for (int32_t i = 1; i <= k; ++i) {
    for (int32_t j = i + 1; j <= k; ++j) count += p[i] > p[j];
  }
  return count;
}

ElementTable BuildElementTable(int32_t k, bool alternating) {
  ElementTable table;
  table.degree = k;
  int32_t factorial = 1;
  for (int32_t i = 2; i <= k; ++i) factorial *= i;
  table.images.reserve(static_cast<size_t>(factorial + 1) * (k + 1));
  table.inverses.reserve(static_cast<size_t>(factorial + 1) * (k + 1));
  // The bijections among the k-tuples, in odometer order, are the permutations in lexicographic
  // order: walk them directly instead of counting through all k^k tuples.
  Permutation p{};
  std::iota(p.begin() + 1, p.begin() + 1 + k, 1);
  do {
    if (!alternating || InversionCount(p, k) % 2 == 0) table.Append(p);
  } while (std::next_permutation(p.begin() + 1, p.begin() + 1 + k));
  return table;
}

void RandomPermutation(RandomGenerator& random, int64_t k, Permutation& image, Permutation& inverse) {
  std::array<bool, kMaxDegree + 1> used{};
  const uint32_t range = static_cast<uint32_t>(k);
  for (int32_t position = 1; position <= k; ++position) {
    int32_t value = 0;
    do {
      value = static_cast<int32_t>(RandomBelow(random, range)) + 1;
    } while (used[value]);
    used[value] = true;
    image[position] = value;
    inverse[value] = position;
  }
}

void EvaluateWord(const Representation& rep, int64_t k, std::string_view word, Permutation& result) {
  // Each point is carried through the letters from the last to the first, which gives the same
  // map as composing R := R o P from the left and needs no scratch permutation.
  for (int32_t i = 1; i <= k; ++i) {
    int32_t point = i;
    for (size_t at = word.size(); at >= 2; at -= 2) {
      const GeneratorImage& g = rep.generators[GeneratorOf(word[at - 1])];
      point = word[at - 2] == '+' ? g.image[point] : g.inverseImage[point];
    }
    result[i] = point;
  }
}

bool WordIsIdentity(const Representation& rep, int64_t k, std::string_view word) {
  for (int32_t i = 1; i <= k; ++i) {
    int32_t point = i;
    for (size_t at = word.size(); at >= 2; at -= 2) {
      const GeneratorImage& g = rep.generators[GeneratorOf(word[at - 1])];
      point = word[at - 2] == '+' ? g.image[point] : g.inverseImage[point];
    }
    if (point != i) return false;
  }
  return true;
}

void InvertPermutation(const Permutation& p, int64_t k, Permutation& inverse) {
  for (int32_t i = 1; i <= k; ++i) inverse[p[i]] = i;
}

std::optional<MetabelianGroup> ChooseMetabelianGroup(
    RandomGenerator& random, const std::array<int32_t, kPrimeTableSize + 1>& primeTable, int32_t bound,
    int32_t degreeCap) {
  bound = std::min(bound, degreeCap);
  if (bound < kSmallestMetabelianModulus) return std::nullopt;
  const uint32_t range = static_cast<uint32_t>(kPrimeTableSize - 2);
  int32_t l = 0;
  do {
    l = primeTable[kFirstMetabelianPrimePosition + RandomBelow(random, range)];
  } while (l > bound);
  return MetabelianGroup{2, l, l - 1};
}

ElementTable BuildMetabelianElements(int32_t l, int32_t z) {
  ElementTable table;
  table.degree = l;
  Permutation p{};
  for (int32_t i = 0; i <= 1; ++i) {
    const int32_t factor = i == 0 ? 1 : z;
    for (int32_t j = 0; j < l; ++j) {
      for (int32_t m = 1; m <= l; ++m) {
        int32_t residue = (j + factor * m) % l;
        p[m] = residue == 0 ? l : residue;
      }
      table.Append(p);
    }
  }
  return table;
}

int32_t MetabelianElementOf(const Permutation& p, int32_t l) {
  const int32_t j = p[l] % l;
  const int32_t i = ((p[1] - j) % l + l) % l == 1 ? 0 : 1;
  return l * i + j + 1;
}

}  // namespace quarvel
