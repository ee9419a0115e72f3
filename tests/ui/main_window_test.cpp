// The main window: layout, first activation, mode switching, the option handlers as the user
// meets them, the pick lists, the file picker's hand-over and Start's do-nothing case.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "group/knot_tables.h"
#include "ui/braid_picture.h"
#include "ui/eliding_combo_box.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

QComboBox* List(MainWindow& window, const char* name) {
  return Find<QComboBox>(window, name);
}

QPushButton* ButtonNamed(MainWindow& window, const char* name) {
  return Find<QPushButton>(window, name);
}

QStringList Items(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

QRect InWindow(QWidget* widget, QWidget& window) {
  return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

// The controls a user sees, each by its place in the window.
std::vector<QWidget*> VisibleControls(QWidget& window) {
  std::vector<QWidget*> controls;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    bool control = qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
                   qobject_cast<QLineEdit*>(w) || qobject_cast<QListWidget*>(w) ||
                   qobject_cast<BraidPicture*>(w) ||
                   (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->text().isEmpty());
    if (control && w->isVisibleTo(&window) && w->window() == &window) controls.push_back(w);
  }
  return controls;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void layoutHasTheWindowsPlaces() {
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Quarvel"));
    QCOMPARE(window.size(), QSize(1021, 664));
    window.SelectNormMode();
    window.show();
    struct Place {
      const char* name;
      QPoint at;
    };
    for (Place place :
         {Place{"start", {376, 264}}, Place{"back", {376, 336}}, Place{"help", {376, 408}},
          Place{"helpIsotopy", {376, 408}}, Place{"quit", {376, 480}}, Place{"about", {376, 552}},
          Place{"normMode", {520, 32}}, Place{"isotopyMode", {520, 288}}, Place{"options", {520, 24}},
          Place{"picture", {376, 32}}}) {
      QWidget* control = window.findChild<QWidget*>(place.name);
      QVERIFY2(control, place.name);
      QCOMPARE(control->pos(), place.at);
    }
    QStringList groups;
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
      if (group->parentWidget() == &window)
        groups << QStringLiteral("%1@%2,%3").arg(group->title()).arg(group->x()).arg(group->y());
    }
    QVERIFY(groups.contains(QStringLiteral("Choose a file@16,24")));
    QVERIFY(groups.contains(QStringLiteral(" Pick or enter a braid description @16,376")));
    QVERIFY(groups.contains(QStringLiteral("Options@520,24")));
  }

  void noControlsOverlapOnAnyScreen_data() {
    QTest::addColumn<int>("screen");
    QTest::newRow("main menu") << 0;
    QTest::newRow("norm mode") << 1;
    QTest::newRow("norm mode comparing fields") << 2;
    QTest::newRow("isotopy mode") << 3;
  }
  void noControlsOverlapOnAnyScreen() {
    QFETCH(int, screen);
    MainWindow window;
    if (screen == 1 || screen == 2) window.SelectNormMode();
    if (screen == 2) Pick(List(window, "fiberedbox"), 1);
    if (screen == 3) window.SelectIsotopyMode();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::vector<QWidget*> controls = VisibleControls(window);
    QVERIFY(controls.size() > 15);
    for (size_t i = 0; i < controls.size(); ++i) {
      QRect a = InWindow(controls[i], window);
      QVERIFY2(QRect(QPoint(0, 0), window.size()).contains(a), qPrintable(controls[i]->objectName()));
      for (size_t j = i + 1; j < controls.size(); ++j) {
        if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i])) continue;
        QRect b = InWindow(controls[j], window);
        QVERIFY2(
            !a.intersects(b),
            qPrintable(QStringLiteral("%1 overlaps %2")
                           .arg(controls[i]->objectName() + "/" + controls[i]->metaObject()->className(),
                                controls[j]->objectName() + "/" + controls[j]->metaObject()->className())));
      }
    }
  }

  void labelsAndOptionTextsFitTheirControls() {
    MainWindow window;
    window.show();
    for (auto screen :
         {&MainWindow::BackToMainMenu, &MainWindow::SelectNormMode, &MainWindow::SelectIsotopyMode}) {
      (window.*screen)();
      for (QWidget* control : VisibleControls(window)) {
        if (auto* label = qobject_cast<QLabel*>(control); label && !label->wordWrap()) {
          QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                   qPrintable(label->text()));
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
          int indicator = qobject_cast<QCheckBox*>(button) ? 24 : 8;
          QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + indicator <= button->width(),
                   qPrintable(button->text()));
        }
        // Every item of an option list fits its closed box. The braid pick lists shorten long
        // entries, but their header lines, which the window shows at first, fit.
        auto* list = qobject_cast<ElidingComboBox*>(control);
        if (!list) continue;
        if (list->objectName().endsWith("list")) {
          list->setCurrentIndex(0);
          QVERIFY2(list->ShownText() == list->itemText(0), qPrintable(list->itemText(0)));
          continue;
        }
        for (int i = 0; i < list->count(); ++i) {
          list->setCurrentIndex(i);
          QVERIFY2(list->ShownText() == list->itemText(i),
                   qPrintable(list->objectName() + ": " + list->itemText(i)));
        }
      }
    }
  }

  void firstActivationShowsTheDefaults() {
    MainWindow window;
    QCOMPARE(window.ShownScreen(), MainWindow::Screen::menu);
    // Each list shows the item its option holds (the defaults themselves are the core's).
    QCOMPARE(List(window, "fieldtype")->currentText(), QStringLiteral("F_13"));
    QCOMPARE(Items(List(window, "sizebox")), QStringList({"3", "4", "5", "6", "7", "8", "9", "10"}));
    QCOMPARE(Find<QLabel>(window, "sizeLabel")->text(), QStringLiteral("Dimension k of representation"));
    QCOMPARE(List(window, "fastbox")->currentText(), QStringLiteral("low"));
    QCOMPARE(List(window, "savetype")->currentText(),
             QStringLiteral("Save data as a Latex-file to quarvel_latex.tex"));
    QCOMPARE(List(window, "reptype_isotopy")->currentText(),
             QStringLiteral("Representations of the form pi -> S_5 -> GL(F,5)"));
    QCOMPARE(List(window, "fastbox_isotopy")->currentText(), QStringLiteral("Medium"));

    QComboBox* knots = List(window, "knotlist");
    QCOMPARE(knots->count(), 802);
    QCOMPARE(knots->currentText(), QStringLiteral("Braid descriptions of knots with up to 11 crossings"));
    QCOMPARE(knots->itemText(801), QStringLiteral("Knot 11_552"));
    QCOMPARE(List(window, "exampleslist")->count(), 50);
    QCOMPARE(List(window, "mutantslist")->count(), MutantsListSize() + 1);
    QCOMPARE(List(window, "mutantslist")->currentIndex(), 0);
  }

  void modeButtonsSwitchBetweenTheScreens() {
    MainWindow window;
    window.show();
    auto visible = [&](const char* name) { return window.findChild<QWidget*>(name)->isVisible(); };
    QVERIFY(visible("normMode") && visible("isotopyMode"));
    QVERIFY(!visible("options") && !visible("start") && !visible("back") && !visible("help") &&
            !visible("helpIsotopy"));

    QTest::mouseClick(ButtonNamed(window, "normMode"), Qt::LeftButton);
    QCOMPARE(window.ShownScreen(), MainWindow::Screen::norm);
    QVERIFY(!window.Options().isotopyMode);
    QVERIFY(visible("options") && visible("start") && visible("back") && visible("help") &&
            visible("fieldtype"));
    QVERIFY(!visible("normMode") && !visible("isotopyMode") && !visible("helpIsotopy") &&
            !visible("isotopyOptions"));

    QTest::mouseClick(ButtonNamed(window, "back"), Qt::LeftButton);
    QCOMPARE(window.ShownScreen(), MainWindow::Screen::menu);
    QVERIFY(visible("normMode") && visible("isotopyMode"));
    QVERIFY(!visible("options") && !visible("start") && !visible("back"));

    QTest::mouseClick(ButtonNamed(window, "isotopyMode"), Qt::LeftButton);
    QVERIFY(window.Options().isotopyMode);
    QVERIFY(visible("isotopyOptions") && visible("fieldtype_isotopy") && visible("fastbox_isotopy") &&
            visible("helpIsotopy") && visible("start"));
    QVERIFY(!visible("fieldtype") && !visible("reptype") && !visible("help") && !visible("normMode"));
  }

  void reptypeChangesTheSizeListAndFiberedbox() {
    MainWindow window;
    window.SelectNormMode();
    window.show();
    QComboBox* sizes = List(window, "sizebox");
    Pick(sizes, 4);  // "7"
    Pick(List(window, "reptype"), 2);
    QCOMPARE(sizes->currentText(), QStringLiteral("7"));  // kept: both items below 5

    Pick(List(window, "reptype"), 4);  // "Abelian representation"
    QVERIFY(!sizes->isVisible());
    QVERIFY(!Find<QLabel>(window, "sizeLabel")->isVisible());
    QVERIFY(!List(window, "fiberedbox")->isVisible());

    Pick(List(window, "reptype"), 5);
    QVERIFY(sizes->isVisible() && List(window, "fiberedbox")->isVisible());
    QCOMPARE(Find<QLabel>(window, "sizeLabel")->text(), QStringLiteral("Permutation group on k elements"));
    QCOMPARE(Items(sizes), QStringList({"3", "4", "5", "6", "7"}));
    QCOMPARE(sizes->currentIndex(), 0);

    Pick(sizes, 3);
    Pick(List(window, "reptype"), 6);
    QCOMPARE(Find<QLabel>(window, "sizeLabel")->text(), QStringLiteral("Maximal size of representation"));
    QCOMPARE(sizes->count(), 24);
    QCOMPARE(sizes->itemText(0), QStringLiteral("2"));
    QCOMPARE(sizes->itemText(23), QStringLiteral("25"));
    QCOMPARE(sizes->currentIndex(), 0);
    QCOMPARE(window.Options().sizebox, 0);
  }

  void fiberedboxTicksEveryFieldWhenNoneIsTicked() {
    MainWindow window;
    window.SelectNormMode();
    window.show();
    QGroupBox* fields = Find<QGroupBox>(window, "fields");
    QVERIFY(!fields->isVisible());
    Pick(List(window, "fiberedbox"), 1);
    QVERIFY(fields->isVisible());
    for (int f = 1; f <= 10; ++f) {
      QVERIFY(Find<QCheckBox>(window, qPrintable(QStringLiteral("field%1").arg(f)))->isChecked());
      QVERIFY(window.Options().fieldChecked[f]);
    }
    // A click toggles one field; going back to one field and again to several keeps the choice.
    QCheckBox* f7 = Find<QCheckBox>(window, "field4");
    QTest::mouseClick(f7, Qt::LeftButton);
    QVERIFY(!f7->isChecked());
    QVERIFY(!window.Options().fieldChecked[4]);
    Pick(List(window, "fiberedbox"), 0);
    QVERIFY(!fields->isVisible());
    Pick(List(window, "fiberedbox"), 1);
    QVERIFY(!f7->isChecked());
    QVERIFY(Find<QCheckBox>(window, "field3")->isChecked());
  }

  void pickListsFillTheBraidBox() {
    MainWindow window;
    window.show();
    QLineEdit* braid = Find<QLineEdit>(window, "braid");
    auto* picture = Find<BraidPicture>(window, "picture");
    Pick(List(window, "knotlist"), FindKnot("4_1").knotList);
    QCOMPARE(braid->text(), QStringLiteral("{-1,2,-1,2}"));
    QVERIFY(picture->ShowsBraid());
    QCOMPARE(picture->Braid().strands, 3);

    Pick(List(window, "exampleslist"), 1);
    QCOMPARE(braid->text(), QStringLiteral("{1,2,2,-3,1,-3,1,-2,1,-2,-3}"));
    QCOMPARE(List(window, "knotlist")->currentIndex(), 0);

    // The mutants entry of the Conway knot brings its note along; the picture reads the braid only.
    int conway = FindKnot("11_401").mutantsList;
    Pick(List(window, "mutantslist"), conway);
    QCOMPARE(braid->text(), QStringLiteral("{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)"));
    QCOMPARE(List(window, "exampleslist")->currentIndex(), 0);
    QVERIFY(picture->ShowsBraid());
    QCOMPARE(picture->Braid().letters.size(), size_t{11});

    // A separator line and a header line change nothing, the lists included.
    int separator = 0;
    while (!MutantsListEntry(++separator).starts_with("*")) {
    }
    Pick(List(window, "mutantslist"), separator);
    QCOMPARE(List(window, "mutantslist")->currentIndex(), conway);
    QCOMPARE(braid->text(), QStringLiteral("{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)"));
    Pick(List(window, "knotlist"), 0);
    QCOMPARE(braid->text(), QStringLiteral("{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)"));
  }

  void typingDrawsTheBraidAsItGoes() {
    MainWindow window;
    window.show();
    QLineEdit* braid = Find<QLineEdit>(window, "braid");
    auto* picture = Find<BraidPicture>(window, "picture");
    QVERIFY(!picture->ShowsBraid());
    QTest::keyClicks(braid, "{1,1");
    QVERIFY(picture->ShowsBraid());
    QCOMPARE(picture->Braid().components, 2);
    QTest::keyClicks(braid, ",1}");
    QCOMPARE(window.Options().braidEditText, std::string("{1,1,1}"));
    QCOMPARE(picture->Braid().components, 1);
    QTest::keyClicks(braid, "x");  // text after the closing brace other than a note is refused
    QVERIFY(!picture->ShowsBraid());
    braid->selectAll();
    QTest::keyClicks(braid, "{1,,2}");
    QVERIFY(!picture->ShowsBraid());
    QCOMPARE(picture->Message(), QStringLiteral("Not a valid braid description"));
  }

  void startWithNothingToComputeDoesNothing() {
    MainWindow window;
    window.SelectNormMode();
    window.show();
    QTest::mouseClick(ButtonNamed(window, "start"), Qt::LeftButton);
    QVERIFY(!window.NormWindow().isVisible());
    QVERIFY(window.Surface().TextModel().Snapshot().empty());
    window.SelectIsotopyMode();
    QTest::mouseClick(ButtonNamed(window, "start"), Qt::LeftButton);
    QVERIFY(!window.IsotopyWindow().isVisible());
    QVERIFY(window.Surface().TextModel().Snapshot().empty());
  }

  // Window texts name each report file as the runs write it, and use no TeX spellings.
  void optionTextsSpellFileNamesAsTheyAreWritten() {
    MainWindow window;
    QStringList texts;
    for (QComboBox* list : window.findChildren<QComboBox*>()) texts << Items(list);
    for (QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
    for (HelpWindow* help : {&window.NormHelp(), &window.IsotopyHelp()}) {
      for (QTextBrowser* topic : help->findChildren<QTextBrowser*>()) texts << topic->toPlainText();
    }
    const QString all = texts.join('\n');
    for (const char* name :
         {"quarvel_results.txt", "quarvel_latex.tex", "quarvel_matrix.txt", "quarvel_matrix_gap.txt"})
      QVERIFY2(all.contains(name), name);
    QVERIFY(!all.contains("Quarvel_", Qt::CaseSensitive));
    QVERIFY(!all.contains("--abelian"));
    QVERIFY(!all.contains("well--"));
    QVERIFY(texts.contains("Only consider non-abelian homomorphisms pi -> S_k"));
  }

  void pickedFileGoesIntoTheOptionsAndAKnotPickedAfterItWins() {
    QTemporaryDir folder;
    QFile file(folder.filePath("trefoil.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("-b-a+c+a\n-a-c+b+c\na1\nb1\nc1\n");
    file.close();

    MainWindow window;
    window.show();
    FilePicker* picker = window.findChild<FilePicker*>();
    picker->SetDirectory(folder.path());
    QListWidget* files = picker->FileList();
    QCOMPARE(files->count(), 1);
    DoubleClickItem(files, files->item(0));
    // The box names the file with its folder.
    QCOMPARE(Find<QLineEdit>(window, "fileName")->text(),
             QDir(folder.path()).canonicalPath() + "/trefoil.txt");
    QCOMPARE(window.Options().pickedName, std::string("trefoil.txt"));
    QCOMPARE(QString::fromStdString(window.Options().pickedDirectory),
             QDir(folder.path()).canonicalPath() + "/");

    Pick(List(window, "knotlist"), FindKnot("4_1").knotList);
    QVERIFY(Find<QLineEdit>(window, "fileName")->text().isEmpty());
    QCOMPARE(window.Options().pickedName, std::string("trefoil.txt"));  // still picked
    QCOMPARE(Find<QLineEdit>(window, "braid")->text(), QStringLiteral("{-1,2,-1,2}"));

    // Picking the file again clears the braid box.
    DoubleClickItem(files, files->item(0));
    QVERIFY(Find<QLineEdit>(window, "braid")->text().isEmpty());
    QVERIFY(!Find<BraidPicture>(window, "picture")->ShowsBraid());
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::MainWindowTest)
#include "main_window_test.moc"
