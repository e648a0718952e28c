#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/little_endian.h"

namespace nav {

// The world in arc-seconds. Signed longitudes run from -kHalfTurn to
// kHalfTurn; stored ones (records, plan cells, user points) from 0 to
// kFullTurn, above kHalfTurn a western longitude plus 360 degrees.
inline constexpr double kArcSecondsPerDegree = 3600;
inline constexpr double kHalfTurn = 648000;     // 180 degrees: the world's east and west edges
inline constexpr double kQuarterTurn = 324000;  // 90 degrees: the poles
inline constexpr double kFullTurn = 1296000;    // 360 degrees

// The text of a fixed-width character field: up to its first NUL, or the whole
// width. Bytes are kept as they are (Windows-1252). Found with a loop of its
// own: the fields are a few bytes long, and a call to find the NUL in each
// cost more than the walks that read them.
inline std::string_view fieldView(const std::uint8_t* field, std::size_t width) {
  const char* text = reinterpret_cast<const char*>(field);
  std::size_t length = 0;
  while (length < width && text[length] != '\0') ++length;
  return {text, length};
}
inline std::string fieldText(const std::uint8_t* field, std::size_t width) {
  return std::string(fieldView(field, width));
}

// A stored longitude in the signed form; exactly 648000 stays east.
inline double signedLon(double lon) { return lon > kHalfTurn ? lon - kFullTurn : lon; }

// Kind codes of the result grid, the plan rows and the saved-simulation file.
namespace typeCode {
inline constexpr std::string_view airport = "sarw";
inline constexpr std::string_view navaid = "snav";
inline constexpr std::string_view waypoint = "wywy";
inline constexpr std::string_view userWaypoint = "usrw";
}  // namespace typeCode

// The services of a radio navaid, bits of its navType.
namespace navType {
inline constexpr std::int32_t vor = 1;
inline constexpr std::int32_t tacan = 4;
inline constexpr std::int32_t ndb = 8;
inline constexpr std::int32_t dme = 16;
inline constexpr std::int32_t vorDme = vor | dme;
}  // namespace navType

// The kinds of ILS component, their ilsType.
namespace ilsType {
inline constexpr std::int32_t dme = 16;
inline constexpr std::int32_t localizer = 64;  // the one labelled on the map
inline constexpr std::int32_t glideSlope = 128;
inline constexpr std::int32_t outerMarker = 512;
inline constexpr std::int32_t middleMarker = 1024;
inline constexpr std::int32_t innerMarker = 2048;
inline constexpr bool isMarker(std::int32_t t) { return t == outerMarker || t == middleMarker || t == innerMarker; }
}  // namespace ilsType

// Where a field lies in its record; the one description of each layout, read
// by the accessors below and written by the converters that build files.
struct TextField {
  std::size_t offset;
  std::size_t width;
};
struct Int32Field {
  std::size_t offset;
};
struct RealField {  // a 64-bit real
  std::size_t offset;
};
struct ByteField {
  std::size_t offset;
};

namespace waypointField {
inline constexpr Int32Field recId{0};
inline constexpr TextField dbky{4, 10};
inline constexpr TextField ident{14, 26};
inline constexpr TextField region{40, 3};
inline constexpr ByteField mapHidden{46};
inline constexpr Int32Field wptType{51};
inline constexpr RealField lat{55};
inline constexpr RealField lon{63};
}  // namespace waypointField

namespace airportField {
inline constexpr Int32Field recId{0};
inline constexpr TextField dbky{4, 10};
inline constexpr TextField ident{18, 5};
inline constexpr TextField name{23, 40};
inline constexpr TextField region{63, 3};
inline constexpr RealField lat{93};
inline constexpr RealField lon{101};
inline constexpr Int32Field elev{109};
inline constexpr Int32Field elev2{174};
}  // namespace airportField

namespace ilsField {
inline constexpr Int32Field recId{0};
inline constexpr TextField dbky{4, 10};
inline constexpr TextField aptKey{14, 10};
inline constexpr TextField rwyId{24, 4};
inline constexpr TextField ident{28, 6};
inline constexpr TextField name{34, 40};
inline constexpr Int32Field ilsType{74};
inline constexpr RealField lat{78};
inline constexpr RealField lon{86};
inline constexpr RealField freq{98};
}  // namespace ilsField

namespace navaidField {
inline constexpr Int32Field recId{0};
inline constexpr TextField dbky{4, 10};
inline constexpr TextField ident{14, 5};
inline constexpr TextField name{19, 40};
inline constexpr RealField freq{59};
inline constexpr TextField region{83, 3};
inline constexpr Int32Field navType{89};
inline constexpr RealField lat{101};
inline constexpr RealField lon{109};
inline constexpr Int32Field elev{117};
}  // namespace navaidField

namespace runwayField {
inline constexpr TextField aptKey{14, 10};
inline constexpr Int32Field length{24};
// The second end's block lies 96 bytes after the first's.
inline constexpr TextField end1Id{59, 4};
inline constexpr RealField end1Lat{63};
inline constexpr RealField end1Lon{71};
inline constexpr TextField end2Id{155, 4};
inline constexpr RealField end2Lat{159};
inline constexpr RealField end2Lon{167};
}  // namespace runwayField

// The bytes of one database record exactly as the file holds them, read and
// written field by field.
template <std::size_t N>
struct FixedRecord {
  static constexpr std::size_t kSize = N;
  std::array<std::uint8_t, N> bytes{};

  // The layers read positions of hundreds of thousands of records at every
  // paint: one unaligned load each.
  std::int32_t get(Int32Field f) const { return loadLittleEndian<std::int32_t>(bytes.data() + f.offset); }
  double get(RealField f) const { return loadLittleEndian<double>(bytes.data() + f.offset); }
  std::uint8_t get(ByteField f) const { return bytes[f.offset]; }
  std::string get(TextField f) const { return fieldText(bytes.data() + f.offset, f.width); }
  // The same text without a copy, for the paint.
  std::string_view view(TextField f) const { return fieldView(bytes.data() + f.offset, f.width); }
  // The whole width of a character field, bytes after a NUL included.
  std::string_view raw(TextField f) const { return {reinterpret_cast<const char*>(bytes.data() + f.offset), f.width}; }

  void put(Int32Field f, std::int32_t v) { storeLittleEndian(bytes.data() + f.offset, v); }
  void put(RealField f, double v) { storeLittleEndian(bytes.data() + f.offset, v); }
  void put(ByteField f, std::uint8_t v) { bytes[f.offset] = v; }
  // Windows-1252 bytes, cut to the field; a shorter text leaves NULs after it.
  void put(TextField f, std::string_view text) {
    std::fill_n(bytes.data() + f.offset, f.width, std::uint8_t{0});
    std::memcpy(bytes.data() + f.offset, text.data(), std::min(text.size(), f.width));
  }
};

struct WaypointRecord : FixedRecord<105> {
  std::int32_t recId() const { return get(waypointField::recId); }
  std::string dbky() const { return get(waypointField::dbky); }
  std::string ident() const { return get(waypointField::ident); }
  std::string_view identView() const { return view(waypointField::ident); }
  std::string region() const { return get(waypointField::region); }
  std::uint8_t mapHidden() const { return get(waypointField::mapHidden); }
  std::int32_t wptType() const { return get(waypointField::wptType); }
  double lat() const { return get(waypointField::lat); }
  double lon() const { return get(waypointField::lon); }
};

struct AirportRecord : FixedRecord<260> {
  std::int32_t recId() const { return get(airportField::recId); }
  std::string dbky() const { return get(airportField::dbky); }
  std::string_view dbkyField() const { return raw(airportField::dbky); }
  std::string ident() const { return get(airportField::ident); }
  std::string name() const { return get(airportField::name); }
  std::string region() const { return get(airportField::region); }
  double lat() const { return get(airportField::lat); }
  double lon() const { return get(airportField::lon); }
  std::int32_t elev() const { return get(airportField::elev); }
  std::int32_t elev2() const { return get(airportField::elev2); }
};

struct IlsRecord : FixedRecord<130> {
  std::int32_t recId() const { return get(ilsField::recId); }
  std::string dbky() const { return get(ilsField::dbky); }
  std::string aptKey() const { return get(ilsField::aptKey); }
  std::string rwyId() const { return get(ilsField::rwyId); }
  std::string ident() const { return get(ilsField::ident); }
  std::string name() const { return get(ilsField::name); }
  std::int32_t ilsType() const { return get(ilsField::ilsType); }
  double lat() const { return get(ilsField::lat); }
  double lon() const { return get(ilsField::lon); }
  double freq() const { return get(ilsField::freq); }
};

struct NavaidRecord : FixedRecord<129> {
  std::int32_t recId() const { return get(navaidField::recId); }
  std::string dbky() const { return get(navaidField::dbky); }
  std::string ident() const { return get(navaidField::ident); }
  std::string name() const { return get(navaidField::name); }
  double freq() const { return get(navaidField::freq); }
  std::string region() const { return get(navaidField::region); }
  std::int32_t navType() const { return get(navaidField::navType); }
  double lat() const { return get(navaidField::lat); }
  double lon() const { return get(navaidField::lon); }
  std::int32_t elev() const { return get(navaidField::elev); }
};

struct RunwayRecord : FixedRecord<271> {
  std::string aptKey() const { return get(runwayField::aptKey); }
  std::string_view aptKeyField() const { return raw(runwayField::aptKey); }
  std::int32_t length() const { return get(runwayField::length); }
  std::string end1Id() const { return get(runwayField::end1Id); }
  double end1Lat() const { return get(runwayField::end1Lat); }
  double end1Lon() const { return get(runwayField::end1Lon); }
  std::string end2Id() const { return get(runwayField::end2Id); }
  double end2Lat() const { return get(runwayField::end2Lat); }
  double end2Lon() const { return get(runwayField::end2Lon); }
};

static_assert(sizeof(WaypointRecord) == 105 && sizeof(AirportRecord) == 260 && sizeof(IlsRecord) == 130 &&
                  sizeof(NavaidRecord) == 129 && sizeof(RunwayRecord) == 271,
              "records are held exactly as the file lays them out");

}  // namespace nav
