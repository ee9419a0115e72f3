// The computation windows: their layout, the panel images (opaque text exactly where it is
// written, the maps-to glyph pixel by pixel), the routing of the core's panel numbers, and the
// buttons acting on a run that waits.

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "base/headless_surface.h"
#include "base/panels.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

bool IsInk(PanelView* panel, int x, int y) {
  return panel->Surface().pixel(x, y) != panel->Background().rgb();
}

int InkIn(PanelView* panel, QRect area) {
  int ink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ink += IsInk(panel, x, y) ? 1 : 0;
  }
  return ink;
}

struct Windows {
  PanelWindow norm{NormWindowLayout()};
  PanelWindow isotopy{IsotopyWindowLayout()};
  QtSurface surface{norm, isotopy};
};

}  // namespace

class PanelWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void windowsHaveTheirCaptionsButtonsAndPanels() {
    Windows w;
    QCOMPARE(w.norm.windowTitle(), QStringLiteral("Calculation of twisted Alexander polynomials"));
    QCOMPARE(w.norm.size(), QSize(1006, 743));
    QCOMPARE(w.norm.PauseButton()->geometry(), QRect(504, 16, 225, 33));
    QCOMPARE(w.norm.PauseButton()->text(), QStringLiteral("Pause"));
    QCOMPARE(w.norm.BackButton()->geometry(), QRect(752, 16, 219, 33));
    QCOMPARE(w.norm.BackButton()->text(), QStringLiteral("Back to the main menu"));
    QCOMPARE(w.isotopy.windowTitle(), QStringLiteral("Computation of twisted Alexander polynomials"));
    QCOMPARE(w.isotopy.size(), QSize(1030, 749));
    QCOMPARE(w.isotopy.PauseButton()->geometry(), QRect(528, 16, 225, 33));
    QCOMPARE(w.isotopy.BackButton()->geometry(), QRect(776, 16, 225, 33));

    const int frame = PanelView::kFrame;
    for (const PanelWindowLayout& layout : {NormWindowLayout(), IsotopyWindowLayout()}) {
      PanelWindow window(layout);
      for (const PanelPlacement& placement : layout.panels) {
        PanelView* panel = window.Panel(placement.number);
        QVERIFY(panel);
        QCOMPARE(panel->pos(), placement.position);
        QCOMPARE(panel->Surface().size(), placement.surface);
        QCOMPARE(panel->size(), placement.surface + QSize(2 * frame, 2 * frame));
        // No panel reaches into another panel, a button or out of the window.
        QRect area = panel->geometry();
        QVERIFY(QRect(QPoint(0, 0), layout.size).contains(area));
        QVERIFY(!area.intersects(layout.pauseButton) && !area.intersects(layout.backButton));
        for (const PanelPlacement& other : layout.panels) {
          if (other.number != placement.number)
            QVERIFY(!area.intersects(window.Panel(other.number)->geometry()));
        }
      }
    }
    QCOMPARE(NormWindowLayout().panels.size(), size_t{7});
    QVERIFY(w.isotopy.Panel(0) && w.isotopy.Panel(3) && !w.isotopy.Panel(4));
  }

  void textIsOpaqueAndCoversExactlyItsOwnWidth() {
    PanelView panel(QSize(461, 125));
    panel.DrawText(7, 7, "MMMMMMMMMMMMMMMMMMMM");
    int wide = panel.fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"));
    QVERIFY(InkIn(&panel, QRect(7, 7, wide, 13)) > 100);
    QCOMPARE(InkIn(&panel, QRect(7 + wide + 1, 0, 100, 30)), 0);

    // Four blanks erase what they cover and nothing more.
    int blanks = panel.fontMetrics().horizontalAdvance(QStringLiteral("    "));
    panel.DrawText(7, 7, "    ");
    QCOMPARE(InkIn(&panel, QRect(7, 7, blanks, 13)), 0);
    QVERIFY(InkIn(&panel, QRect(7 + blanks + 2, 7, wide - blanks - 2, 13)) > 50);

    // A line written 15 pixels lower leaves this one alone; a blank line over it clears it all.
    panel.DrawText(7, 22, "Next line");
    QVERIFY(InkIn(&panel, QRect(7 + blanks + 2, 7, wide - blanks - 2, 13)) > 50);
    panel.DrawText(7, 7, std::string(1500, ' '));
    QCOMPARE(InkIn(&panel, QRect(0, 0, 461, 20)), 0);
    QVERIFY(InkIn(&panel, QRect(7, 22, 40, 13)) > 0);
  }

  void mapsToGlyphIsDrawnWithItsFourLines() {
    PanelView panel(QSize(461, 189));
    const int x = 20, y = 30;
    panel.DrawMapsTo(x, y);
    for (int dy = 3; dy <= 9; ++dy) QVERIFY(IsInk(&panel, x, y + dy));      // the bar
    for (int dx = 0; dx <= 8; ++dx) QVERIFY(IsInk(&panel, x + dx, y + 6));  // the shaft
    QVERIFY(IsInk(&panel, x + 4, y + 10) && IsInk(&panel, x + 4, y + 2));   // the barbs' ends
    QVERIFY(IsInk(&panel, x + 6, y + 8) && IsInk(&panel, x + 6, y + 4));    // and their middles
    QCOMPARE(InkIn(&panel, QRect(x, y + 11, 12, 5)), 0);
    QCOMPARE(InkIn(&panel, QRect(x + 9, y, 5, 12)), 0);
    QCOMPARE(InkIn(&panel, QRect(x, y, 12, 2)), 0);
    QVERIFY(!IsInk(&panel, x, y + 1) && !IsInk(&panel, x, y + 10));
  }

  void panelNumbersReachTheirPanels() {
    Windows w;
    Panels panels(w.surface);
    WriteText(panels, 3, 7, 7, "third");
    DrawMapsTo(panels, 7, 20, 20);
    QVERIFY(InkIn(w.norm.Panel(3), QRect(7, 7, 30, 13)) > 0);
    QVERIFY(InkIn(w.norm.Panel(7), QRect(20, 20, 9, 12)) > 0);
    for (int other : {1, 2, 4, 5, 6})
      QCOMPARE(InkIn(w.norm.Panel(other), w.norm.Panel(other)->Surface().rect()), 0);

    panels.window = ComputationWindow::isotopy;
    WriteText(panels, 4, 7, 7, "nowhere");  // the isotopy window has three panels
    WriteText(panels, 2, 7, 7, "second");
    WriteIsotopyHeader(panels, 7, 7, "header");
    QVERIFY(InkIn(w.isotopy.Panel(2), QRect(7, 7, 30, 13)) > 0);
    QVERIFY(InkIn(w.isotopy.Panel(0), QRect(7, 7, 30, 13)) > 0);
    QCOMPARE(InkIn(w.isotopy.Panel(1), w.isotopy.Panel(1)->Surface().rect()), 0);
    QCOMPARE(w.surface.PanelText(ComputationWindow::isotopy, 2), QStringLiteral("second"));
    QCOMPARE(w.surface.PanelText(ComputationWindow::norm, 3), QStringLiteral("third"));

    // ClearPanels blanks every norm-mode panel completely.
    panels.window = ComputationWindow::norm;
    ClearPanels(panels);
    QCOMPARE(InkIn(w.norm.Panel(3), w.norm.Panel(3)->Surface().rect()), 0);
    QCOMPARE(InkIn(w.norm.Panel(7), w.norm.Panel(7)->Surface().rect()), 0);
    QVERIFY(w.surface.PanelText(ComputationWindow::norm, 3).isEmpty());
  }

  void buttonsReportAndBackClosesTheWindow() {
    PanelWindow window(NormWindowLayout());
    window.show();
    QSignalSpy pause(&window, &PanelWindow::pausePressed);
    QSignalSpy leave(&window, &PanelWindow::leavePressed);
    QTest::mouseClick(window.PauseButton(), Qt::LeftButton);
    QCOMPARE(pause.count(), 1);
    QVERIFY(window.isVisible());
    QTest::mouseClick(window.BackButton(), Qt::LeftButton);
    QCOMPARE(leave.count(), 1);
    QVERIFY(!window.isVisible());
    // Closing the window by other means counts as leaving it too.
    window.show();
    window.close();
    QCOMPARE(leave.count(), 2);
  }

  void waitingRunEndsOnPauseOrLeave() {
    Windows w;
    Panels panels(w.surface);
    QObject::connect(&w.norm, &PanelWindow::pausePressed,
                     [&] { panels.flags.paused = !panels.flags.paused; });
    QObject::connect(&w.norm, &PanelWindow::leavePressed, [&] { panels.flags.stopRequested = true; });
    w.surface.ShowWindow(ComputationWindow::norm);
    QVERIFY(w.norm.isVisible());

    panels.flags.paused = true;
    QTimer::singleShot(50, w.norm.PauseButton(),
                       [&] { QTest::mouseClick(w.norm.PauseButton(), Qt::LeftButton); });
    QElapsedTimer clock;
    clock.start();
    KeepWindowAlive(panels);
    QVERIFY(!panels.flags.paused);
    QVERIFY(!panels.flags.stopRequested);
    QVERIFY(clock.elapsed() >= 40);

    panels.flags.paused = true;
    QTimer::singleShot(50, w.norm.BackButton(),
                       [&] { QTest::mouseClick(w.norm.BackButton(), Qt::LeftButton); });
    KeepWindowAlive(panels);
    QVERIFY(panels.flags.stopRequested);
    QVERIFY(panels.flags.paused);
    QVERIFY(!w.norm.isVisible());
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::PanelWindowTest)
#include "panel_window_test.moc"
