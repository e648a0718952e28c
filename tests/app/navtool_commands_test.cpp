#include "app/navtool_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "test_support.h"

namespace {

TEST(NavtoolInfo, CountsWhatLoadedAndReportsTheFirstFailure) {
  navtest::ScratchFolder dir;
  navtest::writeEmptyDatabase(dir.path());
  navtest::DbdBuilder airports(260);
  airports.record().text(18, "LFPG").record().text(18, "LFPO");
  navtest::writeFile(dir.path() + "database/AIRPORT.dbd", airports.bytes());
  navtest::writeFile(dir.path() + "world5000s.map", std::string(16, '\0'));

  std::ostringstream out, err;
  EXPECT_EQ(nav::runNavtool({"info", dir.path()}, out, err), 0);
  EXPECT_EQ(out.str(), "waypoints 0\nairports 2\nils 0\nnavaids 0\nrunways 0\noutline 4\n");
  EXPECT_EQ(err.str(), "");

  std::filesystem::remove(dir.path() + "world5000s.map");
  std::filesystem::remove(dir.path() + "database/NAVAID.dbd");
  std::ostringstream out2, err2;
  EXPECT_EQ(nav::runNavtool({"info", dir.path().substr(0, dir.path().size() - 1)}, out2, err2), 1);
  EXPECT_EQ(out2.str(), "waypoints 0\nairports 2\nils 0\nnavaids 0\nrunways 0\noutline 0\n");
  EXPECT_EQ(err2.str(), "Cannot open file " + dir.path() + "world5000s.map.\nCannot open file " + dir.path() +
                            "database/NAVAID.dbd.\n");
}

TEST(NavtoolInfo, UsageOnBadArguments) {
  std::ostringstream out, err;
  EXPECT_EQ(nav::runNavtool({}, out, err), 2);
  EXPECT_NE(err.str().find("Usage: navtool"), std::string::npos);
  EXPECT_EQ(nav::runNavtool({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("info FOLDER"), std::string::npos);
}

}  // namespace
