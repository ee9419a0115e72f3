#pragma once
// Presentation text files.
//
// Format I: relator lines in written form (+a-2b+C; "A".."Z" are generators 27..52), headers and
// "#" comments skipped, then phi lines of at most 3 characters (a letter and its value; every
// other generator keeps phi = 1). Format II: relator lines of generators x_3 or x_{3}, inverted by
// a directly following ^-1 or ^{-1}, one relator per line up to an empty line; phi is 1 throughout.
// A line beginning with "{" holds a braid description instead, one beginning with "PD[", "[[" or
// "DT[" a PD or DT code (group/diagram_text.h).
//
// Beyond the data model: more than 52 relators fail with "Too many relators", a generator above 52
// with "Too many generators"; the first failure is the one reported. Lines are read without their
// trailing control characters (CR) and without a UTF-8 byte-order mark in front.

#include <array>
#include <istream>
#include <string>
#include <vector>

#include "base/result.h"
#include "group/presentation.h"

namespace quarvel {

struct PreScan {
  enum Kind { nothingUsable, braid, presentation };
  Kind kind = nothingUsable;
  std::string braidText;
};

// A line of the file without its trailing characters below 32 and without a leading UTF-8
// byte-order mark (an editor's mark at the start of the file); false at the end of the file.
bool ReadFileLine(std::istream& in, std::string& line);

// What a file holds: the first line that is a braid, a format II relator or a format I relator
// decides; more than 9 empty lines, or none of these, is nothing usable.
PreScan PreScanPresentation(std::istream& in);

// Format II when one of the first 8 lines begins with "x_" or " x_".
bool IsFormatTwo(std::istream& in);

// What a presentation file gives: its relators as written (at most 52; none when the file holds
// no relator line) and phi, 1 on every generator the file gives no value (phi[0] = 0).
struct FilePresentation {
  std::vector<Word> relators;
  std::array<int32_t, kMaxGenerators + 1> phi{};
};

Result<FilePresentation> ReadFormatOne(std::istream& in);
Result<FilePresentation> ReadFormatTwo(std::istream& in);
// Reads by the format the first lines show (IsFormatTwo), from the start of the stream.
Result<FilePresentation> ReadPresentation(std::istream& in);

}  // namespace quarvel
