#pragma once
// The enumeration of homomorphisms up to conjugation done the plain way, as the reference for the
// fast one: an odometer over every candidate, products found by searching the element texts, and
// each candidate compared with every stored homomorphism under all k! conjugating permutations.

#include <algorithm>
#include <string>
#include <vector>

#include "homs/enumerate_homomorphisms.h"
#include "run/workbench.h"

namespace quarvel::testing {

// The index of a o b, by building its text and searching the element list.
inline int32_t PlainProduct(const IsotopyGroup& g, int32_t a, int32_t b) {
  std::string t(g.degree, ' ');
  for (int32_t i = 0; i < g.degree; ++i) t[i] = g.texts[a][g.texts[b][i] - '1'];
  for (int32_t e = 1; e <= g.elementCount; ++e) {
    if (g.texts[e] == t) return e;
  }
  return 0;
}

inline bool PlainRelatorsHold(const Workbench& wb, const Assignment& assignment) {
  const IsotopyGroup& g = wb.isotopyGroup;
  const Presentation& p = wb.presentation;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    const Word& w = p.relators[wb.simplification.relatorOrder[r]];
    int32_t value = 1;
    for (size_t at = 0; at + 1 < w.size(); at += 2) {
      const int32_t e = assignment[static_cast<unsigned char>(w[at + 1]) - kGeneratorByteBase];
      value = PlainProduct(g, value, w[at] == '-' ? g.inverseIndex[e] : e);
    }
    if (value != 1) return false;
  }
  return true;
}

// Composes permutation texts: (s o x)(i) = s(x(i)).
inline std::string Compose(const std::string& s, const std::string& x) {
  std::string t(x.size(), ' ');
  for (size_t i = 0; i < x.size(); ++i) t[i] = s[x[i] - '1'];
  return t;
}

inline bool PlainIsNew(const Workbench& wb, const std::vector<Assignment>& rows,
                       const Assignment& assignment) {
  const IsotopyGroup& g = wb.isotopyGroup;
  const Presentation& p = wb.presentation;
  std::string s;
  for (int32_t i = 1; i <= g.degree; ++i) s += static_cast<char>('0' + i);
  std::vector<std::string> all;
  do {
    all.push_back(s);
  } while (std::next_permutation(s.begin(), s.end()));
  for (const Assignment& h : rows) {
    for (const std::string& c : all) {
      bool conjugate = true;
      for (int64_t i = 1; i <= p.generatorCount && conjugate; ++i) {
        const int32_t gen = p.generatorLetters[i];
        conjugate = Compose(g.texts[assignment[gen]], c) == Compose(c, g.texts[h[gen]]);
      }
      if (conjugate) return false;
    }
  }
  return true;
}

struct PlainOutcome {
  std::vector<Assignment> rows;  // extended to the eliminated generators; at most 1000
  int64_t satisfying = 0;
  int64_t found = 0;
};

// Ends at the 1001st new homomorphism, as a run does when its store is full.
inline PlainOutcome PlainEnumerateHomomorphisms(const Workbench& wb) {
  const IsotopyGroup& g = wb.isotopyGroup;
  const Presentation& p = wb.presentation;
  PlainOutcome outcome;
  Assignment assignment{};
  const int64_t n = p.generatorCount;
  const int64_t classes = static_cast<int64_t>(g.classRepresentatives.size()) - 1;
  std::vector<int64_t> d(n + 1, 1);
  auto top = [&](int64_t i) { return i == n ? classes : g.elementCount; };
  while (d[1] <= top(1)) {
    std::vector<int32_t> image(n + 1);
    for (int64_t i = 1; i <= n; ++i) {
      image[i] = i == n ? g.classRepresentatives[d[i]] : static_cast<int32_t>(d[i]);
    }
    bool commute = true;
    for (int64_t i = 1; i <= n && commute; ++i) {
      for (int64_t j = i + 1; j <= n && commute; ++j) {
        commute = PlainProduct(g, image[i], image[j]) == PlainProduct(g, image[j], image[i]);
      }
    }
    if (!commute || wb.settings.allHomomorphisms) {
      for (int64_t i = 1; i <= n; ++i) assignment[p.generatorLetters[i]] = image[i];
      if (PlainRelatorsHold(wb, assignment)) {
        ++outcome.satisfying;
        if (PlainIsNew(wb, outcome.rows, assignment)) {
          ++outcome.found;
          if (outcome.rows.size() == 1000) return outcome;
          outcome.rows.push_back(ExtendToEliminated(g, wb.simplification.substitutionList, assignment));
        }
      }
    }
    int64_t i = n;
    while (i > 1 && d[i] == top(i)) d[i--] = 1;
    ++d[i];
  }
  return outcome;
}

}  // namespace quarvel::testing
