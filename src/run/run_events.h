#pragma once
// The results of a run as they arise, for front ends that record them rather than look at panels
// (the CLI's JSON Lines output, scripts). A driver calls the event where its result exists: once a
// presentation is prepared and simplified, after each evaluation of a representation, for each
// isotopy class and the product, for each finished line of a knot list, on an error and at the end
// of the run. The records are plain values: they hold no reference into the workbench. Every call
// does nothing unless a front end overrides it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "poly/field.h"

namespace quarvel {

// A polynomial over F_p: its nonzero part from the lowest exponent up, and its text as the panels
// print it (divided by the lowest power of t).
struct PolynomialRecord {
  std::vector<Residue> coefficients;  // empty for the zero polynomial
  int32_t lowestExponent = 0;
  int32_t prime = 0;
  std::string text;
};

struct PresentationRecord {
  std::vector<std::string> generators;  // letters, in number order
  std::vector<std::string> relators;
  std::vector<int32_t> phi;  // phi of each generator, in the order of `generators`
};

struct InputRecord {
  std::string braid;                // empty for a presentation file
  std::string fileName;             // the picked file; empty for a typed braid
  PresentationRecord presentation;  // as built or read
  PresentationRecord simplified;
  std::vector<std::string> substitutions;  // one per eliminated generator: "a = word"
};

struct GeneratorImageRecord {
  std::string generator;
  std::string image;  // as the panels write it, e.g. "(231)"
};

// One evaluation of a representation over one field; the untwisted pass has kind "untwisted".
struct RepresentationRecord {
  int64_t cycle = 0;
  std::string kind;
  int64_t degree = 0;
  std::vector<GeneratorImageRecord> images;
  int32_t imageOrder = 0;  // 0 when the image was not determined
  PolynomialRecord twisted;
  int32_t twistedDegree = 0;
  PolynomialRecord zeroth;
  int32_t zerothDegree = 0;
  std::optional<PolynomialRecord> second;  // closed manifolds only
  int32_t secondDegree = 0;
  bool positiveRank = false;
  int32_t rank = 0;  // rank of the torsion-free part
  double genusBound = 0;
  double normBound = 0;
  double bestBound = 0;
  std::vector<std::string> verdicts;  // the verdict lines the panels show
};

struct ClassRecord {
  int64_t index = 0;  // from 1
  std::vector<GeneratorImageRecord> images;
  PolynomialRecord polynomial;
};

struct ProductRecord {
  std::string group;  // "s5", ...
  int64_t classes = 0;
  PolynomialRecord untwisted;
  std::optional<PolynomialRecord> product;  // absent for "s1"
};

struct ListLineRecord {
  int64_t knot = 0;   // the knot's place among the list's knot lines, from 1
  int64_t knots = 0;  // the list's knot lines
  std::string name;
  std::string result;  // as the progress line gives it
};

struct RunEndRecord {
  std::string mode;  // "norm", "isotopy" or "show"
  int64_t solutions = 0;
  int64_t cycles = 0;
  double bestBound = 0;
  bool possiblyFibered = true;
  bool stopConditionMet = false;
  bool cycleLimitReached = false;
  bool stopRequested = false;  // the run was asked to stop (limit, signal, button)
  bool failed = false;
  int64_t classes = 0;  // isotopy: the classes found
};

class RunEvents {
 public:
  virtual ~RunEvents() = default;

  virtual void Input(const InputRecord& /*input*/) {}
  virtual void RepresentationEvaluated(const RepresentationRecord& /*representation*/) {}
  virtual void ClassEvaluated(const ClassRecord& /*isotopyClass*/) {}
  virtual void ProductComputed(const ProductRecord& /*product*/) {}
  virtual void ListLineFinished(const ListLineRecord& /*line*/) {}
  virtual void Error(std::string_view /*message*/) {}
  virtual void RunEnded(const RunEndRecord& /*end*/) {}
};

// The events of a workbench that nobody records: a stateless object every such workbench shares.
RunEvents& NoRunEvents();

}  // namespace quarvel
