#pragma once
// The records of run_events.h, taken from the workbench at the moment a driver reports them.

#include <cstdint>
#include <string>
#include <vector>

#include "homs/enumerate_homomorphisms.h"
#include "poly/polynomial.h"
#include "run/run_events.h"
#include "run/workbench.h"

namespace quarvel {

PolynomialRecord PolynomialRecordOf(const Polynomial& polynomial, int32_t prime);

// The generators `generators` (numbers) with phi, and relators 1..relatorCount.
PresentationRecord PresentationRecordOf(const Presentation& presentation,
                                        const std::vector<int32_t>& generators);

// The generators that occur in the relators, for a presentation not yet simplified.
std::vector<int32_t> OccurringGeneratorNumbers(const Presentation& presentation);

// The input and the simplified presentation, once the simplification has listed the survivors;
// `given` is the presentation before it.
InputRecord InputRecordOf(const Workbench& workbench, PresentationRecord given);

// The evaluation that has just ended, with the verdict lines it showed.
RepresentationRecord RepresentationRecordOf(const Workbench& workbench, std::vector<std::string> verdicts);

// The isotopy class just evaluated: its homomorphism and twisted polynomial.
ClassRecord ClassRecordOf(const Workbench& workbench, const Assignment& homomorphism);

// The knot's untwisted polynomial and, unless the group is "s1", the product of its classes.
ProductRecord ProductRecordOf(const Workbench& workbench);

RunEndRecord RunEndRecordOf(const Workbench& workbench, std::string mode);

}  // namespace quarvel
