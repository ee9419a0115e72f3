#pragma once
// The random generator's seed for a knot of a list. Each knot starts its own sequence of draws
// from a seed that depends only on its braid (or its table name's braid) and the size of the pass,
// so that its result is the same whatever knots were computed before it: in a serial run, in any
// order among parallel workers, alone, or in a shard of the list.

#include <cstdint>
#include <string_view>

namespace quarvel {

// A 32-bit FNV-1a hash of the knot's braid, mixed with `size` (0 where a mode has no passes).
uint32_t ListKnotSeed(std::string_view line, int64_t size);

}  // namespace quarvel
