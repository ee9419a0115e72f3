#pragma once
// The state of an isotopy run that the driver keeps and the panel reports, the report files and
// the knot-list walk read.

#include <cstdint>
#include <string>
#include <vector>

#include "bounds/evaluation_state.h"
#include "poly/polynomial.h"
#include "run/list_progress_state.h"

namespace quarvel {

inline constexpr int32_t kFirstClassLine = 37;

struct IsotopyState {
  bool listMode = false;
  bool firstKnot = true;  // until the conjugacy classes have been found
  bool listDone = false;
  std::string listName;        // the knot list's file name, in list mode
  int64_t listLineNumber = 0;  // the current knot's line in the list, counted from 1
  ListProgress listProgress;
  // The untwisted Alexander polynomial of the current knot.
  Polynomial untwistedPolynomial;
  int32_t untwistedDegree = 0;
  PolynomialTexts untwistedPolynomialText;
  // The product of the twisted polynomials of the classes found so far (1 before the first).
  Polynomial productPolynomial;
  PolynomialTexts productText;              // set when the product is shown
  std::vector<PolynomialTexts> classTexts;  // class h at index h - 1
  int32_t linePosition = kFirstClassLine;   // y of the next class on panel 2
  bool enumerationStopped = false;
};

}  // namespace quarvel
