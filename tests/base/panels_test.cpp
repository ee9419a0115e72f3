#include "base/panels.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/headless_surface.h"

namespace quarvel {
namespace {

// A surface whose message pump runs a script: the n-th pump calls script(n, flags).
class ScriptedSurface : public HeadlessSurface {
 public:
  std::function<void(int, RunFlags&)> script;
  int pumps = 0;

  void ProcessMessages(RunFlags& flags) override {
    ++pumps;
    if (script) script(pumps, flags);
  }
};

TEST(WriteText, DrawsOnlyOnThePanelsOfTheOpenWindow) {
  HeadlessSurface surface;
  Panels panels(surface);
  WriteText(panels, 7, 7, 7, "norm seven");
  WriteText(panels, 8, 7, 7, "no such panel");
  WriteText(panels, 0, 7, 7, "no such panel either");
  panels.window = ComputationWindow::isotopy;
  WriteText(panels, 3, 7, 7, "isotopy three");
  WriteText(panels, 4, 7, 7, "not in the isotopy window");
  WriteIsotopyHeader(panels, 7, 7, "header");

  EXPECT_EQ(surface.PanelText(ComputationWindow::norm, 7), "norm seven");
  EXPECT_EQ(surface.PanelText(ComputationWindow::norm, 8), "");
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, 3), "isotopy three");
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, 4), "");
  EXPECT_EQ(surface.PanelText(ComputationWindow::norm, 4), "");
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, kIsotopyHeaderPanel), "header");
}

TEST(DrawMapsTo, AppearsOnlyWhereTheGlyphIsAvailable) {
  HeadlessSurface surface;
  Panels panels(surface);
  for (int panel = 1; panel <= 7; ++panel) DrawMapsTo(panels, panel, 7, 7);
  panels.window = ComputationWindow::isotopy;
  for (int panel = 1; panel <= 3; ++panel) DrawMapsTo(panels, panel, 7, 7);

  for (int panel = 1; panel <= 7; ++panel) {
    bool expected = panel == 3 || panel == 4 || panel == 7;
    EXPECT_EQ(surface.PanelText(ComputationWindow::norm, panel), expected ? "->" : "") << panel;
  }
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, 1), "->");
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, 2), "->");
  EXPECT_EQ(surface.PanelText(ComputationWindow::isotopy, 3), "");
}

TEST(ClearPanels, BlanksEveryLineOfEveryNormPanel) {
  HeadlessSurface surface;
  Panels panels(surface);
  // The last line each panel's clearing reaches: 100 lines on most panels, 20 on 2, 5 on 6.
  const int lastLine[] = {0, 799, 159, 799, 799, 799, 39, 799};
  for (int panel = 1; panel <= 7; ++panel) {
    WriteText(panels, panel, 7, 7, "top");
    WriteText(panels, panel, 300, lastLine[panel], "bottom");
  }
  ClearPanels(panels);
  EXPECT_EQ(surface.Snapshot(), "");
}

TEST(ClearPanels, LeavesWhatLiesBelowTheClearedLines) {
  HeadlessSurface surface;
  Panels panels(surface);
  WriteText(panels, 6, 7, 7 + 8 * 5 + 13, "below the five cleared lines of panel 6");
  ClearPanels(panels);
  EXPECT_EQ(surface.PanelText(ComputationWindow::norm, 6), "below the five cleared lines of panel 6");
}

TEST(KeepWindowAlive, ReturnsAfterOnePumpWhenNotPaused) {
  ScriptedSurface surface;
  Panels panels(surface);
  KeepWindowAlive(panels);
  EXPECT_EQ(surface.pumps, 1);
}

TEST(KeepWindowAlive, PauseTwiceLetsTheComputationGoOn) {
  ScriptedSurface surface;
  Panels panels(surface);
  surface.script = [](int pump, RunFlags& flags) {
    if (pump == 1 || pump == 4) flags.paused = !flags.paused;  // "Pause", later "Pause" again
  };
  KeepWindowAlive(panels);
  EXPECT_EQ(surface.pumps, 4);
  EXPECT_FALSE(panels.flags.paused);
  EXPECT_FALSE(panels.flags.stopRequested);
}

TEST(KeepWindowAlive, BackToTheMainMenuEndsAPauseAtOnce) {
  ScriptedSurface surface;
  Panels panels(surface);
  panels.flags.paused = true;
  surface.script = [](int pump, RunFlags& flags) {
    if (pump == 3) flags.stopRequested = true;
  };
  KeepWindowAlive(panels);
  EXPECT_EQ(surface.pumps, 3);
  EXPECT_TRUE(panels.flags.stopRequested);
}

TEST(KeepWindowAlive, HeadlessWaitForTheUserEndsAsIfTheWindowWasLeft) {
  HeadlessSurface surface;
  Panels panels(surface);
  panels.flags.paused = true;
  KeepWindowAlive(panels);
  EXPECT_TRUE(panels.flags.stopRequested);
  EXPECT_EQ(surface.MessagePumps(), 1);
}

TEST(BlankLine, IsFifteenHundredBlanks) {
  EXPECT_EQ(BlankLine(), std::string(1500, ' '));
}

}  // namespace
}  // namespace quarvel
