#include "reports/report_sections.h"

#include <algorithm>
#include <string>
#include <vector>

#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr size_t kPolynomialLineWidth = 80;
constexpr size_t kPendingAssignmentWidth = 70;
constexpr size_t kRelatorsPerRow = 5;
constexpr size_t kMapsPerRow = 4;

std::string Number(int64_t value) {
  return std::to_string(value);
}

// 0 knot complement, 1 link complement, 2 any other manifold.
int SpaceKind(const Workbench& wb) {
  return std::min(OptionCode(wb.current.groupType), 2);
}

// The fibering verdict; the plain section writes it without the final period.
std::string NotFiberedText(const Workbench& wb, bool latex) {
  static constexpr const char* kPlain[] = {"The knot is not fibered.",
                                           "The link complement does not fiber over phi:pi_1(M) -> Z.",
                                           "The Manifold does not fiber over phi:pi_1(M) -> Z."};
  static constexpr const char* kLatex[] = {
      "The knot is not fibered.", "The link complement does not fiber over $\\phi:\\pi_1(M) \\to \\Bbb{Z}$.",
      "The Manifold does not fiber over $\\phi:\\pi_1(M) \\to \\Bbb{Z}$."};
  return (latex ? kLatex : kPlain)[SpaceKind(wb)];
}

std::string BoundLine(const Workbench& wb, const char* knotName, const char* phiName, const char* ending) {
  std::string subject = wb.current.groupType == GroupType::knot
                            ? std::string("genus of ") + knotName
                            : std::string("the Thurston norm of ") + phiName;
  return "Lower bound for " + subject + ": " + wb.evaluation.boundText + ending;
}

void WritePhiAssignments(const Workbench& wb, ReportFile& file, std::string_view prefix, bool latex) {
  const Presentation& p = wb.presentation;
  if (latex) {
    file.Line("The homomorphism $\\phi$ is given by");
    file.Line("\\[ \\begin{array}{rcl}");
    for (int g = 1; g <= kMaxGenerators; ++g) {
      if (p.generatorUsed[g]) file.Line(LetterText(g) + " &\\mapsto&" + Number(p.phi[g]) + "\\\\   ");
    }
    file.Line("\\end{array} \\]");
    return;
  }
  file.Line(prefix, "The homomorphism phi is given by");
  std::string pending;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (!p.generatorUsed[g]) continue;
    pending += LetterText(g) + " -> " + Number(p.phi[g]) + "   ";
    if (pending.size() > kPendingAssignmentWidth) {
      file.Line(prefix, pending);
      pending.clear();
    }
  }
  if (!pending.empty()) file.Line(prefix, pending);
}

// The polynomial texts of this evaluation: each selected field's when fields are compared.
std::vector<std::string> TwistedTexts(const Workbench& wb, bool latex) {
  const EvaluationState& e = wb.evaluation;
  std::vector<const PolynomialTexts*> texts;
  if (wb.settings.compareFields) {
    for (int f = 1; f <= kSelectableFields; ++f) {
      if (wb.settings.fieldSelected[f]) texts.push_back(&e.fieldPolynomialTexts[f]);
    }
  } else {
    texts.push_back(&e.twistedPolynomialText);
  }
  std::vector<std::string> lines;
  for (const PolynomialTexts* t : texts) {
    for (std::string& line : CutBeforeSigns(latex ? t->latex : t->plain, kPolynomialLineWidth))
      lines.push_back(std::move(line));
  }
  return lines;
}

// The degree of the symmetric group whose permutations the section shows.
int64_t ShownSymmetricDegree(const Workbench& wb) {
  const RunSettings& s = wb.settings;
  if (s.permutationGroupOnly) return wb.image.degree;
  if (s.reducedPermutationRep) return wb.current.degreeK + 1;  // V has dimension k
  return wb.current.degreeK;
}

std::string PermutationText(const Workbench& wb, int g, int64_t n) {
  std::string text;
  for (int64_t i = 1; i <= n && i <= kMaxDegree; ++i)
    text += Number(wb.representation.generators[g].image[i]);
  return text;
}

std::string MetabelianImage(const Workbench& wb, int g) {
  int32_t l = std::max(wb.representation.metabelianL, 1);
  int32_t v = wb.representation.generators[g].metabelianElement - 1;
  return "(" + Number(v / l) + "," + Number(v % l) + ")";
}

std::string ZerothDegreeRelation(const Workbench& wb) {
  return (wb.twisted.deg0 == wb.twisted.deg2 ? "=" : "<=") + Number(wb.twisted.deg0);
}

void WritePermutationPlain(const Workbench& wb, ReportFile& file, std::string_view prefix) {
  const RunSettings& s = wb.settings;
  const Presentation& p = wb.presentation;
  const int64_t degree = ShownSymmetricDegree(wb);
  const std::string n = Number(degree);
  const std::string into = "Representation pi_1(" + p.spaceName + ") -> S_" + n;
  if (s.permutationGroupOnly) {
    file.Line(prefix, into + " -> Aut(Z[S_" + n + "])");
  } else if (s.reducedPermutationRep) {
    file.Line(prefix, into + " -> GL(V)");
    file.Line(prefix, "where S_" + n + " acts on V = { (v_1,...,v_" + n + ") | v_1+...+v_" + n +
                          "=0 } by permuting the coordinates.");
    file.Line(prefix, "Note that V is a vector space of dimension " + Number(wb.current.degreeK) + ".");
  } else {
    file.Line(prefix, into + " -> GL(Z," + n + ")");
  }
  file.Line(prefix, "(Elements in S_" + n + " are written in permutation form)");
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) file.Line(prefix, LetterText(g) + " -> " + PermutationText(wb, g, degree));
  }
  if (s.permutationGroupOnly) {
    file.Line(prefix, "Subgroup of S_" + Number(wb.image.degree) + " of order " + Number(wb.image.count));
    file.Line(prefix, "n(phi,alpha)=" + Number(wb.image.phiDivisor));
  } else {
    file.Line(prefix, "For this representation deg(Delta_0^a(t))" + ZerothDegreeRelation(wb));
  }
}

void WritePermutationLatex(const Workbench& wb, ReportFile& file) {
  const RunSettings& s = wb.settings;
  const Presentation& p = wb.presentation;
  const int64_t degree = ShownSymmetricDegree(wb);
  const std::string n = Number(degree);
  const std::string into = "Representation $\\pi_1(" + p.spaceNameLatex + ") \\to S_" + n;
  if (s.permutationGroupOnly) {
    file.Line(into + " \\to \\mbox{Aut}(\\Bbb{Z}[S_" + n + "])$");
  } else if (s.reducedPermutationRep) {
    file.Line(into + " \\to \\mbox{GL}(V)$");
    file.Line("where $S_" + n + "$ acts on $V = \\{ (v_1,...,v_" + n + ") | v_1+...+v_" + n +
              "=0 \\}$ by permuting the coordinates.");
    file.Line("Note that $V$ is a vector space of dimension " + Number(wb.current.degreeK) + ".");
  } else {
    file.Line(into + " \\to \\mbox{GL}(\\Bbb{Z}," + n + ")$");
  }
  file.Line("The representation is given as follows,");
  file.Line("note that the elements in $S_" + n + "$ are written in permutation form.");
  file.Line("\\[ \\begin{array}{rclrclrclrcl}");
  std::vector<std::string> maps;
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g])
      maps.push_back("&" + LetterText(g) + " &\\mapsto& (" + PermutationText(wb, g, degree) + ")");
  }
  WriteArrayRows(file, maps, kMapsPerRow, true);
  file.Line("\\end{array} \\]");
  if (s.permutationGroupOnly) {
    file.Line("Subgroup of $S_" + Number(wb.image.degree) + "$ of order " + Number(wb.image.count) +
              " and $n(\\phi,\\alpha)=" + Number(wb.image.phiDivisor) + "$.");
  } else {
    file.Line("For this representation $\\mbox{deg}(\\Delta_0^\\alpha(t))" + ZerothDegreeRelation(wb) + "$.");
  }
}

void WriteMetabelian(const Workbench& wb, ReportFile& file, std::string_view prefix, bool latex) {
  const Representation& r = wb.representation;
  const Presentation& p = wb.presentation;
  const std::string m = Number(r.metabelianN);
  const std::string l = Number(r.metabelianL);
  const std::string z = Number(r.metabelianZ);
  if (latex) {
    std::string into =
        "Representation $\\pi_1(" + p.spaceNameLatex + ") \\to \\Bbb{Z}/" + m + " \\ltimes \\Bbb{Z}/" + l;
    std::string acts = "$ acts on $\\Bbb{Z}/" + l + "$ by multiplication by " + z + ".";
    if (wb.settings.metabelianRep) {
      file.Line(into + "$ where $1 \\in \\Bbb{Z}/" + m + acts);
    } else {
      file.Line(into + " \\to \\mbox{GL}(\\Bbb{F}," + l + ")$ where $1\\in \\Bbb{Z}/" + m + acts);
    }
    file.Line("\\[ \\begin{array}{rcl}");
    for (int g = 1; g <= kMaxGenerators; ++g) {
      if (p.generatorUsed[g]) file.Line(LetterText(g) + "&\\mapsto& " + MetabelianImage(wb, g) + " \\\\");
    }
    file.Line("\\end{array} \\]");
    return;
  }
  std::string into = "Representation pi_1(" + p.spaceName + ") -> Z/" + m + " x Z/" + l;
  std::string acts = " where 1 in Z/" + m + " acts on Z/" + l + " by multiplication by " + z;
  file.Line(prefix, wb.settings.metabelianRep ? into + acts : into + " -> GL(F," + l + ")" + acts);
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) file.Line(prefix, LetterText(g) + " -> " + MetabelianImage(wb, g));
  }
}

void WriteAbelian(const Workbench& wb, ReportFile& file, std::string_view prefix, bool latex) {
  const Presentation& p = wb.presentation;
  const std::string prime = Number(wb.field.currentPrime);
  auto scalar = [&wb](int g) { return "(" + Number(wb.representation.generators[g].abelianScalar) + ")"; };
  if (latex) {
    file.Line("Representation $\\pi_1(" + p.spaceNameLatex + ") \\to  (\\Bbb{F}_" + prime + ")^*$:");
    file.Line("\\[ \\begin{array}{rcl}");
    for (int g = 1; g <= kMaxGenerators; ++g) {
      if (p.generatorUsed[g]) file.Line(LetterText(g) + "&\\mapsto& " + scalar(g) + " \\\\");
    }
    file.Line("\\end{array} \\]");
    return;
  }
  file.Line(prefix, "Representation pi_1(" + p.spaceName + ") ->  (F_" + prime + ")*");
  for (int g = 1; g <= kMaxGenerators; ++g) {
    if (p.generatorUsed[g]) file.Line(prefix, LetterText(g) + " -> " + scalar(g));
  }
}

void WriteTwistedResultPlain(const Workbench& wb, ReportFile& file) {
  const EvaluationState& e = wb.evaluation;
  file.Line("The twisted Alexander polynomial equals");
  for (const std::string& line : TwistedTexts(wb, false)) file.Line(line);
  if (!e.wadaText.empty()) {
    file.Line("The Wada-invariant is given by:");
    file.Line(e.wadaText + " in Q(t)");
  }
  file.Line(BoundLine(wb, "K", "phi", "  "));
  if (e.showsNotFibered) {
    std::string verdict = NotFiberedText(wb, false);
    verdict.pop_back();  // no final period inside the section
    file.Line(verdict);
  }
}

void WriteTwistedResultLatex(const Workbench& wb, ReportFile& file) {
  const EvaluationState& e = wb.evaluation;
  const bool compare = wb.settings.compareFields;
  file.Line("The twisted Alexander polynomial equals");
  file.Line(compare ? "\\[ \\begin{array}{l}" : "\\[");
  for (const std::string& line : TwistedTexts(wb, true)) file.Line(compare ? line + "\\\\" : line);
  file.Line(compare ? "\\end{array} \\]" : " \\]");
  if (!e.wadaText.empty()) {
    file.Line("The Wada-invariant is given by:");
    file.Line("\\[ " + e.wadaText + " \\in \\Bbb{Q}(t). \\]");
  }
  file.Line(BoundLine(wb, "$K$", "$\\phi$", ".  "));
  if (e.showsNotFibered) file.Line(NotFiberedText(wb, true));
}

}  // namespace

void WritePresentationLines(const Workbench& wb, ReportFile& file, std::string_view prefix, bool latex) {
  const Presentation& p = wb.presentation;
  if (latex) {
    if (!p.braidText.empty()) file.Line("\\noindent {\\bf{" + LatexDiagram(p.braidText) + ".}} \\\\");
    file.Line("\\noindent Presentation of $\\pi_1(" + p.spaceNameLatex + ")$:");
    file.Line("The generators are $" + UsedGeneratorLetters(p, ", ") + "$.");
    file.Line("The relators are as follows:");
    file.Line("\\[ \\begin{array}{lllllllll}");
    std::vector<std::string> relators;
    for (int32_t r = 1; r <= p.inputRelatorCount && r <= kMaxRelators; ++r)
      relators.push_back("&" + WordToText(p.inputRelators[r], true) + ",");
    WriteArrayRows(file, relators, kRelatorsPerRow, false);
    file.Line("\\end{array} \\]");
  } else {
    file.Line(prefix, "Presentation of pi_1(" + p.spaceName + "):");
    file.Line(prefix, "The generators are " + UsedGeneratorLetters(p, ", "));
    file.Line(prefix, "The relators are as follows:");
    for (int32_t r = 1; r <= p.inputRelatorCount && r <= kMaxRelators; ++r)
      file.Line(prefix, WordToText(p.inputRelators[r], false));
  }
  if (wb.current.groupType != GroupType::knot) WritePhiAssignments(wb, file, prefix, latex);
}

void WriteRunHeader(const Workbench& wb, ReportFile& file, bool headerOnly, std::string_view prefix,
                    bool latex) {
  const EvaluationState& e = wb.evaluation;
  if (latex) {
    file.Line("\\documentclass[12pt]{amsart}");
    file.Line("\\usepackage{amssymb}");
    file.Line("\\begin{document}");
  }
  WritePresentationLines(wb, file, prefix, latex);
  if (headerOnly) return;
  file.Line("Untwisted Alexander polynomial:");
  if (latex) {
    file.Line("\\[ " + e.untwistedPolynomialText.latex + ".\\]");
    if (!e.integerAlexanderText.empty())
      file.Line("\\[ " + e.integerAlexanderText + " \\in \\Bbb{Z}[t,t^-1].\\]");
    file.Line(BoundLine(wb, "knot $K$", "$\\phi$", ".  "));
  } else {
    file.Line(e.untwistedPolynomialText.plain);
    if (!e.integerAlexanderText.empty()) file.Line(e.integerAlexanderText + " in Z[t,t^-1]");
    file.Line(BoundLine(wb, "K", "phi", ".  "));
  }
  if (!e.possiblyFibered) file.Line(NotFiberedText(wb, latex));
}

void WriteRepresentationSection(const Workbench& wb, ReportFile& file, bool headerOnly,
                                std::string_view prefix, bool latex) {
  switch (wb.settings.repFamily) {
    case RepFamily::metabelian:
      WriteMetabelian(wb, file, prefix, latex);
      break;
    case RepFamily::abelian:
      WriteAbelian(wb, file, prefix, latex);
      break;
    default:
      if (latex) {
        WritePermutationLatex(wb, file);
      } else {
        WritePermutationPlain(wb, file, prefix);
      }
  }
  if (headerOnly) return;
  if (latex) {
    WriteTwistedResultLatex(wb, file);
  } else {
    WriteTwistedResultPlain(wb, file);
  }
}

}  // namespace quarvel
