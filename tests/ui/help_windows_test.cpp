// The help screens and the about box: their buttons, one topic shown at a time, opening without
// blocking the main window, and examples in the help that the program really reads as shown.

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>
#include <sstream>

#include "lists/knot_list_detection.h"
#include "ui/help_texts.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

QStringList ButtonTexts(HelpWindow& help) {
  QStringList texts;
  for (int i = 0; i < help.TopicCount(); ++i) texts << help.TopicButton(i)->text();
  return texts << help.QuitButton()->text();
}

// The plain text of the example after `marker` in a topic: the first <pre> block that follows it.
QString ExampleAfter(const QString& html, const QString& marker) {
  qsizetype at = html.indexOf(marker);
  if (at < 0) return {};
  QRegularExpression pre(QStringLiteral("<pre>\\n(.*?)</pre>"),
                         QRegularExpression::DotMatchesEverythingOption);
  QRegularExpressionMatch match = pre.match(html, at);
  QTextDocument decode;
  decode.setHtml(QStringLiteral("<pre>") + match.captured(1) + QStringLiteral("</pre>"));
  return decode.toPlainText();
}

QString TopicHtml(const std::vector<HelpTopic>& topics, const QString& button) {
  for (const HelpTopic& topic : topics) {
    if (topic.button == button) return topic.html;
  }
  return {};
}

}  // namespace

class HelpWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void helpScreensHaveTheirTopicButtons() {
    MainWindow window;
    QCOMPARE(ButtonTexts(window.NormHelp()),
             QStringList({"Overview", "Description of groups", "Representations", "The math",
                          "Lists of knots", "Quit help"}));
    QCOMPARE(ButtonTexts(window.IsotopyHelp()),
             QStringList({"Overview", "Lists of knots", "Group description", "Quit help"}));
    QCOMPARE(window.About().BackButton()->text(), QStringLiteral("Back to the main menu"));
    QVERIFY(window.About().Text()->isReadOnly());
  }

  void aTopicButtonShowsItsTextAndHidesTheOthers() {
    MainWindow window;
    HelpWindow& help = window.NormHelp();
    help.show();
    QCOMPARE(help.ShownTopic(), 0);
    for (int topic = help.TopicCount() - 1; topic >= 0; --topic) {
      QTest::mouseClick(help.TopicButton(topic), Qt::LeftButton);
      QCOMPARE(help.ShownTopic(), topic);
      for (int other = 0; other < help.TopicCount(); ++other) {
        QCOMPARE(help.TopicText(other)->isVisible(), other == topic);
        QCOMPARE(help.TopicButton(other)->isChecked(), other == topic);
      }
      QVERIFY(!help.TopicText(topic)->toPlainText().isEmpty());
    }
    QTest::mouseClick(help.QuitButton(), Qt::LeftButton);
    QVERIFY(!help.isVisible());
  }

  void helpAndAboutOpenWithoutBlockingTheMainWindow() {
    MainWindow window;
    window.show();
    window.SelectNormMode();
    QTest::mouseClick(window.findChild<QPushButton*>("help"), Qt::LeftButton);
    QVERIFY(window.NormHelp().isVisible());
    QVERIFY(!window.IsotopyHelp().isVisible());
    window.SelectIsotopyMode();
    QTest::mouseClick(window.findChild<QPushButton*>("helpIsotopy"), Qt::LeftButton);
    QVERIFY(window.IsotopyHelp().isVisible());
    QTest::mouseClick(window.findChild<QPushButton*>("about"), Qt::LeftButton);
    QVERIFY(window.About().isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (QWidget* shown : {static_cast<QWidget*>(&window.NormHelp()), static_cast<QWidget*>(&window.About())})
      QVERIFY(!shown->isModal());
    // The main window still takes input while they are open.
    QTest::mouseClick(window.findChild<QPushButton*>("back"), Qt::LeftButton);
    QCOMPARE(window.ShownScreen(), MainWindow::Screen::menu);
    QTest::mouseClick(window.About().BackButton(), Qt::LeftButton);
    QVERIFY(!window.About().isVisible());
  }

  void formatOneExampleReadsAsTheHelpSays() {
    QString example = ExampleAfter(TopicHtml(NormHelpTopics(), "Description of groups"), "Whitehead link");
    QVERIFY(example.startsWith("Whitehead link\n"));
    QTemporaryDir folder;
    QFile file(folder.filePath("whitehead.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(example.toLatin1());
    file.close();
    QString shown = CliOutput({"show", "--file", file.fileName(), "--group-type", "link"}, folder.path());
    QVERIFY2(shown.contains("The generators are a, b\n"), qPrintable(shown));
    QVERIFY2(shown.contains("-b-a-b+a+b-a-b-a+b+a+b-a-b+a+b+a\n"), qPrintable(shown));
    QVERIFY2(shown.contains("a -> 0 b -> 1\n"), qPrintable(shown));
  }

  void knotListExampleFollowsTheListFormat() {
    QString html = TopicHtml(NormHelpTopics(), "Lists of knots");
    QString fresh = ExampleAfter(html, "Lists of knots");
    QString processed = ExampleAfter(html, "the list reads");
    for (const QString& list : {fresh, processed}) {
      std::istringstream in(list.toStdString());
      QVERIFY(IsKnotList(in));
      QVERIFY(list.trimmed().endsWith("\nend"));
    }
    // Result lines: name and colon in 14 columns, then the sizes at column 63 and the bound at 85.
    int results = 0;
    for (const QString& line : processed.split('\n')) {
      if (!line.contains("braid {")) continue;
      ++results;
      QCOMPARE(line.indexOf(':'), line.indexOf(' ') - 1);
      QCOMPARE(line.indexOf("reps of dim"), 62);
      QCOMPARE(line.indexOf("genus>="), 84);
      QVERIFY(line.mid(14).startsWith("1+1"));
    }
    QCOMPARE(results, 2);
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::HelpWindowsTest)
#include "help_windows_test.moc"
