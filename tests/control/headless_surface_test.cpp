#include "control/headless_surface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarvel {
namespace {

constexpr auto kNorm = ComputationWindow::norm;

TEST(HeadlessSurface, TextOverwritesEveryItemItTouches) {
  HeadlessSurface s;
  s.DrawText(kNorm, 3, 7, 7, "first");        // [7, 42) x [7, 20)
  s.DrawText(kNorm, 3, 100, 7, "far right");  // untouched
  s.DrawText(kNorm, 3, 35, 19, "x");          // overlaps one pixel row of "first"
  EXPECT_EQ(s.PanelLines(kNorm, 3), (std::vector<std::string>{"far right", "x"}));
}

TEST(HeadlessSurface, ItemsThatOnlyMeetDoNotOverlap) {
  HeadlessSurface s;
  s.DrawText(kNorm, 3, 7, 7, "ab");     // [7, 21)
  s.DrawText(kNorm, 3, 21, 7, "cd");    // starts where "ab" ends
  s.DrawText(kNorm, 3, 7, 20, "next");  // starts where the first line ends
  EXPECT_EQ(s.PanelLines(kNorm, 3), (std::vector<std::string>{"ab cd", "next"}));
}

TEST(HeadlessSurface, BlanksEraseAndAreNotKept) {
  HeadlessSurface s;
  s.DrawText(kNorm, 2, 50, 7, "progress");
  s.DrawText(kNorm, 2, 7, 7, "      ");  // 6 blanks reach x = 49: "progress" stays
  EXPECT_EQ(s.PanelText(kNorm, 2), "progress");
  s.DrawText(kNorm, 2, 7, 7, "       ");  // 7 blanks reach x = 56: erased
  EXPECT_EQ(s.PanelText(kNorm, 2), "");
}

TEST(HeadlessSurface, KeptTextLosesOuterBlanksButErasesWithThem) {
  HeadlessSurface s;
  s.DrawText(kNorm, 1, 330, 7, "       ERROR: bad          ");
  EXPECT_EQ(s.PanelText(kNorm, 1), "ERROR: bad");
  s.DrawText(kNorm, 1, 500, 7, "z");  // lands in the trailing blanks: the message stays
  EXPECT_EQ(s.PanelText(kNorm, 1), "ERROR: bad z");
}

TEST(HeadlessSurface, MapsToGlyphIsNinePixelsWide) {
  HeadlessSurface s;
  s.DrawText(kNorm, 7, 7, 157, "a");
  s.DrawMapsTo(kNorm, 7, 18, 157);
  s.DrawText(kNorm, 7, 29, 157, "1");
  s.DrawText(kNorm, 7, 41, 157, "b");
  s.DrawMapsTo(kNorm, 7, 48, 157);  // [48, 57) meets "b" at [41, 48) without overlapping
  EXPECT_EQ(s.PanelText(kNorm, 7), "a -> 1 b ->");
  s.DrawMapsTo(kNorm, 7, 47, 157);  // now it overlaps "b" and the glyph at 48
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
