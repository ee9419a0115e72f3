#include "ui/screenshots.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "group/knot_tables.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/panel_window.h"

namespace quarvel::ui {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr qint64 kLongestRunMilliseconds = 120000;

class Camera {
 public:
  explicit Camera(const QString& folder) : folder_(folder) {}

  void Take(QWidget& widget, const QString& name) {
    widget.show();
    QString path = folder_.filePath(name + ".png");
    if (!widget.grab().save(path)) {
      std::cerr << "quarvel: cannot write " << path.toStdString() << '\n';
      failed_ = true;
    }
  }
  bool Failed() const { return failed_; }

 private:
  QDir folder_;
  bool failed_ = false;
};

void Pick(MainWindow& window, const char* list, int item) {
  auto* box = window.findChild<QComboBox*>(list);
  box->setCurrentIndex(item);
  Q_EMIT box->activated(item);
}

// Runs Start and photographs the computation window once the run ends or waits for the user
// (then the user is answered by leaving the window).
void RunAndTake(MainWindow& window, PanelWindow& computation, Camera& camera, const QString& name) {
  bool taken = false;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    RunFlags& flags = window.Bench().panels.flags;
    bool waiting = flags.paused && !flags.stopRequested;
    if (waiting && !taken) {
      camera.Take(computation, name);
      taken = true;
    }
    if (waiting || clock.elapsed() > kLongestRunMilliseconds) flags.stopRequested = true;
  });
  poll.start(kPollMilliseconds);
  window.Start();
  poll.stop();
  if (!taken) camera.Take(computation, name);
  computation.hide();
}

void WriteSampleFiles() {
  QFile whitehead(QStringLiteral("whitehead.txt"));
  if (whitehead.open(QIODevice::WriteOnly))
    whitehead.write("Whitehead link\n-b-a-b+a+b-a-b-a+b+a+b-a-b+a+b+a\na0\nb1\n");
  QFile trefoil(QStringLiteral("trefoil.txt"));
  if (trefoil.open(QIODevice::WriteOnly)) trefoil.write("-b-a+c+a\n-a-c+b+c\n");
}

}  // namespace

int WriteScreenshots(const QString& folder) {
  if (!QDir().mkpath(folder)) {
    std::cerr << "quarvel: cannot create " << folder.toStdString() << '\n';
    return 1;
  }
  Camera camera(QDir(folder).absolutePath());
  // The file picker opens in the working folder: a temporary one with two presentation files.
  QTemporaryDir work;
  QDir::setCurrent(work.path());
  WriteSampleFiles();
  MainWindow window;
  camera.Take(window, "main_window");

  window.SelectNormMode();
  Pick(window, "knotlist", FindKnot("4_1").knotList);
  Pick(window, "endbox", 1);  // stop at the first non-trivial representation
  camera.Take(window, "main_window_norm");
  RunAndTake(window, window.NormWindow(), camera, "computation_norm");

  window.SelectIsotopyMode();
  Pick(window, "reptype_isotopy", 3);  // S_4
  camera.Take(window, "main_window_isotopy");
  RunAndTake(window, window.IsotopyWindow(), camera, "computation_isotopy");

  camera.Take(window.NormHelp(), "help");
  window.IsotopyHelp().ShowTopic(0);
  camera.Take(window.IsotopyHelp(), "help_isotopy");
  camera.Take(window.About(), "about");
  return camera.Failed() ? 1 : 0;
}

}  // namespace quarvel::ui
