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
using RecordOrFault = std::variant<RecordBytes, RowFault>;

// The AIRPORT.dbd record of `airport`, numbered `recId`. Not for an airport
// without an identifier that fits, a key the field cannot hold, a missing
// position or a number that is not one in range.
RecordOrFault airportRecord(const OurAirport& airport, std::int32_t recId);

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
RecordOrFault runwayRecord(const OurRunway& runway);

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
RecordOrFault navaidRecord(const OurNavaid& navaid, std::int32_t recId);

// navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST] [--verbose]:
// the OurAirports CSV files as a database folder, with the world outline and
// tag list found in `dataFolder` (the executable's folder) copied beside it
// unless OUTFOLDER has its own. A row that cannot become a record is left out
// and counted by its reason (--verbose lists each on `out`); a file that
// cannot be read stops the import before anything is written. Returns the
// exit code.
int importOurAirportsCommand(const std::vector<std::string>& args, const std::string& dataFolder, std::ostream& out,
                             std::ostream& err);

// The folder of the running executable; `argv0` is the fallback where the
// system cannot tell.
std::string executableFolder(const char* argv0);

}  // namespace navtools
