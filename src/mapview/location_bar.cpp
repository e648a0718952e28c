#include "mapview/location_bar.h"

#include <fmt/format.h>

#include <cmath>

#include "base/number_format.h"

namespace nav {

namespace {

std::string fixed86(double v, char sep) {
  std::string out = fmt::format("{:8.6f}", v);
  if (sep != '.')
    if (auto dot = out.find('.'); dot != std::string::npos) out[dot] = sep;
  return out;
}

}  // namespace

std::string locationBarText(const Viewport& view, char decimalSeparator) {
  const double cLon = (view.left + view.right) / 3600 / 2;
  const double cLat = (view.top + view.bottom) / 3600 / 2;
  const char lonLetter = cLon >= 0 ? 'E' : 'W';
  const char latLetter = cLat >= 0 ? 'N' : 'S';
  const Dms lat = dmsOf(std::fabs(view.top + view.bottom) / 2);
  const Dms lon = dmsOf(std::fabs(view.left + view.right) / 2);
  const std::int32_t w = truncToInt32(view.right - view.left) / 60;
  const std::int32_t h = truncToInt32(view.top - view.bottom) / 60;
  return fmt::format("center: {}, {} ({}\xB0 {}' {}\"{}, {}\xB0 {}' {}\"{}),  size: {} by {} nm",
                     fixed86(cLat, decimalSeparator), fixed86(cLon, decimalSeparator), lat.d, lat.m, lat.s, latLetter,
                     lon.d, lon.m, lon.s, lonLetter, w, h);
}

}  // namespace nav
