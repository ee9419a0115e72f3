#pragma once
// The two sections every norm-mode report is made of, in plain and LaTeX form, written to a file
// the caller holds open:
// - the run header: the presentation as built or read (before simplification), phi for a link or
//   manifold, and (unless headerOnly) the untwisted polynomials, the current bound and the run's
//   fibering conclusion;
// - the representation section: the current representation and (unless headerOnly) its twisted
//   Alexander polynomial, the Wada invariant, the bound and the verdict of this evaluation.
// The commentPrefix goes before every line of the presentation and of the representation's
// description; the matrix and GAP files pass headerOnly with their prefix, the results file and
// the LaTeX report pass neither (LaTeX lines never carry a prefix).

#include <string_view>

#include "reports/report_file.h"
#include "run/workbench.h"

namespace quarvel {

void WriteRunHeader(const Workbench& workbench, ReportFile& file, bool headerOnly,
                    std::string_view commentPrefix, bool latex);

void WriteRepresentationSection(const Workbench& workbench, ReportFile& file, bool headerOnly,
                                std::string_view commentPrefix, bool latex);

// The presentation part of the header, from "Presentation of" (LaTeX: the braid line) to the
// assignments of phi; the isotopy report opens with it too.
void WritePresentationLines(const Workbench& workbench, ReportFile& file, std::string_view commentPrefix,
                            bool latex);

}  // namespace quarvel
