#include "tools/ourairports.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>

#include "app/failure.h"
#include "tools/windows1252.h"

namespace navtools {

namespace {

constexpr double kArcSecondsPerDegree = 3600;
constexpr double kFullCircle = 360 * kArcSecondsPerDegree;

std::optional<double> parseNumber(const std::string& text) {
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

double number(const OurAirport& airport, const std::string& text, const char* what, double limit) {
  const std::optional<double> v = parseNumber(text);
  if (!v || std::abs(*v) > limit)
    nav::fail(fmt::format("airport {}: {} \"{}\" is not a number from -{} to {}", airport.id, what, text, limit, limit));
  return *v;
}

}  // namespace

std::string airportIdent(const OurAirport& airport) {
  constexpr std::size_t kWidth = 5;
  for (const std::string& code : {airport.gpsCode, airport.ident})
    if (!code.empty() && code.size() <= kWidth) return code;
  return {};
}

std::optional<RecordBytes> airportRecord(const OurAirport& airport, std::int32_t recId) {
  const std::string ident = airportIdent(airport);
  if (ident.empty()) return std::nullopt;
  if (airport.id.empty() || airport.id.size() > 10)
    nav::fail(fmt::format("airport \"{}\": its id does not fit the 10-character key", airport.id));

  const double lat = number(airport, airport.latitudeDeg, "latitude", 90) * kArcSecondsPerDegree;
  double lon = number(airport, airport.longitudeDeg, "longitude", 180) * kArcSecondsPerDegree;
  // The file keeps longitudes from 0 to 360 degrees.
  if (lon < 0) lon += kFullCircle;
  const auto elev = static_cast<std::int32_t>(std::lround(
      airport.elevationFt.empty() ? 0 : number(airport, airport.elevationFt, "elevation", 100000)));

  RecordBytes r(nav::AirportRecord::kSize);
  r.putI32(0, recId);
  r.putText(4, 10, airport.id);
  r.putText(18, 5, utf8ToWindows1252(ident));
  r.putText(23, 40, utf8ToWindows1252(airport.name));
  r.putText(63, 3, utf8ToWindows1252(airport.isoCountry));
  r.putF64(93, lat);
  r.putF64(101, lon);
  r.putI32(109, elev);
  r.putI32(174, elev);
  return r;
}

}  // namespace navtools
