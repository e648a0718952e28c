#include "tools/route_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "flightplan/gpx_route.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "test_support.h"

namespace {

nav::PlanRow row(const std::string& name, const std::string& lat, const std::string& lon) {
  nav::PlanRow r;
  r[nav::colName] = name;
  r[nav::colLat] = lat;
  r[nav::colLon] = lon;
  r[nav::colType] = "sarw";
  return r;
}

// Roissy, Amboise, Blagnac and the trailing empty row, saved as the window
// saves it. Figures from `GeodSolve -i`: 207837.330438 m at -147.363 degrees,
// then 422975.147882 m at 176.723 degrees.
class RouteCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    navtest::writeTagList(dir.path() + "liste.txt");
    nav::ecris_pln(
        {row("A\xE9roport Roissy", "176446.070000", "9180.000000"), row("Amboise", "170744.400000", "3831.840000"),
         row("Blagnac", "157064.760000", "4909.750000"), nav::PlanRow{}},
        dir.path() + "liste.txt", sit());
  }
  std::string sit() const { return dir.path() + "vol.sit"; }
  navtest::ScratchFolder dir;
};

TEST_F(RouteCommands, LegsWithAndWithoutASpeed) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::legsCommand({sit()}, out, err), 0);
  EXPECT_EQ(out.str(),
            "A\xC3\xA9roport Roissy\tAmboise\t213\t112.2\t112.2\n"
            "Amboise\tBlagnac\t177\t228.4\t340.6\n"
            "total\t340.6\n");
  std::ostringstream timed;
  EXPECT_EQ(navtools::legsCommand({sit(), "--speed", "120"}, timed, err), 0);
  EXPECT_EQ(timed.str(),
            "A\xC3\xA9roport Roissy\tAmboise\t213\t112.2\t112.2\t0:56\n"
            "Amboise\tBlagnac\t177\t228.4\t340.6\t1:54\n"
            "total\t340.6\t2:50\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(RouteCommands, BadArgumentsAndFilesAreReported) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::legsCommand({sit(), "--speed", "vite"}, out, err), 2);
  EXPECT_EQ(navtools::legsCommand({sit(), "--speed", "0"}, out, err), 2);
  EXPECT_EQ(navtools::legsCommand({}, out, err), 2);
  EXPECT_EQ(navtools::gpxCommand({sit()}, out, err), 2);
  std::ostringstream missing;
  EXPECT_EQ(navtools::legsCommand({dir.path() + "none.sit"}, out, missing), 1);
  EXPECT_EQ(missing.str(), "Cannot open file " + dir.path() + "none.sit.\n");
  EXPECT_EQ(out.str(), "");
}

TEST_F(RouteCommands, GpxWritesTheWindowsExport) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::gpxCommand({sit(), dir.path() + "vol.gpx"}, out, err), 0);
  EXPECT_EQ(out.str(), dir.path() + "vol.gpx: 3 route points\n");
  EXPECT_EQ(navtest::readFile(dir.path() + "vol.gpx"), nav::gpxRoute(nav::readSitFile(sit())));
}

}  // namespace
