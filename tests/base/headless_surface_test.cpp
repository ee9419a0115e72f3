#include "base/headless_surface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarvel {
namespace {

constexpr auto kNorm = ComputationWindow::norm;

TEST(HeadlessSurface, TextErasesTheCharactersItCovers) {
  HeadlessSurface s;
  s.DrawText(kNorm, 3, 7, 7, "first");        // [7, 32) x [7, 12)
  s.DrawText(kNorm, 3, 100, 7, "far right");  // untouched
  s.DrawText(kNorm, 3, 31, 11, "x");          // overlaps the last character of "first" by one pixel
  EXPECT_EQ(s.PanelLines(kNorm, 3), (std::vector<std::string>{"firs far right", "x"}));
  s.DrawText(kNorm, 3, 12, 7, "  ");  // [12, 22): "i" and "r" go, "f" and "s" stay apart
  EXPECT_EQ(s.PanelLines(kNorm, 3), (std::vector<std::string>{"f s far right", "x"}));
}

TEST(HeadlessSurface, ItemsThatOnlyMeetDoNotOverlap) {
  HeadlessSurface s;
  s.DrawText(kNorm, 3, 7, 7, "ab");     // [7, 17)
  s.DrawText(kNorm, 3, 17, 7, "cd");    // starts where "ab" ends
  s.DrawText(kNorm, 3, 7, 12, "next");  // starts where the first line's band ends
  EXPECT_EQ(s.PanelLines(kNorm, 3), (std::vector<std::string>{"ab cd", "next"}));
}

TEST(HeadlessSurface, SubscriptKeepsItsLine) {
  HeadlessSurface s;
  s.DrawText(kNorm, 1, 7, 7, "Permutation group: S");  // [7, 107)
  s.DrawText(kNorm, 1, 106, 13, "5");                  // the subscript, six pixels lower
  EXPECT_EQ(s.PanelLines(kNorm, 1), (std::vector<std::string>{"Permutation group: S", "5"}));
}

TEST(HeadlessSurface, BlanksEraseAndAreNotKept) {
  HeadlessSurface s;
  s.DrawText(kNorm, 2, 50, 7, "progress");
  s.DrawText(kNorm, 2, 7, 7, std::string(8, ' '));  // reaches x = 47: "progress" stays
  EXPECT_EQ(s.PanelText(kNorm, 2), "progress");
  s.DrawText(kNorm, 2, 7, 7, std::string(9, ' '));  // reaches x = 52: the "p" goes
  EXPECT_EQ(s.PanelText(kNorm, 2), "rogress");
  s.DrawText(kNorm, 2, 7, 7, std::string(17, ' '));  // reaches x = 92: all of it goes
  EXPECT_EQ(s.PanelText(kNorm, 2), "");
}

TEST(HeadlessSurface, BlankLinesEightPixelsApartEraseEveryLine) {
  // Blank lines at y = 7, 15, 23, ... reach text at any height from y = 3 (its band meets 7) on.
  for (int y = 0; y < 60; ++y) {
    HeadlessSurface s;
    s.DrawText(kNorm, 3, 7, y, "text");
    for (int blank = 7; blank < 70; blank += 8) s.DrawText(kNorm, 3, 7, blank, "    ");
    EXPECT_EQ(s.PanelText(kNorm, 3), y < 3 ? "text" : "") << y;
  }
}

TEST(HeadlessSurface, KeptTextLosesOuterBlanksButErasesWithThem) {
  HeadlessSurface s;
  s.DrawText(kNorm, 1, 330, 7, "       ERROR: bad          ");  // kept at [365, 415)
  EXPECT_EQ(s.PanelText(kNorm, 1), "ERROR: bad");
  s.DrawText(kNorm, 1, 420, 7, "z");  // lands in the trailing blanks: the message stays
  EXPECT_EQ(s.PanelText(kNorm, 1), "ERROR: bad z");
  s.DrawText(kNorm, 1, 300, 7, "         ");  // [300, 345) reaches only the leading blanks
  EXPECT_EQ(s.PanelText(kNorm, 1), "ERROR: bad z");
}

TEST(HeadlessSurface, MapsToGlyphIsNinePixelsWide) {
  HeadlessSurface s;
  s.DrawText(kNorm, 7, 7, 157, "a");
  s.DrawMapsTo(kNorm, 7, 18, 157);
  s.DrawText(kNorm, 7, 29, 157, "1");
  s.DrawText(kNorm, 7, 41, 157, "b");  // [41, 46)
  s.DrawMapsTo(kNorm, 7, 46, 157);     // [46, 55) meets "b" without overlapping
  EXPECT_EQ(s.PanelText(kNorm, 7), "a -> 1 b ->");
  s.DrawMapsTo(kNorm, 7, 45, 157);  // now it overlaps "b" and the glyph at 46
  EXPECT_EQ(s.PanelText(kNorm, 7), "a -> 1 ->");
}

TEST(HeadlessSurface, SnapshotListsNonEmptyPanelsInOrderWithHeadings) {
  HeadlessSurface s;
  s.DrawText(kNorm, 7, 7, 22, "second line");
  s.DrawText(kNorm, 7, 7, 7, "first line");
  s.DrawText(kNorm, 5, 7, 7, "caption");
  s.DrawText(ComputationWindow::isotopy, 1, 7, 7, "isotopy");
  s.DrawText(ComputationWindow::isotopy, kIsotopyHeaderPanel, 7, 7, "header");
  s.DrawText(kNorm, 2, 7, 7, "   ");
  EXPECT_EQ(s.Snapshot(),
            "--- panel 5 ---\ncaption\n"
            "--- panel 7 ---\nfirst line\nsecond line\n"
            "--- isotopy header ---\nheader\n"
            "--- isotopy panel 1 ---\nisotopy\n");
}

TEST(HeadlessSurface, TranscriptRecordsEveryCallWithoutTrailingBlanks) {
  HeadlessSurface s;
  std::ostringstream transcript;
  s.RecordTranscript(transcript);
  s.DrawText(kNorm, 5, 7, 7, "Knot is closure of the braid {1,1,1}");
  s.DrawMapsTo(kNorm, 7, 18, 157);
  s.DrawText(kNorm, 2, 7, 7, std::string(20, ' '));
  s.DrawText(kNorm, 1, 330, 7, "  ERROR: x  ");
  EXPECT_EQ(transcript.str(),
            "P5\t7\t7\tKnot is closure of the braid {1,1,1}\n"
            "A7\t18\t157\n"
            "P2\t7\t7\t\n"
            "P1\t330\t7\t  ERROR: x\n");
}

TEST(HeadlessSurface, PausedPumpActsAsLeavingTheWindow) {
  HeadlessSurface s;
  RunFlags flags;
  s.ProcessMessages(flags);
  EXPECT_FALSE(flags.stopRequested);
  flags.paused = true;
  s.ProcessMessages(flags);
  EXPECT_TRUE(flags.stopRequested);
  EXPECT_EQ(s.MessagePumps(), 2);
}

}  // namespace
}  // namespace quarvel
