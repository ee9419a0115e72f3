#include "poly/poly_matrix.h"

#include <algorithm>
#include <array>

namespace quarvel {
namespace {

constexpr uint32_t kBlockGranule = 8;
constexpr uint32_t kFirstChunk = 4096;
constexpr uint32_t kLargestSharedChunk = uint32_t{1} << 16;
constexpr size_t kMinCompaction = size_t{1} << 16;
constexpr int32_t kDefaultBelowZero =
    -kDefaultFirstExponent;  // residues below exponent 0 a block starts with

// What an entry without a block reads as: its degree is at most -1 and its first exponent -50.
constexpr std::array<Residue, kDefaultBelowZero> kZeroBlock{};

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

// The place of exponent e in the slot's block.
size_t BlockIndex(const PolyMatrixSlot& slot, int64_t exponent) {
  return static_cast<size_t>(exponent - slot.firstExponent);
}

// Residues from the first exponent to the degree; none when the degree lies below the first exponent.
size_t LiveLength(const PolyMatrixSlot& slot) {
  return static_cast<size_t>(std::max<int64_t>(int64_t{slot.degree} - slot.firstExponent + 1, 0));
}

Residue* ArenaAt(PolyMatrixArena& arena, const PolyMatrixSlot& slot) {
  return arena.chunks[slot.chunk].data() + slot.offset;
}

const Residue* ArenaAt(const PolyMatrixArena& arena, const PolyMatrixSlot& slot) {
  return arena.chunks[slot.chunk].data() + slot.offset;
}

const Residue* BlockData(const PolyMatrix& matrix, const PolyMatrixSlot& slot) {
  return slot.capacity == 0 ? kZeroBlock.data() : ArenaAt(matrix.arena, slot);
}

Residue* MutableData(PolyMatrix& matrix, size_t index) {
  return ArenaAt(matrix.arena, matrix.slots[index]);
}

// Bytes the store holds (arena chunks and entry table).
size_t StorageBytes(const PolyMatrix& matrix) {
  return matrix.arena.bytes * sizeof(Residue) + matrix.slots.capacity() * sizeof(PolyMatrixSlot);
}

// Takes size zeroed residues at the end of the arena and points the slot at them. A block that
// does not fit the last chunk starts a new one, twice as large as the last up to 64 kB (or as
// large as the block); the rest of the old chunk is abandoned. False, with nothing taken, when the
// new chunk would pass the ceiling.
bool TakeBlock(PolyMatrixArena& arena, uint32_t size, size_t room, PolyMatrixSlot& slot) {
  size_t lastSize = arena.chunks.empty() ? 0 : arena.chunks.back().size();
  if (arena.chunks.empty() || lastSize - arena.used < size) {
    size_t chunkSize =
        std::max<size_t>(size, std::clamp<size_t>(2 * lastSize, kFirstChunk, kLargestSharedChunk));
    if (chunkSize > room) return false;
    arena.abandoned += lastSize - arena.used;
    arena.chunks.emplace_back(chunkSize);
    arena.bytes += chunkSize;
    arena.used = 0;
  }
  slot.chunk = static_cast<uint32_t>(arena.chunks.size() - 1);
  slot.offset = arena.used;
  arena.used += size;
  return true;
}

// The room the ceiling leaves for new chunks.
size_t Room(const PolyMatrix& matrix) {
  const size_t held = StorageBytes(matrix);
  return held >= matrix.byteCeiling ? 0 : matrix.byteCeiling - held;
}

// The slot of a valid position, with its row allocated.
size_t AllocateSlot(PolyMatrix& matrix, int32_t i, int32_t j) {
  size_t rowEnd = static_cast<size_t>(i) * kMatrixDimension;
  if (matrix.slots.size() < rowEnd) matrix.slots.resize(rowEnd);
  return SlotIndex(i, j);
}

// Whole granules; 0 for a block past 32 bits, which no ceiling admits.
uint32_t BlockSizeFor(size_t length) {
  size_t rounded = (length + kBlockGranule - 1) / kBlockGranule * kBlockGranule;
  return rounded > std::numeric_limits<uint32_t>::max() ? 0 : static_cast<uint32_t>(rounded);
}

bool AllZero(const Residue* data, size_t length) {
  return std::all_of(data, data + length, [](Residue c) { return c == 0; });
}

// Moves every block that still holds a nonzero coefficient into a fresh arena, trimmed to its
// degree; all-zero entries lose their block. The fresh arena is never larger than the old one.
void Compact(PolyMatrix& matrix) {
  PolyMatrixArena fresh;
  for (PolyMatrixSlot& slot : matrix.slots) {
    if (slot.capacity == 0) continue;
    const Residue* old = ArenaAt(matrix.arena, slot);
    size_t length = LiveLength(slot);
    if (slot.degree < 0 && AllZero(old, length)) {
      slot = PolyMatrixSlot{0, 0, 0, slot.degree, kDefaultFirstExponent};
      continue;
    }
    slot.capacity = BlockSizeFor(length);
    TakeBlock(fresh, slot.capacity, std::numeric_limits<size_t>::max(), slot);
    std::copy(old, old + length, ArenaAt(fresh, slot));
  }
  matrix.arena = std::move(fresh);
}

bool WorthCompacting(const PolyMatrixArena& arena) {
  return arena.abandoned >= kMinCompaction && arena.abandoned > arena.bytes / 4;
}

// Gives the entry a block covering exponents low .. high (low at most its first exponent), keeping
// its coefficients; new residues are 0. May move every block. Compaction runs before the new block
// is taken, so it never trims a block that the caller is about to fill beyond its present degree.
// False, with "Out of memory" and nothing changed, when the block would pass the ceiling.
bool Reserve(PolyMatrix& matrix, size_t index, int64_t low, int64_t high, FailureState& failure) {
  const PolyMatrixSlot& current = matrix.slots[index];
  if (low >= current.firstExponent && BlockIndex(current, high) < current.capacity) return true;
  if (WorthCompacting(matrix.arena)) Compact(matrix);
  PolyMatrixSlot& slot = matrix.slots[index];
  const int64_t first = std::min<int64_t>(low, slot.firstExponent);
  const size_t needed = static_cast<size_t>(high - first + 1);
  const size_t lift = static_cast<size_t>(slot.firstExponent - first);
  if (lift == 0 && needed <= slot.capacity) return true;
  PolyMatrixSlot grown = slot;
  const uint32_t size = BlockSizeFor(std::max<size_t>(needed, slot.capacity + slot.capacity / 2));
  if (size == 0 || !TakeBlock(matrix.arena, size, Room(matrix), grown)) {
    FailPolynomial(failure, "Out of memory");
    return false;
  }
  if (slot.capacity != 0) {
    const Residue* old = ArenaAt(matrix.arena, slot);
    std::copy(old, old + LiveLength(slot), ArenaAt(matrix.arena, grown) + lift);
    matrix.arena.abandoned += slot.capacity;
  }
  grown.capacity = size;
  grown.firstExponent = static_cast<int32_t>(first);
  slot = grown;
  return true;
}

// After a zero was stored at the entry degree.
void LowerDegree(PolyMatrix& matrix, size_t index) {
  PolyMatrixSlot& slot = matrix.slots[index];
  const Residue* data = MutableData(matrix, index);
  int32_t degree = slot.degree;
  while (degree >= 0 && data[BlockIndex(slot, degree)] == 0) --degree;
  slot.degree = degree;
}

// An entry of negative degree with no nonzero coefficient gives its block back.
void ReleaseIfZero(PolyMatrix& matrix, size_t index) {
  PolyMatrixSlot& slot = matrix.slots[index];
  if (slot.capacity == 0 || slot.degree >= 0) return;
  if (!AllZero(ArenaAt(matrix.arena, slot), LiveLength(slot))) return;
  matrix.arena.abandoned += slot.capacity;
  slot = PolyMatrixSlot{0, 0, 0, slot.degree, kDefaultFirstExponent};
}

// Empty: entry degree -50 and no nonzero coefficient.
bool IsEmpty(const PolyMatrix& matrix, const PolyMatrixSlot& slot) {
  return slot.degree == kEmptyEntryDegree && AllZero(BlockData(matrix, slot), LiveLength(slot));
}

// The nonzero source terms, as target exponents.
struct TargetRange {
  int64_t first = 0;
  int64_t last = -1;

  size_t Count() const { return static_cast<size_t>(last - first + 1); }
};

TargetRange NonzeroTargets(std::span<const Residue> source, int32_t sourceFirst, int32_t shift) {
  auto nonzero = [](Residue c) { return c != 0; };
  auto low = std::find_if(source.begin(), source.end(), nonzero);
  if (low == source.end()) return {};
  auto high = std::find_if(source.rbegin(), source.rend(), nonzero);
  const int64_t base = int64_t{sourceFirst} + shift;
  return {(low - source.begin()) + base, (source.rend() - high - 1) + base};
}

bool HoldsExponent(int64_t e) {
  return e >= std::numeric_limits<int32_t>::min() && e <= std::numeric_limits<int32_t>::max();
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
  matrix.slots.clear();  // keeps its allocation
  matrix.arena = PolyMatrixArena{};
}

int32_t MatrixEntryDegree(const PolyMatrix& matrix, int32_t i, int32_t j) {
  return ReadSlot(matrix, i, j).degree;
}

Residue MatrixGet(const PolyMatrix& matrix, int32_t i, int32_t j, int32_t e) {
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (e > slot.degree || e < slot.firstExponent) return 0;
  return BlockData(matrix, slot)[BlockIndex(slot, e)];
}

void MatrixSet(PolyMatrix& matrix, int32_t i, int32_t j, int32_t e, Residue v, FailureState& failure) {
  if (!IsPosition(i, j)) {
    FailPolynomial(failure, "Program error");
    return;
  }
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (v == 0 && (e > slot.degree || e < slot.firstExponent || slot.capacity == 0)) return;  // 0 already
  size_t index = AllocateSlot(matrix, i, j);
  if (v != 0 && (e > slot.degree || (e < kEmptyEntryDegree && IsEmpty(matrix, slot)))) {
    if (!Reserve(matrix, index, std::min(e, slot.firstExponent), e, failure)) return;
    PolyMatrixSlot& grown = matrix.slots[index];
    Residue* data = MutableData(matrix, index);
    if (e > slot.degree) std::fill(data + LiveLength(grown), data + BlockIndex(grown, e), Residue{0});
    data[BlockIndex(grown, e)] = v;
    grown.degree = e;
    return;
  }
  if (!Reserve(matrix, index, e, slot.degree, failure)) return;
  MutableData(matrix, index)[BlockIndex(matrix.slots[index], e)] = v;
  if (v != 0) return;
  if (e == slot.degree) LowerDegree(matrix, index);
  ReleaseIfZero(matrix, index);
}

int32_t MatrixLowestExponent(const PolyMatrix& matrix, int32_t i, int32_t j) {
  std::span<const Residue> coefficients = MatrixCoefficients(matrix, i, j);
  auto lowest = std::find_if(coefficients.begin(), coefficients.end(), [](Residue c) { return c != 0; });
  if (lowest != coefficients.end())
    return static_cast<int32_t>((lowest - coefficients.begin()) + MatrixFirstExponent(matrix, i, j));
  int32_t degree = MatrixEntryDegree(matrix, i, j);
  return degree == kEmptyEntryDegree ? kEmptyEntryLowestExponent : degree;
}

bool MatrixEntryIsNonzero(const PolyMatrix& matrix, int32_t i, int32_t j) {
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (slot.degree < 0) return false;
  const Residue* data = BlockData(matrix, slot);
  for (int32_t e = slot.degree; e >= 0; --e) {
    if (data[BlockIndex(slot, e)] != 0) return true;
  }
  return false;
}

Polynomial MatrixEntryToPoly(const PolyMatrix& matrix, int32_t i, int32_t j) {
  PolyMatrixSlot slot = ReadSlot(matrix, i, j);
  if (slot.degree < 0 || slot.capacity == 0) return {};
  const Residue* data = BlockData(matrix, slot);
  return PolyFromCoefficients({data + BlockIndex(slot, 0), data + BlockIndex(slot, slot.degree) + 1});
}

int32_t MatrixFirstExponent(const PolyMatrix& matrix, int32_t i, int32_t j) {
  return ReadSlot(matrix, i, j).firstExponent;
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
  const int32_t sourceFirst = MatrixFirstExponent(matrix, r, k);
  TargetRange range = NonzeroTargets(MatrixCoefficients(matrix, r, k), sourceFirst, shift);
  if (range.first > range.last) return;
  if (!HoldsExponent(range.first) || !HoldsExponent(range.last)) {
    FailPolynomial(failure, "Out of memory");
    return;
  }
  // With a zero factor every stored value stays as it is.
  if (factor == 0) return;
  // The source is copied when it is the target itself; otherwise it is located again after the
  // target has grown, since growing may move every block.
  std::vector<Residue> ownCopy;
  if (i == r && j == k) {
    std::span<const Residue> source = MatrixCoefficients(matrix, r, k);
    ownCopy.assign(source.begin(), source.end());
  }
  size_t index = AllocateSlot(matrix, i, j);
  const int32_t degree = matrix.slots[index].degree;
  // Term by term, the first nonzero result below -50 would make an empty entry's degree.
  const bool risesFromEmpty = range.last < kEmptyEntryDegree && IsEmpty(matrix, matrix.slots[index]);
  if (!Reserve(matrix, index, range.first, std::max<int64_t>(degree, range.last), failure)) return;
  const PolyMatrixSlot& slot = matrix.slots[index];
  Residue* target = MutableData(matrix, index);
  if (range.last > degree)
    std::fill(target + LiveLength(slot), target + BlockIndex(slot, range.last), Residue{0});
  const Residue* source = ownCopy.empty() ? MatrixCoefficients(matrix, r, k).data() : ownCopy.data();
  SubtractScaled(field, target + BlockIndex(slot, range.first),
                 source + static_cast<size_t>(range.first - shift - sourceFirst), range.Count(), factor);
  if (range.last > degree || risesFromEmpty) {
    matrix.slots[index].degree = static_cast<int32_t>(range.last);
  } else if (range.first <= degree && degree <= range.last && target[BlockIndex(slot, degree)] == 0) {
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
  return StorageBytes(matrix);
}

}  // namespace quarvel
