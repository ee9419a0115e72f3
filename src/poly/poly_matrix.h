#pragma once
// The polynomial matrix store: the presentation matrix while it is built and reduced.
//
// Entries (i, j), 1 <= i, j <= 300, are Laurent polynomials over F_p with any exponents a 32-bit
// integer holds. Each entry has an entry degree, the highest exponent it holds: -50 for an empty
// entry, -1 for an entry whose terms cancelled. An entry is nonzero exactly when its entry degree is
// >= 0.
//
// Storage. All coefficients live in one arena of byte chunks; an entry owns one contiguous block
// in a chunk holding its residues from its first exponent (-50, or lower once a term below -50 was
// stored) up to its entry degree. The entry table keeps per entry the block's place, capacity and
// first exponent and the entry degree, row by row with 300 slots per row, allocated up to the
// highest row stored into. Chunks start at 4 kB and double up to 64 kB; a larger block gets a chunk
// of its own. So a small matrix holds little and a large one never reallocates what it already
// holds. A block grows by half at the end of the arena when the degree outgrows it, and the old
// block is abandoned; once abandoned space exceeds a quarter of the arena, the arena is compacted
// (blocks trimmed to their degree). An entry whose coefficients are all zero and whose degree is
// negative owns no block at all, so memory follows what the matrix holds: a fresh matrix holds
// nothing, and a reset one only the entry table it had (a run builds one matrix after another of
// about the same size). Spans and pointers into the store stay valid only until the next call that changes
// the matrix.
//
// Failures go to the polynomial error flag: a block that would take the store past its byte ceiling
// is "Out of memory" in MatrixSet and MatrixSubtractMultiple (the value is dropped); a position
// outside 1 .. 300 in a call that changes the matrix is "Program error". Reads of positions outside
// 1 .. 300 see an empty entry.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "base/failure.h"
#include "poly/field.h"
#include "poly/polynomial.h"

namespace quarvel {

inline constexpr int32_t kMatrixDimension = 300;
inline constexpr int32_t kEmptyEntryDegree = -50;
// The first exponent of every block unless a term below it was stored.
inline constexpr int32_t kDefaultFirstExponent = kEmptyEntryDegree;
// What MatrixLowestExponent gives for an empty entry: no exponent a term can have.
inline constexpr int32_t kEmptyEntryLowestExponent = std::numeric_limits<int32_t>::min();

struct PolyMatrixSlot {
  uint32_t chunk = 0;     // the arena chunk of the block
  uint32_t offset = 0;    // where the block starts in its chunk
  uint32_t capacity = 0;  // residues reserved; 0 when the entry owns no block (all zero)
  int32_t degree = kEmptyEntryDegree;
  int32_t firstExponent = kDefaultFirstExponent;  // the exponent of the block's first residue
};

struct PolyMatrixArena {
  std::vector<std::vector<Residue>> chunks;  // fixed sizes once made; a block never straddles two
  uint32_t used = 0;                         // residues taken in the last chunk
  size_t bytes = 0;                          // total of the chunk sizes
  size_t abandoned = 0;                      // residues no entry owns any more
};

struct PolyMatrix {
  std::vector<PolyMatrixSlot> slots;  // (i, j) at (i - 1) * 300 + (j - 1)
  PolyMatrixArena arena;
  size_t byteCeiling = std::numeric_limits<size_t>::max();  // the run's memory ceiling
};

// Empties every entry (entry degree -50, nothing stored) and releases the coefficients; the entry
// table keeps its allocation and the ceiling stays.
void ResetMatrix(PolyMatrix& matrix);

int32_t MatrixEntryDegree(const PolyMatrix& matrix, int32_t i, int32_t j);

// The coefficient at exponent e; 0 above the entry degree and below the entry's first exponent.
Residue MatrixGet(const PolyMatrix& matrix, int32_t i, int32_t j, int32_t e);

// Stores v (a residue in [0, p)) at exponent e:
// 1. room for e past the byte ceiling: "Out of memory", nothing stored;
// 2. v != 0 and e above the entry degree, or e below -50 in an entry holding nothing with degree
//    -50: exponents from entry degree + 1 to e - 1 become 0 and e the entry degree (a zero above
//    the entry degree changes nothing);
// 3. v is stored at e;
// 4. v = 0 at the entry degree: the degree drops past zero coefficients while it is >= 0, so a
//    zero entry ends at -1.
void MatrixSet(PolyMatrix& matrix, int32_t i, int32_t j, int32_t e, Residue v, FailureState& failure);

// The lowest exponent with a nonzero coefficient, scanning from the entry degree down to the first
// exponent; kEmptyEntryLowestExponent for an empty entry (entry degree -50, no nonzero coefficient);
// the entry degree when no coefficient is nonzero.
int32_t MatrixLowestExponent(const PolyMatrix& matrix, int32_t i, int32_t j);

// True when a coefficient at exponent 0 .. entry degree is nonzero.
bool MatrixEntryIsNonzero(const PolyMatrix& matrix, int32_t i, int32_t j);

// Coefficients 0 .. entry degree.
Polynomial MatrixEntryToPoly(const PolyMatrix& matrix, int32_t i, int32_t j);

// The exponent of the first residue MatrixCoefficients gives: -50 unless a term below it was stored.
int32_t MatrixFirstExponent(const PolyMatrix& matrix, int32_t i, int32_t j);

// The residues at exponents MatrixFirstExponent .. entry degree, contiguous (index = exponent minus
// the first exponent); empty when the entry degree is below the first exponent.
std::span<const Residue> MatrixCoefficients(const PolyMatrix& matrix, int32_t i, int32_t j);

// entry(i, j) := entry(i, j) - factor * t^shift * entry(r, k), with factor a residue in [0, p).
// The result, entry degree and failures are those of MatrixSet(i, j, e + shift, old - factor * c)
// applied in ascending e for every nonzero coefficient c of entry(r, k) at exponent e; an exponent
// beyond 32 bits or room past the byte ceiling raises "Out of memory" and nothing is applied. The
// two entries may be the same one (the old entry is used on the right).
void MatrixSubtractMultiple(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k, Residue factor,
                            int32_t shift, const PrimeField& field, FailureState& failure);

// Exchanges two entries, coefficients and entry degrees, without copying coefficients.
void MatrixSwapEntries(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k, FailureState& failure);

// Bytes the store holds (arena chunks and entry table).
size_t MatrixStorageBytes(const PolyMatrix& matrix);

}  // namespace quarvel
