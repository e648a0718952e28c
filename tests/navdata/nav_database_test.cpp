#include "navdata/nav_database.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "base/failure.h"
#include "navdata/table_walk.h"
#include "test_support.h"

namespace {

using navtest::DbdBuilder;
using navtest::ScratchFolder;
using navtest::writeFile;

class NavDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { navtest::writeEmptyDatabase(dir.path()); }
  std::string db() const { return dir.path() + "database/"; }
  void put(const std::string& name, const std::string& bytes) { writeFile(db() + name, bytes); }

  // Loads and returns the failure message, empty when the load succeeded.
  std::string load(nav::NavDatabase& out) {
    try {
      nav::loadNavDatabase(db(), out);
    } catch (const nav::Failure& f) {
      return f.what();
    }
    return {};
  }

  ScratchFolder dir;
};

DbdBuilder twoWaypoints() {
  DbdBuilder b(105);
  b.record().i32(0, 1).text(4, "WPK1").text(14, "ALPHA").f64(55, 1000.5).f64(63, 700000);
  b.record().i32(0, 2).text(4, "WPK2").text(14, "BRAVO").f64(55, -2000).f64(63, 3600);
  return b;
}

TEST(RecordFields, TextFieldsStopAtNulOrTakeTheWholeWidth) {
  nav::AirportRecord a;
  const std::string name40(40, 'N');
  std::memcpy(a.bytes.data() + 23, name40.data(), 40);
  std::memcpy(a.bytes.data() + 4, "ABCDEFGHIJ", 10);
  std::memcpy(a.bytes.data() + 63, "LFX", 3);
  a.bytes[18] = 0;
  a.bytes[19] = 'Z';  // after the NUL: not part of the text
  EXPECT_EQ(a.name(), name40);
  EXPECT_EQ(a.dbky(), "ABCDEFGHIJ");
  EXPECT_EQ(a.region(), "LFX");  // full width, and the next field starts right after
  EXPECT_EQ(a.ident(), "");

  nav::WaypointRecord w;
  const std::string ident26(26, 'W');
  std::memcpy(w.bytes.data() + 14, ident26.data(), 26);
  EXPECT_EQ(w.ident(), ident26);

  const std::uint8_t bytes[] = {'A', 0xE9, 0, 'X'};  // Windows-1252 kept as it is
  EXPECT_EQ(nav::fieldText(bytes, 4), "A\xE9");
}

TEST(RecordFields, SignedLongitude) {
  EXPECT_EQ(nav::signedLon(648000), 648000);
  EXPECT_EQ(nav::signedLon(648000.5), -647999.5);
  EXPECT_EQ(nav::signedLon(1295999), -1);
  EXPECT_EQ(nav::signedLon(0), 0);
}

TEST_F(NavDatabaseTest, LoadsRecordsInFileOrderWithTheirFields) {
  put("WAYPOINT.dbd", twoWaypoints().bytes());
  DbdBuilder runway(271);
  runway.record()
      .text(14, "APT1")
      .i32(24, 2400)
      .text(59, "09L")
      .f64(63, 10)
      .f64(71, 20)
      .text(155, "27R")
      .f64(159, 30)
      .f64(167, 40);
  put("RUNWAY.dbd", runway.bytes());
  nav::NavDatabase out;
  ASSERT_EQ(load(out), "");
  ASSERT_EQ(out.waypointCount(), 2u);
  EXPECT_EQ(out.waypoints[0].ident(), "ALPHA");
  EXPECT_EQ(out.waypoints[1].dbky(), "WPK2");
  EXPECT_EQ(out.waypoints[0].lat(), 1000.5);
  EXPECT_EQ(out.waypoints[1].lat(), -2000);
  ASSERT_EQ(out.runwayCount(), 1u);
  const nav::RunwayRecord& r = out.runways[0];
  EXPECT_EQ(r.aptKey(), "APT1");
  EXPECT_EQ(r.length(), 2400);
  EXPECT_EQ(r.end1Id(), "09L");
  EXPECT_EQ(r.end2Id(), "27R");
  EXPECT_EQ(r.end1Lon(), 20);
  EXPECT_EQ(r.end2Lat(), 30);
  EXPECT_EQ(r.end2Lon(), 40);
  EXPECT_EQ(out.airportCount(), 0u);
}

TEST_F(NavDatabaseTest, BytesAfterTheLastRecordAreIgnored) {
  put("WAYPOINT.dbd", twoWaypoints().bytes(1) + std::string(300, 'x'));
  nav::NavDatabase out;
  ASSERT_EQ(load(out), "");
  EXPECT_EQ(out.waypointCount(), 1u);
  EXPECT_EQ(out.waypoints[0].ident(), "ALPHA");
}

TEST_F(NavDatabaseTest, MissingFileStopsTheLoadThere) {
  put("WAYPOINT.dbd", twoWaypoints().bytes());
  DbdBuilder apt(260);
  apt.record().text(18, "LFPG");
  put("AIRPORT.dbd", apt.bytes());
  DbdBuilder navaid(129);
  navaid.record().text(14, "PGS");
  put("NAVAID.dbd", navaid.bytes());
  std::filesystem::remove(db() + "ILS.dbd");
  nav::NavDatabase out;
  EXPECT_EQ(load(out), "Cannot open file " + db() + "ILS.dbd");
  EXPECT_EQ(out.waypointCount(), 2u);
  EXPECT_EQ(out.airportCount(), 1u);
  EXPECT_EQ(out.ilsCount(), 0u);
  EXPECT_EQ(out.navaidCount(), 0u);  // after the failing file: not loaded
  EXPECT_EQ(out.runwayCount(), 0u);
}

// A damaged first file stops the load there: the next one, sane, stays empty.
struct DamagedHeader {
  std::string bytes;
  std::string message;  // with FOLDER/ for the database folder
};

class DamagedHeaders : public NavDatabaseTest, public ::testing::WithParamInterface<DamagedHeader> {};

TEST_P(DamagedHeaders, AreRefusedAndStopTheLoad) {
  nav::NavDatabase out;
  put("AIRPORT.dbd", twoWaypoints().bytes());
  put("WAYPOINT.dbd", GetParam().bytes);
  std::string expected = GetParam().message;
  if (const auto at = expected.find("FOLDER/"); at != std::string::npos) expected.replace(at, 7, db());
  EXPECT_EQ(load(out), expected);
  EXPECT_EQ(out.waypointCount(), 0u);
  EXPECT_EQ(out.airportCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(NavDatabase, DamagedHeaders,
                         ::testing::Values(DamagedHeader{std::string(55, '\0'), "Stream read error"},
                                           DamagedHeader{twoWaypoints().bytes(-1), "Range check error"},
                                           DamagedHeader{twoWaypoints().bytes(2, 0),
                                                         "Invalid record size 0 in file FOLDER/WAYPOINT.dbd"},
                                           DamagedHeader{twoWaypoints().bytes(2, -105),
                                                         "Invalid record size -105 in file FOLDER/WAYPOINT.dbd"},
                                           // A record larger than the file: nothing is allocated for it.
                                           DamagedHeader{twoWaypoints().bytes(2, 0x7FFFFFFF), "Stream read error"}));

TEST_F(NavDatabaseTest, RecordSizeBelowAQuarterOfTheLayoutIsRefused) {
  // One byte a record would make each byte of the file a 271-byte runway.
  nav::NavDatabase out;
  put("RUNWAY.dbd", DbdBuilder(1).record().record().bytes());
  EXPECT_EQ(load(out), "Invalid record size 1 in file " + db() + "RUNWAY.dbd");
  EXPECT_EQ(out.runwayCount(), 0u);
  put("RUNWAY.dbd", DbdBuilder(67).record().bytes());
  EXPECT_EQ(load(out), "Invalid record size 67 in file " + db() + "RUNWAY.dbd");
  // A quarter of 271 rounded up: the shortest record still read.
  DbdBuilder quarter(68);
  quarter.record().text(14, "LFPG").i32(24, 3000);
  put("RUNWAY.dbd", quarter.bytes());
  ASSERT_EQ(load(out), "");
  ASSERT_EQ(out.runwayCount(), 1u);
  EXPECT_EQ(out.runways[0].aptKey(), "LFPG");
  EXPECT_EQ(out.runways[0].length(), 3000);
  EXPECT_EQ(out.runways[0].end2Lat(), 0);
}

TEST_F(NavDatabaseTest, OnlyRegularFilesAreRead) {
  nav::NavDatabase out;
  std::filesystem::remove(db() + "AIRPORT.dbd");
  std::filesystem::create_directory(db() + "AIRPORT.dbd");
  EXPECT_EQ(load(out), "Cannot open file " + db() + "AIRPORT.dbd");
#ifndef _WIN32
  // A FIFO would block the start-up for ever.
  std::filesystem::remove(db() + "AIRPORT.dbd");
  ASSERT_EQ(mkfifo((db() + "AIRPORT.dbd").c_str(), 0600), 0);
  EXPECT_EQ(load(out), "Cannot open file " + db() + "AIRPORT.dbd");
  EXPECT_EQ(out.waypointCount(), 0u);
#endif
}

TEST_F(NavDatabaseTest, NoRecordsNeedNoRecordSize) {
  // The size is never used: an empty table, and the next file loads.
  nav::NavDatabase out;
  put("AIRPORT.dbd", twoWaypoints().bytes());
  put("WAYPOINT.dbd", twoWaypoints().bytes(0, 0));
  EXPECT_EQ(load(out), "");
  EXPECT_EQ(out.waypointCount(), 0u);
  EXPECT_EQ(out.airportCount(), 2u);
}

TEST_F(NavDatabaseTest, ShortFileKeepsTheCompleteRecordsOnly) {
  const std::string full = twoWaypoints().bytes();
  put("WAYPOINT.dbd", full.substr(0, full.size() - 1));
  put("AIRPORT.dbd", DbdBuilder(260).record().bytes());
  nav::NavDatabase out;
  EXPECT_EQ(load(out), "Stream read error");
  ASSERT_EQ(out.waypointCount(), 1u);
  EXPECT_EQ(out.waypoints[0].ident(), "ALPHA");
  EXPECT_EQ(out.airportCount(), 0u);

  // A header that claims far more records than the file holds must not make
  // the loader reserve memory for them.
  put("WAYPOINT.dbd", twoWaypoints().bytes(0x7FFFFFFF));
  EXPECT_EQ(load(out), "Stream read error");
  EXPECT_EQ(out.waypointCount(), 2u);
}

TEST_F(NavDatabaseTest, LargeTablesKeepEveryRecordInOrder) {
  // Several times the piece a load reads at once, and not a whole number of
  // pieces.
  DbdBuilder many(105);
  for (int i = 0; i < 6007; ++i) many.record().i32(0, i).f64(55, i * 0.5);
  put("WAYPOINT.dbd", many.bytes());
  nav::NavDatabase out;
  ASSERT_EQ(load(out), "");
  ASSERT_EQ(out.waypointCount(), 6007u);
  for (int i : {0, 2496, 2497, 4993, 6006}) {
    EXPECT_EQ(out.waypoints[static_cast<std::size_t>(i)].recId(), i);
    EXPECT_EQ(out.waypoints[static_cast<std::size_t>(i)].lat(), i * 0.5);
  }
}

TEST(PrefetchedTable, WalksEveryRecordOnceInTableOrder) {
  for (std::size_t size : {0u, 1u, 32u, 33u, 100u}) {
    std::vector<nav::AirportRecord> table(size);
    for (std::size_t i = 0; i < size; ++i) table[i].put(nav::airportField::recId, static_cast<std::int32_t>(i));
    std::vector<std::int32_t> seen;
    for (const nav::AirportRecord& a : nav::prefetched(table)) seen.push_back(a.recId());
    ASSERT_EQ(seen.size(), size);
    for (std::size_t i = 0; i < size; ++i) EXPECT_EQ(seen[i], static_cast<std::int32_t>(i));
  }
}

TEST_F(NavDatabaseTest, RecordSizeOtherThanTheLayoutsIsReadRecordByRecord) {
  // Smaller: each slot gets recordSize bytes, fields beyond it read as zero.
  DbdBuilder small(60);
  small.record().i32(0, 7).text(14, "SHORT").i32(51, 0);
  small.record().i32(0, 8).text(14, "NEXT");
  put("WAYPOINT.dbd", small.bytes());
  nav::NavDatabase out;
  ASSERT_EQ(load(out), "");
  ASSERT_EQ(out.waypointCount(), 2u);
  EXPECT_EQ(out.waypoints[1].recId(), 8);
  EXPECT_EQ(out.waypoints[1].ident(), "NEXT");
  EXPECT_EQ(out.waypoints[0].lat(), 0);

  // Larger: cut to the slot, the stride still follows the file.
  DbdBuilder large(300);
  large.record().text(18, "LFPG").i32(174, 392).text(280, "tail");
  large.record().text(18, "EGLL");
  put("AIRPORT.dbd", large.bytes());
  ASSERT_EQ(load(out), "");
  ASSERT_EQ(out.airportCount(), 2u);
  EXPECT_EQ(out.airports[0].elev2(), 392);
  EXPECT_EQ(out.airports[1].ident(), "EGLL");
}

}  // namespace
