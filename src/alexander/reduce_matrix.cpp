#include "alexander/reduce_matrix.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif
#include <span>
#include <vector>

namespace quarvel {
namespace {

constexpr int32_t kMaxDimension = 300;
constexpr int32_t kStatusLineFrom = 21;  // matrices with fewer diagonal positions show no status
constexpr int32_t kStatusInterval = 70;
constexpr uint32_t kBlockGranule = 16;
constexpr int32_t kNoPower = std::numeric_limits<int32_t>::max();

// The reduction works on a private dense copy of the part of the matrix still being reduced:
// the rows and columns from the current diagonal position s on. Every entry there owns a block of
// `stride` residues (exponents 0 .. stride - 1, zero above the entry degree), and row and column
// exchanges only exchange row offsets and column slots. A leading-term elimination is then one
// multiply-add over whole granules of two blocks, with no bookkeeping per coefficient. When a
// result would not fit, the blocks are laid out again with twice the stride; when half of the
// columns are finished, they are laid out again without the finished ones. Blocks that would take
// the store and the blocks together past the store's byte ceiling end the reduction with
// "Out of memory".
//
// Entry degrees follow the store's rules exactly (-50 for an entry never written, -1 for one whose
// terms cancelled, the leading exponent otherwise) and are kept for the whole matrix. Swaps are
// applied to the store as they happen, so that entries the reduction never changes keep their
// stored state; changed entries are written back when the reduction returns. Finished diagonal
// entries move out of the blocks.

uint32_t RoundToGranule(size_t length) {
  return static_cast<uint32_t>((length + kBlockGranule - 1) / kBlockGranule * kBlockGranule);
}

// Reduction of target + negated * source modulo p without a division: with m = floor(2^16 / p)
// the quotient estimate ((x * m) >> 16) is at most one too small for x < 2^16, and x stays below
// p^2 <= 2809. Written in 16-bit lanes so that the loops vectorise on every x86-64; where the
// processor has AVX2, one granule is one 256-bit register of 16-bit lanes instead of two halves.
// count is a whole number of granules.
[[gnu::noinline]] void MultiplyAddGranules(uint8_t* __restrict target, const uint8_t* __restrict source,
                                           size_t count, uint16_t prime, uint16_t multiplier,
                                           uint16_t factor) {
  for (size_t chunk = 0; chunk < count; chunk += kBlockGranule) {
    for (size_t n = chunk; n < chunk + kBlockGranule; ++n) {
      const uint16_t x = static_cast<uint16_t>(target[n] + factor * source[n]);
      const uint16_t q = static_cast<uint16_t>((static_cast<uint32_t>(x) * multiplier) >> 16);
      // r < 2p: one conditional subtraction, as a signed comparison (one instruction on SSE2).
      const int16_t r = static_cast<int16_t>(x - q * prime);
      target[n] = static_cast<uint8_t>(r - (r >= static_cast<int16_t>(prime) ? prime : 0));
    }
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define QUARVEL_AVX2_KERNEL 1
static_assert(kBlockGranule == 16, "one granule fills one register of 16-bit lanes");

// The same arithmetic, lane for lane.
[[gnu::target("avx2"), gnu::noinline]] void MultiplyAddGranulesAvx2(uint8_t* target, const uint8_t* source,
                                                                    size_t count, uint16_t prime,
                                                                    uint16_t multiplier, uint16_t factor) {
  const __m256i p = _mm256_set1_epi16(static_cast<int16_t>(prime));
  const __m256i m = _mm256_set1_epi16(static_cast<int16_t>(multiplier));
  const __m256i f = _mm256_set1_epi16(static_cast<int16_t>(factor));
  for (size_t n = 0; n < count; n += kBlockGranule) {
    const __m256i t = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(target + n)));
    const __m256i s = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + n)));
    const __m256i x = _mm256_add_epi16(t, _mm256_mullo_epi16(f, s));
    const __m256i q = _mm256_mulhi_epu16(x, m);
    __m256i r = _mm256_sub_epi16(x, _mm256_mullo_epi16(q, p));
    r = _mm256_min_epu16(r, _mm256_sub_epi16(r, p));
    const __m128i packed = _mm_packus_epi16(_mm256_castsi256_si128(r), _mm256_extracti128_si256(r, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + n), packed);
  }
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

struct MultiplyAddModP {
  uint16_t p;
  uint16_t m;
  uint16_t negated;

  // count is a whole number of granules.
  void operator()(uint8_t* target, const uint8_t* source, size_t count) const {
#ifdef QUARVEL_AVX2_KERNEL
    if (HasAvx2()) {
      MultiplyAddGranulesAvx2(target, source, count, p, m, negated);
      return;
    }
#endif
    MultiplyAddGranules(target, source, count, p, m, negated);
  }
};

class WorkMatrix {
 public:
  WorkMatrix(PolyMatrix& matrix, FailureState& failure, const PrimeField& field, int32_t rows,
             int32_t columns)
      : matrix_(matrix),
        failure_(failure),
        rows_(rows),
        columns_(columns),
        p_(static_cast<uint16_t>(field.currentPrime)),
        m_(static_cast<uint16_t>(65536u / p_)),
        degree_(static_cast<size_t>(rows) * columns, kEmptyEntryDegree),
        ceiling_(matrix.byteCeiling),
        changed_(static_cast<size_t>(rows) * columns, 0),
        rowOffset_(static_cast<size_t>(rows) + 1, 0),
        columnSlot_(static_cast<size_t>(columns) + 1, 0),
        diagonal_(static_cast<size_t>(std::min(rows, columns)) + 1) {
    int32_t highest = 0;
    for (int32_t r = 1; r <= rows; ++r) {
      for (int32_t c = 1; c <= columns; ++c) {
        degree_[Index(r, c)] = MatrixEntryDegree(matrix, r, c);
        highest = std::max(highest, degree_[Index(r, c)]);
      }
    }
    size_t stride = kBlockGranule;
    while (stride < static_cast<size_t>(highest) + 1) stride *= 2;
    Layout(stride, 1, [&](int32_t r, int32_t c, uint8_t* block) {
      std::span<const Residue> stored = MatrixCoefficients(matrix, r, c);
      const size_t zero = static_cast<size_t>(-int64_t{MatrixFirstExponent(matrix, r, c)});
      for (int32_t e = 0; e <= Degree(r, c); ++e)
        block[e] = static_cast<uint8_t>(stored[zero + static_cast<size_t>(e)]);
    });
  }

  // Set when a store limit ended the reduction.
  bool Failed() const { return failure_.polynomialErrorFlag; }
  int32_t Degree(int32_t r, int32_t c) const { return degree_[Index(r, c)]; }
  uint32_t Lead(int32_t r, int32_t c) const { return Block(r, c)[Degree(r, c)]; }

  // Columns s and pivot, in rows s .. the last; s is the first active position.
  void SwapColumns(int32_t s, int32_t pivot) {
    for (int32_t r = s; r <= rows_; ++r) {
      std::swap(degree_[Index(r, s)], degree_[Index(r, pivot)]);
      std::swap(changed_[Index(r, s)], changed_[Index(r, pivot)]);
      MatrixSwapEntries(matrix_, r, s, r, pivot, failure_);
    }
    std::swap(columnSlot_[s], columnSlot_[pivot]);
  }

  // Rows s and pivot, in all columns.
  void SwapRows(int32_t s, int32_t pivot) {
    for (int32_t c = 1; c <= columns_; ++c) {
      std::swap(degree_[Index(s, c)], degree_[Index(pivot, c)]);
      std::swap(changed_[Index(s, c)], changed_[Index(pivot, c)]);
      MatrixSwapEntries(matrix_, s, c, pivot, c, failure_);
    }
    std::swap(rowOffset_[s], rowOffset_[pivot]);
  }

  // The nonzero entries of column s (rows from s on) or of row s (columns from s on): what a
  // phase of a pass subtracts multiples of. A phase never changes them.
  struct Sources {
    std::vector<int32_t> positions;
    int32_t highestDegree = -1;
  };

  void CollectColumn(int32_t s, Sources& sources) const {
    sources.positions.clear();
    sources.highestDegree = -1;
    for (int32_t r = first_; r <= rows_; ++r) {
      if (Degree(r, s) < 0) continue;
      sources.positions.push_back(r);
      sources.highestDegree = std::max(sources.highestDegree, Degree(r, s));
    }
  }

  void CollectRow(int32_t s, Sources& sources) const {
    sources.positions.clear();
    sources.highestDegree = -1;
    for (int32_t c = first_; c <= columns_; ++c) {
      if (Degree(s, c) < 0) continue;
      sources.positions.push_back(c);
      sources.highestDegree = std::max(sources.highestDegree, Degree(s, c));
    }
  }

  // column j -= factor * t^shift * column s, in the rows of `rows` (the nonzero ones of column s).
  void SubtractColumn(int32_t j, int32_t s, uint32_t factor, int32_t shift, const Sources& rows) {
    if (!Prepare(rows, shift)) return;
    const MultiplyAddModP multiplyAdd = Kernel(factor);
    for (int32_t r : rows.positions) Subtract(r, j, r, s, multiplyAdd, shift);
  }

  // row r -= factor * t^shift * row s, in the columns of `columns` (the nonzero ones of row s).
  void SubtractRow(int32_t r, int32_t s, uint32_t factor, int32_t shift, const Sources& columns) {
    if (!Prepare(columns, shift)) return;
    const MultiplyAddModP multiplyAdd = Kernel(factor);
    for (int32_t c : columns.positions) Subtract(r, c, s, c, multiplyAdd, shift);
  }

  // Divides out the common powers of t of rows and columns s.., then retires (s, s).
  void FinishPosition(int32_t s) {
    for (int32_t r = s; r <= rows_; ++r) RemovePower(r, first_, 0, 1, columns_ - first_ + 1);
    for (int32_t c = s; c <= columns_; ++c) RemovePower(first_, c, 1, 0, rows_ - first_ + 1);
    if (Degree(s, s) >= 0) {
      const uint8_t* block = Block(s, s);
      diagonal_[s].assign(block, block + Degree(s, s) + 1);
    }
    first_ = s + 1;
    // Finished rows and columns hold nothing but their diagonal entry: drop them from the blocks
    // once they fill half the row.
    if (2 * (columns_ - s) < slots_ && slots_ > static_cast<int32_t>(kBlockGranule))
      Layout(stride_, first_, Copier());
  }

  // Writes the changed entries into the store, which holds for them the state before the
  // reduction (the swaps were applied to it already).
  void WriteBack() {
    PolyMatrix& matrix = matrix_;
    FailureState& failure = failure_;
    for (int32_t r = 1; r <= rows_; ++r) {
      for (int32_t c = 1; c <= columns_; ++c) {
        if (!changed_[Index(r, c)]) continue;
        changed_[Index(r, c)] = 0;
        for (int32_t e = MatrixEntryDegree(matrix, r, c); e >= 0; --e) {
          if (MatrixEntryDegree(matrix, r, c) >= e) MatrixSet(matrix, r, c, e, 0, failure);
        }
        const int32_t degree = Degree(r, c);
        if (degree >= 0) {
          const uint8_t* data = r == c && r < first_ ? diagonal_[r].data() : Block(r, c);
          MatrixSet(matrix, r, c, degree, static_cast<Residue>(data[degree]), failure);
          for (int32_t e = 0; e < degree; ++e) {
            if (data[e] != 0) MatrixSet(matrix, r, c, e, static_cast<Residue>(data[e]), failure);
          }
        } else if (MatrixEntryDegree(matrix, r, c) != degree) {
          // Only -1 is reachable here: the entry held terms once and they cancelled.
          MatrixSet(matrix, r, c, 0, 1, failure);
          MatrixSet(matrix, r, c, 0, 0, failure);
        }
      }
    }
  }

 private:
  using BlockFiller = std::function<void(int32_t, int32_t, uint8_t*)>;

  size_t Index(int32_t r, int32_t c) const { return static_cast<size_t>(r - 1) * columns_ + (c - 1); }
  uint8_t* Block(int32_t r, int32_t c) { return blocks_.data() + rowOffset_[r] + columnSlot_[c] * stride_; }
  const uint8_t* Block(int32_t r, int32_t c) const {
    return blocks_.data() + rowOffset_[r] + columnSlot_[c] * stride_;
  }

  MultiplyAddModP Kernel(uint32_t factor) const { return {p_, m_, static_cast<uint16_t>(p_ - factor)}; }

  BlockFiller Copier() {
    return [this](int32_t r, int32_t c, uint8_t* block) {
      if (Degree(r, c) >= 0) std::memcpy(block, Block(r, c), static_cast<size_t>(Degree(r, c)) + 1);
    };
  }

  // Blocks for the rows and columns from `first` on, `stride` residues each, filled by `fill`
  // for every entry of nonnegative degree.
  void Layout(size_t stride, int32_t first, const BlockFiller& fill) {
    const int32_t rowCount = rows_ - first + 1;
    const int32_t slots = columns_ - first + 1;
    const size_t bytes = static_cast<size_t>(std::max(rowCount, 0)) * std::max(slots, 0) * stride;
    const size_t held = MatrixStorageBytes(matrix_) + blocks_.size();
    if (held > ceiling_ || bytes > ceiling_ - held) {
      FailPolynomial(failure_, "Out of memory");
      return;
    }
    std::vector<uint8_t> blocks(bytes, 0);
    std::vector<size_t> rowOffset(rowOffset_.size(), 0);
    std::vector<size_t> columnSlot(columnSlot_.size(), 0);
    for (int32_t r = first; r <= rows_; ++r) rowOffset[r] = static_cast<size_t>(r - first) * slots * stride;
    for (int32_t c = first; c <= columns_; ++c) columnSlot[c] = static_cast<size_t>(c - first);
    for (int32_t r = first; r <= rows_; ++r) {
      for (int32_t c = first; c <= columns_; ++c) {
        if (Degree(r, c) >= 0) fill(r, c, blocks.data() + rowOffset[r] + columnSlot[c] * stride);
      }
    }
    blocks_.swap(blocks);
    rowOffset_.swap(rowOffset);
    columnSlot_.swap(columnSlot);
    stride_ = stride;
    slots_ = slots;
  }

  // Makes every block hold exponents up to top; false when there is no room.
  bool Fit(int32_t top) {
    if (static_cast<size_t>(top) < stride_) return true;
    size_t stride = stride_;
    while (stride <= static_cast<size_t>(top)) stride *= 2;
    Layout(stride, first_, Copier());
    return !Failed();
  }

  // Room for the sources' multiply-adds in whole granules; false when there is no room, or when a
  // term would land beyond the exponents the store holds.
  bool Prepare(const Sources& sources, int32_t shift) {
    if (int64_t{sources.highestDegree} + shift + kBlockGranule > std::numeric_limits<int32_t>::max()) {
      FailPolynomial(failure_, "Out of memory");
      return false;
    }
    return Fit(shift + static_cast<int32_t>(RoundToGranule(static_cast<size_t>(sources.highestDegree) + 1)) -
               1);
  }

  // entry(tr, tc) -= factor * t^shift * entry(sr, sc) for a nonzero source, in whole granules:
  // both blocks are zero above their degrees, and Prepare made room.
  void Subtract(int32_t tr, int32_t tc, int32_t sr, int32_t sc, const MultiplyAddModP& multiplyAdd,
                int32_t shift) {
    const int32_t sourceDegree = Degree(sr, sc);
    uint8_t* target = Block(tr, tc);
    multiplyAdd(target + shift, Block(sr, sc), RoundToGranule(static_cast<size_t>(sourceDegree) + 1));
    const size_t index = Index(tr, tc);
    changed_[index] = 1;
    const int32_t top = sourceDegree + shift;
    int32_t degree = degree_[index];
    if (top > degree) {
      degree = top;  // the new leading term is -factor * lead, nonzero
    } else if (top == degree) {
      while (degree >= 0 && target[degree] == 0) --degree;  // the leading terms cancelled
    }
    degree_[index] = degree;
  }

  // Divides every nonzero entry of a row (dr = 0, dc = 1) or column by the highest power of t
  // they share.
  void RemovePower(int32_t r0, int32_t c0, int32_t dr, int32_t dc, int32_t count) {
    int32_t lowest = kNoPower;
    for (int32_t n = 0, r = r0, c = c0; n < count; ++n, r += dr, c += dc) {
      if (Degree(r, c) < 0) continue;
      const uint8_t* block = Block(r, c);
      int32_t e = 0;
      while (e < lowest && block[e] == 0) ++e;
      lowest = std::min(lowest, e);
      if (lowest == 0) return;
    }
    if (lowest == kNoPower) return;
    for (int32_t n = 0, r = r0, c = c0; n < count; ++n, r += dr, c += dc) {
      const int32_t degree = Degree(r, c);
      if (degree < 0) continue;
      uint8_t* block = Block(r, c);
      std::memmove(block, block + lowest, static_cast<size_t>(degree - lowest) + 1);
      std::memset(block + degree - lowest + 1, 0, static_cast<size_t>(lowest));
      degree_[Index(r, c)] = degree - lowest;
      changed_[Index(r, c)] = 1;
    }
  }

  PolyMatrix& matrix_;
  FailureState& failure_;
  int32_t rows_;
  int32_t columns_;
  uint16_t p_;
  uint16_t m_;         // floor(2^16 / p)
  int32_t first_ = 1;  // rows and columns before it are finished
  std::vector<int32_t> degree_;
  size_t ceiling_;  // bytes the store and the blocks may hold together
  std::vector<uint8_t> changed_;
  std::vector<uint8_t> blocks_;
  std::vector<size_t> rowOffset_;   // per row: where its blocks begin
  std::vector<size_t> columnSlot_;  // per column: its block's place within a row
  size_t stride_ = kBlockGranule;
  int32_t slots_ = 0;
  std::vector<std::vector<uint8_t>> diagonal_;  // finished diagonal entries, exponents 0 .. degree
};

struct StatusLine {
  int32_t counter = 1000;
  bool stillGoingOn = false;
};

void ShowStatus(ReductionProgress& progress, StatusLine& status, int32_t s, int32_t n) {
  if (status.counter <= kStatusInterval) {
    ++status.counter;
    return;
  }
  status.counter = 0;
  progress.Status(s, n, status.stillGoingOn);
  status.stillGoingOn = !status.stillGoingOn;
}

// One pass at diagonal position s: the row phase, then the column phase. Rows and columns before
// s are finished, so their entries in row and column s are zero.
void EliminationPass(WorkMatrix& work, WorkMatrix::Sources& sources, const PrimeField& field, int32_t s,
                     int32_t rows, int32_t columns) {
  bool rowClean = true;
  for (int32_t j = s + 1; j <= columns && rowClean; ++j) rowClean = work.Degree(s, j) < 0;
  if (!rowClean) {
    int32_t pivot = 0;
    for (int32_t j = s; j <= columns; ++j) {
      const int32_t degree = work.Degree(s, j);
      if (degree >= 0 && (pivot == 0 || degree < work.Degree(s, pivot))) pivot = j;
    }
    if (pivot != s) work.SwapColumns(s, pivot);
    const int32_t pivotDegree = work.Degree(s, s);
    const uint32_t pivotInverse =
        static_cast<uint8_t>(InverseModP(field, static_cast<Residue>(work.Lead(s, s))));
    work.CollectColumn(s, sources);
    for (int32_t j = s + 1; j <= columns && !work.Failed(); ++j) {
      const int32_t degree = work.Degree(s, j);
      if (degree < 0) continue;
      const uint32_t factor = ReduceBelowSquare(field, work.Lead(s, j) * pivotInverse);
      work.SubtractColumn(j, s, factor, degree - pivotDegree, sources);
    }
  }

  bool columnClean = true;
  for (int32_t r = s + 1; r <= rows && columnClean; ++r) columnClean = work.Degree(r, s) < 0;
  if (!columnClean && !work.Failed()) {
    int32_t pivot = 0;
    for (int32_t r = s; r <= rows; ++r) {
      const int32_t degree = work.Degree(r, s);
      if (degree >= 0 && (pivot == 0 || degree < work.Degree(pivot, s))) pivot = r;
    }
    if (pivot != s) work.SwapRows(s, pivot);
    const int32_t pivotDegree = work.Degree(s, s);
    const uint32_t pivotInverse =
        static_cast<uint8_t>(InverseModP(field, static_cast<Residue>(work.Lead(s, s))));
    work.CollectRow(s, sources);
    for (int32_t r = s + 1; r <= rows && !work.Failed(); ++r) {
      const int32_t degree = work.Degree(r, s);
      if (degree < 0) continue;
      const uint32_t factor = ReduceBelowSquare(field, work.Lead(r, s) * pivotInverse);
      work.SubtractRow(r, s, factor, degree - pivotDegree, sources);
    }
  }
}

bool PositionDone(const WorkMatrix& work, int32_t s, int32_t rows, int32_t columns) {
  for (int32_t j = s + 1; j <= columns; ++j) {
    if (work.Degree(s, j) >= 0) return false;
  }
  for (int32_t r = s + 1; r <= rows; ++r) {
    if (work.Degree(r, s) >= 0) return false;
  }
  return true;
}

// Lowest term t^0 and constant term 1.
void Normalise(const PrimeField& field, Polynomial& f) {
  std::vector<Residue>& c = f.coefficients;
  const auto lowest = std::find_if(c.begin(), c.end(), [](Residue x) { return x != 0; });
  if (lowest == c.end()) return;
  c.erase(c.begin(), lowest);
  const uint32_t inverse = static_cast<uint8_t>(InverseModP(field, c[0]));
  for (Residue& x : c) x = static_cast<Residue>(ReduceBelowSquare(field, static_cast<uint32_t>(x) * inverse));
}

// True when f has exactly one nonzero coefficient: a unit of F_p[t, t^-1].
bool IsUnit(const Polynomial& f) {
  return std::count_if(f.coefficients.begin(), f.coefficients.end(), [](Residue x) { return x != 0; }) == 1;
}

// The passes of every diagonal position, as far as they get.
ReductionEnd Diagonalise(WorkMatrix& work, const PrimeField& field, int32_t rows, int32_t columns,
                         const FailureState& failures, RunControl& control, ReductionProgress& progress) {
  const int32_t n = std::min(rows, columns);
  WorkMatrix::Sources sources;
  sources.positions.reserve(static_cast<size_t>(std::max(rows, columns)));
  StatusLine status;
  if (work.Failed()) return ReductionEnd::failed;  // no room for the first layout
  for (int32_t s = 1; s <= n; ++s) {
    do {
      if (control.StopRequested()) return ReductionEnd::stopped;
      if (control.Paused()) {
        control.KeepWindowAlive();
        if (control.StopRequested()) return ReductionEnd::stopped;
      }
      if (n >= kStatusLineFrom) ShowStatus(progress, status, s, n);
      control.PumpMessages();
      EliminationPass(work, sources, field, s, rows, columns);
      if (failures.computationFailed || work.Failed()) return ReductionEnd::failed;
    } while (!PositionDone(work, s, rows, columns));
    work.FinishPosition(s);
    if (work.Failed()) return ReductionEnd::failed;
  }
  return ReductionEnd::complete;
}

// The polynomial, the count and the rank from the diagonal matrix.
void TakeResults(const PolyMatrix& matrix, int32_t rows, int32_t n, int64_t k, const PrimeField& field,
                 bool keepTorsion, Reduction& reduction) {
  Polynomial product{{1}};
  int32_t count = rows;
  for (int32_t s = 1; s <= n; ++s) {
    if (!MatrixEntryIsNonzero(matrix, s, s)) continue;
    Polynomial entry = MatrixEntryToPoly(matrix, s, s);
    // A unit factor changes the product only by a unit, which the normalisation removes (and a
    // unit product is replaced by the next factor): the product of units is skipped.
    if (!IsUnit(entry)) PolyMultiply(field, product, entry, product);
    --count;
  }
  Normalise(field, product);
  reduction.polynomial = product;
  reduction.count = count;
  if (count > k) {
    if (!keepTorsion) reduction.polynomial = Polynomial{};
    reduction.rankOfTorsionFreePart = static_cast<int32_t>(count - k);
    reduction.positiveRank = true;
  }
}

}  // namespace

Reduction Reduce(PolyMatrix& matrix, int64_t blockRows, int64_t blockColumns, int64_t k,
                 const PrimeField& field, bool keepTorsion, RunControl& control,
                 ReductionProgress& progress) {
  Reduction reduction;
  if (k < 1 || blockRows < 0 || blockColumns < 0 || k * blockRows > kMaxDimension ||
      k * blockColumns > kMaxDimension) {
    Fail(reduction.failures, "Program error");
    return reduction;
  }
  const int32_t rows = static_cast<int32_t>(k * blockRows);
  const int32_t columns = static_cast<int32_t>(k * blockColumns);
  const int32_t n = std::min(rows, columns);

  WorkMatrix work(matrix, reduction.failures, field, rows, columns);
  reduction.end = Diagonalise(work, field, rows, columns, reduction.failures, control, progress);
  work.WriteBack();
  if (reduction.end != ReductionEnd::complete) return reduction;
  if (n >= kStatusLineFrom) progress.Clear();
  TakeResults(matrix, rows, n, k, field, keepTorsion, reduction);
  return reduction;
}

}  // namespace quarvel
