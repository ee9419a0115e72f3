#include "reps/image_order.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace quarvel {
namespace {

constexpr int32_t kLargestGeneratorTuple = 6;
constexpr int kPumpEvery = 10;

// Rank of p among the permutations of 1..m in lexicographic order (its Lehmer code read in the
// mixed radix m, m-1, ..., 1): 0 .. m! - 1.
int32_t RankOf(const Permutation& p, int32_t m) {
  int32_t rank = 0;
  for (int32_t i = 1; i <= m; ++i) {
    int32_t smaller = 0;
    for (int32_t j = i + 1; j <= m; ++j) smaller += p[j] < p[i];
    rank = rank * (m - i + 1) + smaller;
  }
  return rank;
}

// x(p) = a(b(p)) on 1..m.
void Compose(const Permutation& a, const Permutation& b, int32_t m, Permutation& x) {
  for (int32_t point = 1; point <= m; ++point) x[point] = a[b[point]];
}

int64_t PhiOfWord(const Word& word, const Presentation& p) {
  int64_t sum = 0;
  for (size_t at = 1; at < word.size(); at += 2)
    sum += p.phi[static_cast<unsigned char>(word[at]) - kGeneratorByteBase];
  return sum;
}

// Closure passes over the list; false when a stop cut them short.
bool CloseImage(ImageState& im, RunControl& control) {
  Permutation x{};
  for (;;) {
    const int32_t before = im.count;
    // A full list is all of S_7: nothing more can be added in this pass or a later one.
    for (int32_t i = 1; i <= im.count && im.count < kMaxImageElements; ++i) {
      for (int32_t j = 1; j <= im.count && im.count < kMaxImageElements; ++j) {
        Compose(im.elements[i].permutation, im.elements[j].permutation, im.degree, x);
        if (FindImageElement(im, x) == 0) AddImageElement(im, x, im.elements[i].word + im.elements[j].word);
      }
      if (i % kPumpEvery == 0) {
        control.PumpMessages();
        if (control.StopRequested()) return false;
      }
    }
    if (im.count == before || im.count > kLargestShownImage) return true;
  }
}

void ComputePhiDivisor(const Presentation& p, const Representation& rep, ImageState& im) {
  std::vector<int64_t> phiOf(im.count + 1);
  for (int32_t x = 1; x <= im.count; ++x) phiOf[x] = PhiOfWord(im.elements[x].word, p);
  bool first = true;
  Permutation product{};
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    const Permutation& image = rep.generators[g].image;
    for (int32_t x = 1; x <= im.count; ++x) {
      Compose(im.elements[x].permutation, image, im.degree, product);
      const int32_t y = FindImageElement(im, product);
      if (y == 0) continue;  // cannot happen for a closed list
      const int32_t d = static_cast<int32_t>(phiOf[x] + p.phi[g] - phiOf[y]);
      im.phiDivisor = first ? d : Gcd(im.phiDivisor, d);
      first = false;
    }
  }
}

// Closure of the scratch list under composition, stopping once it is the whole image. Returns its
// size, or -1 when a stop cut it short. `member` is clear on entry and on return.
int32_t ScratchClosure(const ImageState& im, std::vector<Permutation>& scratch, std::vector<bool>& member,
                       RunControl& control) {
  const int32_t m = im.degree;
  Permutation x{};
  bool stopped = false;
  for (bool added = true; added && static_cast<int32_t>(scratch.size()) < im.count && !stopped;) {
    added = false;
    for (size_t a = 0; a < scratch.size() && static_cast<int32_t>(scratch.size()) < im.count; ++a) {
      for (size_t b = 0; b < scratch.size(); ++b) {
        Compose(scratch[a], scratch[b], m, x);
        const int32_t rank = RankOf(x, m);
        if (member[rank]) continue;
        member[rank] = true;
        scratch.push_back(x);
        added = true;
      }
      if ((a + 1) % kPumpEvery == 0) {
        control.PumpMessages();
        if (control.StopRequested()) {
          stopped = true;
          break;
        }
      }
    }
  }
  for (const Permutation& element : scratch) member[RankOf(element, m)] = false;
  return stopped ? -1 : static_cast<int32_t>(scratch.size());
}

// The least d <= 6 such that some d-tuple of the list generates it, 7 when none does; -1 when a
// stop cut the search short.
int32_t SmallestGeneratingTuple(const ImageState& im, RunControl& control) {
  const int32_t n = im.count;
  std::vector<Permutation> scratch;
  scratch.reserve(n);
  std::vector<bool> member(kMaxImageElements, false);
  for (int32_t d = 1; d <= kLargestGeneratorTuple; ++d) {
    std::array<int32_t, kLargestGeneratorTuple + 1> index{};
    for (int32_t position = 1; position <= d; ++position) index[position] = 1;
    for (;;) {
      scratch.clear();
      for (int32_t position = 1; position <= d; ++position) {
        const Permutation& element = im.elements[index[position]].permutation;
        const int32_t rank = RankOf(element, im.degree);
        if (member[rank]) continue;
        member[rank] = true;
        scratch.push_back(element);
      }
      const int32_t size = ScratchClosure(im, scratch, member, control);
      if (size < 0) return -1;
      if (size == n) return d;
      int32_t position = d;  // the odometer, last position fastest
      while (position >= 1 && index[position] == n) index[position--] = 1;
      if (position == 0) break;
      ++index[position];
    }
  }
  return kLargestGeneratorTuple + 1;
}

}  // namespace

void ResetImage(ImageState& im, int32_t m) {
  im.degree = m;
  im.count = 0;
  im.elements.clear();
  im.elements.reserve(kMaxImageElements + 1);
  im.elements.emplace_back();  // slot 0, unused
  im.positionOfRank.fill(0);
}

int32_t FindImageElement(const ImageState& im, const Permutation& p) {
  return im.positionOfRank[RankOf(p, im.degree)];
}

bool AddImageElement(ImageState& im, const Permutation& p, const Word& word) {
  const int32_t rank = RankOf(p, im.degree);
  if (im.positionOfRank[rank] != 0) return false;
  ImageElement& element = im.elements.emplace_back();
  std::copy(p.begin() + 1, p.begin() + 1 + im.degree, element.permutation.begin() + 1);
  element.word = word;
  im.positionOfRank[rank] = ++im.count;
  return true;
}

int32_t Gcd(int32_t a, int32_t b) {
  int64_t x = a < 0 ? -static_cast<int64_t>(a) : a;
  int64_t y = b < 0 ? -static_cast<int64_t>(b) : b;
  if (x == 0) return static_cast<int32_t>(y);
  if (y == 0) return static_cast<int32_t>(x);
  while (x != y) {
    if (x > y) {
      x -= y;
    } else {
      y -= x;
    }
  }
  return static_cast<int32_t>(x);
}

bool ComputeImage(const Presentation& p, const Representation& rep, int32_t m, ImageState& im,
                  RunControl& control) {
  im.current = false;
  if (m > kMaxImageDegree || m < 1) return false;
  ResetImage(im, m);
  Permutation identity{};
  std::iota(identity.begin() + 1, identity.begin() + 1 + m, 1);
  AddImageElement(im, identity, Word());
  for (int32_t g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    AddImageElement(im, rep.generators[g].image, Word{'+', static_cast<char>(GeneratorByte(g))});
  }
  if (!CloseImage(im, control)) return false;
  im.current = true;
  if (im.count <= kLargestShownImage) ComputePhiDivisor(p, rep, im);
  return true;
}

// The left regular representation of the image: g e_i = e_y with x_y = g x_i.
bool BuildRegularRepresentation(const ImageState& im, const Presentation& p, Representation& rep) {
  if (im.count > kLargestRegularImage) return false;
  Permutation product{};
  for (int64_t position = 1; position <= p.generatorCount; ++position) {
    GeneratorImage& g = rep.generators[p.generatorLetters[position]];
    g.matrix.Reset(im.count);
    g.inverseMatrix.Reset(im.count);
    for (int32_t i = 1; i <= im.count; ++i) {
      Compose(g.image, im.elements[i].permutation, im.degree, product);
      const int32_t y = FindImageElement(im, product);
      if (y == 0) continue;  // cannot happen for a closed list
      g.matrix(y, i) = 1;
      g.inverseMatrix(i, y) = 1;
    }
  }
  return true;
}

std::optional<int32_t> ImageGeneratorCount(const ImageState& im, RunControl& control) {
  if (!im.current || im.degree > kMaxImageDegree || im.count > kLargestShownImage) return std::nullopt;
  if (im.degree == 6 && (im.count == 720 || im.count == 360)) return 2;  // S_6 and A_6 are 2-generated
  const int32_t d = SmallestGeneratingTuple(im, control);
  if (d < 0) return std::nullopt;
  return d;
}

}  // namespace quarvel
