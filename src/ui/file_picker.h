#pragma once
// The file picker of the main window: a drive selector, the folders of the current folder, its
// files under the chosen filter, the filter selector and "Browse...". Choosing a drive goes to its
// top folder; double-clicking a folder enters it (".." goes up); double-clicking a file picks it.
// "Browse..." opens the standard file dialog in the current folder; a file chosen there is picked,
// and the lists go to its folder.

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quarvel::ui {

// A picked file's full path split after its last separator: the folder keeps the separator, so
// folder + name is the path again.
struct PickedFile {
  QString directory;
  QString name;
};
PickedFile SplitPickedPath(const QString& fullPath);

class FilePicker : public QWidget {
  Q_OBJECT

 public:
  // The filter selector's entries, in order, and the masks they set.
  static const QStringList& FilterTexts();
  static QStringList FilterMasks(int filter);

  explicit FilePicker(QWidget* parent = nullptr);

  void SetDirectory(const QString& path);
  QString Directory() const { return directory_; }

  QComboBox* DriveSelector() const { return drives_; }
  QListWidget* DirectoryList() const { return directories_; }
  QListWidget* FileList() const { return files_; }
  QComboBox* FilterSelector() const { return filter_; }
  QPushButton* BrowseButton() const { return browse_; }
  // The open file dialog of "Browse...", or nullptr while none is open.
  QFileDialog* BrowseDialog() const { return dialog_; }

 Q_SIGNALS:
  void filePicked(const PickedFile& file);

 private:
  void FillDrives();
  void FillLists();
  void EnterDirectory(QListWidgetItem* item);
  void PickFile(QListWidgetItem* item);
  void Browse();
  void PickPath(const QString& path);

  QString directory_;
  QComboBox* drives_;
  QLabel* path_;
  QListWidget* directories_;
  QListWidget* files_;
  QComboBox* filter_;
  QPushButton* browse_;
  QPointer<QFileDialog> dialog_;  // null once the dialog is closed (it deletes itself)
};

}  // namespace quarvel::ui
