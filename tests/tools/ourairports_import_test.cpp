#include "tools/ourairports_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "base/native_file.h"
#include "navdata/nav_database.h"
#include "test_support.h"
#include "tools/folder_commands.h"
#include "tools/ourairports.h"

namespace {

namespace fs = std::filesystem;

// Columns in an order of their own, with some the import does not use.
const std::string kAirports =
    "\"ident\",\"id\",\"name\",\"type\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\",\"continent\","
    "\"iso_country\",\"gps_code\",\"icao_code\",\"keywords\"\r\n"
    "\"LFPG\",4185,\"A\xC3\xA9roport Paris-Charles de Gaulle\",\"large_airport\",49,2.5,392,\"EU\",\"FR\",\"LFPG\","
    "\"LFPG\",\"CDG, Roissy\"\r\n"
    "\"EDDM\",2212,\"M\xC3\xBCnchen Flughafen \"\"Franz Josef Strau\xC3\x9F\"\"\",\"medium_airport\",48.25,11.75,1487,"
    "\"EU\",\"DE\",\"EDDM\",,\r\n"
    "\"KJFK\",3622,\"John F Kennedy International Airport\",\"large_airport\",40.5,-73.75,,\"NA\",\"US\",\"KJFK\","
    "\"KJFK\",\r\n"
    "\"FR-0001\",50,\"H\xC3\xA9liport\nIssy\",\"heliport\",48.75,2.25,100,\"EU\",\"FR\",\"LF99\",,\r\n"
    "\"LFXC\",60,\"Old field\",\"closed\",47,1,300,\"EU\",\"FR\",\"LFXC\",,\r\n"
    "\"US-1234\",70,\"Line one\r\nline two\",\"small_airport\",30.25,-90.5,12,\"NA\",\"US\",\"K12A\",\"KXYZ\",\r\n"
    "\"AR-00123\",80,\"Estancia\",\"small_airport\",-34,-58,50,\"SA\",\"AR\",,,\r\n"
    "\"9S9\",90,\"Lake base\",\"seaplane_base\",45,-120,0,\"NA\",\"US\",,,\r\n";

const std::string kRunways =
    "\"id\",\"airport_ref\",\"airport_ident\",\"length_ft\",\"width_ft\",\"surface\",\"lighted\",\"closed\","
    "\"le_ident\",\"le_latitude_deg\",\"le_longitude_deg\",\"le_elevation_ft\",\"he_ident\",\"he_latitude_deg\","
    "\"he_longitude_deg\"\n"
    "1001,4185,\"LFPG\",13829,200,\"CON\",1,0,\"09L\",49,2.25,,\"27R\",49,2.75\n"
    "1002,4185,\"LFPG\",8858,150,\"CON\",1,0,\"08R\",49.25,2.25,,\"26L\",49.25,2.75\n"
    "1003,4185,\"LFPG\",3000,60,\"ASP\",0,0,\"H1\",,,,\"\",,\n"
    "1004,50,\"FR-0001\",60,60,\"ASP\",0,0,\"H1\",48.75,2.25,,\"H2\",48.75,2.5\n"
    "1005,,\"KJFK\",,150,\"ASP\",1,0,\"04\",40.25,-73.75,,\"22\",40.75,-73.5\n"
    "1006,99999,\"XXXX\",5000,100,\"ASP\",0,0,\"01\",10,10,,\"19\",10.25,10\n"
    "1007,3622,\"KJFK\",10000,150,\"ASP\",1,0,\"13L\",40.5,-73.75,13,\"31R\",40.25,-73.5\n"
    "1008,3622,\"KJFK\",8400,150,\"ASP\",1,1,\"04R\",40.625,-73.75,,\"22L\",40.75,-73.625\n"
    "1009,60,\"LFXC\",2000,60,\"GRS\",0,1,\"05\",47,1,,\"23\",47.0025,1.0025\n"
    "1010,2212,\"EDDM\",13123,200,\"CON\",1,0,\"08L\",48.25,11.75,,\"26R\",,\n";

const std::string kNavaids =
    "\"id\",\"filename\",\"ident\",\"name\",\"type\",\"frequency_khz\",\"latitude_deg\",\"longitude_deg\","
    "\"elevation_ft\",\"iso_country\",\"dme_frequency_khz\",\"dme_channel\",\"associated_airport\"\n"
    "85001,\"x\",\"CGN\",\"Charles-de-Gaulle\",\"VOR-DME\",115350,49,2.5,387,\"FR\",115350,\"100X\",\"LFPG\"\n"
    "85002,\"x\",\"BT\",\"Boulogne \"\"Nord\"\"\",\"NDB\",325,50.5,1.5,20,\"FR\",,,\n"
    "85003,\"x\",\"OL\",\"Orly\",\"NDB-DME\",336.5,48.75,2.25,300,\"FR\",,,\n"
    "85004,\"x\",\"MUN\",\"M\xC3\xBCnchen\",\"VOR\",112300,48.25,11.5,1500,\"DE\",,,\n"
    "85005,\"x\",\"NZK\",\"Kennedy\",\"VORTAC\",115900,40.5,-73.75,10,\"US\",,,\n"
    "85006,\"x\",\"TAC\",\"Some TACAN\",\"TACAN\",109000,35,-117.5,2000,\"US\",,,\n"
    "85007,\"x\",\"IDME\",\"Lone DME\",\"DME\",110500,36,-115,,\"US\",,,\n"
    "85008,\"x\",\"XX\",\"Test station\",\"VOT\",111000,36,-114,5,\"US\",,,\n"
    "85009,\"x\",\"ABCDEFG\",\"Long ident\",\"NDB\",400,1,1,5,\"GH\",,,\n";

// The summary of the files above, without the folder that ends it.
const std::string kSummary =
    "airports.csv: 5 airports written, 3 left out:\n"
    "        1  no identifier of 1 to 5 characters\n"
    "        1  type closed not imported (--types)\n"
    "        1  type heliport not imported (--types)\n"
    "runways.csv: 4 runways written, 6 left out:\n"
    "        2  airport left out\n"
    "        2  no position\n"
    "        1  airport not in airports.csv\n"
    "        1  closed\n"
    "navaids.csv: 7 navaids written, 2 left out:\n"
    "        1  ident not of 1 to 5 characters\n"
    "        1  type VOT has no place in the database\n"
    "5 airports written, 3 left out; 4 runways written, 6 left out; 7 navaids written, 2 left out; in ";

// Every file below `folder` with its bytes.
std::map<std::string, std::string> folderContent(const std::string& folder) {
  std::map<std::string, std::string> content;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    content[entry.path().string()] = entry.is_regular_file() ? navtest::readFile(entry.path().string()) : "(folder)";
  return content;
}

struct CommandRun {
  int code;
  std::string out, err;
};

class OurAirportsImport : public ::testing::Test {
 protected:
  void SetUp() override {
    navtest::makeFolder(csv);
    navtest::makeFolder(bin);
    navtest::writeFile(csv + "/airports.csv", kAirports);
    navtest::writeFile(csv + "/runways.csv", kRunways);
    navtest::writeFile(csv + "/navaids.csv", kNavaids);
    navtest::writeFile(bin + "/world5000s.map", outline);
    navtest::writeTagList(bin + "/liste.txt");
  }

  CommandRun run(std::vector<std::string> args) const {
    std::ostringstream o, e;
    const int code = navtools::importOurAirportsCommand(args, bin, o, e);
    return {code, o.str(), e.str()};
  }

  nav::NavDatabase load() const {
    nav::NavDatabase db;
    nav::loadNavDatabase(out + "/database/", db);
    return db;
  }

  navtest::ScratchFolder dir;
  const std::string csv = dir.path() + "csv";
  const std::string bin = dir.path() + "bin";
  const std::string out = dir.path() + "out";
  // What the messages put between a folder and its files: "\\" on Windows.
  const std::string sep = nav::utf8FromPath(fs::path("/").make_preferred());
  // Two points of the outline: (1, 2) and the end mark.
  const std::string outline = std::string("\x00\x00\x80\x3F\x00\x00\x00\x40", 8) + std::string(8, '\0');
};

TEST_F(OurAirportsImport, WritesTheTablesTheProgramLoads) {
  const CommandRun r = run({csv, out});
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.out, kSummary + out + sep + "database\n");

  const nav::NavDatabase db = load();
  EXPECT_EQ(db.waypointCount() + db.ilsCount(), 0u);

  // Closed airports, heliports and airports without a short identifier are left out.
  ASSERT_EQ(db.airportCount(), 5u);
  const nav::AirportRecord& cdg = db.airports[0];
  EXPECT_EQ(cdg.dbky(), "4185");
  EXPECT_EQ(cdg.ident(), "LFPG");
  EXPECT_EQ(cdg.name(), "A\xE9roport Paris-Charles de Gaulle");
  EXPECT_EQ(cdg.region(), "FR");
  EXPECT_EQ(cdg.lat(), 49 * 3600);
  EXPECT_EQ(cdg.lon(), 2.5 * 3600);
  EXPECT_EQ(cdg.elev(), 392);
  EXPECT_EQ(db.airports[1].name(), "M\xFCnchen Flughafen \"Franz Josef Strau\xDF\"");
  EXPECT_EQ(db.airports[2].lon(), (360 - 73.75) * 3600);
  EXPECT_EQ(db.airports[2].elev(), 0);
  // The ICAO code wins over the GPS code; line ends in a name become spaces.
  EXPECT_EQ(db.airports[3].ident(), "KXYZ");
  EXPECT_EQ(db.airports[3].name(), "Line one  line two");
  EXPECT_EQ(db.airports[4].ident(), "9S9");
  for (std::size_t i = 0; i < db.airportCount(); ++i) EXPECT_EQ(db.airports[i].recId(), static_cast<int>(i));

  ASSERT_EQ(db.runwayCount(), 4u);
  const nav::RunwayRecord& rw = db.runways[0];
  EXPECT_EQ(rw.aptKey(), "4185");
  EXPECT_EQ(rw.length(), 4215);  // 13829 ft
  EXPECT_EQ(rw.end1Id(), "09L");
  EXPECT_EQ(rw.end1Lat(), 49 * 3600);
  EXPECT_EQ(rw.end1Lon(), 2.25 * 3600);
  EXPECT_EQ(rw.end2Id(), "27R");
  EXPECT_EQ(rw.end2Lat(), 49 * 3600);
  EXPECT_EQ(rw.end2Lon(), 2.75 * 3600);
  EXPECT_EQ(db.runways[1].length(), 2700);  // 8858 ft
  // Without airport_ref the airport is found by its ident.
  const nav::RunwayRecord& byIdent = db.runways[2];
  EXPECT_EQ(byIdent.aptKey(), "3622");
  EXPECT_EQ(byIdent.length(), 0);
  EXPECT_EQ(byIdent.end1Id(), "04");
  EXPECT_EQ(byIdent.end2Lon(), (360 - 73.5) * 3600);
  EXPECT_EQ(db.runways[3].aptKey(), "3622");
  EXPECT_EQ(db.runways[3].length(), 3048);

  ASSERT_EQ(db.navaidCount(), 7u);
  struct Expected {
    const char* ident;
    std::int32_t navType;
    double freq;
  };
  const Expected expected[] = {{"CGN", 17, 115.35}, {"BT", 8, 325},  {"OL", 8, 336.5},   {"MUN", 1, 112.3},
                               {"NZK", 17, 115.9},  {"TAC", 4, 109}, {"IDME", 16, 110.5}};
  for (std::size_t i = 0; i < db.navaidCount(); ++i) {
    const nav::NavaidRecord& n = db.navaids[i];
    EXPECT_EQ(n.recId(), static_cast<int>(i));
    EXPECT_EQ(n.ident(), expected[i].ident);
    EXPECT_EQ(n.navType(), expected[i].navType) << n.ident();
    EXPECT_DOUBLE_EQ(n.freq(), expected[i].freq) << n.ident();
  }
  const nav::NavaidRecord& cgn = db.navaids[0];
  EXPECT_EQ(cgn.dbky(), "85001");
  EXPECT_EQ(cgn.name(), "Charles-de-Gaulle");
  EXPECT_EQ(cgn.region(), "FR");
  EXPECT_EQ(cgn.lat(), 49 * 3600);
  EXPECT_EQ(cgn.lon(), 2.5 * 3600);
  EXPECT_EQ(cgn.elev(), 387);
  EXPECT_EQ(db.navaids[1].name(), "Boulogne \"Nord\"");
  EXPECT_EQ(db.navaids[3].name(), "M\xFCnchen");
  EXPECT_EQ(db.navaids[4].lon(), (360 - 73.75) * 3600);
  EXPECT_EQ(db.navaids[6].elev(), 0);

  EXPECT_EQ(navtest::readFile(out + "/world5000s.map"), outline);
  EXPECT_EQ(navtest::readFile(out + "/liste.txt"), navtest::readFile(bin + "/liste.txt"));

  // The folder is one the program starts on: the search lists the runway ends.
  std::ostringstream found, err;
  EXPECT_EQ(navtools::searchCommand({out, "lfpg"}, found, err), 0);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(found.str(),
            "10\tLFPG\tFR\tsarw\tA\xC3\xA9roport Paris-Charles de Gaulle\t176400.00\t9000.00\t4185\n"
            "10\tLFPG\t09L\tusrw\t4215m\t176400\t8100\t\n"
            "10\tLFPG\t27R\tusrw\t4215m\t176400\t9900\t\n"
            "10\tLFPG\t08R\tusrw\t2700m\t177300\t8100\t\n"
            "10\tLFPG\t26L\tusrw\t2700m\t177300\t9900\t\n"
            "Trouv\xC3\xA9 5\n");
}

TEST_F(OurAirportsImport, TypesChooseTheAirportsAndTheirRunways) {
  fs::remove(csv + "/navaids.csv");
  const CommandRun r = run({csv, "--types", "heliport,,closed,small_airport,spaceport", out});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "No airport of type \"spaceport\" in airports.csv.\n");
  EXPECT_EQ(r.out, "No navaids.csv in " + csv +
                       ": that table stays empty.\n"
                       "airports.csv: 3 airports written, 5 left out:\n"
                       "        2  type large_airport not imported (--types)\n"
                       "        1  no identifier of 1 to 5 characters\n"
                       "        1  type medium_airport not imported (--types)\n"
                       "        1  type seaplane_base not imported (--types)\n"
                       "runways.csv: 2 runways written, 8 left out:\n"
                       "        7  airport left out\n"
                       "        1  airport not in airports.csv\n"
                       "3 airports written, 5 left out; 2 runways written, 8 left out; 0 navaids written, 0 left out; "
                       "in " +
                       out + sep + "database\n");
  const nav::NavDatabase db = load();
  ASSERT_EQ(db.airportCount(), 3u);
  EXPECT_EQ(db.airports[0].ident(), "LF99");
  EXPECT_EQ(db.airports[0].name(), "H\xE9liport Issy");
  EXPECT_EQ(db.airports[1].ident(), "LFXC");
  EXPECT_EQ(db.airports[2].ident(), "KXYZ");
  ASSERT_EQ(db.runwayCount(), 2u);
  EXPECT_EQ(db.runways[0].aptKey(), "50");
  EXPECT_EQ(db.runways[0].length(), 18);  // 60 ft
  // A closed airport chosen keeps its runways, closed as they all are.
  EXPECT_EQ(db.runways[1].aptKey(), "60");
  EXPECT_EQ(db.runways[1].end1Id(), "05");
  EXPECT_EQ(db.navaidCount(), 0u);
}

TEST_F(OurAirportsImport, AnAirportsFileWithoutIcaoColumnGoesByGpsCodeThenIdent) {
  // The older layout, unquoted.
  navtest::writeFile(csv + "/airports.csv",
                     "id,ident,type,name,latitude_deg,longitude_deg,elevation_ft,continent,iso_country,gps_code,"
                     "iata_code,local_code\n"
                     "12243,5A8,medium_airport,Aleknagik,59.25,-158.5,66,NA,US,,WKK,5A8\n"
                     "332240,AF-0005,medium_airport,Khost,33.25,69.75,4204,AS,AF,OAKS,KHT,\n"
                     "44954,AZ-0013,medium_airport,Some Air Base,40,47,100,AS,AZ,,,\n");
  const CommandRun r = run({csv, out});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("airports.csv: 2 airports written, 1 left out:\n"), std::string::npos) << r.out;
  const nav::NavDatabase db = load();
  ASSERT_EQ(db.airportCount(), 2u);
  EXPECT_EQ(db.airports[0].ident(), "5A8");
  EXPECT_EQ(db.airports[1].ident(), "OAKS");
}

TEST_F(OurAirportsImport, BadArgumentsGiveTheUsage) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {csv}, {csv, out, "x"}, {csv, out, "--types"}, {csv, out, "--types", ","}, {csv, out, "--kinds", "x"}}) {
    const CommandRun r = run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Usage: navtool import-ourairports CSVFOLDER OUTFOLDER [--types LIST] [--verbose]\n");
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(OurAirportsImport, VerboseListsEachRowLeftOutBeforeTheSummary) {
  const CommandRun r = run({csv, out, "--verbose"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string summary = kSummary + out + sep + "database\n";
  ASSERT_TRUE(r.out.ends_with(summary)) << r.out;
  const std::string listed = r.out.substr(0, r.out.size() - summary.size());
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 11) << listed;
  EXPECT_TRUE(listed.starts_with(csv + sep +
                                 "airports.csv, line 5: airport 50 left out: type heliport not imported (--types)\n"))
      << listed;
  for (const char* line : {"runways.csv, line 5: runway 1004 left out: airport 50 (line 5) was left out\n",
                           "runways.csv, line 7: runway 1006 left out: airport_ref 99999 is not in airports.csv\n",
                           "runways.csv, line 9: runway 1008 left out: closed\n"})
    EXPECT_NE(listed.find(csv + sep + line), std::string::npos) << line;
  EXPECT_TRUE(listed.ends_with(
      csv + sep + "navaids.csv, line 10: navaid 85009 left out: ident \"ABCDEFG\" is not of 1 to 5 characters\n"))
      << listed;
}

// Each case spoils one row of the good files: that row alone is left out.
TEST_F(OurAirportsImport, ARowWithABadValueIsLeftOutWithItsReasonAndTheRestImports) {
  ASSERT_EQ(run({csv, out}).code, 0);
  const nav::NavDatabase good = load();
  const std::size_t goodCounts[] = {good.airportCount(), good.runwayCount(), good.navaidCount()};

  enum Table { airports, runways, navaids };
  struct Case {
    Table table;
    std::string from, to;  // the change made to the table's good file
    std::string listed;    // the --verbose line, after the folder
    std::string counted;   // the summary's line for the reason
  };
  const Case cases[] = {
      {airports, "11.75,1487", "11.75,1O87",
       "airports.csv, line 3: airport 2212 left out: elevation_ft \"1O87\" is not a number from -100000 to 100000",
       "        1  elevation_ft not a number from -100000 to 100000"},
      {airports, "\"9S9\",90", "\"9S9\",3622",
       "airports.csv, line 11: airport 3622 left out: id 3622 is already on line 4",
       "        1  id already on an earlier line"},
      {airports, "\"9S9\",90", "\"9S9\",12345678901",
       "airports.csv, line 11: airport 12345678901 left out: id \"12345678901\" is not of 1 to 10 characters",
       "        1  id not of 1 to 10 characters"},
      {airports, "45,-120,0", "45,,0",
       "airports.csv, line 11: airport 90 left out: no position: latitude_deg or longitude_deg empty",
       "        1  no position"},
      {airports, "\"Lake base\"", "\"Lake \"base\"",
       "airports.csv, line 11: row left out: text after the closing quote of a field",
       "        1  text after the closing quote of a field"},
      {runways, "13829,200,", "13829,", "runways.csv, line 2: row left out: 14 fields where the header has 15",
       "        1  wrong number of fields"},
      {runways, "\"08R\",49.25,", "\"08R\",\"49,25\",",
       "runways.csv, line 3: runway 1002 left out: le_latitude_deg \"49,25\" is not a number from -90 to 90",
       "        1  le_latitude_deg not a number from -90 to 90"},
      {runways, "10000,150", "-1,150",
       "runways.csv, line 8: runway 1007 left out: length_ft \"-1\" is not a number from 0 to 100000",
       "        1  length_ft not a number from 0 to 100000"},
      {runways, "\"13L\"", "\"13LGRASS\"",
       "runways.csv, line 8: runway 1007 left out: le_ident \"13LGRASS\" is longer than 4 characters",
       "        1  le_ident longer than 4 characters"},
      {runways, "1,0,\"13L\"", "1,yes,\"13L\"",
       "runways.csv, line 8: runway 1007 left out: closed \"yes\" is not 0 or 1", "        1  closed not 0 or 1"},
      {runways, "1007,3622", "1002,3622", "runways.csv, line 8: runway 1002 left out: id 1002 is already on line 3",
       "        1  id already on an earlier line"},
      {runways, "1005,,\"KJFK\"", "1005,,\"KJFQ\"",
       "runways.csv, line 6: runway 1005 left out: airport_ident \"KJFQ\" is not in airports.csv",
       "        2  airport not in airports.csv"},
      {navaids, "\"Orly\"", "\"Orly", "navaids.csv, line 4: row left out: text after the closing quote of a field",
       "        1  text after the closing quote of a field"},
      {navaids, "115350,49,", "115.35MHz,49,",
       "navaids.csv, line 2: navaid 85001 left out: frequency_khz \"115.35MHz\" is not a number from 0 to 10000000",
       "        1  frequency_khz not a number from 0 to 10000000"},
      {navaids, "112300,48.25", "112300,91",
       "navaids.csv, line 5: navaid 85004 left out: latitude_deg \"91\" is not a number from -90 to 90",
       "        1  latitude_deg not a number from -90 to 90"},
      {navaids, "85007,", "85001,", "navaids.csv, line 8: navaid 85001 left out: id 85001 is already on line 2",
       "        1  id already on an earlier line"},
  };
  const char* files[] = {"airports.csv", "runways.csv", "navaids.csv"};
  for (const Case& c : cases) {
    const std::string path = csv + "/" + files[c.table];
    const std::string goodText = navtest::readFile(path);
    std::string bad = goodText;
    const std::size_t at = bad.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    bad.replace(at, c.from.size(), c.to);
    navtest::writeFile(path, bad);

    const CommandRun r = run({csv, out, "--verbose"});
    EXPECT_EQ(r.code, 0) << c.to;
    EXPECT_EQ(r.err, "") << c.to;
    EXPECT_NE(r.out.find(csv + sep + c.listed + "\n"), std::string::npos) << c.listed << "\n" << r.out;
    EXPECT_NE(r.out.find("\n" + c.counted + "\n"), std::string::npos) << c.counted << "\n" << r.out;
    const nav::NavDatabase db = load();
    const std::size_t counts[] = {db.airportCount(), db.runwayCount(), db.navaidCount()};
    for (int table : {airports, runways, navaids})
      EXPECT_EQ(counts[table], goodCounts[table] - (table == c.table ? 1 : 0)) << files[table] << " with " << c.to;
    navtest::writeFile(path, goodText);
  }
}

TEST_F(OurAirportsImport, AClosedStationIsLeftOutAndAMissingFrequencyIsZero) {
  navtest::writeFile(csv + "/navaids.csv",
                     kNavaids +
                         "85010,\"x\",\"BIK\",\"Bindook (Closed May 2016)\",\"NDB\",-1,-34.25,150.25,,\"AU\",,,\n"
                         "85011,\"x\",\"NEG\",\"Below zero\",\"NDB\",-5,-33,151,,\"AU\",,,\n"
                         "85012,\"x\",\"TCN\",\"No frequency\",\"TACAN\",,36,-113,,\"US\",,,\n");
  const CommandRun r = run({csv, out, "--verbose"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find(csv + sep + "navaids.csv, line 11: navaid 85010 left out: closed station: frequency_khz -1\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("navaids.csv: 8 navaids written, 4 left out:\n"
                       "        1  closed station: frequency_khz -1\n"
                       "        1  frequency_khz not a number from 0 to 10000000\n"),
            std::string::npos)
      << r.out;
  const nav::NavDatabase db = load();
  ASSERT_EQ(db.navaidCount(), 8u);
  EXPECT_EQ(db.navaids[7].ident(), "TCN");
  EXPECT_EQ(db.navaids[7].freq(), 0);
}

TEST_F(OurAirportsImport, AnUnreadableFileStopsTheImportAndLeavesTheOutputAsItWas) {
  ASSERT_EQ(run({csv, out}).code, 0);
  const auto before = folderContent(out);

  struct Case {
    const char* file;
    std::string from, to;  // the change made to the good file; no `from`: the whole text
    std::string expected;
  };
  const Case cases[] = {
      {"airports.csv", "\"gps_code\"", "\"gps\"", "airports.csv, line 1: no column \"gps_code\" in the header."},
      {"airports.csv", "\"keywords\"", "\"keywords\"x",
       "airports.csv, line 1: text after the closing quote of a field in the header."},
      {"runways.csv", "\"le_ident\"", "\"le_id\"", "runways.csv, line 1: no column \"le_ident\" in the header."},
      {"runways.csv", "\"26R\",,", "\"26R,,",
       "runways.csv, line 11: a quoted field is not closed before the end of the file."},
      {"navaids.csv", "\"GH\",", "\"GH,",
       "navaids.csv, line 10: a quoted field is not closed before the end of the file."},
      {"navaids.csv", "", "", "navaids.csv, line 1: no header line."},
  };
  for (const Case& c : cases) {
    const std::string path = csv + "/" + c.file;
    const std::string good = navtest::readFile(path);
    std::string bad = c.to;
    if (!c.from.empty()) {
      bad = good;
      const std::size_t at = bad.find(c.from);
      ASSERT_NE(at, std::string::npos) << c.from;
      bad.replace(at, c.from.size(), c.to);
    }
    navtest::writeFile(path, bad);

    // Rows left out before the fault are not listed: nothing was imported.
    const CommandRun r = run({csv, out, "--verbose"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, csv + sep + c.expected + "\n");
    navtest::writeFile(path, good);
  }
  EXPECT_EQ(folderContent(out), before);
}

#ifndef _WIN32
TEST_F(OurAirportsImport, AFileThatCannotBeWrittenLeavesEveryOldFileAsItWas) {
  ASSERT_EQ(run({csv, out}).code, 0);
  const auto before = folderContent(out);
  // New content for every table, the runways' file larger than the disk takes.
  std::string airports = kAirports;
  airports.replace(airports.find("Old field"), 9, "New field");
  std::string runways = kRunways;
  for (int i = 0; i < 20; ++i)
    runways += std::to_string(2000 + i) + ",4185,\"LFPG\",3000,1,\"A\",0,0,\"01\",49,2,,\"19\",49.1,2\n";
  navtest::writeFile(csv + "/airports.csv", airports);
  navtest::writeFile(csv + "/runways.csv", runways);
  {
    const navtest::FileSizeLimit fullDisk(4000);
    const CommandRun r = run({csv, out});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Cannot write file " + out + sep + "database" + sep + "RUNWAY.dbd.\n");
  }
  EXPECT_EQ(folderContent(out), before);

  // The third file cannot take the place of what is there: the two written
  // before it are put back.
  fs::remove(out + "/database/ILS.dbd");
  navtest::makeFolder(out + "/database/ILS.dbd/inside");
  const auto withFolder = folderContent(out);
  const CommandRun r = run({csv, out});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Cannot write file " + out + sep + "database" + sep + "ILS.dbd.\n");
  EXPECT_EQ(folderContent(out), withFolder);
}
#endif

TEST_F(OurAirportsImport, KeepsATagListAlreadyInTheOutputFolder) {
  navtest::makeFolder(out);
  navtest::writeFile(out + "/liste.txt", "my own tags\n");
  fs::remove(bin + "/liste.txt");
  const CommandRun r = run({csv, out});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Kept the liste.txt already in " + out + ".\n", 0), 0u) << r.out;
  EXPECT_EQ(navtest::readFile(out + "/liste.txt"), "my own tags\n");
  EXPECT_EQ(navtest::readFile(out + "/world5000s.map"), outline);
}

TEST_F(OurAirportsImport, MissingFilesAreNamed) {
  fs::remove(bin + "/liste.txt");
  CommandRun r = run({csv, out});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "No liste.txt beside navtool (looked for " + bin + sep +
                       "liste.txt); the build copies it there from demo/.\n");

  navtest::writeTagList(bin + "/liste.txt");
  fs::remove(csv + "/airports.csv");
  r = run({csv, out});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Cannot open file " + csv + sep + "airports.csv.\n");
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
