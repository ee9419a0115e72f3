#include "reports/isotopy_report.h"

#include <string>
#include <vector>

#include "reports/report_file.h"
#include "reports/report_sections.h"
#include "reports/report_text.h"

namespace quarvel {
namespace {

constexpr size_t kSeparatorLength = 50;
constexpr size_t kClassSeparatorLength = 30;
constexpr size_t kPlainCut = 101;
constexpr size_t kLatexCut = 71;
constexpr size_t kMapsPerRow = 4;

struct Context {
  const Workbench& wb;
  ReportFile& file;
  bool latex;
  std::string k;      // degree of the group
  std::string group;  // "S_k" or "A_k"
  std::string prime;
  std::string torsion;  // TorsionWord of the run
};

std::string Separator(bool latex) {
  return (latex ? "%" : "") + std::string(kSeparatorLength, '=');
}

void WritePolynomial(const Context& c, const PolynomialTexts& texts) {
  if (!c.latex) {
    for (const std::string& piece : CutBeforeSigns(texts.plain, kPlainCut)) c.file.Line(piece);
    return;
  }
  c.file.Line("\\[ \\begin{array}{l}");
  for (const std::string& piece : CutBeforeSigns(texts.latex, kLatexCut)) c.file.Line(piece + "\\\\");
  c.file.Line("\\end{array} \\]");
}

void WriteProduct(const Context& c) {
  const Presentation& p = c.wb.presentation;
  if (c.latex) {
    c.file.Line("The product of the twisted " + c.torsion +
                "Alexander polynomials for all equivalence classes of representations of the form");
    c.file.Line("\\[ \\pi_1(" + p.spaceNameLatex + ") \\to S_" + c.k + " \\to \\mbox{GL}(\\Bbb{F}_{" +
                c.prime + "}," + c.k + ")\\]");
    c.file.Line("equals");
  } else {
    c.file.Line("Product of twisted " + c.torsion + "Alexander polynomials for pi_1(" + p.spaceName +
                ") -> S_" + c.k + " -> GL(F_" + c.prime + "," + c.k + ")");
  }
  WritePolynomial(c, c.wb.isotopy.productText);
  if (c.latex)
    c.file.Line("(Note that the equivalence class is up to conjugation by elements in $S_" + c.k + "$.)\\\\");
}

// "non-abelian " when only the non-abelian homomorphisms were counted, else nothing.
std::string CountedKind(const Context& c) {
  if (c.wb.settings.allHomomorphisms) return "";
  return c.latex ? "non--abelian " : "non-abelian ";
}

void WriteClassCount(const Context& c, size_t classCount) {
  const Presentation& p = c.wb.presentation;
  const std::string n = std::to_string(classCount);
  if (c.latex) {
    c.file.Line("There are " + n + " equivalence classes of " + CountedKind(c) + "homomorphisms $\\pi_1(" +
                p.spaceNameLatex + ") \\to " + c.group + "$.\\\\");
    c.file.Line("The equivalence classes of representations $\\pi_1(" + p.spaceNameLatex + ") \\to " +
                c.group + " \\to \\mbox{GL}(\\Bbb{F}_{" + c.prime + "}," + c.k + ")$");
    c.file.Line("are the following.\\\\");
  } else {
    c.file.Line("There are " + n + " equivalence classes of " + CountedKind(c) + "homomorphisms pi_1(" +
                p.spaceName + ") -> " + c.group + ".");
    c.file.Line("Equivalence classes of representations pi_1(" + p.spaceName + ") -> " + c.group +
                " -> GL(F_" + c.prime + "," + c.k + ")");
  }
}

std::string ElementText(const Workbench& wb, int32_t index) {
  const std::vector<std::string>& texts = wb.isotopyGroup.texts;
  return index >= 1 && static_cast<size_t>(index) < texts.size() ? texts[index] : std::string();
}

void WriteClass(const Context& c, size_t h) {
  const Workbench& wb = c.wb;
  const Assignment& row = wb.homomorphisms.rows[h - 1];
  if (h > 1) c.file.Line(Separator(c.latex).substr(0, kClassSeparatorLength));
  c.file.Line("Equivalence class " + std::to_string(h));
  if (c.latex) {
    c.file.Line(" is represented by the following representation.");
    if (h == 1) c.file.Line("(Note that the elements in $S_" + c.k + "$ are written in permutation form.)");
    c.file.Line("\\[ \\begin{array}{rclrclrclrcl}");
    std::vector<std::string> maps;
    for (int g = 1; g <= kMaxGenerators; ++g) {
      if (wb.presentation.generatorUsed[g])
        maps.push_back("&" + LetterText(g) + " &\\mapsto& (" + ElementText(wb, row[g]) + ")");
    }
    WriteArrayRows(c.file, maps, kMapsPerRow, true);
    c.file.Line("\\end{array} \\]");
    c.file.Line("The corresponding twisted " + c.torsion + "Alexander polynomial equals");
  } else {
    c.file.Line("(Elements in S_" + c.k + " are written in permutation form)");
    for (int g = 1; g <= kMaxGenerators; ++g) {
      if (wb.presentation.generatorUsed[g]) c.file.Line(LetterText(g) + " -> " + ElementText(wb, row[g]));
    }
    c.file.Line("Corresponding twisted " + c.torsion + "Alexander polynomial");
  }
  const std::vector<PolynomialTexts>& texts = wb.isotopy.classTexts;
  WritePolynomial(c, h <= texts.size() ? texts[h - 1] : PolynomialTexts{});
}

}  // namespace

void WriteIsotopyReport(Workbench& wb, bool latex) {
  const std::string& name = wb.settings.isotopyGroup;
  const bool alternating = !name.empty() && name[0] == 'a';
  const std::string k = name.size() > 1 ? name.substr(1) : std::to_string(wb.current.degreeK);
  ReportFile file(ReportPath(wb.settings, latex ? kLatexReportName : kResultsFileName));
  Context c{wb,
            file,
            latex,
            k,
            (alternating ? "A_" : "S_") + k,
            std::to_string(wb.settings.currentPrime),
            std::string(TorsionWord(wb.settings.torsionProduct))};

  if (latex) {
    file.Line("\\documentclass[12pt]{amsart}");
    file.Line("\\begin{document}");
  }
  WritePresentationLines(wb, file, "", latex);
  file.Line(Separator(latex));
  if (latex) {
    file.Line("The untwisted Alexander polynomial equals");
    file.Line("\\[ " + wb.isotopy.untwistedPolynomialText.latex + ".\\]");
  } else {
    file.Line("Untwisted Alexander polynomial");
    file.Line(wb.isotopy.untwistedPolynomialText.plain);
  }
  file.Line(Separator(latex));
  WriteProduct(c);
  file.Line(Separator(latex));
  const size_t classCount = wb.homomorphisms.rows.size();
  WriteClassCount(c, classCount);
  for (size_t h = 1; h <= classCount; ++h) WriteClass(c, h);
  if (latex) file.Line("\\end{document}");
  file.Close(wb.failure);
}

}  // namespace quarvel
