#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

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
  std::string icaoCode{};  // only the CSV files have it
};

// The identifier the 5-character field can hold: the ICAO code, else the GPS
// code, else the OurAirports ident; empty when none fits.
std::string airportIdent(const OurAirport& airport);

// The AIRPORT.dbd record of `airport`, numbered `recId`; none when it has no
// identifier that fits. Fails, naming the airport, on a coordinate or
// elevation that is not a number in range, or a key the field cannot hold.
std::optional<RecordBytes> airportRecord(const OurAirport& airport, std::int32_t recId);

struct OurRunway {
  std::string id;
  std::string airportId;  // the airport's id, which is its record's key
  std::string lengthFt;   // may be empty
  std::string leIdent, leLatitudeDeg, leLongitudeDeg;
  std::string heIdent, heLatitudeDeg, heLongitudeDeg;
};

// The RUNWAY.dbd record of `runway`; none when an end has no position.
// Fails, naming the runway, on a number that does not convert.
std::optional<RecordBytes> runwayRecord(const OurRunway& runway);

struct OurNavaid {
  std::string id;
  std::string ident;
  std::string name;
  std::string type;
  std::string frequencyKhz;  // may be empty
  std::string latitudeDeg;
  std::string longitudeDeg;
  std::string elevationFt;  // may be empty
  std::string isoCountry;
};

// The navType bits of an OurAirports navaid type; 0 for the types the
// database has no place for.
std::int32_t navaidType(std::string_view type);

// The NAVAID.dbd record of `navaid`, numbered `recId`; none when its type has
// no navType. Fails, naming the navaid, on a number that does not convert or
// a key the field cannot hold.
std::optional<RecordBytes> navaidRecord(const OurNavaid& navaid, std::int32_t recId);

// navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST]: the
// OurAirports CSV files as a database folder, with the world outline and tag
// list found in `dataFolder` (the executable's folder) copied beside it
// unless OUTFOLDER has its own. Nothing is written unless every file
// converts. Returns the exit code.
int importOurAirportsCommand(const std::vector<std::string>& args, const std::string& dataFolder, std::ostream& out,
                             std::ostream& err);

// The folder of the running executable; `argv0` is the fallback where the
// system cannot tell.
std::string executableFolder(const char* argv0);

}  // namespace navtools
