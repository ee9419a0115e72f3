#include "ui/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "front/pick_lists.h"
#include "front/start.h"
#include "group/knot_tables.h"
#include "group/table_knots.h"
#include "isotopy/isotopy_driver.h"
#include "norm/norm_driver.h"
#include "ui/appearance.h"
#include "ui/braid_picture.h"
#include "ui/eliding_combo_box.h"
#include "ui/help_texts.h"
#include "ui/help_windows.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"

namespace quarvel::ui {
namespace {

constexpr QSize kWindowSize(1021, 664);
constexpr int kLineHeight = 24;
constexpr int kRowStep = 32;

// Left side.
constexpr QRect kFileGroup(16, 24, 344, 340);
constexpr QRect kBraidGroup(16, 376, 344, 210);
constexpr int kGroupInset = 12;
constexpr int kGroupInnerWidth = 320;
constexpr int kFindWidth = 96;  // the field that finds a table knot by name

// Middle column.
constexpr QRect kPicture(376, 32, 130, 220);
constexpr int kButtonX = 376;
constexpr QSize kButtonSize(130, 48);

// Right side.
constexpr QRect kOptionsGroup(520, 24, 485, 562);
constexpr QRect kNormModeButton(520, 32, 485, 56);
constexpr QRect kNormModeDescription(520, 96, 485, 150);
constexpr QRect kIsotopyModeButton(520, 288, 485, 56);
constexpr QRect kIsotopyModeDescription(520, 352, 485, 150);
constexpr int kRowSpacing = 8;
constexpr int kRowLabelWidth = 230;  // a label with its list to the right of it
constexpr int kSideListWidth = 150;
constexpr int kFieldColumns = 5;

QStringList Entries(int last, QString (*entry)(int)) {
  QStringList entries;
  for (int position = 0; position <= last; ++position) entries << entry(position);
  return entries;
}

QString KnotEntry(int position) {
  return QString::fromStdString(KnotListEntry(position));
}

QString ExampleEntry(int position) {
  std::string_view entry = ExamplesListEntry(position);
  return QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

QString MutantEntry(int position) {
  std::string_view entry = MutantsListEntry(position);
  return QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

QRect Row(int x, int row, int width) {
  return QRect(x, 24 + row * kRowStep, width, kLineHeight);
}

QLabel* Label(QWidget* parent, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  return label;
}

QPushButton* Button(QWidget* parent, const QString& text, const char* name, QRect geometry) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

QLabel* Description(QWidget* parent, const QString& text, QRect geometry) {
  QLabel* label = Label(parent, text, geometry);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  label->setFrameShape(QFrame::StyledPanel);
  label->setMargin(8);
  return label;
}

void SetShown(const std::vector<QWidget*>& widgets, bool shown) {
  for (QWidget* widget : widgets) widget->setVisible(shown);
}

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr) {
  setWindowTitle(QStringLiteral("Quarvel"));
  setFixedSize(kWindowSize);

  normWindow_ = new PanelWindow(NormWindowLayout(), this);
  isotopyWindow_ = new PanelWindow(IsotopyWindowLayout(), this);
  normHelp_ = new HelpWindow(tr("Help"), NormHelpTopics(), this);
  isotopyHelp_ = new HelpWindow(tr("Help: isotopy invariants"), IsotopyHelpTopics(), this);
  about_ = new AboutBox(this);
  surface_ = std::make_unique<QtSurface>(*normWindow_, *isotopyWindow_);
  workbench_ = std::make_unique<Workbench>(*surface_);
  ConnectComputationWindow(*normWindow_);
  ConnectComputationWindow(*isotopyWindow_);

  BuildInputSide();
  BuildButtons();
  BuildModeChoice();
  optionsBox_ = new QGroupBox(tr("Options"), this);
  optionsBox_->setObjectName("options");
  optionsBox_->setGeometry(kOptionsGroup);
  new QVBoxLayout(optionsBox_);
  BuildNormOptions(optionsBox_);
  BuildIsotopyOptions(optionsBox_);
  FirstActivation();
}

MainWindow::~MainWindow() = default;

void MainWindow::ConnectComputationWindow(PanelWindow& window) {
  connect(&window, &PanelWindow::pausePressed, this,
          [this] { surface_->TogglePause(workbench_->panels.flags); });
  connect(&window, &PanelWindow::leavePressed, this,
          [this] { surface_->LeaveRun(workbench_->panels.flags); });
}

void MainWindow::BuildInputSide() {
  auto* files = new QGroupBox(tr("Choose a file"), this);
  files->setGeometry(kFileGroup);
  picker_ = new FilePicker(files);
  picker_->move(kGroupInset, 22);
  connect(picker_, &FilePicker::filePicked, this, &MainWindow::PickFile);
  nameBox_ = new QLineEdit(files);
  nameBox_->setObjectName("fileName");
  nameBox_->setReadOnly(true);
  nameBox_->setPlaceholderText(tr("no file picked"));
  nameBox_->setGeometry(kGroupInset, 272, kGroupInnerWidth, kLineHeight);
  QComboBox* typegroup = OptionList("typegroup", kTypegroupItems, &MainWindowOptions::typegroup);
  typegroup->setParent(files);
  typegroup->setGeometry(kGroupInset, 304, kGroupInnerWidth, kLineHeight);

  auto* braids = new QGroupBox(QStringLiteral(" Pick or enter a braid description "), this);
  braids->setGeometry(kBraidGroup);
  braidEdit_ = new QLineEdit(braids);
  braidEdit_->setObjectName("braid");
  braidEdit_->setPlaceholderText(tr("{-1,2,-1,2}"));
  braidEdit_->setGeometry(Row(kGroupInset, 0, kGroupInnerWidth - kFindWidth - 8));
  auto* find = new QLineEdit(braids);
  find->setObjectName("findknot");
  find->setPlaceholderText(tr("find: 13_42"));
  find->setToolTip(
      QString::fromUtf8(kKnotNameSchemes.data(), static_cast<qsizetype>(kKnotNameSchemes.size())));
  find->setGeometry(Row(kGroupInset + kGroupInnerWidth - kFindWidth, 0, kFindWidth));
  connect(find, &QLineEdit::returnPressed, this, [this, find] {
    const bool found = tableKnotSelect(options_, find->text().trimmed().toStdString());
    find->setStyleSheet(found ? QString() : QStringLiteral("color: #b00000"));
    if (found) Sync();
  });
  connect(braidEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    options_.braidEditText = text.toStdString();
    picture_->SetBraidText(text);
  });
  PickList(braids, "knotlist", Row(kGroupInset, 1, kGroupInnerWidth), Entries(kKnotTableSize, KnotEntry),
           &MainWindowOptions::knotListPosition, knotListSelect);
  PickList(braids, "exampleslist", Row(kGroupInset, 2, kGroupInnerWidth),
           Entries(kExampleCount, ExampleEntry), &MainWindowOptions::examplesListPosition,
           examplesListSelect);
  PickList(braids, "mutantslist", Row(kGroupInset, 3, kGroupInnerWidth),
           Entries(MutantsListSize(), MutantEntry), &MainWindowOptions::mutantsListPosition,
           mutantsListSelect);
  QComboBox* closedbox = OptionList("closedbox", kClosedboxItems, &MainWindowOptions::closedbox);
  closedbox->setParent(braids);
  closedbox->setGeometry(Row(kGroupInset, 4, kGroupInnerWidth).translated(0, 12));

  picture_ = new BraidPicture(this);
  picture_->setObjectName("picture");
  picture_->setGeometry(kPicture);
}

void MainWindow::BuildButtons() {
  auto at = [](int y) { return QRect(QPoint(kButtonX, y), kButtonSize); };
  start_ = Button(this, tr("Start"), "start", at(264));
  back_ = Button(this, tr("Back to the main menu"), "back", at(336));
  normHelpButton_ = Button(this, tr("Help"), "help", at(408));
  isotopyHelpButton_ = Button(this, tr("Help"), "helpIsotopy", at(408));
  QPushButton* quit = Button(this, tr("Quit"), "quit", at(480));
  QPushButton* about = Button(this, tr("About"), "about", at(552));
  connect(start_, &QPushButton::clicked, this, &MainWindow::Start);
  connect(back_, &QPushButton::clicked, this, &MainWindow::BackToMainMenu);
  connect(normHelpButton_, &QPushButton::clicked, this, [this] {
    normHelp_->show();
    normHelp_->raise();
  });
  connect(isotopyHelpButton_, &QPushButton::clicked, this, [this] {
    isotopyHelp_->show();
    isotopyHelp_->raise();
  });
  connect(quit, &QPushButton::clicked, this, &QWidget::close);
  connect(about, &QPushButton::clicked, this, [this] {
    about_->show();
    about_->raise();
  });
}

void MainWindow::BuildModeChoice() {
  QPushButton* norm = Button(
      this,
      QStringLiteral("Alexander polynomials as fibration obstructions and lower bounds on the Thurston norm"),
      "normMode", kNormModeButton);
  QPushButton* isotopy = Button(this, QStringLiteral("Alexander polynomials as isotopy invariants"),
                                "isotopyMode", kIsotopyModeButton);
  connect(norm, &QPushButton::clicked, this, &MainWindow::SelectNormMode);
  connect(isotopy, &QPushButton::clicked, this, &MainWindow::SelectIsotopyMode);
  modeChoice_ = {norm, Description(this, NormModeDescription(), kNormModeDescription), isotopy,
                 Description(this, IsotopyModeDescription(), kIsotopyModeDescription)};
}

void MainWindow::BuildNormOptions(QGroupBox* options) {
  normPage_ = new QWidget(options);
  auto* rows = new QVBoxLayout(normPage_);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(kRowSpacing);
  rows->addWidget(
      LabelledRow(tr("Field:"), OptionList("fieldtype", kFieldtypeItems, &MainWindowOptions::fieldtype)));
  rows->addWidget(OptionList("reptype", kReptypeItems, &MainWindowOptions::reptype, reptypeChange));
  sizebox_ = OptionList("sizebox", {}, &MainWindowOptions::sizebox);
  sizeRow_ = LabelledRow(QString(), sizebox_);
  sizeLabel_ = sizeRow_->findChild<QLabel*>();
  sizeLabel_->setObjectName("sizeLabel");
  rows->addWidget(sizeRow_);
  fiberedbox_ = OptionList("fiberedbox", kFiberedboxItems, &MainWindowOptions::fiberedbox, fiberedboxChange);
  rows->addWidget(fiberedbox_);

  fieldGroup_ = new QGroupBox(tr("Choice of fields"));
  fieldGroup_->setObjectName("fields");
  auto* grid = new QGridLayout(fieldGroup_);
  for (int f = 1; f <= kSelectableFields; ++f) {
    const std::string_view text = kFieldCheckBoxTexts[static_cast<size_t>(f - 1)];
    auto* box = new QCheckBox(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    box->setObjectName(QStringLiteral("field%1").arg(f));
    grid->addWidget(box, (f - 1) / kFieldColumns, (f - 1) % kFieldColumns);
    connect(box, &QCheckBox::clicked, this, [this, f] {
      fieldCheckBoxClick(options_, f);
      Sync();
    });
    fieldBoxes_.push_back(box);
  }
  rows->addWidget(fieldGroup_);

  rows->addWidget(OptionList("imagesizebox", kImagesizeboxItems, &MainWindowOptions::imagesizebox));
  rows->addWidget(OptionList("endbox", kEndboxItems, &MainWindowOptions::endbox));
  rows->addWidget(LabelledRow(tr("Simplification of the presentation:"),
                              OptionList("fastbox", kFastboxItems, &MainWindowOptions::fastbox)));
  rows->addWidget(OptionList("savetype", kSavetypeItems, &MainWindowOptions::savetype));
  rows->addWidget(OptionList("savematrixtype", kSavematrixtypeItems, &MainWindowOptions::savematrixtype));
  rows->addStretch();
  options->layout()->addWidget(normPage_);
}

void MainWindow::BuildIsotopyOptions(QGroupBox* options) {
  isotopyPage_ = new QWidget(options);
  auto* rows = new QVBoxLayout(isotopyPage_);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(kRowSpacing);
  auto* group = new QGroupBox(tr("Isotopy invariants"));
  group->setObjectName("isotopyOptions");
  auto* groupRows = new QVBoxLayout(group);
  groupRows->setSpacing(kRowSpacing);
  groupRows->addWidget(
      OptionList("reptype_isotopy", kReptypeIsotopyItems, &MainWindowOptions::reptypeIsotopy));
  groupRows->addWidget(OptionList("nonabelian", kNonabelianItems, &MainWindowOptions::nonabelian));
  groupRows->addWidget(OptionList("torsion", kTorsionItems, &MainWindowOptions::torsion));
  groupRows->addWidget(
      OptionList("savetype_isotopy", kSavetypeIsotopyItems, &MainWindowOptions::savetypeIsotopy));
  rows->addWidget(group);
  rows->addSpacing(kRowSpacing);
  rows->addWidget(LabelledRow(
      tr("Field:"), OptionList("fieldtype_isotopy", kFieldtypeItems, &MainWindowOptions::fieldtypeIsotopy)));
  rows->addWidget(
      LabelledRow(tr("Simplification of the presentation:"),
                  OptionList("fastbox_isotopy", kFastboxIsotopyItems, &MainWindowOptions::fastboxIsotopy)));
  rows->addStretch();
  options->layout()->addWidget(isotopyPage_);
}

QWidget* MainWindow::LabelledRow(const QString& label, QComboBox* list) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* text = new QLabel(label);
  text->setFixedWidth(kRowLabelWidth);
  layout->addWidget(text);
  list->setFixedWidth(kSideListWidth);
  layout->addWidget(list);
  layout->addStretch();
  return row;
}

QComboBox* MainWindow::OptionList(const char* name, std::span<const std::string_view> items,
                                  int MainWindowOptions::*option, void (*change)(MainWindowOptions&, int)) {
  auto* list = new ElidingComboBox;
  list->setObjectName(name);
  list->setFixedHeight(kLineHeight);
  for (std::string_view item : items)
    list->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
  connect(list, &QComboBox::activated, this, [this, option, change](int item) {
    if (change) {
      change(options_, item);
    } else {
      options_.*option = item;
    }
    Sync();
  });
  boundLists_.push_back({list, option});
  return list;
}

QComboBox* MainWindow::PickList(QWidget* parent, const char* name, QRect geometry, const QStringList& entries,
                                int MainWindowOptions::*position, void (*select)(MainWindowOptions&, int)) {
  auto* list = new ElidingComboBox(parent);
  list->setObjectName(name);
  list->setFont(PickListFont());
  list->setGeometry(geometry);
  list->addItems(entries);
  connect(list, &QComboBox::activated, this, [this, select](int item) {
    select(options_, item);
    Sync();
  });
  pickLists_.push_back({list, position});
  return list;
}

void MainWindow::FirstActivation() {
  options_ = DefaultMainWindowOptions();
  Sync();
  ShowScreen(Screen::menu);
}

void MainWindow::PickFile(const PickedFile& file) {
  options_.pickedDirectory = file.directory.toStdString();
  options_.pickedName = file.name.toStdString();
  options_.fileNameBox = options_.pickedName;
  options_.braidEditText.clear();
  Sync();
}

void MainWindow::Sync() {
  QStringList sizes;
  for (const std::string& entry : options_.sizeEntries) sizes << QString::fromStdString(entry);
  QStringList shownSizes;
  for (int i = 0; i < sizebox_->count(); ++i) shownSizes << sizebox_->itemText(i);
  if (sizes != shownSizes) {
    QSignalBlocker block(sizebox_);
    sizebox_->clear();
    sizebox_->addItems(sizes);
  }
  for (const BoundList& bound : boundLists_) {
    QSignalBlocker block(bound.list);
    bound.list->setCurrentIndex(options_.*bound.option);
  }
  for (const PickListControl& pick : pickLists_) {
    QSignalBlocker block(pick.list);
    pick.list->setCurrentIndex(options_.*pick.position);
  }
  for (int f = 1; f <= kSelectableFields; ++f)
    fieldBoxes_[static_cast<size_t>(f - 1)]->setChecked(options_.fieldChecked[f]);
  sizeLabel_->setText(QString::fromStdString(options_.sizeLabel));

  QString braid = QString::fromStdString(options_.braidEditText);
  if (braidEdit_->text() != braid) braidEdit_->setText(braid);
  picture_->SetBraidText(braid);
  // The box names the picked file with its folder: the same name may live in many folders.
  const QString picked = options_.fileNameBox.empty()
                             ? QString()
                             : QString::fromStdString(options_.pickedDirectory + options_.fileNameBox);
  nameBox_->setText(picked);
  nameBox_->setToolTip(picked);

  sizeRow_->setVisible(options_.sizeListVisible);
  fiberedbox_->setVisible(options_.fiberedboxVisible);
  fieldGroup_->setVisible(options_.fieldGroupVisible);
}

void MainWindow::ShowScreen(Screen screen) {
  screen_ = screen;
  bool menu = screen == Screen::menu;
  SetShown(modeChoice_, menu);
  optionsBox_->setVisible(!menu);
  start_->setVisible(!menu);
  back_->setVisible(!menu);
  normPage_->setVisible(screen == Screen::norm);
  isotopyPage_->setVisible(screen == Screen::isotopy);
  normHelpButton_->setVisible(screen == Screen::norm);
  isotopyHelpButton_->setVisible(screen == Screen::isotopy);
  Sync();
}

void MainWindow::SelectNormMode() {
  options_.isotopyMode = false;
  ShowScreen(Screen::norm);
}

void MainWindow::SelectIsotopyMode() {
  options_.isotopyMode = true;
  ShowScreen(Screen::isotopy);
}

void MainWindow::BackToMainMenu() {
  ShowScreen(Screen::menu);
}

void MainWindow::StartOnFreshWorkbench() {
  auto fresh = std::make_unique<Workbench>(*surface_, *runEvents_);
  fresh->random = workbench_->random;
  fresh->isotopyGroup = std::move(workbench_->isotopyGroup);
  // In place: what holds a part of the workbench (a test watching the evaluation) keeps it.
  *workbench_ = std::move(*fresh);
}

void MainWindow::Start() {
  if (running_) return;
  StartOnFreshWorkbench();
  if (!TakeStartSettings(options_, *workbench_)) return;
  running_ = true;
  start_->setEnabled(false);
  surface_->BeginRun();
  if (workbench_->settings.isotopyMode) {
    RunIsotopy(*workbench_);
  } else {
    RunNormMode(*workbench_);
  }
  surface_->EndRun();
  start_->setEnabled(true);
  running_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run in progress ends at its next pumping point; Start's handler then returns into the
  // application's event loop, which quits.
  workbench_->panels.flags.stopRequested = true;
  for (QWidget* window : {static_cast<QWidget*>(normWindow_), static_cast<QWidget*>(isotopyWindow_),
                          static_cast<QWidget*>(normHelp_), static_cast<QWidget*>(isotopyHelp_),
                          static_cast<QWidget*>(about_)}) {
    window->hide();
  }
  event->accept();
  QCoreApplication::quit();
}

}  // namespace quarvel::ui
