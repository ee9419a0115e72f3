#pragma once
// Whether a picked input file can be read at all, before anything looks at its lines.
//
// Reading stops past kMaxInputFileBytes: no presentation, braid file or knot list comes near that
// size, while a device such as /dev/zero would otherwise be read until memory runs out.

#include <cstdint>
#include <optional>
#include <string>

namespace quarvel {

inline constexpr std::uintmax_t kMaxInputFileBytes = std::uintmax_t{64} << 20;

// Why the file at `path` cannot be used as input ("Can not open the file PATH", "The file PATH
// is a directory", "... is empty", "... is larger than 64 MiB"); nothing when it can.
std::optional<std::string> UnusableFileReason(const std::string& path);

}  // namespace quarvel
