#pragma once

#include <optional>
#include <string>

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
};

// The identifier the 5-character field can hold: the GPS code (the ICAO one
// when there is one), else the OurAirports ident; empty when neither fits.
std::string airportIdent(const OurAirport& airport);

// The AIRPORT.dbd record of `airport`, numbered `recId`; none when it has no
// identifier that fits. Fails, naming the airport, on a coordinate or
// elevation that is not a number in range, or a key the field cannot hold.
std::optional<RecordBytes> airportRecord(const OurAirport& airport, std::int32_t recId);

}  // namespace navtools
