#include "homs/isotopy_group.h"

#include <algorithm>

#include "reps/representation_matrices.h"

namespace quarvel {
namespace {

constexpr uint32_t kCodeBase = 8;

bool IsEven(const SmallPermutation& p, int32_t k) {
  int32_t inversions = 0;
  for (int32_t i = 1; i <= k; ++i) {
    for (int32_t j = i + 1; j <= k; ++j) inversions += p[i] > p[j];
  }
  return inversions % 2 == 0;
}

uint32_t CodeSpace(int32_t k) {
  uint32_t size = 1;
  for (int32_t i = 0; i < k; ++i) size *= kCodeBase;
  return size;
}

void AppendElement(IsotopyGroup& g, const SmallPermutation& p) {
  const int32_t k = g.degree;
  SmallPermutation inverse{};
  std::string text;
  for (int32_t i = 1; i <= k; ++i) {
    inverse[p[i]] = static_cast<uint8_t>(i);
    text += static_cast<char>('0' + p[i]);
  }
  g.elements.push_back(p);
  g.inverses.push_back(inverse);
  g.texts.push_back(text);
  Permutation wide{};
  for (int32_t i = 1; i <= k; ++i) wide[i] = p[i];
  g.matrices.emplace_back();
  g.inverseMatrices.emplace_back();
  PermutationMatrices(wide, k, g.matrices.back(), g.inverseMatrices.back());
  ++g.elementCount;
  g.indexOfCode[PermutationCode(p, k)] = static_cast<uint16_t>(g.elementCount);
}

void FillProducts(IsotopyGroup& g) {
  const int32_t n = g.elementCount;
  const int32_t k = g.degree;
  const size_t side = static_cast<size_t>(n) + 1;
  g.products.assign(side * side, 0);
  for (int32_t a = 1; a <= n; ++a) {
    const SmallPermutation& pa = g.elements[a];
    for (int32_t b = 1; b <= n; ++b) {
      const SmallPermutation& pb = g.elements[b];
      uint32_t code = 0;
      for (int32_t i = 1; i <= k; ++i) code = code * kCodeBase + static_cast<uint32_t>(pa[pb[i]]);
      g.products[a * side + b] = g.indexOfCode[code];
    }
  }
}

std::vector<SmallPermutation> AllPermutations(int32_t k) {
  std::vector<SmallPermutation> all;
  SmallPermutation s = IdentityPermutation(k);
  do {
    all.push_back(s);
  } while (std::next_permutation(s.begin() + 1, s.begin() + 1 + k));
  return all;
}

// For every class: the least code of the representative's S_k-conjugates and the permutations
// that conjugate it there.
void FindLeastConjugates(IsotopyGroup& g) {
  const int32_t k = g.degree;
  const std::vector<SmallPermutation> all = AllPermutations(k);
  const size_t classes = g.classRepresentatives.size();
  g.leastConjugateCode.assign(classes, 0);
  g.toLeastConjugate.assign(classes, {});
  for (size_t c = 1; c < classes; ++c) {
    const SmallPermutation& x = g.elements[g.classRepresentatives[c]];
    uint32_t best = UINT32_MAX;
    for (const SmallPermutation& t : all) {
      const uint32_t code = PermutationCode(Conjugate(t, x, k), k);
      if (code < best) g.toLeastConjugate[c].clear();
      if (code <= best) g.toLeastConjugate[c].push_back(t), best = code;
    }
    g.leastConjugateCode[c] = best;
  }
}

}  // namespace

SmallPermutation IdentityPermutation(int32_t k) {
  SmallPermutation p{};
  for (int32_t i = 1; i <= k && i <= kMaxIsotopyDegree; ++i) p[i] = static_cast<uint8_t>(i);
  return p;
}

uint32_t PermutationCode(const SmallPermutation& p, int32_t k) {
  uint32_t code = 0;
  for (int32_t i = 1; i <= k; ++i) code = code * kCodeBase + static_cast<uint32_t>(p[i]);
  return code;
}

int32_t ElementOfCode(const IsotopyGroup& group, uint32_t code) {
  return code < group.indexOfCode.size() ? group.indexOfCode[code] : 0;
}

SmallPermutation Conjugate(const SmallPermutation& s, const SmallPermutation& x, int32_t k) {
  SmallPermutation y{};
  for (int32_t i = 1; i <= k; ++i) y[s[i]] = s[x[i]];
  return y;
}

int32_t IsotopyDegree(std::string_view name) {
  return name.size() < 2 ? 0 : std::clamp(name[1] - '0', 0, kMaxIsotopyDegree);
}

IsotopyGroup MakeIsotopyGroup(std::string_view name) {
  IsotopyGroup g;
  g.name = std::string(name);
  g.letter = name.empty() ? ' ' : name[0];
  g.degree = IsotopyDegree(name);
  // Slot 0 of every element list is unused.
  g.elements.emplace_back();
  g.inverses.emplace_back();
  g.texts.emplace_back();
  g.matrices.emplace_back();
  g.inverseMatrices.emplace_back();
  if (g.letter != 's' && g.letter != 'a') return g;

  const int32_t k = g.degree;
  g.indexOfCode.assign(CodeSpace(k), 0);
  SmallPermutation p = IdentityPermutation(k);
  do {
    if (g.letter == 's' || IsEven(p, k)) AppendElement(g, p);
  } while (std::next_permutation(p.begin() + 1, p.begin() + 1 + k));
  g.inverseIndex.assign(g.elementCount + 1, 0);
  for (int32_t e = 1; e <= g.elementCount; ++e) {
    g.inverseIndex[e] = g.indexOfCode[PermutationCode(g.inverses[e], k)];
  }
  FillProducts(g);
  return g;
}

void FindConjugacyClasses(IsotopyGroup& g) {
  const int32_t n = g.elementCount;
  g.classOf.assign(n + 1, 0);
  g.classRepresentatives.assign(1, 0);
  for (int32_t x = 1; x <= n; ++x) {
    if (g.classOf[x] != 0) continue;
    const int32_t c = static_cast<int32_t>(g.classRepresentatives.size());
    g.classRepresentatives.push_back(x);
    for (int32_t y = 1; y <= n; ++y) {
      g.classOf[ElementProduct(g, ElementProduct(g, y, x), g.inverseIndex[y])] = c;
    }
  }
  g.classMembers.assign(g.classRepresentatives.size(), {});
  for (int32_t x = 1; x <= n; ++x) g.classMembers[g.classOf[x]].push_back(x);
  FindLeastConjugates(g);
}

}  // namespace quarvel
