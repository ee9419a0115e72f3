// Real runs started from the main window: the panels show what quarvel-cli prints for the same
// choice, "Pause" halts and resumes a run, "Back to the main menu" ends it, even while paused.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "group/knot_tables.h"
#include "ui/file_picker.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/panel_text_layout.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

QString Snapshot(MainWindow& window) {
  return QString::fromStdString(window.Surface().TextModel().Snapshot());
}

// Every item of every panel of the window at its own place: its text is where the layout put it,
// no two take the same pixels, and scrolling brings each into view.
void VerifyPanelsHoldTheirItems(PanelWindow& window) {
  for (PanelView* view : window.Panels()) {
    const PanelTextLayout& layout = view->Layout();
    std::vector<QRect> rects;
    for (size_t i = 0; i < layout.items.size(); ++i) {
      const PlacedItem& item = layout.items[i];
      const QString line = view->document()->findBlockByNumber(item.line).text();
      QCOMPARE(line.mid(item.column, item.text.size()), item.text);
      rects.push_back(view->ItemRect(i));
    }
    for (size_t i = 0; i < rects.size(); ++i) {
      for (size_t j = i + 1; j < rects.size(); ++j)
        QVERIFY2(!rects[i].intersects(rects[j]),
                 qPrintable(layout.items[i].text + " / " + layout.items[j].text));
    }
    if (layout.items.empty()) continue;
    // The last item, scrolled to, lies in the panel's view.
    const PlacedItem& last = layout.items.back();
    QTextCursor end(view->document()->findBlockByNumber(last.line));
    end.setPosition(end.position() + last.column + static_cast<int>(last.text.size()));
    view->setTextCursor(end);
    view->ensureCursorVisible();
    QVERIFY(view->viewport()->rect().contains(view->cursorRect(end).center()));
  }
}

// The results of a run as it reports them.
struct ResultRecorder : RunEvents {
  void ClassEvaluated(const ClassRecord& isotopyClass) override { classes.push_back(isotopyClass); }
  void ProductComputed(const ProductRecord& product) override { products.push_back(product); }
  std::vector<ClassRecord> classes;
  std::vector<ProductRecord> products;
};

// The texts of the items that start at `x` or right of it, below `belowY` on the panel, in order,
// joined.
std::string TextsFrom(const HeadlessSurface& model, ComputationWindow window, int panel, int x, int belowY) {
  std::string joined;
  for (const HeadlessSurface::Item& item : model.PanelItems(window, panel)) {
    if (item.x >= x && item.y > belowY) joined += item.text;
  }
  return joined;
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
    // The panels show that text; the status line says how the run ended.
    QCOMPARE(panels.Panel(5)->Text(), QStringLiteral(" Knot is closure of the braid {-1,2,-1,2}"));
    QVERIFY(panels.Panel(3)->Text().contains("Lower bound for genus of K: 1.00"));
    QVERIFY(panels.StatusLine()->text().startsWith("Finished, elapsed time "));
    QVERIFY(!panels.ErrorLine()->isVisible());
    VerifyPanelsHoldTheirItems(panels);

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
                    // Waiting for the user after its last result, the run has finished.
                    window.Surface().RefreshPanels();
                    STEP_VERIFY(panels.StatusLine()->text().startsWith("Finished, elapsed time "));
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
    QVERIFY(panels.Panel(0)->Text().startsWith(" Knot is closure of the braid"));
    QVERIFY(panels.Panel(3)->Text().startsWith(" The product of the twisted Alexander polynomial equals:"));
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
                     window.Surface().RefreshPanels();
                     STEP_VERIFY(panels.StatusLine()->text().startsWith("Paused, elapsed time "));
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

  // The Conway knot in S_6: sixteen classes, each polynomial and the product longer than a line.
  void conwayKnotInS6ShowsEveryClassAndTheWholeProduct() {
    MainWindow window;
    ResultRecorder results;
    window.SetRunEvents(results);
    window.show();
    window.SelectIsotopyMode();
    Pick(window.findChild<QComboBox*>("reptype_isotopy"), 7);  // S_6
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("11_401").knotList);
    PanelWindow& panels = window.IsotopyWindow();
    Script script({[&] {
                    if (!window.Bench().panels.flags.paused) return false;
                    window.Surface().RefreshPanels();
                    VerifyPanelsHoldTheirItems(panels);
                    // A larger window shows more of the classes at once.
                    const int linesShown = panels.Panel(2)->viewport()->height();
                    panels.resize(panels.size() + QSize(300, 400));
                    STEP_VERIFY(panels.Panel(2)->viewport()->height() > linesShown);
                    VerifyPanelsHoldTheirItems(panels);
                    Press(panels.BackButton());
                    return true;
                  }},
                  [&] { window.Bench().panels.flags.stopRequested = true; });
    window.Start();
    QVERIFY(script.Finished());
    QCOMPARE(results.classes.size(), size_t{16});
    QCOMPARE(results.products.size(), size_t{1});

    // Every class's polynomial, piece after piece from x = 470 on below the headings, in the model
    // and in the panel's text.
    const HeadlessSurface& model = window.Surface().TextModel();
    std::string classTexts;
    for (const ClassRecord& c : results.classes)
      classTexts += QString::fromStdString(c.polynomial.text).trimmed().toStdString();
    QCOMPARE(QString::fromStdString(TextsFrom(model, ComputationWindow::isotopy, 2, 470, 22)),
             QString::fromStdString(classTexts));
    const QString classPanel = panels.Panel(2)->toPlainText();
    for (const HeadlessSurface::Item& item : model.PanelItems(ComputationWindow::isotopy, 2)) {
      if (!item.glyph) QVERIFY2(classPanel.contains(QString::fromStdString(item.text)), item.text.c_str());
    }

    // The product in full, with its lowest and highest terms below it.
    const std::string product = window.Bench().isotopy.productText.plain;
    QCOMPARE(QString::fromStdString(product).trimmed(),
             QString::fromStdString(results.products.front().product->text).trimmed());
    const std::vector<std::string> lines = model.PanelLines(ComputationWindow::isotopy, 3);
    QVERIFY(lines.size() >= 7);
    QVERIFY(QString::fromStdString(lines.back()).startsWith("Lowest and highest terms: "));
    std::string drawn;
    for (size_t i = 0; i + 1 < lines.size(); ++i) drawn += lines[i];
    QCOMPARE(drawn, "The product of the twisted Alexander polynomial equals: " + product);
    QString productPanel = panels.Panel(3)->toPlainText();
    productPanel.remove(QLatin1Char('\n'));
    productPanel.remove(QLatin1Char(' '));
    QString wanted = QString::fromStdString(product);
    QVERIFY(productPanel.contains(wanted.remove(QLatin1Char(' '))));
  }

  // The Conway knot in the norm mode, S_7 on V: long generator lists and polynomials in every panel.
  void conwayKnotNormRunKeepsItsPanelsApart() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    Pick(window.findChild<QComboBox*>("knotlist"), FindKnot("11_401").knotList);
    Pick(window.findChild<QComboBox*>("sizebox"), 4);  // k = 7
    PanelWindow& panels = window.NormWindow();
    const EvaluationState& evaluation = window.Bench().evaluation;
    Script script(
        {[&] {
          if (evaluation.solutionCount < 3) return false;
          window.Surface().RefreshPanels();
          STEP_VERIFY(panels.StatusLine()->text().startsWith("Running, elapsed time "));
          VerifyPanelsHoldTheirItems(panels);
          Press(panels.BackButton());
          return true;
        }},
        [&] { window.Bench().panels.flags.stopRequested = true; }, 240000);
    window.Start();
    QVERIFY(script.Finished());
    QVERIFY(panels.Panel(4)->Text().contains("S_7") || panels.Panel(3)->Text().contains("S_7"));
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
