#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "navdata/nav_database.h"
#include "test_support.h"
#include "tools/demo_commands.h"

namespace {

std::string airport(const std::string& fields) {
  return R"({"type": "medium_airport", "continent": "EU", "iso_region": "FR-IDF", )" + fields + "}";
}

struct CommandRun {
  int code;
  std::string out, err;
};

CommandRun demoAirports(const std::string& json, const std::string& folder) {
  navtest::writeFile(folder + "airports.json", json);
  std::ostringstream out, err;
  const int code = navtools::demoAirportsCommand({folder + "airports.json", folder + "out"}, out, err);
  return {code, out.str(), err.str()};
}

TEST(DemoAirports, WritesADatabaseTheProgramLoads) {
  navtest::ScratchFolder dir;
  const std::string json =
      "[" + airport(R"("id": "4185", "ident": "LFPG", "gps_code": "LFPG", "iso_country": "FR", "elevation_ft": "392",
                 "name": "A\u00e9roport Paris-Charles de Gaulle \u2014 Roissy-en-France",
                 "latitude_deg": "49.012798", "longitude_deg": "2.55")") +
      "," + airport(R"("id": "3622", "ident": "KJFK", "gps_code": "", "iso_country": "US", "elevation_ft": "",
                 "name": "John F Kennedy International Airport", "latitude_deg": "40.639447",
                 "longitude_deg": "-73.779317")") +
      "," + airport(R"("id": "332240", "ident": "AF-0005", "gps_code": "OAAD1X", "iso_country": "AF",
                 "name": "Amderma", "latitude_deg": "1", "longitude_deg": "1", "elevation_ft": "1")") +
      "," + airport(R"("id": "12243", "ident": "5A8", "gps_code": "PAJK", "iso_country": "USA1", "elevation_ft": "66",
                 "name": "Aleknagik", "latitude_deg": "-59.5", "longitude_deg": "-180")") +
      "]";
  const CommandRun run = demoAirports(json, dir.path());
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("3 airports written to"), std::string::npos) << run.out;

  nav::NavDatabase db;
  nav::loadNavDatabase(dir.path() + "out/database/", db);
  EXPECT_EQ(db.waypointCount() + db.ilsCount() + db.navaidCount() + db.runwayCount(), 0u);
  ASSERT_EQ(db.airportCount(), 3u);  // the one with no identifier of 1 to 5 characters is left out

  const nav::AirportRecord& cdg = db.airports[0];
  EXPECT_EQ(cdg.recId(), 0);
  EXPECT_EQ(cdg.dbky(), "4185");
  EXPECT_EQ(cdg.ident(), "LFPG");
  // Windows-1252, cut to the 40 bytes of the field with no NUL left.
  EXPECT_EQ(cdg.name(), "A\xE9roport Paris-Charles de Gaulle \x97 Roiss");
  EXPECT_EQ(cdg.region(), "FR");
  EXPECT_NEAR(cdg.lat(), 49.012798 * 3600, 1e-6);
  EXPECT_NEAR(cdg.lon(), 2.55 * 3600, 1e-6);
  EXPECT_EQ(cdg.elev(), 392);
  EXPECT_EQ(cdg.elev2(), 392);

  // No GPS code: the ident is used. West longitudes are stored plus 360 degrees.
  const nav::AirportRecord& jfk = db.airports[1];
  EXPECT_EQ(jfk.recId(), 1);
  EXPECT_EQ(jfk.ident(), "KJFK");
  EXPECT_NEAR(jfk.lon(), (360 - 73.779317) * 3600, 1e-6);
  EXPECT_NEAR(nav::signedLon(jfk.lon()), -73.779317 * 3600, 1e-6);
  EXPECT_EQ(jfk.elev(), 0);

  // The GPS code wins over the ident; the country is cut to 3.
  const nav::AirportRecord& pajk = db.airports[2];
  EXPECT_EQ(pajk.recId(), 2);
  EXPECT_EQ(pajk.dbky(), "12243");
  EXPECT_EQ(pajk.ident(), "PAJK");
  EXPECT_EQ(pajk.region(), "USA");
  EXPECT_EQ(pajk.lat(), -59.5 * 3600);
  EXPECT_EQ(pajk.lon(), 180 * 3600);

  // Every byte outside the fields stays zero.
  const std::string bytes = navtest::readFile(dir.path() + "out/database/AIRPORT.dbd");
  ASSERT_EQ(bytes.size(), 56u + 3 * 260);
  for (std::size_t i : {0u, 12u, 15u, 24u, 52u}) EXPECT_EQ(bytes[i], '\0') << "header byte " << i;
  for (std::size_t i = 66; i < 93; ++i) EXPECT_EQ(bytes[56 + i], '\0') << "record byte " << i;
}

TEST(DemoAirports, BadInputNamesTheFileAndWritesNothing) {
  navtest::ScratchFolder dir;
  const std::string good = airport(R"("id": "1", "ident": "LFPO", "gps_code": "LFPO", "name": "Orly",
      "latitude_deg": "48.7", "longitude_deg": "2.4", "elevation_ft": "291", "iso_country": "FR")");
  const std::string badLatitude = airport(R"("id": "4242", "ident": "LFOB", "gps_code": "LFOB", "name": "Beauvais",
      "latitude_deg": "49,45", "longitude_deg": "2.1", "elevation_ft": "359", "iso_country": "FR")");
  const std::string farLatitude = airport(R"("id": "77", "ident": "LFXX", "gps_code": "", "name": "X",
      "latitude_deg": "91", "longitude_deg": "2.1", "elevation_ft": "1", "iso_country": "FR")");

  struct Case {
    std::string json, expected;
  };
  for (const Case& c : {Case{"[" + good + "," + badLatitude + "]", "airport 4242: latitude_deg \"49,45\""},
                        Case{"[" + farLatitude + "]", "airport 77: latitude_deg \"91\""},
                        Case{"[" + good + ",", "not valid JSON"}, Case{"{\"airports\": []}", "not a list of airports"},
                        Case{"[" + good + ", {\"id\": 1e999}]", "number too large at byte"}}) {
    const CommandRun run = demoAirports(c.json, dir.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(dir.path() + "airports.json: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "out")) << c.json;
  }

  std::ostringstream out, err;
  EXPECT_EQ(navtools::demoAirportsCommand({dir.path() + "missing.json", dir.path() + "out"}, out, err), 1);
  EXPECT_EQ(err.str(), "Cannot open file " + dir.path() + "missing.json.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "out"));
}

}  // namespace
