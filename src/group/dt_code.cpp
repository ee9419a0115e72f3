#include "group/dt_code.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace quarvel {
namespace {

Failure DtFailure(const std::string& what) {
  return Failure{"Not a valid DT code: " + what};
}

// The diagram of a code as a rotation system: passage w has an incoming dart 2(w-1) and an outgoing
// dart 2(w-1)+1; edge w joins the outgoing dart of passage w to the incoming dart of w+1. At a
// crossing with odd passage p and even passage q the darts lie counter-clockwise as in_p, X, out_p,
// Y, where X is in_q for a crossing crossed from the right and out_q otherwise.
class DtDiagram {
 public:
  explicit DtDiagram(const std::vector<int>& code) : code_(code), n_(static_cast<int>(code.size())) {}

  // The four darts of crossing i counter-clockwise, for the crossing's side.
  std::array<int, 4> Rotation(int i, bool fromRight) const {
    const int p = 2 * i + 1;
    const int q = std::abs(code_[i]);
    const int inQ = InDart(q);
    const int outQ = inQ + 1;
    return {InDart(p), fromRight ? inQ : outQ, InDart(p) + 1, fromRight ? outQ : inQ};
  }

  // The faces of the diagram with the crossings' sides given by `fromLeft` (bit i for crossing i).
  int FaceCount(uint32_t fromLeft) const {
    std::vector<int> next(4 * static_cast<size_t>(n_));
    for (int i = 0; i < n_; ++i) {
      const std::array<int, 4> r = Rotation(i, ((fromLeft >> i) & 1U) == 0);
      for (int j = 0; j < 4; ++j) next[r[j]] = r[(j + 1) % 4];
    }
    std::vector<bool> seen(next.size(), false);
    int faces = 0;
    for (size_t start = 0; start < next.size(); ++start) {
      if (seen[start]) continue;
      ++faces;
      for (size_t d = start; !seen[d]; d = next[OtherEnd(static_cast<int>(d))]) seen[d] = true;
    }
    return faces;
  }

  // The PD code of the diagram with these sides: each crossing from its incoming under-edge.
  std::vector<PdCrossing> PdCode(uint32_t fromLeft) const {
    std::vector<PdCrossing> pd;
    for (int i = 0; i < n_; ++i) {
      const std::array<int, 4> r = Rotation(i, ((fromLeft >> i) & 1U) == 0);
      const int under = code_[i] > 0 ? std::abs(code_[i]) : 2 * i + 1;
      const int start = static_cast<int>(std::find(r.begin(), r.end(), InDart(under)) - r.begin());
      PdCrossing crossing{};
      for (int j = 0; j < 4; ++j) crossing[j] = EdgeOf(r[(start + j) % 4]);
      pd.push_back(crossing);
    }
    return pd;
  }

 private:
  static int InDart(int passage) { return 2 * (passage - 1); }
  // The dart at the other end of the dart's edge.
  int OtherEnd(int dart) const {
    const int darts = 4 * n_;
    return dart % 2 == 1 ? (dart + 1) % darts : (dart - 1 + darts) % darts;
  }
  // The edge label of a dart: edge w leaves passage w and enters passage w + 1.
  int EdgeOf(int dart) const {
    const int passage = dart / 2 + 1;
    if (dart % 2 == 1) return passage;
    return passage == 1 ? 2 * n_ : passage - 1;
  }

  const std::vector<int>& code_;
  int n_;
};

}  // namespace

Result<std::vector<int>> ParseDtCode(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front())) != 0) rest.remove_prefix(1);
  if (rest.starts_with("DT")) rest.remove_prefix(2);
  std::vector<int> code;
  std::string number;
  auto flush = [&]() -> bool {
    if (number.empty()) return true;
    if (number == "-" || number.size() > 9) return false;
    code.push_back(std::stoi(number));
    number.clear();
    return true;
  };
  for (char c : rest) {
    if (std::isdigit(static_cast<unsigned char>(c)) != 0 || (c == '-' && number.empty())) {
      number += c;
    } else if (c == ',' || c == '[' || c == ']' || c == '(' || c == ')' ||
               std::isspace(static_cast<unsigned char>(c)) != 0) {
      if (!flush()) return DtFailure("\"" + number + "\" is not an entry");
    } else {
      return DtFailure("it holds the character '" + std::string(1, c) + "'");
    }
  }
  if (!flush()) return DtFailure("\"" + number + "\" is not an entry");
  if (code.empty()) return DtFailure("it has no entry");
  std::vector<bool> used(2 * code.size() + 1, false);
  for (int entry : code) {
    const int size = std::abs(entry);
    if (size % 2 != 0 || size == 0 || size > static_cast<int>(2 * code.size())) {
      return DtFailure("the entry " + std::to_string(entry) + " is not one of +-2, +-4, ..., +-" +
                       std::to_string(2 * code.size()));
    }
    if (used[size]) return DtFailure("the entry " + std::to_string(size) + " occurs twice");
    used[size] = true;
  }
  return code;
}

Result<std::vector<PdCrossing>> RealiseDtCode(const std::vector<int>& code) {
  const int n = static_cast<int>(code.size());
  if (n > kMaxDtCrossings) {
    return Failure{"DT codes of more than " + std::to_string(kMaxDtCrossings) +
                   " crossings are not read; give the knot as a PD code"};
  }
  const DtDiagram diagram(code);
  // A planar diagram with n crossings has n + 2 faces; the first crossing's side fixes the mirror.
  for (uint32_t fromLeft = 0; fromLeft < (1U << n); fromLeft += 2) {
    if (diagram.FaceCount(fromLeft) == n + 2) return diagram.PdCode(fromLeft);
  }
  return Failure{"The DT code is not realisable"};
}

}  // namespace quarvel
