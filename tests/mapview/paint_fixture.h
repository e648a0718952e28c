#pragma once

#include <cstring>
#include <string>

#include "app/nav_view_state.h"
#include "mapview/paint_context.h"
#include "mapview/recording_surface.h"

namespace navtest {

// A view of a w x h area at a zoom level and centre, every switch off, and
// empty tables that tests fill.
struct PaintFixture {
  nav::NavViewState state;
  RecordingSurface surface;

  PaintFixture(int w, int h, int mag, double lon = 0, double lat = 0) {
    state.settings.showGrid = false;
    state.settings.showMaps = false;
    nav::fitViewAbout(state.view, {.lat = lat, .lon = lon}, mag, w, h);
    state.pens = nav::createPens();
  }
  nav::Pen penSaved;
  nav::MapPaintContext context() {
    return {state.view, state.settings, state.db, state.outline, state.pens, penSaved, state.detailMag, '.'};
  }
  void run(void (*layer)(nav::MapSurface&, nav::MapPaintContext&)) {
    nav::MapPaintContext ctx = context();
    layer(surface, ctx);
  }
};

template <class Record>
void putText(Record& r, std::size_t offset, const std::string& text) {
  std::memcpy(r.bytes.data() + offset, text.data(), text.size());
}
template <class Record>
void putI32(Record& r, std::size_t offset, std::int32_t v) {
  for (int i = 0; i < 4; ++i)
    r.bytes[offset + i] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}
template <class Record>
void putF64(Record& r, std::size_t offset, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  for (int i = 0; i < 8; ++i) r.bytes[offset + i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

inline nav::NavaidRecord navaid(const std::string& ident, const std::string& name, double freq, int navType, double lat,
                                double lon) {
  nav::NavaidRecord r;
  putText(r, 14, ident);
  putText(r, 19, name);
  putF64(r, 59, freq);
  putI32(r, 89, navType);
  putF64(r, 101, lat);
  putF64(r, 109, lon);
  return r;
}

inline nav::AirportRecord airport(const std::string& dbky, const std::string& ident, const std::string& name,
                                  double lat, double lon) {
  nav::AirportRecord r;
  putText(r, 4, dbky);
  putText(r, 18, ident);
  putText(r, 23, name);
  putF64(r, 93, lat);
  putF64(r, 101, lon);
  return r;
}

inline nav::RunwayRecord runway(const std::string& aptKey, double lat1, double lon1, double lat2, double lon2) {
  nav::RunwayRecord r;
  putText(r, 14, aptKey);
  putF64(r, 63, lat1);
  putF64(r, 71, lon1);
  putF64(r, 159, lat2);
  putF64(r, 167, lon2);
  return r;
}

inline nav::IlsRecord ils(int type, const std::string& ident, const std::string& name, double freq, double lat,
                          double lon) {
  nav::IlsRecord r;
  putText(r, 28, ident);
  putText(r, 34, name);
  putI32(r, 74, type);
  putF64(r, 78, lat);
  putF64(r, 86, lon);
  putF64(r, 98, freq);
  return r;
}

inline nav::WaypointRecord waypoint(const std::string& ident, double lat, double lon, std::uint8_t hidden = 0) {
  nav::WaypointRecord r;
  putText(r, 14, ident);
  r.bytes[46] = hidden;
  putF64(r, 55, lat);
  putF64(r, 63, lon);
  return r;
}

}  // namespace navtest
