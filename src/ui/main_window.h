#pragma once
// The main window "Quarvel": the input on the left (file picker, braid box and the three pick
// lists), the picture of the closed braid, the buttons in the middle, and on the right either the
// two mode buttons with their descriptions or the options of the chosen mode. The option state
// lives in a MainWindowOptions, changed only through the option handlers of the core; the
// controls show that state. Start takes the settings with the same code as the command line and
// runs the chosen mode's driver right here, on the GUI thread.
//
// Every control carries its form name as object name ("reptype", "fiberedbox", "sizebox", ...).

#include <QStringList>
#include <QWidget>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "front/main_window_options.h"
#include "run/workbench.h"
#include "ui/file_picker.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quarvel::ui {

class AboutBox;
class BraidPicture;
class HelpWindow;
class PanelWindow;
class QtSurface;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

  // Both mode buttons and descriptions (menu), or the options of one mode.
  enum class Screen { menu, norm, isotopy };
  Screen ShownScreen() const { return screen_; }

  const MainWindowOptions& Options() const { return options_; }
  Workbench& Bench() { return *workbench_; }
  QtSurface& Surface() { return *surface_; }
  PanelWindow& NormWindow() { return *normWindow_; }
  PanelWindow& IsotopyWindow() { return *isotopyWindow_; }
  HelpWindow& NormHelp() { return *normHelp_; }
  HelpWindow& IsotopyHelp() { return *isotopyHelp_; }
  AboutBox& About() { return *about_; }
  // Who is told of the results of the runs Start makes (nobody by default); must outlive them.
  void SetRunEvents(RunEvents& events) { runEvents_ = &events; }
  // True while Start's run goes on.
  bool Running() const { return running_; }

  void SelectNormMode();
  void SelectIsotopyMode();
  void BackToMainMenu();
  // Reads every option into the run settings and runs the chosen mode on fresh run state; does
  // nothing without a braid or a picked file, or while a run goes on.
  void Start();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildInputSide();
  void BuildButtons();
  void BuildModeChoice();
  void BuildNormOptions(QGroupBox* options);
  void BuildIsotopyOptions(QGroupBox* options);
  void ConnectComputationWindow(PanelWindow& window);
  // Fills the lists and shows the defaults, as the first activation of the window does.
  void FirstActivation();
  // A list bound to one option: picking an item hands it to `change` (by default it is stored),
  // and the controls follow.
  QComboBox* OptionList(const char* name, std::span<const std::string_view> items,
                        int MainWindowOptions::*option, void (*change)(MainWindowOptions&, int) = nullptr);
  // A label with a list to the right of it.
  static QWidget* LabelledRow(const QString& label, QComboBox* list);
  // A braid pick list: `select` is the core's selection rule for it.
  QComboBox* PickList(QWidget* parent, const char* name, QRect geometry, const QStringList& entries,
                      int MainWindowOptions::*position, void (*select)(MainWindowOptions&, int));
  void PickFile(const PickedFile& file);
  // Shows the option state on the controls.
  void Sync();
  void ShowScreen(Screen screen);
  // Each run starts on fresh run state, as a command-line run does; only the random generator (it
  // goes on where the last run left it) and the tabled isotopy group carry over.
  void StartOnFreshWorkbench();

  MainWindowOptions options_;
  Screen screen_ = Screen::menu;
  bool running_ = false;
  RunEvents* runEvents_ = &NoRunEvents();

  PanelWindow* normWindow_;
  PanelWindow* isotopyWindow_;
  HelpWindow* normHelp_;
  HelpWindow* isotopyHelp_;
  AboutBox* about_;
  std::unique_ptr<QtSurface> surface_;
  std::unique_ptr<Workbench> workbench_;

  struct BoundList {
    QComboBox* list;
    int MainWindowOptions::*option;
  };
  std::vector<BoundList> boundLists_;
  struct PickListControl {
    QComboBox* list;
    int MainWindowOptions::*position;
  };
  std::vector<PickListControl> pickLists_;

  FilePicker* picker_ = nullptr;
  QLineEdit* nameBox_ = nullptr;
  QLineEdit* braidEdit_ = nullptr;
  BraidPicture* picture_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* normHelpButton_ = nullptr;
  QPushButton* isotopyHelpButton_ = nullptr;
  std::vector<QWidget*> modeChoice_;  // the two mode buttons and their descriptions
  QGroupBox* optionsBox_ = nullptr;
  QWidget* normPage_ = nullptr;     // the norm-mode options and the field list
  QWidget* isotopyPage_ = nullptr;  // the isotopy options group, the field and effort lists
  QWidget* sizeRow_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  QComboBox* sizebox_ = nullptr;
  QComboBox* fiberedbox_ = nullptr;
  QGroupBox* fieldGroup_ = nullptr;
  std::vector<QCheckBox*> fieldBoxes_;  // F_2 .. F_29
};

}  // namespace quarvel::ui
