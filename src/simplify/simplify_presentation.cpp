#include "simplify/simplify_presentation.h"

#include <algorithm>
#include <limits>

#include "simplify/elimination_trials.h"

namespace quarvel {
namespace {

constexpr int kReductionPasses = 15;
constexpr size_t kShortestReducible = 4;
constexpr unsigned char kFirstLetter = 'a';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool PhiVanishesOn(const Word& relator, const Presentation& p) {
  int64_t sum = 0;
  for (size_t i = 0; i + 1 < relator.size(); i += 2) {
    int g = static_cast<unsigned char>(relator[i + 1]) - kGeneratorByteBase;
    sum += relator[i] == '+' ? p.phi[g] : -static_cast<int64_t>(p.phi[g]);
  }
  return sum == 0;
}

bool CancelsAt(const Word& w, size_t p, char x) {
  return w[p + 1] == x && w[p + 3] == x &&
         ((w[p] == '-' && w[p + 2] == '+') || (w[p] == '+' && w[p + 2] == '-'));
}

// One left-to-right sweep: a cancelling pair "+x-x" or "-x+x" is deleted, and the pair that moves
// into its place is passed over (it is looked at again only in the next pass). The word is
// compacted in place as the sweep goes, so a relator of millions of characters with as many
// cancellations costs one sweep, not one move of its tail per deletion.
void ReduceFreely(Word& w, char x) {
  const size_t n = w.size();
  size_t out = 0;  // the word is w[0, out) followed by w[in, n)
  size_t in = 0;
  auto keepPair = [&] {
    w[out] = w[in];
    w[out + 1] = w[in + 1];
    out += 2;
    in += 2;
  };
  while (in + 4 <= n) {
    if (out + (n - in) > kShortestReducible && CancelsAt(w, in, x)) {
      in += 4;
      if (in + 2 <= n) keepPair();
    } else {
      keepPair();
    }
  }
  while (in < n) w[out++] = w[in++];
  w.resize(out);
}

void ReduceCyclically(Word& w, char x) {
  if (w.size() <= kShortestReducible) return;
  size_t last = w.size() - 2;
  bool cancels =
      w[1] == x && w[last + 1] == x && ((w[0] == '-' && w[last] == '+') || (w[0] == '+' && w[last] == '-'));
  if (!cancels) return;
  w.erase(last, 2);
  w.erase(0, 2);
}

// Removes the relators the elimination left dead; each takes one generator with it.
void CompactRelators(Presentation& p, const std::array<bool, kMaxRelators + 1>& alive) {
  int64_t kept = 0;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (!alive[r]) continue;
    if (++kept != r) p.relators[kept] = std::move(p.relators[r]);
  }
  for (int64_t r = kept + 1; r <= p.relatorCount; ++r) p.relators[r].clear();
  p.generatorCount -= p.relatorCount - kept;
  p.relatorCount = kept;
}

}  // namespace

bool ExpandWrittenForm(const Word& relator, Word& plain) {
  size_t end = relator.find_last_not_of(' ');
  end = end == Word::npos ? 0 : end + 1;
  plain.clear();
  size_t i = 0;
  while (i < end) {
    char sign = relator[i++];
    if (sign != '+' && sign != '-') return false;
    int64_t exponent = 1;
    if (i < end && IsDigit(relator[i])) {
      exponent = 0;
      for (; i < end && IsDigit(relator[i]); ++i) {
        exponent = exponent * 10 + (relator[i] - '0');
        if (exponent > std::numeric_limits<int32_t>::max()) return false;
      }
    }
    if (i >= end) return false;
    unsigned char letterByte = static_cast<unsigned char>(relator[i]);
    if (letterByte < kFirstLetter || letterByte > GeneratorByte(kMaxGenerators)) return false;
    char letter = relator[i++];
    for (int64_t n = 0; n < exponent; ++n) {
      plain += sign;
      plain += letter;
    }
  }
  return true;
}

void ReduceRelators(Presentation& p, int64_t letterCount) {
  for (int pass = 0; pass < kReductionPasses; ++pass) {
    for (int64_t g = 1; g <= letterCount; ++g) {
      char x = static_cast<char>(GeneratorByte(g));
      for (int64_t r = 1; r <= p.relatorCount; ++r) {
        ReduceFreely(p.relators[r], x);
        ReduceCyclically(p.relators[r], x);
      }
    }
  }
}

void OrderRelatorsByLength(const Presentation& p, std::array<int32_t, kMaxRelators + 1>& order) {
  order.fill(0);
  int32_t count = static_cast<int32_t>(p.relatorCount);
  for (int32_t i = 1; i <= count; ++i) order[i] = i;
  for (int32_t i = 1; i <= count; ++i) {
    for (int32_t j = 1; j < i; ++j) {
      if (p.relators[order[i]].size() < p.relators[order[j]].size()) std::swap(order[i], order[j]);
    }
  }
}

void SimplifyPresentation(Workbench& wb) {
  Presentation& p = wb.presentation;
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    Word plain;
    if (!ExpandWrittenForm(p.relators[r], plain)) {
      return Fail(wb.failure, "Presentation not of the required form");
    }
    p.relators[r] = std::move(plain);
  }
  for (int64_t r = 1; r <= p.relatorCount; ++r) {
    if (!PhiVanishesOn(p.relators[r], p)) Fail(wb.failure, " Homomorphism phi is not well--defined ");
  }
  p.inputRelators = p.relators;
  p.inputRelatorCount = static_cast<int32_t>(p.relatorCount);
  Simplification& s = wb.simplification;
  s.substitutionList.clear();
  s.relatorAlive.fill(false);
  std::fill_n(s.relatorAlive.begin() + 1, p.relatorCount, true);
  if (wb.settings.simplifyEffort > 0 && p.relatorCount > 0 && !RunEliminationTrials(wb)) return;

  ReduceRelators(p, p.generatorCount);
  CompactRelators(p, s.relatorAlive);
  OrderRelatorsByLength(p, s.relatorOrder);
}

}  // namespace quarvel
