#include "tools/ourairports.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/geo_position.h"
#include "base/windows1252.h"
#include "navdata/records.h"
#include "tools/csv_reader.h"

namespace navtools {

namespace {

namespace fs = std::filesystem;

using nav::kArcSecondsPerDegree;
constexpr double kFullCircle = 360 * kArcSecondsPerDegree;
constexpr double kMetresPerFoot = 0.3048;
constexpr std::size_t kKeyWidth = 10;
constexpr std::size_t kIdentWidth = 5;
constexpr std::size_t kRunwayEndWidth = 4;

std::optional<double> parseNumber(const std::string& text) {
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

// None when `text` is a number from `low` to `high`, put in `v`.
std::optional<RowFault> number(const std::string& text, const char* column, double low, double high, double& v) {
  const std::optional<double> parsed = parseNumber(text);
  if (parsed && *parsed >= low && *parsed <= high) {
    v = *parsed;
    return std::nullopt;
  }
  return RowFault{fmt::format("{} not a number from {} to {}", column, low, high),
                  fmt::format("{} \"{}\" is not a number from {} to {}", column, text, low, high)};
}

// An empty text is 0.
std::optional<RowFault> optionalNumber(const std::string& text, const char* column, double low, double high,
                                       double& v) {
  v = 0;
  return text.empty() ? std::nullopt : number(text, column, low, high, v);
}

std::optional<RowFault> optionalFeet(const std::string& text, const char* column, std::int32_t& feet) {
  double v = 0;
  if (auto fault = optionalNumber(text, column, -100000, 100000, v)) return fault;
  feet = static_cast<std::int32_t>(std::lround(v));
  return std::nullopt;
}

std::optional<RowFault> storedPosition(const std::string& lat, const std::string& lon, const char* latColumn,
                                       const char* lonColumn, nav::GeoPosition& p) {
  double latDeg = 0, lonDeg = 0;
  if (auto fault = number(lat, latColumn, -90, 90, latDeg)) return fault;
  if (auto fault = number(lon, lonColumn, -180, 180, lonDeg)) return fault;
  p = {.lat = latDeg * kArcSecondsPerDegree, .lon = lonDeg * kArcSecondsPerDegree};
  // A stored longitude: the files keep longitudes from 0 to 360 degrees.
  if (p.lon < 0) p.lon += kFullCircle;
  return std::nullopt;
}

RowFault noPosition(const char* columns) { return {"no position", fmt::format("no position: {} empty", columns)}; }

std::optional<RowFault> keyFault(const std::string& id) {
  if (!id.empty() && id.size() <= kKeyWidth) return std::nullopt;
  return RowFault{fmt::format("id not of 1 to {} characters", kKeyWidth),
                  fmt::format("id \"{}\" is not of 1 to {} characters", id, kKeyWidth)};
}

// A name on one line: the result grid, the popup and the saved plans are
// line-based, and quoted CSV fields may hold line ends.
std::string oneLineWindows1252(const std::string& utf8) {
  std::string text = nav::utf8ToWindows1252(utf8);
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

}  // namespace

std::string airportIdent(const OurAirport& airport) {
  for (const std::string& code : {airport.icaoCode, airport.gpsCode, airport.ident})
    if (!code.empty() && code.size() <= kIdentWidth) return code;
  return {};
}

RecordOrFault<nav::AirportRecord> airportRecord(const OurAirport& airport, std::int32_t recId) {
  if (auto fault = keyFault(airport.id)) return *fault;
  const std::string ident = airportIdent(airport);
  if (ident.empty())
    return RowFault{"no identifier of 1 to 5 characters",
                    fmt::format("no identifier of 1 to 5 characters: icao_code \"{}\", gps_code \"{}\", ident \"{}\"",
                                airport.icaoCode, airport.gpsCode, airport.ident)};
  if (airport.latitudeDeg.empty() || airport.longitudeDeg.empty()) return noPosition("latitude_deg or longitude_deg");
  nav::GeoPosition p;
  if (auto fault = storedPosition(airport.latitudeDeg, airport.longitudeDeg, "latitude_deg", "longitude_deg", p))
    return *fault;
  std::int32_t elev = 0;
  if (auto fault = optionalFeet(airport.elevationFt, "elevation_ft", elev)) return *fault;

  namespace f = nav::airportField;
  nav::AirportRecord r;
  r.put(f::recId, recId);
  r.put(f::dbky, airport.id);
  r.put(f::ident, nav::utf8ToWindows1252(ident));
  r.put(f::name, oneLineWindows1252(airport.name));
  r.put(f::region, nav::utf8ToWindows1252(airport.isoCountry));
  r.put(f::lat, p.lat);
  r.put(f::lon, p.lon);
  r.put(f::elev, elev);
  r.put(f::elev2, elev);
  return r;
}

RecordOrFault<nav::RunwayRecord> runwayRecord(const OurRunway& runway) {
  for (const std::string* coordinate :
       {&runway.leLatitudeDeg, &runway.leLongitudeDeg, &runway.heLatitudeDeg, &runway.heLongitudeDeg})
    if (coordinate->empty())
      return noPosition("one of le_latitude_deg, le_longitude_deg, he_latitude_deg, he_longitude_deg");
  // A cut end ident would name another runway end.
  for (const auto& [column, ident] : {std::pair{"le_ident", &runway.leIdent}, std::pair{"he_ident", &runway.heIdent}})
    if (ident->size() > kRunwayEndWidth)
      return RowFault{fmt::format("{} longer than {} characters", column, kRunwayEndWidth),
                      fmt::format("{} \"{}\" is longer than {} characters", column, *ident, kRunwayEndWidth)};
  nav::GeoPosition le, he;
  if (auto fault =
          storedPosition(runway.leLatitudeDeg, runway.leLongitudeDeg, "le_latitude_deg", "le_longitude_deg", le))
    return *fault;
  if (auto fault =
          storedPosition(runway.heLatitudeDeg, runway.heLongitudeDeg, "he_latitude_deg", "he_longitude_deg", he))
    return *fault;
  double lengthFt = 0;
  if (auto fault = optionalNumber(runway.lengthFt, "length_ft", 0, 100000, lengthFt)) return *fault;

  namespace f = nav::runwayField;
  nav::RunwayRecord r;
  r.put(f::aptKey, runway.airportId);
  r.put(f::length, static_cast<std::int32_t>(std::lround(lengthFt * kMetresPerFoot)));
  r.put(f::end1Id, nav::utf8ToWindows1252(runway.leIdent));
  r.put(f::end1Lat, le.lat);
  r.put(f::end1Lon, le.lon);
  r.put(f::end2Id, nav::utf8ToWindows1252(runway.heIdent));
  r.put(f::end2Lat, he.lat);
  r.put(f::end2Lon, he.lon);
  return r;
}

std::int32_t navaidType(std::string_view type) {
  if (type == "VOR") return nav::navType::vor;
  if (type == "VOR-DME" || type == "VORTAC") return nav::navType::vorDme;
  if (type == "NDB" || type == "NDB-DME") return nav::navType::ndb;
  if (type == "TACAN") return nav::navType::tacan;
  if (type == "DME") return nav::navType::dme;
  return 0;
}

RecordOrFault<nav::NavaidRecord> navaidRecord(const OurNavaid& navaid, std::int32_t recId) {
  const std::int32_t navType = navaidType(navaid.type);
  if (navType == 0) {
    const std::string text = fmt::format("type {} has no place in the database", navaid.type);
    return RowFault{text, text};
  }
  if (auto fault = keyFault(navaid.id)) return *fault;
  // Searches and plans find a station by its ident: a cut one would be another's.
  if (navaid.ident.empty() || navaid.ident.size() > kIdentWidth)
    return RowFault{fmt::format("ident not of 1 to {} characters", kIdentWidth),
                    fmt::format("ident \"{}\" is not of 1 to {} characters", navaid.ident, kIdentWidth)};
  if (navaid.latitudeDeg.empty() || navaid.longitudeDeg.empty()) return noPosition("latitude_deg or longitude_deg");
  nav::GeoPosition p;
  if (auto fault = storedPosition(navaid.latitudeDeg, navaid.longitudeDeg, "latitude_deg", "longitude_deg", p))
    return *fault;
  // OurAirports keeps stations that no longer transmit, with -1: shown, they
  // would be planned on.
  if (parseNumber(navaid.frequencyKhz) == -1.0) {
    const std::string text = "closed station: frequency_khz -1";
    return RowFault{text, text};
  }
  double khz = 0;
  if (auto fault = optionalNumber(navaid.frequencyKhz, "frequency_khz", 0, 1e7, khz)) return *fault;
  std::int32_t elev = 0;
  if (auto fault = optionalFeet(navaid.elevationFt, "elevation_ft", elev)) return *fault;
  // The program shows NDB frequencies in kHz and all others in MHz.
  const double freq = (navType & nav::navType::ndb) ? khz : khz / 1000;

  namespace f = nav::navaidField;
  nav::NavaidRecord r;
  r.put(f::recId, recId);
  r.put(f::dbky, navaid.id);
  r.put(f::ident, nav::utf8ToWindows1252(navaid.ident));
  r.put(f::name, oneLineWindows1252(navaid.name));
  r.put(f::freq, freq);
  r.put(f::region, nav::utf8ToWindows1252(navaid.isoCountry));
  r.put(f::navType, navType);
  r.put(f::lat, p.lat);
  r.put(f::lon, p.lon);
  r.put(f::elev, elev);
  return r;
}

}  // namespace navtools
