#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace nav {

static_assert(std::endian::native == std::endian::little, "records are read as the files store them: little-endian");

// The text of a fixed-width character field: up to its first NUL, or the whole
// width. Bytes are kept as they are (Windows-1252).
std::string fieldText(const std::uint8_t* field, std::size_t width);

// Stored longitudes run from 0 to 1296000 arc-seconds; above 648000 they are
// western longitudes plus 360 degrees.
inline double signedLon(double lon) { return lon > 648000 ? lon - 1296000 : lon; }

// Kind codes of the result grid, the plan rows and the saved-simulation file.
namespace typeCode {
inline constexpr std::string_view airport = "sarw";
inline constexpr std::string_view navaid = "snav";
inline constexpr std::string_view waypoint = "wywy";
inline constexpr std::string_view userWaypoint = "usrw";
}  // namespace typeCode

// The bytes of one database record exactly as the file holds them, read
// through little-endian accessors at the layout's offsets.
template <std::size_t N>
struct FixedRecord {
  static constexpr std::size_t kSize = N;
  std::array<std::uint8_t, N> bytes{};

 protected:
  // The layers read positions of hundreds of thousands of records at every
  // paint: one unaligned load each.
  std::int32_t i32(std::size_t offset) const {
    std::uint32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return static_cast<std::int32_t>(v);
  }
  double f64(std::size_t offset) const {
    double v;
    std::memcpy(&v, bytes.data() + offset, 8);
    return v;
  }
  std::string text(std::size_t offset, std::size_t width) const { return fieldText(bytes.data() + offset, width); }
  // The same text without a copy, for the paint.
  std::string_view textView(std::size_t offset, std::size_t width) const {
    const std::string_view whole = raw(offset, width);
    return whole.substr(0, std::min(whole.find('\0'), width));
  }
  // The whole width of a character field, bytes after a NUL included.
  std::string_view raw(std::size_t offset, std::size_t width) const {
    return {reinterpret_cast<const char*>(bytes.data() + offset), width};
  }
};

struct WaypointRecord : FixedRecord<105> {
  std::int32_t recId() const { return i32(0); }
  std::string dbky() const { return text(4, 10); }
  std::string ident() const { return text(14, 26); }
  std::string_view identView() const { return textView(14, 26); }
  std::string_view identField() const { return raw(14, 26); }
  std::string region() const { return text(40, 3); }
  std::uint8_t mapHidden() const { return bytes[46]; }
  std::int32_t wptType() const { return i32(51); }
  double lat() const { return f64(55); }
  double lon() const { return f64(63); }
};

struct AirportRecord : FixedRecord<260> {
  std::int32_t recId() const { return i32(0); }
  std::string dbky() const { return text(4, 10); }
  std::string_view dbkyField() const { return raw(4, 10); }
  std::string ident() const { return text(18, 5); }
  std::string name() const { return text(23, 40); }
  std::string region() const { return text(63, 3); }
  double lat() const { return f64(93); }
  double lon() const { return f64(101); }
  std::int32_t elev() const { return i32(109); }
  std::int32_t elev2() const { return i32(174); }
};

struct IlsRecord : FixedRecord<130> {
  std::int32_t recId() const { return i32(0); }
  std::string dbky() const { return text(4, 10); }
  std::string aptKey() const { return text(14, 10); }
  std::string rwyId() const { return text(24, 4); }
  std::string ident() const { return text(28, 6); }
  std::string name() const { return text(34, 40); }
  std::int32_t ilsType() const { return i32(74); }
  double lat() const { return f64(78); }
  double lon() const { return f64(86); }
  double freq() const { return f64(98); }
};

struct NavaidRecord : FixedRecord<129> {
  std::int32_t recId() const { return i32(0); }
  std::string dbky() const { return text(4, 10); }
  std::string ident() const { return text(14, 5); }
  std::string name() const { return text(19, 40); }
  double freq() const { return f64(59); }
  std::string region() const { return text(83, 3); }
  std::int32_t navType() const { return i32(89); }
  double lat() const { return f64(101); }
  double lon() const { return f64(109); }
  std::int32_t elev() const { return i32(117); }
};

struct RunwayRecord : FixedRecord<271> {
  std::string aptKey() const { return text(14, 10); }
  std::string_view aptKeyField() const { return raw(14, 10); }
  std::int32_t length() const { return i32(24); }
  std::string end1Id() const { return text(59, 4); }
  double end1Lat() const { return f64(63); }
  double end1Lon() const { return f64(71); }
  std::string end2Id() const { return text(155, 4); }
  double end2Lat() const { return f64(159); }
  double end2Lon() const { return f64(167); }
};

static_assert(sizeof(WaypointRecord) == 105 && sizeof(AirportRecord) == 260 && sizeof(IlsRecord) == 130 &&
              sizeof(NavaidRecord) == 129 && sizeof(RunwayRecord) == 271,
              "records are held exactly as the file lays them out");

}  // namespace nav
