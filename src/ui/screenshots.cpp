#include "ui/screenshots.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <iostream>

#include "group/knot_tables.h"
#include "ui/help_windows.h"
#include "ui/main_window.h"
#include "ui/panel_window.h"
#include "ui/qt_surface.h"

namespace quarvel::ui {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr qint64 kLongestRunMilliseconds = 300000;
constexpr QSize kLargestPicture(1920, 1400);

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
  // A computation window as its panels are now, grown until no panel needs to scroll.
  void TakeRun(MainWindow& main, PanelWindow& window, const QString& name) {
    main.Surface().RefreshPanels();
    window.show();
    window.GrowToShowAllText(kLargestPicture);
    Take(window, name);
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

// Runs Start; every 50 ms `onPoll` sees the run's flags. A run that goes on too long is asked to
// stop.
void RunPolling(MainWindow& window, const std::function<void(RunFlags&)>& onPoll) {
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    RunFlags& flags = window.Bench().panels.flags;
    onPoll(flags);
    if (clock.elapsed() > kLongestRunMilliseconds) flags.stopRequested = true;
  });
  poll.start(kPollMilliseconds);
  window.Start();
  poll.stop();
}

// Runs Start and photographs the computation window once the run ends or waits for the user
// (then the user is answered by leaving the window).
void RunAndTake(MainWindow& window, PanelWindow& computation, Camera& camera, const QString& name) {
  bool taken = false;
  RunPolling(window, [&](RunFlags& flags) {
    bool waiting = flags.paused && !flags.stopRequested;
    if (waiting && !taken) {
      camera.TakeRun(window, computation, name);
      taken = true;
    }
    if (waiting) flags.stopRequested = true;
  });
  if (!taken) camera.TakeRun(window, computation, name);
  computation.hide();
  computation.ResizeToFirstSize();
}

// Photographs the norm-mode window when an evaluated representation first satisfies `reached`,
// and ends the run there.
class NormRunCamera : public RunEvents {
 public:
  NormRunCamera(MainWindow& window, Camera& camera, QString name,
                std::function<bool(const RepresentationRecord&)> reached)
      : window_(window), camera_(camera), name_(std::move(name)), reached_(std::move(reached)) {}

  void RepresentationEvaluated(const RepresentationRecord& representation) override {
    if (taken_ || !reached_(representation)) return;
    camera_.TakeRun(window_, window_.NormWindow(), name_);
    taken_ = true;
    window_.Bench().panels.flags.stopRequested = true;
  }
  bool Taken() const { return taken_; }

 private:
  MainWindow& window_;
  Camera& camera_;
  QString name_;
  std::function<bool(const RepresentationRecord&)> reached_;
  bool taken_ = false;
};

void WriteSampleFiles() {
  QFile whitehead(QStringLiteral("whitehead.txt"));
  if (whitehead.open(QIODevice::WriteOnly))
    whitehead.write("Whitehead link\n-b-a-b+a+b-a-b-a+b+a+b-a-b+a+b+a\na0\nb1\n");
  QFile trefoil(QStringLiteral("trefoil.txt"));
  if (trefoil.open(QIODevice::WriteOnly)) trefoil.write("-b-a+c+a\n-a-c+b+c\n");
}

// The Conway knot in S_6: sixteen classes and a product too long for one line.
void TakeConwayIsotopyRun(MainWindow& window, Camera& camera) {
  Pick(window, "knotlist", FindKnot("11_401").knotList);
  Pick(window, "reptype_isotopy", 7);  // S_6
  RunAndTake(window, window.IsotopyWindow(), camera, "computation_isotopy_11_401_s6");
}

// The Conway knot in the norm mode with S_7 on V, up to the representation that first shows
// genus bound 3.
void TakeConwayNormRun(MainWindow& window, Camera& camera) {
  constexpr double kGenus = 3;
  window.SelectNormMode();
  Pick(window, "knotlist", FindKnot("11_401").knotList);
  Pick(window, "reptype", 0);  // S_k on V
  Pick(window, "sizebox", 4);  // k = 7
  Pick(window, "endbox", 0);   // never stop by itself
  NormRunCamera shot(window, camera, "computation_norm_11_401_genus_3",
                     [](const RepresentationRecord& r) { return r.bestBound >= kGenus; });
  window.SetRunEvents(shot);
  RunPolling(window, [](RunFlags&) {});
  window.SetRunEvents(NoRunEvents());
  window.NormWindow().hide();
  window.NormWindow().ResizeToFirstSize();
  if (!shot.Taken()) std::cerr << "quarvel: the norm run of 11_401 did not reach genus bound 3\n";
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
  TakeConwayIsotopyRun(window, camera);
  TakeConwayNormRun(window, camera);

  camera.Take(window.NormHelp(), "help");
  window.IsotopyHelp().ShowTopic(0);
  camera.Take(window.IsotopyHelp(), "help_isotopy");
  camera.Take(window.About(), "about");
  return camera.Failed() ? 1 : 0;
}

}  // namespace quarvel::ui
