#include "isotopy/isotopy_panel_reports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "homs/isotopy_group.h"
#include "reports/report_text.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::Bench;

struct PanelBench : Bench {
  PanelBench() {
    wb.panels.window = ComputationWindow::isotopy;
    wb.settings.isotopyGroup = "s4";
    wb.isotopyGroup = MakeIsotopyGroup("s4");
  }
  std::string Panel(int panel) {
    const std::string snapshot = surface.Snapshot();
    const std::string head = "--- isotopy panel " + std::to_string(panel) + " ---\n";
    const size_t from = snapshot.find(head);
    if (from == std::string::npos) return "";
    const size_t begin = from + head.size();
    return snapshot.substr(begin, snapshot.find("---", begin) - begin);
  }
};

TEST(ShowIsotopyRepresentation, WritesEachUsedGeneratorAndWrapsPast420) {
  PanelBench bench;
  Workbench& wb = bench.wb;
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  Assignment homomorphism{};
  for (int32_t g = 1; g <= 12; ++g) {
    wb.presentation.generatorUsed[g] = true;  // 4 * 12 = 48: the roomy layout
    homomorphism[g] = 2;                      // "1243"
  }
  wb.isotopy.linePosition = 37;
  ShowIsotopyRepresentation(wb, homomorphism);
  const std::string calls = transcript.str();
  EXPECT_NE(calls.find("P2\t7\t37\ta\nA2\t18\t37\nP2\t31\t37\t(1243)\n"), std::string::npos) << calls;
  EXPECT_NE(calls.find("P2\t82\t37\tb\n"), std::string::npos);  // x advances by 35 + 10k
  // Six entries reach x = 382, the seventh 457 > 420: the line advances by 13.
  EXPECT_NE(calls.find("P2\t7\t50\tg\n"), std::string::npos);
  EXPECT_EQ(wb.isotopy.linePosition, 50 + 15);
}

TEST(ShowIsotopyRepresentation, UsesTheCompactLayoutBeyondFiftyPoints) {
  PanelBench bench;
  Workbench& wb = bench.wb;
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  Assignment homomorphism{};
  for (int32_t g = 1; g <= 13; ++g) wb.presentation.generatorUsed[g] = true, homomorphism[g] = 1;
  wb.isotopy.linePosition = 37;
  ShowIsotopyRepresentation(wb, homomorphism);
  EXPECT_NE(transcript.str().find("P2\t7\t37\ta\nA2\t16\t37\nP2\t25\t37\t(1234)\nP2\t58\t37\tb\n"),
            std::string::npos)
      << transcript.str();
}

TEST(EnumerationPanels, ShowsTheShareCheckedAndTheCountOfClasses) {
  PanelBench bench;
  std::ostringstream transcript;
  bench.surface.RecordTranscript(transcript);
  EnumerationPanels panels(bench.wb);
  panels.Started();
  panels.Checked(50, 1);
  EXPECT_EQ(bench.wb.homomorphisms.checkedPercent, 50);
  panels.Checked(50, 1);
  panels.Checked(75, 2);
  panels.Finished();
  const std::string count =
      "Number of non-abelian homomorphisms pi -> S_4 up to conjugation by element in S_4: ";
  // The transcript drops trailing blanks.
  EXPECT_EQ(transcript.str(),
            "P1\t7\t67\tChecked 0% of all potential homomorphisms\n"
            "P1\t7\t67\tChecked 50% of all potential homomorphisms\n"
            "P2\t7\t7\t" +
                count +
                "1\n"
                "P1\t7\t67\tChecked 50% of all potential homomorphisms\n"
                "P2\t7\t7\t" +
                count +
                "1\n"
                "P1\t7\t67\tChecked 75% of all potential homomorphisms\n"
                "P2\t7\t7\t" +
                count +
                "2\n"
                "P1\t7\t67\tChecked 100% of all potential homomorphisms\n");
}

TEST(EnumerationPanels, CountsAllHomomorphismsIntoAnAlternatingGroup) {
  PanelBench bench;
  bench.wb.isotopyGroup = MakeIsotopyGroup("a5");
  bench.wb.settings.allHomomorphisms = true;
  EnumerationPanels(bench.wb).Checked(100, 7);
  EXPECT_NE(bench.Panel(2).find("Number of homomorphisms pi -> A_5 up to conjugation by element in S_5: 7"),
            std::string::npos)
      << bench.Panel(2);
}

TEST(ShowClassPolynomial, PushesTheNextClassBelowALongPolynomial) {
  PanelBench bench;
  Workbench& wb = bench.wb;
  wb.isotopy.linePosition = 52;  // the representation took one line from 37
  std::string text = " 1";
  for (int i = 1; i <= 40; ++i) text += "+" + std::to_string(i) + "t^" + std::to_string(i);
  ShowClassPolynomial(wb, 37, text);
  const size_t pieces = CutBeforeSigns(text, 89).size();
  ASSERT_GT(pieces, 2u);
  EXPECT_EQ(wb.isotopy.linePosition, 37 + 13 * static_cast<int32_t>(pieces - 1) + 15);
}

TEST(ShowProduct, WithoutClassesTheProductIsOne) {
  PanelBench bench;
  ShowProduct(bench.wb, 0);
  EXPECT_EQ(bench.wb.isotopy.productText.plain, "1");
  EXPECT_EQ(bench.wb.isotopy.productText.latex, "1");
  EXPECT_EQ(
      bench.Panel(3),
      "There exist no such representations! Hence the Product of the twisted Alexander polynomials equals "
      "1.\n");
}

TEST(ShowProduct, ALongProductShowsItsLowestAndHighestTermsBelowTheWholeProduct) {
  PanelBench bench;
  Workbench& wb = bench.wb;
  for (int e = 0; e <= 400; ++e)
    PolySetCoefficient(wb.isotopy.productPolynomial, e, static_cast<Residue>(1 + e % 5));
  ShowProduct(wb, 3);
  const std::string& text = wb.isotopy.productText.plain;
  EXPECT_EQ(text.substr(0, 10), " 1+2t+3t^2");
  EXPECT_NE(wb.isotopy.productText.latex.find("t^{400}"), std::string::npos);
  std::string panel = bench.Panel(3);
  ASSERT_TRUE(panel.ends_with("\n"));
  panel.pop_back();
  const size_t lastLine = panel.rfind('\n') + 1;
  const std::string summary = panel.substr(lastLine);
  EXPECT_EQ(summary.rfind("Lowest and highest terms:  1+2t+3t^2", 0), 0u) << panel;
  EXPECT_TRUE(summary.ends_with("+4t^398+5t^399+t^400")) << summary;
  // The head ends with a sign; the tail begins with one.
  const size_t dots = summary.find("....");
  ASSERT_NE(dots, std::string::npos);
  EXPECT_TRUE(summary[dots - 1] == '+' || summary[dots - 1] == '-');
  EXPECT_TRUE(summary[dots + 4] == '+' || summary[dots + 4] == '-');
  // Above it every piece of the product, nothing drawn over any of them.
  std::string product = panel.substr(0, lastLine);
  const std::string heading = "The product of the twisted Alexander polynomial equals: ";
  const size_t pieces = CutBeforeSigns(heading + text, 169).size();
  ASSERT_GE(pieces, 6u);
  EXPECT_EQ(static_cast<size_t>(std::count(product.begin(), product.end(), '\n')), pieces);
  std::erase(product, '\n');
  EXPECT_EQ(product, heading + text);
}

TEST(ShowProduct, AShortProductHasNoSummary) {
  PanelBench bench;
  Workbench& wb = bench.wb;
  for (int e = 0; e <= 20; ++e) PolySetCoefficient(wb.isotopy.productPolynomial, e, 1);
  ShowProduct(wb, 2);
  const std::string panel = bench.Panel(3);
  EXPECT_EQ(panel.find("Lowest"), std::string::npos);
  EXPECT_EQ(panel.rfind("The product of the twisted Alexander polynomial equals:  1+t+t^2", 0), 0u) << panel;
}

TEST(ShowUntwistedOnly, NamesTheAlexanderPolynomial) {
  PanelBench bench;
  bench.wb.isotopy.untwistedPolynomialText.plain = " 1+12t+t^2";
  ShowUntwistedOnly(bench.wb);
  EXPECT_EQ(bench.Panel(3), "The Alexander polynomial equals:  1+12t+t^2\n");
}

}  // namespace
}  // namespace quarvel
