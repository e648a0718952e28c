#include <sys/resource.h>

#include <QApplication>
#include <QTest>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/map_widget.h"

// windowmemory FOLDER: starts the window on FOLDER (offscreen, 1600 x 900),
// paints the map once and prints the peak resident memory of the process
// beside the size of the tables and the outline it holds.

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Usage: windowmemory FOLDER\n");
    return 2;
  }
  navui::TformNavView window(argv[1]);
  window.resize(1600, 900);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.carte()->ensurePainted();

  const nav::NavDatabase& db = window.state().db;
  const double tables =
      static_cast<double>(db.waypointCount() * nav::WaypointRecord::kSize +
                          db.airportCount() * nav::AirportRecord::kSize + db.ilsCount() * nav::IlsRecord::kSize +
                          db.navaidCount() * nav::NavaidRecord::kSize + db.runwayCount() * nav::RunwayRecord::kSize);
  const double outline = static_cast<double>(window.state().outline.values.size() * sizeof(float));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double mib = 1024.0 * 1024.0;
  std::printf("%.1f\t%.1f\t%.1f\n", tables / mib, outline / mib, static_cast<double>(usage.ru_maxrss) * 1024 / mib);
  return 0;
}
