#pragma once
// Presentation text files.
//
// Format I: relator lines in written form (+a-2b+C; "A".."Z" are generators 27..52), headers and
// "#" comments skipped, then phi lines of at most 3 characters (a letter and its value; every
// other generator keeps phi = 1). Format II: relator lines of generators x_3 or x_{3}, inverted by
// a directly following ^-1 or ^{-1}, one relator per line up to an empty line; phi is 1 throughout.
// A line beginning with "{" holds a braid description instead.
//
// Beyond the data model: more than 52 relators fail with "Too many relators", a generator above 52
// with "Too many generators", a file that yields no relator with "No relator could be read from the
// file PATH". Lines are read without their trailing control characters (CR) and without a UTF-8
// byte-order mark in front.

#include <istream>
#include <string>

#include "base/failure.h"
#include "group/presentation.h"
#include "run/workbench.h"

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

void ReadFormatOne(std::istream& in, Presentation& presentation, FailureState& failure);
void ReadFormatTwo(std::istream& in, Presentation& presentation, FailureState& failure);

// inputDirectory + inputName.
std::string PickedPath(const RunSettings& settings);
// Fails the run when the picked file cannot be read at all (UnusableFileReason).
void CheckPickedFile(Workbench& workbench);
// Pre-scans the picked file (inputDirectory + inputName).
PreScan PreScanPresentationFile(Workbench& workbench);
// Reads the picked file by the format it is in: relators, relatorCount and phi.
void ReadPresentationFile(Workbench& workbench);

}  // namespace quarvel
