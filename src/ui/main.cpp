// quarvel: the workbench. `quarvel --screenshots FOLDER` writes pictures of its windows instead.

#include <QApplication>
#include <iostream>

#include "ui/appearance.h"
#include "ui/main_window.h"
#include "ui/screenshots.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quarvel");
  QGuiApplication::setDesktopFileName("quarvel");
  quarvel::ui::ApplyWorkbenchLook(app);

  QStringList args = QApplication::arguments();
  qsizetype shots = args.indexOf("--screenshots");
  if (shots > 0) {
    if (shots + 1 >= args.size()) {
      std::cerr << "usage: quarvel [--screenshots FOLDER]\n";
      return 2;
    }
    return quarvel::ui::WriteScreenshots(args[shots + 1]);
  }
  quarvel::ui::MainWindow window;
  window.show();
  return QApplication::exec();
}
