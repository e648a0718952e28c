#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "app/nav_view_state.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"

// Start-up on a data folder: NAVBENCH_FOLDER, or the demo data beside the
// program. The window is shown on the offscreen platform.

namespace {

std::string folder() {
  const QByteArray env = qgetenv("NAVBENCH_FOLDER");
  return nav::withTrailingSeparator(env.isEmpty() ? std::string(NAVBENCH_DEFAULT_FOLDER) : env.toStdString());
}

void BM_LoadDatabase(benchmark::State& state) {
  const std::string db = folder() + "database/";
  for (auto _ : state) {
    nav::NavDatabase tables;
    nav::loadNavDatabase(db, tables);
    benchmark::DoNotOptimize(tables.airports.data());
    state.counters["records"] = static_cast<double>(tables.airportCount() + tables.navaidCount() +
                                                    tables.runwayCount() + tables.waypointCount() + tables.ilsCount());
  }
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);

// From the window's creation (start-up order: outline, settings, database)
// to its first paint of the map.
void BM_WindowShown(benchmark::State& state) {
  for (auto _ : state) {
    navui::TformNavView window(folder());
    window.resize(1600, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
    window.carte()->ensurePainted();
    benchmark::DoNotOptimize(window.carte()->mapImage().constBits());
    state.PauseTiming();
    window.hide();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
