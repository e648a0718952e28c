#include "tools/folder_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace {

class InteractionCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    navtest::writeEmptyDatabase(dir.path());
    navtest::writeFile(dir.path() + "world5000s.map", std::string(8, '\0'));
    navtest::DbdBuilder airports(260);
    airports.record()
        .text(4, "K1")
        .text(18, "LFPG")
        .text(23,
              "Roissy-en-Fran\xE7"
              "e")
        .text(63, "FR")
        .f64(93, 176446.5)
        .f64(101, 9180);
    navtest::writeFile(dir.path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::DbdBuilder navaids(129);
    navaids.record()
        .text(4, "N1")
        .text(14, "LFPG")
        .text(19, "Gonesse")
        .f64(59, 115.35)
        .i32(89, 17)
        .f64(101, 176400)
        .f64(109, 9000);
    navtest::writeFile(dir.path() + "database/NAVAID.dbd", navaids.bytes());
  }
  navtest::ScratchFolder dir;
};

TEST_F(InteractionCommands, SearchPrintsEveryRowAndTheCount) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::searchCommand({dir.path(), "lfpg"}, out, err), 0);
  EXPECT_EQ(out.str(),
            "10\tLFPG\tFR\tsarw\tRoissy-en-Fran\xC3\xA7"
            "e\t176446.50\t9180.00\tK1\n"
            "5,7\tLFPG\t\tsnav\tVOR 115.35 mhzDME \t176400.00\t9000.00\t\n"
            "Trouv\xC3\xA9 2\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(InteractionCommands, IdentifyPrintsTheDescriptionAndTheSlots) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::identifyCommand(
                {dir.path(), "--mag", "9", "--lon", "9001", "--lat", "176401.7", "--layers", "airport,vor"}, out, err),
            0);
  EXPECT_EQ(out.str(),
            "VOR-DME LFPG Gonesse 115.350 (N1) \nairport -\nnavaid N1\nwaypoint -\nuserPoint WPT0001 176401 9001\n");

  std::ostringstream west, err2;
  EXPECT_EQ(navtools::identifyCommand({dir.path(), "--mag", "3", "--lon", "-10", "--lat", "0"}, west, err2), 0);
  EXPECT_EQ(west.str(), "\nairport -\nnavaid -\nwaypoint -\nuserPoint WPT0001 0 1295990\n");

  std::ostringstream bad, err3;
  EXPECT_EQ(navtools::identifyCommand({dir.path(), "--mag", "3", "--layers", "lasers"}, bad, err3), 2);
}

}  // namespace
