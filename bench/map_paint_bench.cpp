#include <QGuiApplication>
#include <QImage>
#include <map>

#include "floor_table.h"
#include "mapview/outline_drawing.h"
#include "paint/map_image.h"
#include "paint/qpainter_surface.h"
#include "synthetic_world.h"

// The full paint of the map, every layer and label on, at 1600 x 900 over
// Europe, on the world-scale synthetic tables and on 2 and 4 times as much;
// and the same on a screen of twice the density, four times the pixels.

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

nav::NavViewState& world(int scale) {
  static std::map<int, nav::NavViewState> worlds;
  auto [it, added] = worlds.try_emplace(scale);
  if (added) {
    navbench::fillSyntheticWorld(it->second, scale);
    it->second.pens = nav::createPens();
  }
  return it->second;
}

nav::NavViewState& worldAt(int scale, std::int32_t mag) {
  nav::NavViewState& s = world(scale);
  navbench::setEveryLayer(s.settings);
  nav::fitViewAbout(s.view, {.lat = navbench::kEuropeLat, .lon = navbench::kEuropeLon}, mag, kWidth, kHeight);
  return s;
}

// The least a paint must do with the same data: clear the area, walk the
// outline (thinned as the paint thins it) and every table the layers walk,
// test each position against the view and set one pixel for each inside.
// From level 9 each visible airport also scans the runway table for its
// runways, as the paint must. At a ratio of 2 a pixel of the map is a
// square of four of the image's, all set.
void paintFloor(QImage& image, const nav::NavViewState& s, int ratio) {
  image.fill(Qt::white);
  auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
  const qsizetype stride = image.bytesPerLine() / 4;
  const auto w = static_cast<unsigned>(image.width() / ratio), h = static_cast<unsigned>(image.height() / ratio);
  const nav::Viewport& v = s.view;
  const auto plot = [&](double lon, double lat) {
    if (!v.contains({.lat = lat, .lon = lon})) return false;
    const nav::MapPixel p = v.GeoToPixel({.lat = lat, .lon = lon});
    if (static_cast<unsigned>(p.x) < w && static_cast<unsigned>(p.y) < h) {
      std::uint32_t* at = pixels + p.y * ratio * stride + p.x * ratio;
      if (ratio == 1) {
        *at = 0xFF000000u;
      } else {
        at[0] = at[1] = 0xFF000000u;
        at[stride] = at[stride + 1] = 0xFF000000u;
      }
    }
    return true;
  };

  const std::vector<float>& values = s.outline.values;
  const int period = nav::outlineThinningPeriod(v.mag);
  int passOver = 0;
  for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
    const double lon = values[i], lat = values[i + 1];
    if (lon == 0 && lat == 0) {
      passOver = 0;
    } else if (passOver > 0) {
      --passOver;
    } else {
      passOver = period - 1;
      plot(lon, lat);
    }
  }
  for (const nav::NavaidRecord& r : s.db.navaids) plot(nav::signedLon(r.lon()), r.lat());
  for (const nav::AirportRecord& a : s.db.airports) {
    if (!plot(nav::signedLon(a.lon()), a.lat()) || v.mag <= 8) continue;
    const std::string_view key = a.dbkyField();
    for (const nav::RunwayRecord& rw : s.db.runways) {
      if (rw.aptKeyField() != key) continue;
      plot(nav::signedLon(rw.end1Lon()), rw.end1Lat());
      plot(nav::signedLon(rw.end2Lon()), rw.end2Lat());
    }
  }
  for (const nav::IlsRecord& r : s.db.ilsComponents) plot(nav::signedLon(r.lon()), r.lat());
  for (const nav::WaypointRecord& r : s.db.waypoints)
    if (r.mapHidden() == 0) plot(nav::signedLon(r.lon()), r.lat());
}

void registerPaint(int mag, int scale, int ratio) {
  const std::string name = "paint/level:" + std::to_string(mag) +
                           (ratio != 1 ? "/ratio:" + std::to_string(ratio) : "") + "/x" + std::to_string(scale);
  const auto image = [ratio] {
    QImage out(ratio * kWidth, ratio * kHeight, QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    return out;
  };
  const auto pair = navbench::addPair(
      name, 1.3,
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = worldAt(scale, mag);
        QImage painted = image();
        const nav::FlightPlan plan;
        nav::Pen penSaved;
        for (auto _ : bench) {
          navui::paintMapImage(painted, s, plan, penSaved, '.');
          benchmark::DoNotOptimize(painted.bits());
        }
      },
      [=](benchmark::State& bench) {
        const nav::NavViewState& s = worldAt(scale, mag);
        QImage painted = image();
        for (auto _ : bench) {
          paintFloor(painted, s, ratio);
          benchmark::DoNotOptimize(painted.bits());
        }
      });
  pair.path->Unit(benchmark::kMillisecond);
  pair.floor->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  for (int ratio : {1, 2})
    for (int scale : {1, 2, 4})
      for (int mag : {1, 4, 7, 10, 13}) registerPaint(mag, scale, ratio);
  return navbench::runBenchmarks(argc, argv);
}
