#include "synthetic_world.h"

#include <cstring>
#include <random>
#include <string>

#include "app/settings_file.h"
#include "base/file_io.h"
#include "base/little_endian.h"
#include "tools/dbd_writer.h"

namespace navbench {

namespace {

template <class Record>
void putText(Record& r, std::size_t offset, const std::string& text) {
  std::memcpy(r.bytes.data() + offset, text.data(), text.size());
}
template <class Record>
void putI32(Record& r, std::size_t offset, std::int32_t v) {
  std::memcpy(r.bytes.data() + offset, &v, 4);
}
template <class Record>
void putF64(Record& r, std::size_t offset, double v) {
  std::memcpy(r.bytes.data() + offset, &v, 8);
}

struct Positions {
  std::mt19937 rng{20261208};
  std::uniform_real_distribution<double> lon{0, 1296000};
  std::normal_distribution<double> lat{120000, 90000};
  double latitude() {
    double v = lat(rng);
    return v > 300000 ? 300000 : v < -300000 ? -300000 : v;
  }
};

std::string ident(const char* prefix, std::size_t i) { return prefix + std::to_string(i % 100000); }

}  // namespace

void fillSyntheticWorld(nav::NavViewState& state, int scale) {
  Positions pos;
  nav::NavDatabase& db = state.db;
  const std::size_t n = static_cast<std::size_t>(scale);
  db.airports.resize(60000 * n);
  for (std::size_t i = 0; i < db.airports.size(); ++i) {
    auto& r = db.airports[i];
    putText(r, 4, "A" + std::to_string(i));
    putText(r, 18, ident("K", i).substr(0, 5));
    putText(r, 23, "Airport number " + std::to_string(i));
    putF64(r, 93, pos.latitude());
    putF64(r, 101, pos.lon(pos.rng));
  }
  db.runways.resize(80000 * n);
  for (std::size_t i = 0; i < db.runways.size(); ++i) {
    const auto& apt = db.airports[(i * 3) % db.airports.size()];
    auto& r = db.runways[i];
    std::memcpy(r.bytes.data() + 14, apt.bytes.data() + 4, 10);
    putF64(r, 63, apt.lat() - 30);
    putF64(r, 71, apt.lon() - 40);
    putF64(r, 159, apt.lat() + 30);
    putF64(r, 167, apt.lon() + 40);
  }
  db.navaids.resize(11000 * n);
  const std::int32_t kinds[] = {1, 17, 8, 4, 16};
  for (std::size_t i = 0; i < db.navaids.size(); ++i) {
    auto& r = db.navaids[i];
    putText(r, 14, ident("N", i).substr(0, 5));
    putText(r, 19, "Navaid " + std::to_string(i));
    putF64(r, 59, kinds[i % 5] == 8 ? 375 : 113.9);
    putI32(r, 89, kinds[i % 5]);
    putF64(r, 101, pos.latitude());
    putF64(r, 109, pos.lon(pos.rng));
  }
  db.waypoints.resize(250000 * n);
  for (std::size_t i = 0; i < db.waypoints.size(); ++i) {
    auto& r = db.waypoints[i];
    putText(r, 14, ident("W", i));
    putF64(r, 55, pos.latitude());
    putF64(r, 63, pos.lon(pos.rng));
  }
  db.ilsComponents.resize(20000 * n);
  const std::int32_t ilsKinds[] = {64, 128, 16, 512, 1024};
  for (std::size_t i = 0; i < db.ilsComponents.size(); ++i) {
    const auto& apt = db.airports[i % db.airports.size()];
    auto& r = db.ilsComponents[i];
    putText(r, 28, ident("I", i).substr(0, 6));
    putText(r, 34, "ILS " + std::to_string(i));
    putI32(r, 74, ilsKinds[i % 5]);
    putF64(r, 78, apt.lat() + 20);
    putF64(r, 86, apt.lon() + 20);
    putF64(r, 98, 110.3);
  }
  db.indexPositions();

  // Polylines of 250 points wandering in small steps, a separator between.
  std::uniform_real_distribution<double> step(-600, 600);
  std::vector<float>& v = state.outline.values;
  v.clear();
  v.reserve(2 * 502000 * n);
  while (v.size() < 2 * 500000 * n) {
    double lon = pos.lon(pos.rng) - 648000;
    double lat = pos.latitude();
    for (int k = 0; k < 250; ++k) {
      lon = std::clamp(lon + step(pos.rng), -647999.0, 647999.0);
      lat = std::clamp(lat + step(pos.rng), -323999.0, 323999.0);
      v.push_back(static_cast<float>(lon));
      v.push_back(static_cast<float>(lat == 0 && lon == 0 ? 1 : lat));
    }
    v.push_back(0);
    v.push_back(0);
  }
  state.outline.outlineLoaded = true;
}

void setEveryLayer(nav::ViewSettings& on) {
  on.showGrid = on.showMaps = on.vor = on.ndb = on.airport = on.ils = on.marker = on.waypoint = true;
  on.name = on.id = on.freq = on.wptName = on.planning = true;
}

void writeSyntheticFolder(const std::string& folder, int scale) {
  nav::NavViewState s;
  fillSyntheticWorld(s, scale);
  navtools::DatabaseFolder out;
  for (const auto& r : s.db.waypoints) out.waypoints.append(r);
  for (const auto& r : s.db.airports) out.airports.append(r);
  for (const auto& r : s.db.ilsComponents) out.ilsComponents.append(r);
  for (const auto& r : s.db.navaids) out.navaids.append(r);
  for (const auto& r : s.db.runways) out.runways.append(r);
  out.write(folder);

  const std::vector<float>& v = s.outline.values;
  std::string bytes(v.size() * 4, '\0');
  for (std::size_t i = 0; i < v.size(); ++i) nav::storeLittleEndian(bytes.data() + 4 * i, v[i]);
  const std::string base = nav::withTrailingSeparator(folder);
  nav::replaceFileContent(base + nav::kWorldOutlineFile, bytes, "Cannot write the outline");

  setEveryLayer(s.settings);
  nav::fitViewAbout(s.view, {.lat = kEuropeLat, .lon = kEuropeLon}, 7, 1600, 900);
  nav::saveViewSettings(base + nav::kSettingsFile, s.settings, s.view, '.');
}

}  // namespace navbench
