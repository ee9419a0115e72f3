#pragma once
// A picked file is a knot list when one of its first two lines (blank lines and lines beginning
// with "%" skipped, lines beginning with "x_" or " x_" counting as empty) holds a "{".

#include <istream>

namespace quarvel {

bool IsKnotList(std::istream& in);

}  // namespace quarvel
