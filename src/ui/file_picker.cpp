#include "ui/file_picker.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

namespace quarvel::ui {
namespace {

constexpr int kWidth = 320;
constexpr int kLineHeight = 24;
constexpr int kListTop = 50;
constexpr int kListHeight = 160;
constexpr int kListGap = 8;
constexpr int kBrowseWidth = 84;
const QString kParentEntry = QStringLiteral("..");

}  // namespace

PickedFile SplitPickedPath(const QString& fullPath) {
  qsizetype cut = fullPath.lastIndexOf(QLatin1Char('/')) + 1;
  return {fullPath.left(cut), fullPath.mid(cut)};
}

const QStringList& FilePicker::FilterTexts() {
  static const QStringList texts = {QStringLiteral("text files (*.txt)"), QStringLiteral("all files (*.*)")};
  return texts;
}

QStringList FilePicker::FilterMasks(int filter) {
  // "*.*" means every file, with or without a dot in its name.
  return filter == 0 ? QStringList{QStringLiteral("*.txt")} : QStringList{QStringLiteral("*")};
}

FilePicker::FilePicker(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kListTop + kListHeight + kListGap + kLineHeight);
  drives_ = new QComboBox(this);
  drives_->setGeometry(0, 0, kWidth, kLineHeight);
  path_ = new QLabel(this);
  path_->setGeometry(0, kLineHeight + 4, kWidth, 18);
  int listWidth = (kWidth - kListGap) / 2;
  directories_ = new QListWidget(this);
  directories_->setGeometry(0, kListTop, listWidth, kListHeight);
  files_ = new QListWidget(this);
  files_->setGeometry(kWidth - listWidth, kListTop, listWidth, kListHeight);
  for (QListWidget* list : {directories_, files_}) {
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideMiddle);
  }
  const int bottomRow = kListTop + kListHeight + kListGap;
  filter_ = new QComboBox(this);
  filter_->setGeometry(0, bottomRow, kWidth - kBrowseWidth - kListGap, kLineHeight);
  filter_->addItems(FilterTexts());
  browse_ = new QPushButton(tr("Browse..."), this);
  browse_->setObjectName("browse");
  browse_->setGeometry(kWidth - kBrowseWidth, bottomRow, kBrowseWidth, kLineHeight);

  FillDrives();
  connect(drives_, &QComboBox::activated, this, [this](int i) { SetDirectory(drives_->itemText(i)); });
  connect(filter_, &QComboBox::activated, this, [this] { FillLists(); });
  connect(directories_, &QListWidget::itemActivated, this, &FilePicker::EnterDirectory);
  connect(files_, &QListWidget::itemActivated, this, &FilePicker::PickFile);
  connect(browse_, &QPushButton::clicked, this, &FilePicker::Browse);
  SetDirectory(QDir::currentPath());
}

void FilePicker::FillDrives() {
  QStringList roots;
  for (const QFileInfo& drive : QDir::drives()) roots << drive.absoluteFilePath();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && volume.device().startsWith("/dev/"))
      roots << volume.rootPath();
  }
  roots << QDir::homePath();
  roots.removeDuplicates();
  drives_->addItems(roots);
}

void FilePicker::SetDirectory(const QString& path) {
  QDir dir(path);
  if (!dir.exists()) return;
  directory_ = dir.canonicalPath();
  path_->setText(path_->fontMetrics().elidedText(directory_, Qt::ElideLeft, path_->width()));
  path_->setToolTip(directory_);
  FillLists();
}

void FilePicker::FillLists() {
  QDir dir(directory_);
  directories_->clear();
  if (!dir.isRoot()) directories_->addItem(kParentEntry);
  directories_->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
  files_->clear();
  files_->addItems(
      dir.entryList(FilterMasks(filter_->currentIndex()), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FilePicker::EnterDirectory(QListWidgetItem* item) {
  QDir dir(directory_);
  if (item->text() == kParentEntry ? dir.cdUp() : dir.cd(item->text())) SetDirectory(dir.path());
}

void FilePicker::PickFile(QListWidgetItem* item) {
  Q_EMIT filePicked(SplitPickedPath(QDir(directory_).filePath(item->text())));
}

// Qt's own dialog rather than the platform's: it behaves the same everywhere, tests can drive it,
// and it keeps the main window usable (window-modal, not application-modal).
void FilePicker::Browse() {
  if (dialog_) {
    dialog_->raise();
    return;
  }
  dialog_ = new QFileDialog(window(), tr("Choose a file"), directory_);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  dialog_->setOption(QFileDialog::DontUseNativeDialog);
  dialog_->setFileMode(QFileDialog::ExistingFile);
  dialog_->setNameFilters({FilterTexts()[0], QStringLiteral("all files (*)")});
  dialog_->selectNameFilter(dialog_->nameFilters().value(filter_->currentIndex()));
  connect(dialog_, &QFileDialog::fileSelected, this, &FilePicker::PickPath);
  dialog_->open();
}

void FilePicker::PickPath(const QString& path) {
  const QFileInfo file(path);
  SetDirectory(file.absolutePath());
  Q_EMIT filePicked(SplitPickedPath(QDir(directory_).filePath(file.fileName())));
}

}  // namespace quarvel::ui
