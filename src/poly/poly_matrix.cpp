#include "poly/poly_matrix.h"

#include <algorithm>
#include <array>

namespace quarvel {
namespace {

constexpr int32_t kOffset = -kMatrixMinExponent;  // index of exponent e in a block is e + 50
constexpr uint32_t kMaxBlock = kMatrixMaxExponent + kOffset + 1;
constexpr uint32_t kBlockGranule = 8;
constexpr uint32_t kChunkBits = 16;
constexpr uint32_t kFirstChunk = 4096;
constexpr uint32_t kLargestChunk = uint32_t{1} << kChunkBits;
constexpr size_t kMinCompaction = size_t{1} << 16;

// What an entry without a block reads as: its degree is at most -1, so 50 residues cover it.
constexpr std::array<Residue, kOffset> kZeroBlock{};

// The place of exponent e in a block, e + 50, computed in the width of the index.
size_t BlockIndex(int64_t exponent) {
  return static_cast<size_t>(exponent + kOffset);
}

bool IsPosition(int32_t i, int32_t j) {
  return i >= 1 && i <= kMatrixDimension && j >= 1 && j <= kMatrixDimension;
}

size_t SlotIndex(int32_t i, int32_t j) {
  return static_cast<size_t>(i - 1) * kMatrixDimension + static_cast<size_t>(j - 1);
}

// The slot of (i, j), or an empty one for rows never stored into and positions outside the matrix.
PolyMatrixSlot ReadSlot(const PolyMatrix& matrix, int32_t i, int32_t j) {
  if (!IsPosition(i, j)) return {};
  size_t index = SlotIndex(i, j);
  return index < matrix.slots.size() ? matrix.slots[index] : PolyMatrixSlot{};
}

size_t LiveLength(const PolyMatrixSlot& slot) {
  return BlockIndex(slot.degree) + 1;
}

Residue* ArenaAt(PolyMatrixArena& arena, uint32_t place) {
  return arena.chunks[place >> kChunkBits].data() + (place & (kLargestChunk - 1));
}

const Residue* ArenaAt(const PolyMatrixArena& arena, uint32_t place) {
  return arena.chunks[place >> kChunkBits].data() + (place & (kLargestChunk - 1));
}

const Residue* BlockData(const PolyMatrix& matrix, const PolyMatrixSlot& slot) {
  return slot.capacity == 0 ? kZeroBlock.data() : ArenaAt(matrix.arena, slot.place);
}

Residue* MutableData(PolyMatrix& matrix, size_t index) {
  return ArenaAt(matrix.arena, matrix.slots[index].place);
}

// Takes size zeroed residues at the end of the arena. A block that does not fit the last chunk
// starts a new one, twice as large as the last up to 64 kB; the rest of the old chunk is abandoned.
uint32_t TakeBlock(PolyMatrixArena& arena, uint32_t size) {
  uint32_t lastSize = arena.chunks.empty() ? 0 : static_cast<uint32_t>(arena.chunks.back().size());
  if (arena.chunks.empty() || lastSize - arena.used < size) {
    arena.abandoned += lastSize - arena.used;
    uint32_t chunkSize = std::max(size, std::clamp(2 * lastSize, kFirstChunk, kLargestChunk));
    arena.chunks.emplace_back(chunkSize);
    arena.bytes += chunkSize;
    arena.used = 0;
  }
  uint32_t place = static_cast<uint32_t>(arena.chunks.size() - 1) << kChunkBits | arena.used;
  arena.used += size;
  return place;
}

// The slot of a valid position, with its row allocated.
size_t AllocateSlot(PolyMatrix& matrix, int32_t i, int32_t j) {
  size_t rowEnd = static_cast<size_t>(i) * kMatrixDimension;
  if (matrix.slots.size() < rowEnd) matrix.slots.resize(rowEnd);
  return SlotIndex(i, j);
}

uint32_t BlockSizeFor(size_t length) {
  size_t rounded = (length + kBlockGranule - 1) / kBlockGranule * kBlockGranule;
  return static_cast<uint32_t>(std::min<size_t>(rounded, kMaxBlock));
}

bool AllZero(const Residue* data, size_t length) {
  return std::all_of(data, data + length, [](Residue c) { return c == 0; });
}

// Moves every block that still holds a nonzero coefficient into a fresh arena, trimmed to its
// degree; all-zero entries lose their block.
void Compact(PolyMatrix& matrix) {
  PolyMatrixArena fresh;
  for (PolyMatrixSlot& slot : matrix.slots) {
    if (slot.capacity == 0) continue;
    const Residue* old = ArenaAt(matrix.arena, slot.place);
    size_t length = LiveLength(slot);
    if (slot.degree < 0 && AllZero(old, length)) {
      slot.capacity = 0;
      slot.place = 0;
      continue;
    }
    slot.capacity = static_cast<uint16_t>(BlockSizeFor(length));
    slot.place = TakeBlock(fresh, slot.capacity);
    std::copy(old, old + length, ArenaAt(fresh, slot.place));
  }
  matrix.arena = std::move(fresh);
}

bool WorthCompacting(const PolyMatrixArena& arena) {
  return arena.abandoned >= kMinCompaction && arena.abandoned > arena.bytes / 4;
}

// Gives the entry a block covering exponents -50 .. degree, keeping its coefficients; new residues
// are 0. May move every block. Compaction runs before the new block is taken, so it never trims a
// block that the caller is about to fill beyond its present degree.
void Reserve(PolyMatrix& matrix, size_t index, int32_t degree) {
  size_t needed = BlockIndex(degree) + 1;
  if (needed <= matrix.slots[index].capacity) return;
  if (WorthCompacting(matrix.arena)) Compact(matrix);
  PolyMatrixSlot& slot = matrix.slots[index];
  if (needed <= slot.capacity) return;
  uint32_t size = BlockSizeFor(std::max<size_t>(needed, slot.capacity + slot.capacity / 2));
  uint32_t place = TakeBlock(matrix.arena, size);
  if (slot.capacity != 0) {
    const Residue* old = ArenaAt(matrix.arena, slot.place);
    std::copy(old, old + LiveLength(slot), ArenaAt(matrix.arena, place));
    matrix.arena.abandoned += slot.capacity;
  }
  slot.place = place;
  slot.capacity = static_cast<uint16_t>(size);
}

// After a zero was stored at the entry degree.
void LowerDegree(PolyMatrix& matrix, size_t index) {
  PolyMatrixSlot& slot = matrix.slots[index];
  const Residue* data = MutableData(matrix, index);
  int32_t degree = slot.degree;
  while (degree >= 0 && data[degree + kOffset] == 0) --degree;
  slot.degree = static_cast<int16_t>(degree);
}

// An entry of negative degree with no nonzero coefficient gives its block back.
void ReleaseIfZero(PolyMatrix& matrix, size_t index) {
  PolyMatrixSlot& slot = matrix.slots[index];
  if (slot.capacity == 0 || slot.degree >= 0) return;
  if (!AllZero(ArenaAt(matrix.arena, slot.place), LiveLength(slot))) return;
  matrix.arena.abandoned += slot.capacity;
  slot.capacity = 0;
  slot.place = 0;
}

// The nonzero source terms that land inside -50 .. 10000, as target exponents.
struct TargetRange {
  int32_t first = 0;
  int32_t last = -1;

  size_t Count() const { return static_cast<size_t>(int64_t{last} - first + 1); }
};

TargetRange ClipToStore(std::span<const Residue> source, int32_t shift, FailureState& failure) {
  auto nonzero = [](Residue c) { return c != 0; };
  auto low = std::find_if(source.begin(), source.end(), nonzero);
  if (low == source.end()) return {};
  auto high = std::find_if(source.rbegin(), source.rend(), nonzero);
  int64_t lowTarget = (low - source.begin()) - kOffset + int64_t{shift};
  int64_t highTarget = (source.rend() - high - 1) - kOffset + int64_t{shift};
  if (lowTarget < kMatrixMinExponent || highTarget > kMatrixMaxExponent)
    FailPolynomial(failure, "Out of memory");
  TargetRange range{static_cast<int32_t>(std::max<int64_t>(lowTarget, kMatrixMinExponent)),
                    static_cast<int32_t>(std::min<int64_t>(highTarget, kMatrixMaxExponent))};
  auto sourceAt = [&](int32_t target) { return source[BlockIndex(int64_t{target} - shift)]; };
  while (range.first <= range.last && sourceAt(range.first) == 0) ++range.first;
  while (range.last >= range.first && sourceAt(range.last) == 0) --range.last;
  return range;
}

// target[e] := target[e] - factor * source[e] for the given residues; sums stay below p^2. The
// field's values are read into locals first: stores through a byte pointer could alias the field,
// which would keep the loop from being vectorised.
void SubtractScaled(const PrimeField& field, Residue* target, const Residue* source, size_t count,
                    Residue factor) {
  const uint32_t prime = static_cast<uint32_t>(field.currentPrime);
  const uint32_t multiplier = field.reductionMultiplier;
  const uint32_t shift = field.reductionShift;
  const uint32_t negated = prime - static_cast<uint32_t>(factor);
  for (size_t n = 0; n < count; ++n) {
    uint32_t sum = static_cast<uint32_t>(target[n]) + negated * static_cast<uint32_t>(source[n]);
    target[n] = static_cast<Residue>(ReduceBelowSquare(sum, prime, multiplier, shift));
  }
}

}  // namespace

void ResetMatrix(PolyMatrix& matrix) {
  matrix = PolyMatrix{};
}

int32_t MatrixEntryDegree(const PolyMatrix& matrix, int32_t i, int32_t j) {
  return ReadSlot(matrix, i, j).degree;
}

Residue MatrixGet(const PolyMatrix& matrix, int32_t i, int32_t j, int32_t e) {
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (e > slot.degree || e < kMatrixMinExponent) return 0;
  return BlockData(matrix, slot)[e + kOffset];
}

void MatrixSet(PolyMatrix& matrix, int32_t i, int32_t j, int32_t e, Residue v, FailureState& failure) {
  if (e > kMatrixMaxExponent || e < kMatrixMinExponent) {
    FailPolynomial(failure, "Out of memory");
    return;
  }
  if (!IsPosition(i, j)) {
    FailPolynomial(failure, "Program error");
    return;
  }
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (v == 0 && (e > slot.degree || slot.capacity == 0)) return;  // the coefficient is 0 already
  size_t index = AllocateSlot(matrix, i, j);
  if (e > slot.degree) {
    Reserve(matrix, index, e);
    Residue* data = MutableData(matrix, index);
    std::fill(data + slot.degree + kOffset + 1, data + e + kOffset, Residue{0});
    data[e + kOffset] = v;
    matrix.slots[index].degree = static_cast<int16_t>(e);
    return;
  }
  Reserve(matrix, index, slot.degree);
  MutableData(matrix, index)[e + kOffset] = v;
  if (v != 0) return;
  if (e == slot.degree) LowerDegree(matrix, index);
  ReleaseIfZero(matrix, index);
}

int32_t MatrixLowestExponent(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::span<const Residue> coefficients = MatrixCoefficients(matrix, i, j);
  auto lowest = std::find_if(coefficients.begin(), coefficients.end(), [](Residue c) { return c != 0; });
  if (lowest != coefficients.end()) return static_cast<int32_t>(lowest - coefficients.begin()) - kOffset;
  int32_t degree = MatrixEntryDegree(matrix, i, j);
  return degree == kEmptyEntryDegree ? kEmptyEntryLowestExponent : degree;
}

bool MatrixEntryIsNonzero(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::span<const Residue> coefficients = MatrixCoefficients(matrix, i, j);
  for (size_t n = coefficients.size(); n > static_cast<size_t>(kOffset); --n) {
    if (coefficients[n - 1] != 0) return true;
  }
  return false;
}

Polynomial MatrixEntryToPoly(const PolyMatrix& matrix, int32_t i, int32_t j, FailureState& failure) {
  Polynomial f;
  std::span<const Residue> coefficients = MatrixCoefficients(matrix, i, j);
  if (MatrixEntryDegree(matrix, i, j) > kPolyMaxExponent) {
    FailPolynomial(failure, "Program error");
    return f;
  }
  if (coefficients.size() > static_cast<size_t>(kOffset)) {
    std::copy(coefficients.begin() + kOffset, coefficients.end(), f.coefficients.begin());
  }
  return f;
}

std::span<const Residue> MatrixCoefficients(const PolyMatrix& matrix, int32_t i, int32_t j) {
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  return {BlockData(matrix, slot), LiveLength(slot)};
}

void MatrixSubtractMultiple(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k, Residue factor,
                            int32_t shift, const PrimeField& field, FailureState& failure) {
  if (!IsPosition(i, j) || !IsPosition(r, k)) {
    FailPolynomial(failure, "Program error");
    return;
  }
  TargetRange range = ClipToStore(MatrixCoefficients(matrix, r, k), shift, failure);
  // With a zero factor every stored value stays as it is; only the limits are checked.
  if (range.first > range.last || factor == 0) return;
  // The source is copied when it is the target itself; otherwise it is located again after the
  // target has grown, since growing may move every block.
  std::vector<Residue> ownCopy;
  if (i == r && j == k) {
    std::span<const Residue> source = MatrixCoefficients(matrix, r, k);
    ownCopy.assign(source.begin(), source.end());
  }
  size_t index = AllocateSlot(matrix, i, j);
  const int32_t degree = matrix.slots[index].degree;
  Reserve(matrix, index, std::max(degree, range.last));
  Residue* target = MutableData(matrix, index);
  if (range.last > degree) {
    std::fill(target + degree + kOffset + 1, target + range.last + kOffset, Residue{0});
  }
  const Residue* source = ownCopy.empty() ? MatrixCoefficients(matrix, r, k).data() : ownCopy.data();
  SubtractScaled(field, target + range.first + kOffset, source + (range.first - shift + kOffset),
                 range.Count(), factor);
  if (range.last > degree) {
    matrix.slots[index].degree = static_cast<int16_t>(range.last);
  } else if (range.first <= degree && degree <= range.last && target[degree + kOffset] == 0) {
    LowerDegree(matrix, index);
  }
  ReleaseIfZero(matrix, index);
}

void MatrixSwapEntries(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k,
                       FailureState& failure) {
  if (!IsPosition(i, j) || !IsPosition(r, k)) {
    FailPolynomial(failure, "Program error");
    return;
  }
  AllocateSlot(matrix, std::max(i, r), 1);
  std::swap(matrix.slots[SlotIndex(i, j)], matrix.slots[SlotIndex(r, k)]);
}

size_t MatrixStorageBytes(const PolyMatrix& matrix) {
  return matrix.arena.bytes * sizeof(Residue) + matrix.slots.capacity() * sizeof(PolyMatrixSlot);
}

}  // namespace quarvel
