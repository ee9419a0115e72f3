// The computation windows: their first layout and how it follows a resize, the panels as views of
// the text model (every item at its own place, scrolling, selecting and copying), the routing of
// the core's panel numbers, the error line and the status line, and the buttons acting on a run
// that waits.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include "base/headless_surface.h"
#include "base/panels.h"
#include "ui/panel_text_layout.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"
#include "ui/run_status.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

struct Windows {
  PanelWindow norm{NormWindowLayout()};
  PanelWindow isotopy{IsotopyWindowLayout()};
  QtSurface surface{norm, isotopy};
};

HeadlessSurface::Item Text(int x, int y, const char* text) {
  return {x, y, kCharacterWidth * static_cast<int>(std::strlen(text)), text, false};
}

HeadlessSurface::Item Glyph(int x, int y) {
  return {x, y, kMapsToWidth, "->", true};
}

// Every control of the window inside its panel area, none over another.
void VerifyNoPanelOverlaps(PanelWindow& window) {
  std::vector<QWidget*> controls = {window.PauseButton(), window.BackButton()};
  for (PanelView* view : window.Panels()) controls.push_back(view);
  const QRect area = window.PauseButton()->parentWidget()->rect();
  for (size_t i = 0; i < controls.size(); ++i) {
    QVERIFY2(area.contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
    for (size_t j = i + 1; j < controls.size(); ++j)
      QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
               qPrintable(controls[i]->objectName() + " " + controls[j]->objectName()));
  }
  const QWidget* statusArea = window.StatusLine()->parentWidget();
  QVERIFY(statusArea->geometry().top() > window.PauseButton()->parentWidget()->geometry().bottom());
}

}  // namespace

class PanelWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void windowsOpenWithTheClassicPicture() {
    Windows w;
    w.norm.show();
    w.isotopy.show();
    QCOMPARE(w.norm.windowTitle(), QStringLiteral("Calculation of twisted Alexander polynomials"));
    QCOMPARE(w.norm.size(), QSize(1006, 743));
    QCOMPARE(w.norm.PauseButton()->geometry(), QRect(504, 16, 225, 33));
    QCOMPARE(w.norm.PauseButton()->text(), QStringLiteral("Pause"));
    QCOMPARE(w.norm.BackButton()->geometry(), QRect(752, 16, 219, 33));
    QCOMPARE(w.norm.BackButton()->text(), QStringLiteral("Back to the main menu"));
    QCOMPARE(w.norm.Panel(3)->geometry(), QRect(16, 320, 465, 386));
    QCOMPARE(w.isotopy.windowTitle(), QStringLiteral("Computation of twisted Alexander polynomials"));
    QCOMPARE(w.isotopy.size(), QSize(1030, 749));
    QCOMPARE(w.isotopy.PauseButton()->geometry(), QRect(528, 16, 225, 33));
    QCOMPARE(w.isotopy.BackButton()->geometry(), QRect(776, 16, 225, 33));
    QCOMPARE(w.isotopy.Panel(2)->geometry(), QRect(16, 184, 985, 417));
    for (PanelWindow* window : {&w.norm, &w.isotopy}) {
      VerifyNoPanelOverlaps(*window);
      QVERIFY(!window->ErrorLine()->isVisible());
    }
    QCOMPARE(w.norm.Panels().size(), size_t{7});
    QVERIFY(w.isotopy.Panel(0) && w.isotopy.Panel(3) && !w.isotopy.Panel(4));
  }

  void aResizedWindowReLaysItsPanels() {
    for (const PanelWindowLayout& layout : {NormWindowLayout(), IsotopyWindowLayout()}) {
      PanelWindow window(layout);
      window.show();
      std::map<int, QRect> first;
      for (const PanelPlacement& placement : layout.panels)
        first[placement.number] = window.Panel(placement.number)->geometry();

      window.resize(layout.size + QSize(400, 300));
      VerifyNoPanelOverlaps(window);
      const QSize area = window.PauseButton()->parentWidget()->size();
      QCOMPARE(area, layout.panelArea + QSize(400, 300));
      int grewDown = 0;
      for (const PanelPlacement& placement : layout.panels) {
        const QRect now = window.Panel(placement.number)->geometry();
        QCOMPARE(now, PlaceIn(placement.place, layout.panelArea, area));
        QVERIFY(now.width() > first[placement.number].width() ||
                (now.width() == first[placement.number].width() && placement.number == 0));
        if (now.height() > first[placement.number].height()) ++grewDown;
      }
      QVERIFY(grewDown >= 2);
      // The buttons move with the right column.
      QCOMPARE(window.BackButton()->x() - window.PauseButton()->x(),
               layout.backButton.base.x() - layout.pauseButton.base.x());

      window.resize(window.minimumSizeHint());
      VerifyNoPanelOverlaps(window);
      window.resize(layout.size);
      for (const PanelPlacement& placement : layout.panels)
        QCOMPARE(window.Panel(placement.number)->geometry(), first[placement.number]);
    }
  }

  void layoutPutsEachItemInColumnsOfItsOwn() {
    // A representation line: letters, glyphs and images at the compact distances, then a subscript
    // 6 pixels lower, a line 15 lower and one 45 lower (two blank lines between).
    const std::vector<HeadlessSurface::Item> items = {
        Text(7, 37, "a"),          Glyph(16, 37),      Text(25, 37, "(2431)"),
        Text(66, 37, "b"),         Glyph(75, 37),      Text(84, 37, "(1342)"),
        Text(125, 37, "S"),        Text(131, 43, "4"), Text(7, 52, "next line"),
        Text(7, 97, "after a gap")};
    const PanelTextLayout layout = LayOutPanelText(items);
    QCOMPARE(layout.items.size(), items.size());
    QCOMPARE(layout.lines.size(), qsizetype{7});
    QCOMPARE(layout.lines[2], QStringLiteral(" a ↦ (2431)  b ↦ (1342)  S4"));
    QCOMPARE(layout.lines[3], QStringLiteral(" next line"));
    QVERIFY(layout.lines[4].isEmpty() && layout.lines[5].isEmpty());
    QCOMPARE(layout.lines[6], QStringLiteral(" after a gap"));
    for (const PlacedItem& item : layout.items)
      QCOMPARE(layout.lines[item.line].mid(item.column, item.text.size()), item.text);

    // A lowered line whose columns are taken goes below instead of over it.
    const PanelTextLayout crowded = LayOutPanelText({Text(7, 7, "first"), Text(7, 12, "lowered")});
    QCOMPARE(crowded.lines, QStringList({" first", " lowered"}));
  }

  void panelsShowTheModelAndScrollToAllOfIt() {
    Windows w;
    w.norm.show();
    Panels panels(w.surface);
    for (int line = 0; line < 120; ++line)
      WriteText(panels, 3, 7, 7 + 15 * line, "line " + std::to_string(line));
    const std::string wide = "W" + std::string(600, '-') + "E";
    WriteText(panels, 3, 7, 7 + 15 * 120, wide);
    PanelView* view = w.norm.Panel(3);
    QVERIFY(view->Text().isEmpty());  // the views follow a moment later
    w.surface.RefreshPanels();
    QCOMPARE(view->Layout().items.size(), size_t{121});
    QVERIFY(view->toPlainText().contains(QString::fromStdString(wide)));
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);

    // The far end of the last line comes into view by scrolling.
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    QTextCursor end(view->document()->lastBlock());
    end.movePosition(QTextCursor::EndOfBlock);
    QVERIFY(view->viewport()->rect().contains(view->cursorRect(end).center()));

    // Redrawing keeps where the user scrolled to.
    WriteText(panels, 3, 7, 7, "line 0 again");
    w.surface.RefreshPanels();
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    QVERIFY(view->toPlainText().startsWith(" line 0 again"));
  }

  void panelTextIsSelectableAndCopyable() {
    Windows w;
    w.isotopy.show();
    Panels panels(w.surface);
    panels.window = ComputationWindow::isotopy;
    WriteText(panels, 2, 7, 7, "Number of classes: 2");
    DrawMapsTo(panels, 2, 7, 22);
    w.surface.RefreshPanels();
    PanelView* view = w.isotopy.Panel(2);
    QVERIFY(view->isReadOnly());
    QVERIFY(view->textInteractionFlags() & Qt::TextSelectableByMouse);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(" Number of classes: 2\n ↦"));
    // The text stays: typing does not change a panel.
    QTest::keyClicks(view, "xyz");
    QCOMPARE(view->toPlainText(), QStringLiteral(" Number of classes: 2\n ↦"));
  }

  void panelNumbersReachTheirPanels() {
    Windows w;
    Panels panels(w.surface);
    WriteText(panels, 3, 7, 7, "third");
    DrawMapsTo(panels, 7, 20, 20);
    w.surface.RefreshPanels();
    QCOMPARE(w.norm.Panel(3)->Text(), QStringLiteral(" third"));
    QCOMPARE(w.norm.Panel(7)->Layout().items.size(), size_t{1});
    for (int other : {1, 2, 4, 5, 6}) QVERIFY(w.norm.Panel(other)->Text().isEmpty());

    panels.window = ComputationWindow::isotopy;
    WriteText(panels, 4, 7, 7, "nowhere");  // the isotopy window has three panels
    WriteText(panels, 2, 7, 7, "second");
    WriteIsotopyHeader(panels, 7, 7, "header");
    w.surface.RefreshPanels();
    QCOMPARE(w.isotopy.Panel(2)->Text(), QStringLiteral(" second"));
    QCOMPARE(w.isotopy.Panel(0)->Text(), QStringLiteral(" header"));
    QVERIFY(w.isotopy.Panel(1)->Text().isEmpty());
    QCOMPARE(w.surface.PanelText(ComputationWindow::isotopy, 2), QStringLiteral("second"));

    // ClearPanels blanks every norm-mode panel completely.
    panels.window = ComputationWindow::norm;
    ClearPanels(panels);
    w.surface.RefreshPanels();
    QVERIFY(w.norm.Panel(3)->Text().isEmpty());
    QVERIFY(w.norm.Panel(7)->Text().isEmpty());
    QVERIFY(w.surface.PanelText(ComputationWindow::norm, 3).isEmpty());
  }

  void anErrorGoesToTheErrorLineWhole() {
    Windows w;
    Panels panels(w.surface);
    w.surface.BeginRun();
    w.surface.ShowWindow(ComputationWindow::norm);
    const std::string status =
        "Permutation group: S       Number of generators in presentation: 12      Attempts: 500";
    WriteText(panels, 1, 7, 7, status);
    const std::string message(300, 'm');
    WriteError(panels, 1, 330, 7, "       ERROR: Cannot rewrite the knot list " + message + "          ");
    w.surface.RefreshPanels();
    // Nothing on the panel is covered, and the message is there in full, on a line of its own.
    QCOMPARE(w.surface.PanelText(ComputationWindow::norm, 1), QString::fromStdString(status));
    QVERIFY(w.norm.ErrorLine()->isVisible());
    QCOMPARE(w.norm.ErrorLine()->text(),
             QString::fromStdString("ERROR: Cannot rewrite the knot list " + message));
    QVERIFY(w.norm.ErrorLine()->wordWrap());
    QVERIFY(w.norm.ErrorLine()->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(w.norm.StatusLine()->text().startsWith("Failed, elapsed time 0:0"));
    VerifyNoPanelOverlaps(w.norm);

    // The next run starts without it.
    w.surface.BeginRun();
    QVERIFY(!w.norm.ErrorLine()->isVisible());
    QVERIFY(w.norm.StatusLine()->text().isEmpty() || w.norm.StatusLine()->text().startsWith("Running"));
  }

  void runStatusHoldsTheClockWhilePaused() {
    RunStatus status;
    QCOMPARE(status.Line(), QString());
    status.Begin();
    QCOMPARE(status.StateText(), QStringLiteral("running"));
    QTest::qWait(120);
    status.TogglePause();
    QCOMPARE(status.StateText(), QStringLiteral("paused"));
    const qint64 atPause = status.ElapsedMilliseconds();
    QVERIFY(atPause >= 100);
    QTest::qWait(150);
    QCOMPARE(status.ElapsedMilliseconds(), atPause);
    status.TogglePause();
    QCOMPARE(status.StateText(), QStringLiteral("running"));
    status.Finish();
    const qint64 atEnd = status.ElapsedMilliseconds();
    QVERIFY(atEnd >= atPause && atEnd < atPause + 100);
    // An ended run stays as it ended.
    status.Stop();
    status.Fail(QStringLiteral("ERROR: late"));
    status.TogglePause();
    QCOMPARE(status.StateText(), QStringLiteral("finished"));
    QTest::qWait(50);
    QCOMPARE(status.ElapsedMilliseconds(), atEnd);
    QVERIFY(status.Line().startsWith("Finished, elapsed time 0:00."));

    status.Begin();
    status.Stop();
    QCOMPARE(status.StateText(), QStringLiteral("stopped"));
    status.Begin();
    status.Fail(QStringLiteral("ERROR: Out of memory"));
    QCOMPARE(status.StateText(), QStringLiteral("failed"));
    QCOMPARE(status.Error(), QStringLiteral("ERROR: Out of memory"));

    QCOMPARE(ElapsedText(0), QStringLiteral("0:00.0"));
    QCOMPARE(ElapsedText(61'950), QStringLiteral("1:01.9"));
    QCOMPARE(ElapsedText(3'725'000), QStringLiteral("1:02:05.0"));
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
    QObject::connect(&w.norm, &PanelWindow::pausePressed, [&] { w.surface.TogglePause(panels.flags); });
    QObject::connect(&w.norm, &PanelWindow::leavePressed, [&] { w.surface.LeaveRun(panels.flags); });
    w.surface.BeginRun();
    w.surface.ShowWindow(ComputationWindow::norm);
    QVERIFY(w.norm.isVisible());

    QTimer::singleShot(50, w.norm.PauseButton(),
                       [&] { QTest::mouseClick(w.norm.PauseButton(), Qt::LeftButton); });
    QTimer::singleShot(150, w.norm.PauseButton(), [&] {
      QCOMPARE(w.surface.Status().StateText(), QStringLiteral("paused"));
      QTest::mouseClick(w.norm.PauseButton(), Qt::LeftButton);
    });
    panels.flags.paused = false;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60) PumpMessages(panels);
    QVERIFY(panels.flags.paused);
    KeepWindowAlive(panels);
    QVERIFY(!panels.flags.paused);
    QVERIFY(!panels.flags.stopRequested);
    QCOMPARE(w.surface.Status().StateText(), QStringLiteral("running"));

    // A run that waits for the user by itself has finished.
    panels.flags.paused = true;
    QTimer::singleShot(50, w.norm.BackButton(),
                       [&] { QTest::mouseClick(w.norm.BackButton(), Qt::LeftButton); });
    KeepWindowAlive(panels);
    QCOMPARE(w.surface.Status().StateText(), QStringLiteral("finished"));
    QVERIFY(panels.flags.stopRequested);
    QVERIFY(!w.norm.isVisible());
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::PanelWindowTest)
#include "panel_window_test.moc"
