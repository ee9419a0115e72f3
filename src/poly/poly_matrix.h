#pragma once
// The polynomial matrix store: the presentation matrix while it is built and reduced.
//
// Entries (i, j), 1 <= i, j <= 300, are Laurent polynomials over F_p with exponents -50 .. 10000.
// Each entry has an entry degree, the highest exponent it holds: -50 for an empty entry, -1 for an
// entry whose terms cancelled. An entry is nonzero exactly when its entry degree is >= 0.
//
// Storage. All coefficients live in one arena of byte chunks; an entry owns one contiguous block
// in a chunk holding its residues from exponent -50 up to its entry degree (index = exponent + 50).
// The entry table keeps per entry only the block's place and capacity and the entry degree (8 bytes),
// row by row with 300 slots per row, allocated up to the highest row stored into. Chunks start at 4 kB
// and double up to 64 kB, so a small matrix holds little and a large one never reallocates what it
// already holds. A block grows by half at the end of the arena when the degree outgrows it, and the
// old block is abandoned; once abandoned space exceeds a quarter of the arena, the arena is compacted
// (blocks trimmed to their degree). An entry whose coefficients are all zero and whose degree is
// negative owns no block at all, so memory follows what the matrix holds and a fresh or reset matrix
// holds nothing. Spans and pointers into the store stay valid only until the next call that changes
// the matrix.
//
// Failures go to the polynomial error flag: an exponent outside -50 .. 10000 in MatrixSet or
// MatrixSubtractMultiple is "Out of memory" (the value is dropped); an entry above degree 5000 in
// MatrixEntryToPoly, and a position outside 1 .. 300 in a call that changes the matrix, are
// "Program error". Reads of positions outside 1 .. 300 see an empty entry.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/failure.h"
#include "poly/field.h"
#include "poly/polynomial.h"

namespace quarvel {

inline constexpr int32_t kMatrixDimension = 300;
inline constexpr int32_t kMatrixMinExponent = -50;
inline constexpr int32_t kMatrixMaxExponent = 10000;
inline constexpr int32_t kEmptyEntryDegree = kMatrixMinExponent;
inline constexpr int32_t kEmptyEntryLowestExponent = kMatrixMinExponent - 1;

struct PolyMatrixSlot {
  uint32_t place = 0;     // chunk number * 65536 + index in the chunk of the residue at exponent -50
  uint16_t capacity = 0;  // residues reserved; 0 when the entry owns no block (all zero)
  int16_t degree = kEmptyEntryDegree;
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
};

// Empties every entry (entry degree -50, nothing stored) and releases the storage.
void ResetMatrix(PolyMatrix& matrix);

int32_t MatrixEntryDegree(const PolyMatrix& matrix, int32_t i, int32_t j);

// The coefficient at exponent e; 0 above the entry degree and below -50.
Residue MatrixGet(const PolyMatrix& matrix, int32_t i, int32_t j, int32_t e);

// Stores v (a residue in [0, p)) at exponent e:
// 1. e outside -50 .. 10000: "Out of memory", nothing stored;
// 2. e above the entry degree and v != 0: exponents from entry degree + 1 to e - 1 become 0 and e
//    the entry degree (a zero above the entry degree changes nothing);
// 3. v is stored at e;
// 4. v = 0 at the entry degree: the degree drops past zero coefficients while it is >= 0, so a
//    zero entry ends at -1.
void MatrixSet(PolyMatrix& matrix, int32_t i, int32_t j, int32_t e, Residue v, FailureState& failure);

// The lowest exponent with a nonzero coefficient, scanning from the entry degree down to -50; -51
// for an empty entry (entry degree -50, zero at -50); the entry degree when no coefficient is nonzero.
int32_t MatrixLowestExponent(const PolyMatrix& matrix, int32_t i, int32_t j);

// True when a coefficient at exponent 0 .. entry degree is nonzero.
bool MatrixEntryIsNonzero(const PolyMatrix& matrix, int32_t i, int32_t j);

// Coefficients 0 .. entry degree; an entry degree above 5000 raises "Program error" and gives zero.
Polynomial MatrixEntryToPoly(const PolyMatrix& matrix, int32_t i, int32_t j, FailureState& failure);

// The residues at exponents -50 .. entry degree, contiguous (index = exponent + 50).
std::span<const Residue> MatrixCoefficients(const PolyMatrix& matrix, int32_t i, int32_t j);

// entry(i, j) := entry(i, j) - factor * t^shift * entry(r, k), with factor a residue in [0, p).
// The result, entry degree and failures are those of MatrixSet(i, j, e + shift, old - factor * c)
// applied in ascending e for every nonzero coefficient c of entry(r, k) at exponent e: a term whose
// exponent leaves -50 .. 10000 raises "Out of memory" and is dropped, the others are applied. The
// two entries may be the same one (the old entry is used on the right).
void MatrixSubtractMultiple(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k, Residue factor,
                            int32_t shift, const PrimeField& field, FailureState& failure);

// Exchanges two entries, coefficients and entry degrees, without copying coefficients.
void MatrixSwapEntries(PolyMatrix& matrix, int32_t i, int32_t j, int32_t r, int32_t k, FailureState& failure);

// Bytes the store holds (arena chunks and entry table).
size_t MatrixStorageBytes(const PolyMatrix& matrix);

}  // namespace quarvel
