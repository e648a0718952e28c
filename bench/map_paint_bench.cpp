#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "mapview/map_painter.h"
#include "mapview/outline_drawing.h"
#include "paint/qpainter_surface.h"
#include "synthetic_world.h"

namespace {

nav::NavViewState& world() {
  static nav::NavViewState state = [] {
    nav::NavViewState s;
    navbench::fillSyntheticWorld(s);
    s.pens = nav::createPens();
    return s;
  }();
  return state;
}

// Every layer and label on, the view of Europe at zoom level `mag`.
void setView(nav::NavViewState& s, std::int32_t mag) {
  nav::ViewSettings& on = s.settings;
  on.showGrid = on.showMaps = on.vor = on.ndb = on.airport = on.ils = on.marker = on.waypoint = true;
  on.name = on.id = on.freq = on.wptName = on.planning = true;
  nav::fitViewAbout(s.view, 8400, 176400, mag, 1600, 900);
}

void BM_PaintMap(benchmark::State& bench) {
  nav::NavViewState& s = world();
  setView(s, static_cast<std::int32_t>(bench.range(0)));
  QImage image(1600, 900, QImage::Format_RGB32);
  for (auto _ : bench) {
    navui::paintMapImage(image, s, '.');
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PaintMap)->Arg(1)->Arg(7)->Arg(10)->Unit(benchmark::kMillisecond);

// The same map on a screen of twice the density: four times the pixels.
void BM_PaintMapRatio2(benchmark::State& bench) {
  nav::NavViewState& s = world();
  setView(s, static_cast<std::int32_t>(bench.range(0)));
  QImage image(3200, 1800, QImage::Format_RGB32);
  image.setDevicePixelRatio(2);
  for (auto _ : bench) {
    navui::paintMapImage(image, s, '.');
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PaintMapRatio2)->Arg(1)->Arg(7)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_OutlineWalk(benchmark::State& bench) {
  nav::NavViewState& s = world();
  setView(s, static_cast<std::int32_t>(bench.range(0)));
  QImage image(1600, 900, QImage::Format_RGB32);
  for (auto _ : bench) {
    navui::QPainterSurface surface(image);
    nav::MapPaintContext ctx{s.view, s.settings, s.db, s.outline, s.pens, s.detailMag, '.'};
    nav::drawWorldOutline(surface, ctx);
  }
}
BENCHMARK(BM_OutlineWalk)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
