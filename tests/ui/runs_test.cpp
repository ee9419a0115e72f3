// Real runs started from the main window: the panels show what quarvel-cli prints for the same
// choice, "Pause" halts and resumes a run, "Back to the main menu" ends it, even while paused.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "group/knot_tables.h"
#include "ui/file_picker.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

QString Snapshot(MainWindow& window) {
  return QString::fromStdString(window.Surface().TextModel().Snapshot());
}

// True when some pixel of the panel's surface inside `area` is not the background.
bool HasInk(PanelView* panel, QRect area) {
  const QImage& image = panel->Surface();
  QRgb background = panel->Background().rgb();
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != background) return true;
    }
  }
  return false;
}

// Presses a computation window's button the way the user does.
void Press(QPushButton* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class RunsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    UseWorkbenchLook();
    QVERIFY(reports_.isValid());
    // The runs write their report files into the working folder.
    QDir::setCurrent(reports_.path());
  }

  void normRunShowsWhatTheCommandLinePrints() {
    MainWindow window;
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("normMode"), Qt::LeftButton);
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("4_1").knotList);
    QCOMPARE(window.findChild<QLineEdit*>("braid")->text(), QStringLiteral("{-1,2,-1,2}"));
    Pick(window.findChild<QComboBox*>("endbox"), 1);  // stop at the first non-trivial representation
    QTest::mouseClick(window.findChild<QPushButton*>("start"), Qt::LeftButton);

    QVERIFY(!window.Running());
    PanelWindow& panels = window.NormWindow();
    QVERIFY(panels.isVisible());
    QCOMPARE(panels.windowTitle(), QStringLiteral("Calculation of twisted Alexander polynomials"));
    QString cli = CliOutput({"norm", "--knot", "4_1", "--stop", "first"}, reports_.path());
    QVERIFY(cli.contains("Number of solutions: 1"));
    QCOMPARE(Snapshot(window), cli);
    // The panels are pictures of that text: the caption's line is inked, the line below it blank.
    QVERIFY(HasInk(panels.Panel(5), QRect(7, 7, 100, 13)));
    QVERIFY(!HasInk(panels.Panel(5), QRect(0, 21, 461, 8)));
    QVERIFY(HasInk(panels.Panel(3), QRect(0, 0, 461, 30)));
    QVERIFY(!HasInk(panels.Panel(3), QRect(0, 200, 461, 182)));

    // The window keeps the results until the user leaves it.
    Press(panels.BackButton());
    QVERIFY(!panels.isVisible());
  }

  void isotopyRunShowsWhatTheCommandLinePrints() {
    MainWindow window;
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("isotopyMode"), Qt::LeftButton);
    Pick(window.findChild<QComboBox*>("reptype_isotopy"), 3);  // S_4
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("4_1").knotList);
    PanelWindow& panels = window.IsotopyWindow();
    // At its end the run waits for the user; the user then leaves the window.
    QString whileWaiting;
    Script script({[&] {
                    if (!window.Bench().panels.flags.paused) return false;
                    whileWaiting = Snapshot(window);
                    STEP_VERIFY(panels.isVisible());
                    Press(panels.BackButton());
                    return true;
                  }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    QTest::mouseClick(window.findChild<QPushButton*>("start"), Qt::LeftButton);
    QVERIFY(script.Finished());
    QVERIFY(!panels.isVisible());
    QCOMPARE(panels.windowTitle(), QStringLiteral("Computation of twisted Alexander polynomials"));
    QString cli = CliOutput({"isotopy", "--knot", "4_1", "--group", "s4"}, reports_.path());
    QVERIFY(cli.contains("The product of the twisted Alexander polynomial equals:"));
    QCOMPARE(whileWaiting, cli);
    QCOMPARE(Snapshot(window), cli);
    QVERIFY(HasInk(panels.Panel(0), QRect(7, 7, 100, 13)));
    QVERIFY(HasInk(panels.Panel(3), QRect(7, 7, 100, 13)));
  }

  void aKnotPickedAfterAFileRunsTheKnot() {
    QTemporaryDir folder;
    QFile file(folder.filePath("trefoil.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("-b-a+c+a\n-a-c+b+c\na1\nb1\nc1\n");
    file.close();

    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("endbox"), 1);
    FilePicker* picker = window.findChild<FilePicker*>();
    picker->SetDirectory(folder.path());
    QListWidget* files = picker->FileList();
    DoubleClickItem(files, files->item(0));
    window.Start();
    QVERIFY(Snapshot(window).contains("Filename: trefoil.txt (fundamental group of a knot complement)"));
    QVERIFY(Snapshot(window).contains("1+12t+t^2"));

    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("4_1").knotList);
    window.Start();
    QVERIFY(Snapshot(window).contains("Knot is closure of the braid {-1,2,-1,2}"));
    QVERIFY(!Snapshot(window).contains("Filename:"));
    QVERIFY(Snapshot(window).contains("1+10t+t^2"));
  }

  void pauseTwiceGoesOnWhereTheRunStopped() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("3_1").knotList);  // never stops by itself
    PanelWindow& panels = window.NormWindow();
    const EvaluationState& evaluation = window.Bench().evaluation;
    int32_t solutionsAtPause = -1;
    QString panelsAtPause;
    QElapsedTimer held;
    Script script({[&] {
                     if (evaluation.solutionCount < 2) return false;
                     Press(panels.PauseButton());
                     STEP_VERIFY(window.Bench().panels.flags.paused);
                     return true;
                   },
                   [&] {
                     // The run halts at its next waiting point; from then on nothing changes.
                     if (panelsAtPause != Snapshot(window)) {
                       panelsAtPause = Snapshot(window);
                       solutionsAtPause = evaluation.solutionCount;
                       held.start();
                       return false;
                     }
                     return held.elapsed() > 300;
                   },
                   [&] {
                     STEP_COMPARE(evaluation.solutionCount, solutionsAtPause);
                     Press(panels.PauseButton());
                     return true;
                   },
                   [&] {
                     if (evaluation.solutionCount < solutionsAtPause + 2) return false;
                     Press(panels.BackButton());
                     return true;
                   }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    window.Start();
    QVERIFY(script.Finished());
    QVERIFY(!window.Running());
    QVERIFY(!panels.isVisible());
    QVERIFY(evaluation.solutionCount >= solutionsAtPause + 2);
    QVERIFY(solutionsAtPause >= 2);
  }

  void leavingWhilePausedEndsTheRunAtOnce() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("3_1").knotList);
    PanelWindow& panels = window.NormWindow();
    const EvaluationState& evaluation = window.Bench().evaluation;
    QString panelsAtPause;
    int32_t solutionsAtPause = -1;
    QElapsedTimer held;
    QElapsedTimer sinceLeaving;
    Script script({[&] {
                     if (evaluation.solutionCount < 1) return false;
                     Press(panels.PauseButton());
                     return true;
                   },
                   [&] {
                     if (panelsAtPause != Snapshot(window)) {
                       panelsAtPause = Snapshot(window);
                       solutionsAtPause = evaluation.solutionCount;
                       held.start();
                       return false;
                     }
                     if (held.elapsed() < 200) return false;
                     sinceLeaving.start();
                     Press(panels.BackButton());
                     return true;
                   }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    window.Start();
    QVERIFY(script.Finished());
    QVERIFY(sinceLeaving.elapsed() < 1000);
    QVERIFY(!panels.isVisible());
    QCOMPARE(evaluation.solutionCount, solutionsAtPause);
    // The stage that was waiting finishes its step, but no further representation is evaluated.
    QVERIFY(Snapshot(window).startsWith(panelsAtPause.left(panelsAtPause.indexOf("--- panel 3 ---"))));
  }

  void leavingAtTheFirstMomentOfARunEndsIt() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("3_1").knotList);  // never stops by itself
    // The first message pump of a run comes before the driver clears the stop flag for reading the
    // presentation; leaving the window then still ends the run.
    QTimer::singleShot(0, &window, [&] { Press(window.NormWindow().BackButton()); });
    QTimer::singleShot(30000, &window, [&] { window.Bench().panels.flags.stopRequested = true; });
    QElapsedTimer clock;
    clock.start();
    window.Start();
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!window.NormWindow().isVisible());
    QCOMPARE(window.Bench().evaluation.solutionCount, 0);
  }

  void quitDuringARunEndsItAndClosesEveryWindow() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("3_1").knotList);
    QTest::mouseClick(window.findChild<QPushButton*>("help"), Qt::LeftButton);
    const EvaluationState& evaluation = window.Bench().evaluation;
    Script script({[&] {
                    if (evaluation.solutionCount < 1) return false;
                    QTest::mouseClick(window.findChild<QPushButton*>("quit"), Qt::LeftButton);
                    return true;
                  }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    window.Start();
    QVERIFY(script.Finished());
    QVERIFY(!window.isVisible());
    QVERIFY(!window.NormWindow().isVisible());
    QVERIFY(!window.NormHelp().isVisible());
  }

  void startIsRefusedWhileARunGoesOn() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("3_1").knotList);
    auto* start = window.findChild<QPushButton*>("start");
    int starts = 0;
    Script script({[&] {
                    if (!window.Running()) return false;
                    STEP_VERIFY(!start->isEnabled());
                    window.Start();  // returns at once: the run is already going
                    ++starts;
                    Press(window.NormWindow().BackButton());
                    return true;
                  }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    window.Start();
    QVERIFY(script.Finished());
    QCOMPARE(starts, 1);
    QVERIFY(start->isEnabled());
    QVERIFY(!window.Running());
  }

 private:
  QTemporaryDir reports_;
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::RunsTest)
#include "runs_test.moc"
