#include "tools/route_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/plan_exchange.h"
#include "exchange/route_exchange.h"
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

// Courses whole degrees 001-360, variation with one decimal, east positive;
// a column without its input stays empty. With the wind, by hand: leg 1,
// wind 57 degrees right of 213, WCA asin(20 sin 57 / 120) = 8.0, GS 120 cos
// 8.0 - 20 cos 57 = 107.9, 62.4 min, 31.2 at 30 an hour.
TEST_F(RouteCommands, LegsForScripts) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::legsCommand({sit(), "--date", "2026-12-09"}, NAV_MAGNETIC_FOLDER, out, err), 0);
  const std::string header =
      "from\tto\ttrue_course\tvariation\tmagnetic_course\twind_correction\tmagnetic_heading\tground_speed\t"
      "distance_nm\tcumulative_nm\ttime\tfuel\n";
  EXPECT_EQ(out.str(), header +
                           "A\xC3\xA9roport Roissy\tAmboise\t213\t2.0\t211\t\t\t\t112.2\t112.2\t\t\n"
                           "Amboise\tBlagnac\t177\t1.9\t175\t\t\t\t228.4\t340.6\t\t\n"
                           "total\t\t\t\t\t\t\t\t340.6\t\t\t\n");
  std::ostringstream flown;
  EXPECT_EQ(
      navtools::legsCommand({sit(), "--speed", "120", "--wind", "270/20", "--fuel-flow", "30", "--date", "2026-12-09"},
                            NAV_MAGNETIC_FOLDER, flown, err),
      0);
  EXPECT_EQ(flown.str(), header +
                             "A\xC3\xA9roport Roissy\tAmboise\t213\t2.0\t211\t8\t219\t108\t112.2\t112.2\t1:02\t31.2\n"
                             "Amboise\tBlagnac\t177\t1.9\t175\t10\t185\t119\t228.4\t340.6\t1:55\t57.4\n"
                             "total\t\t\t\t\t\t\t\t340.6\t\t2:57\t88.6\n");
  EXPECT_EQ(err.str(), "");
  // Without the model, the magnetic columns stay empty and the reason is said.
  std::ostringstream bare, why;
  EXPECT_EQ(navtools::legsCommand({sit()}, dir.path() + "none/", bare, why), 0);
  EXPECT_NE(bare.str().find("Amboise\t213\t\t\t"), std::string::npos);
  EXPECT_EQ(why.str(), "magnetic model: Cannot open file " + dir.path() + "none/wmm2025.wmm.\n");
}

TEST_F(RouteCommands, BadArgumentsAndFilesAreReported) {
  std::ostringstream out, err;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{sit(), "--speed", "vite"},
                                                                                    {sit(), "--speed", "0"},
                                                                                    {},
                                                                                    {sit(), "--wind", "270"},
                                                                                    {sit(), "--date", "2026-02-30"},
                                                                                    {sit(), "--fuel-flow"}})
    EXPECT_EQ(navtools::legsCommand(args, NAV_MAGNETIC_FOLDER, out, err), 2);
  EXPECT_EQ(navtools::gpxCommand({sit()}, out, err), 2);
  std::ostringstream missing;
  EXPECT_EQ(navtools::legsCommand({dir.path() + "none.sit"}, NAV_MAGNETIC_FOLDER, out, missing), 1);
  EXPECT_EQ(missing.str(), "Cannot open file " + dir.path() + "none.sit.\n");
  EXPECT_EQ(out.str(), "");
}

TEST_F(RouteCommands, GpxWritesTheWindowsExport) {
  std::ostringstream out, err;
  EXPECT_EQ(navtools::gpxCommand({sit(), dir.path() + "vol.gpx"}, out, err), 0);
  EXPECT_EQ(out.str(), dir.path() + "vol.gpx: 3 route points\n");
  nav::FlightPlan plan;
  nav::replaceRows(plan, nav::readSitFile(sit()));
  EXPECT_EQ(navtest::readFile(dir.path() + "vol.gpx"),
            nav::routeFileText(nav::exportRoute(plan, nav::NavDatabase{}), nav::RouteFormat::gpx));
}

}  // namespace
