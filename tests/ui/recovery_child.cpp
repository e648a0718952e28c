// A window holding a plan, run as a process of its own by planning_test,
// which kills it: the plan must be on the disk by then. Drops a user point
// into the plan of the folder argv[1], then says "kept" once the plan's file
// is there, and waits to be killed.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "base/file_io.h"
#include "ui/main_window.h"
#include "ui/plan_editor.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  navui::TformNavView window(argv[1]);
  window.show();
  window.state().hover.userPoint = {"WPT0001", {.lat = 176000, .lon = 9000}};
  window.PLNgridDragDrop(QPoint(5, 5));
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!window.planEditor().recoveryPath().empty() && nav::fileExists(window.planEditor().recoveryPath())) {
      std::puts("kept");
      std::fflush(stdout);
      poll.stop();
    }
  });
  poll.start(50);
  return app.exec();
}
