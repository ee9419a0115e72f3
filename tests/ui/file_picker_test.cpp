// The file picker: the folder/name split, the filter masks, entering folders and picking files
// with double clicks, the drive selector, and picking through the file dialog of "Browse...".

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/file_picker.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

QStringList Texts(QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

void DoubleClick(QListWidget* list, const QString& text) {
  QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(text));
  DoubleClickItem(list, found.front());
}

void Touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class FilePickerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void splitKeepsTheSeparatorWithTheFolder_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("name");
    QTest::newRow("nested") << "/home/knots/list.txt"
                            << "/home/knots/"
                            << "list.txt";
    QTest::newRow("top folder") << "/list.txt"
                                << "/"
                                << "list.txt";
    QTest::newRow("dots in folder names") << "/a.b/c.d/e"
                                          << "/a.b/c.d/"
                                          << "e";
  }
  void splitKeepsTheSeparatorWithTheFolder() {
    QFETCH(QString, path);
    QFETCH(QString, directory);
    QFETCH(QString, name);
    PickedFile picked = SplitPickedPath(path);
    QCOMPARE(picked.directory, directory);
    QCOMPARE(picked.name, name);
    QCOMPARE(picked.directory + picked.name, path);
  }

  void listsFollowTheFolderAndTheFilter() {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir("sub");
    Touch(folder.filePath("b_list.txt"));
    Touch(folder.filePath("a.dat"));
    Touch(folder.filePath("README"));
    Touch(folder.filePath("sub/inner.txt"));

    FilePicker picker;
    picker.show();
    QCOMPARE(picker.FilterSelector()->itemText(0), QStringLiteral("text files (*.txt)"));
    QCOMPARE(picker.FilterSelector()->itemText(1), QStringLiteral("all files (*.*)"));
    picker.SetDirectory(folder.path());
    QCOMPARE(Texts(picker.DirectoryList()), QStringList({"..", "sub"}));
    QCOMPARE(Texts(picker.FileList()), QStringList({"b_list.txt"}));
    Pick(picker.FilterSelector(), 1);
    QCOMPARE(Texts(picker.FileList()), QStringList({"a.dat", "b_list.txt", "README"}));
    Pick(picker.FilterSelector(), 0);

    DoubleClick(picker.DirectoryList(), "sub");
    QCOMPARE(picker.Directory(), QDir(folder.path() + "/sub").canonicalPath());
    QCOMPARE(Texts(picker.FileList()), QStringList({"inner.txt"}));
    DoubleClick(picker.DirectoryList(), "..");
    QCOMPARE(picker.Directory(), QDir(folder.path()).canonicalPath());

    QSignalSpy picked(&picker, &FilePicker::filePicked);
    DoubleClick(picker.FileList(), "b_list.txt");
    QCOMPARE(picked.count(), 1);
    auto file = picked.front().front().value<PickedFile>();
    QCOMPARE(file.directory, QDir(folder.path()).canonicalPath() + "/");
    QCOMPARE(file.name, QStringLiteral("b_list.txt"));
  }

  void driveSelectorGoesToTheDrivesTopFolder() {
    QTemporaryDir folder;
    FilePicker picker;
    picker.SetDirectory(folder.path());
    QComboBox* drives = picker.DriveSelector();
    int root = drives->findText("/");
    QVERIFY(root >= 0);
    Pick(drives, root);
    QCOMPARE(picker.Directory(), QStringLiteral("/"));
    QVERIFY(!Texts(picker.DirectoryList()).contains(".."));
    QVERIFY(Texts(picker.DirectoryList()).contains("tmp"));
  }

  void browseOpensTheFileDialogAndPicksWhatItChooses() {
    QTemporaryDir start;
    QTemporaryDir other;
    QDir(other.path()).mkdir("deep");
    Touch(other.filePath("deep/list.txt"));

    FilePicker picker;
    picker.show();
    picker.SetDirectory(start.path());
    QCOMPARE(picker.BrowseButton()->text(), QStringLiteral("Browse..."));
    QTest::mouseClick(picker.BrowseButton(), Qt::LeftButton);
    QFileDialog* dialog = picker.BrowseDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(start.path()).canonicalPath());
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("text files (*.txt)"));
    // A second press brings the open dialog forward instead of opening another.
    QTest::mouseClick(picker.BrowseButton(), Qt::LeftButton);
    QCOMPARE(picker.BrowseDialog(), dialog);
    QCOMPARE(picker.window()->findChildren<QFileDialog*>().size(), qsizetype{1});

    QSignalSpy picked(&picker, &FilePicker::filePicked);
    dialog->setDirectory(other.filePath("deep"));
    dialog->selectFile(other.filePath("deep/list.txt"));
    QVERIFY(QMetaObject::invokeMethod(dialog, "accept"));
    QCOMPARE(picked.count(), 1);
    auto file = picked.front().front().value<PickedFile>();
    const QString deep = QDir(other.filePath("deep")).canonicalPath();
    QCOMPARE(file.directory, deep + "/");
    QCOMPARE(file.name, QStringLiteral("list.txt"));
    // The lists go where the file is.
    QCOMPARE(picker.Directory(), deep);
    QCOMPARE(Texts(picker.FileList()), QStringList({"list.txt"}));
    QTRY_VERIFY(picker.BrowseDialog() == nullptr);

    // A dialog closed without a choice picks nothing.
    QTest::mouseClick(picker.BrowseButton(), Qt::LeftButton);
    QVERIFY(picker.BrowseDialog() != nullptr);
    picker.BrowseDialog()->reject();
    QCOMPARE(picked.count(), 1);
  }

  void aFolderThatDoesNotExistChangesNothing() {
    QTemporaryDir folder;
    FilePicker picker;
    picker.SetDirectory(folder.path());
    picker.SetDirectory(folder.filePath("missing"));
    QCOMPARE(picker.Directory(), QDir(folder.path()).canonicalPath());
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::FilePickerTest)
#include "file_picker_test.moc"
