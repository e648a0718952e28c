#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tools/csv_reader.h"
#include "tools/dbd_writer.h"

namespace navtools {

// One airport as OurAirports lists it: the text of each column used, UTF-8.
struct OurAirport {
  std::string id;  // numeric and unique: the record's database key
  std::string ident;
  std::string gpsCode;
  std::string name;
  std::string latitudeDeg;
  std::string longitudeDeg;
  std::string elevationFt;  // may be empty
  std::string isoCountry;
  std::string icaoCode{};  // empty where the file has no icao_code column
};

// The identifier the 5-character field can hold: the ICAO code, else the GPS
// code, else the OurAirports ident; empty when none fits.
std::string airportIdent(const OurAirport& airport);

// The record of a row, or why the row cannot become one.
template <class Record>
using RecordOrFault = std::variant<Record, RowFault>;

// The AIRPORT.dbd record of `airport`, numbered `recId`. Not for an airport
// without an identifier that fits, a key the field cannot hold, a missing
// position or a number that is not one in range.
RecordOrFault<nav::AirportRecord> airportRecord(const OurAirport& airport, std::int32_t recId);

struct OurRunway {
  std::string id;
  std::string airportId;  // the airport's id, which is its record's key
  std::string lengthFt;   // may be empty
  std::string leIdent, leLatitudeDeg, leLongitudeDeg;
  std::string heIdent, heLatitudeDeg, heLongitudeDeg;
};

// The RUNWAY.dbd record of `runway`. Not for a runway without the position of
// both ends, with an end ident the field cannot hold, or with a number that is
// not one in range.
RecordOrFault<nav::RunwayRecord> runwayRecord(const OurRunway& runway);

struct OurNavaid {
  std::string id;
  std::string ident;
  std::string name;
  std::string type;
  std::string frequencyKhz;  // may be empty; -1 for a closed station
  std::string latitudeDeg;
  std::string longitudeDeg;
  std::string elevationFt;  // may be empty
  std::string isoCountry;
};

// The navType bits of an OurAirports navaid type; 0 for the types the
// database has no place for.
std::int32_t navaidType(std::string_view type);

// The NAVAID.dbd record of `navaid`, numbered `recId`. Not for a type with no
// navType, a closed station, a key or ident the fields cannot hold, a missing
// position or a number that is not one in range.
RecordOrFault<nav::NavaidRecord> navaidRecord(const OurNavaid& navaid, std::int32_t recId);

}  // namespace navtools
