#pragma once
// A representation of the simplified group, one slot per generator number 1..52: the image in
// the target group (a permutation of 1..k, or the abelian scalar), and the k x k integer matrices
// that the Fox matrix multiplies along relators. Matrix rows and columns count from 1.

#include <array>
#include <cstdint>
#include <vector>

#include "group/word.h"
#include "poly/field.h"

namespace quarvel {

inline constexpr int kMaxDegree = 60;

// Slot i holds the image of point i, i = 1..k; slot 0 is unused.
using Permutation = std::array<int32_t, kMaxDegree + 1>;

// A square integer matrix with 1-based rows and columns, stored row by row.
struct IntMatrix {
  int32_t size = 0;
  std::vector<int32_t> cells;

  void Reset(int32_t k) {
    size = k;
    cells.assign(static_cast<size_t>(k) * k, 0);
  }
  int32_t& operator()(int32_t row, int32_t column) { return cells[(row - 1) * size + (column - 1)]; }
  int32_t operator()(int32_t row, int32_t column) const { return cells[(row - 1) * size + (column - 1)]; }
};

struct GeneratorImage {
  Permutation image{};
  Permutation inverseImage{};
  IntMatrix matrix;
  IntMatrix inverseMatrix;
  Residue abelianScalar = 1;
  int32_t metabelianElement = 0;
};

struct Representation {
  std::array<GeneratorImage, kMaxGenerators + 1> generators;
  // The metabelian target Z/n x Z/l, 1 in Z/n acting on Z/l by multiplication by z.
  int32_t metabelianN = 2;
  int32_t metabelianL = 0;
  int32_t metabelianZ = 0;
  // What the norm driver keeps of its searches for the current knot. searchNumber counts the
  // representations found (the trivial pass included): 1 while the first nontrivial one is sought.
  int32_t searchNumber = 0;
  // Set before each search; cleared when a search gives up or fails.
  bool representationFound = false;
  // 1 once a nontrivial representation was found for this knot at the current degree.
  int64_t nontrivialCount = 0;
};

}  // namespace quarvel
