#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/command_line.h"
#include "test_support.h"
#include "tools/folder_commands.h"

namespace {

TEST(NavtoolInfo, CountsWhatLoadedAndReportsTheFirstFailure) {
  navtest::ScratchFolder dir;
  navtest::writeEmptyDatabase(dir.path());
  navtest::DbdBuilder airports(260);
  airports.record().text(18, "LFPG").record().text(18, "LFPO");
  navtest::writeFile(dir.path() + "database/AIRPORT.dbd", airports.bytes());
  navtest::writeFile(dir.path() + "world5000s.map", std::string(16, '\0'));

  std::ostringstream out, err;
  EXPECT_EQ(navtools::infoCommand({dir.path()}, out, err), 0);
  EXPECT_EQ(out.str(), "waypoints 0\nairports 2\nils 0\nnavaids 0\nrunways 0\noutline 4\n");
  EXPECT_EQ(err.str(), "");
}

TEST(NavtoolInfo, ReportsWhatFailedAndCountsWhatLoaded) {
  navtest::ScratchFolder dir;
  navtest::writeEmptyDatabase(dir.path());
  navtest::DbdBuilder airports(260);
  airports.record().text(18, "LFPG").record().text(18, "LFPO");
  navtest::writeFile(dir.path() + "database/AIRPORT.dbd", airports.bytes());
  std::filesystem::remove(dir.path() + "database/NAVAID.dbd");
  std::ostringstream out, err;
  EXPECT_EQ(navtools::infoCommand({dir.path().substr(0, dir.path().size() - 1)}, out, err), 1);
  EXPECT_EQ(out.str(), "waypoints 0\nairports 2\nils 0\nnavaids 0\nrunways 0\noutline 0\n");
  EXPECT_EQ(err.str(), "Cannot open file " + dir.path() + "world5000s.map.\nCannot open file " + dir.path() +
                           "database/NAVAID.dbd.\n");
}

int echo(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  for (const std::string& a : args) out << a << ';';
  return 7;
}

TEST(CommandTable, RunsTheNamedCommandAndShowsTheUsageOtherwise) {
  constexpr nav::Command table[] = {{"echo", "ARGS...", "print the arguments", echo},
                                    {"long-command", "WITH MANY ARGUMENTS AND OPTIONS", "a long one", echo}};
  std::ostringstream out, err;
  EXPECT_EQ(nav::runCommand(table, {"echo", "a", "b"}, out, err), 7);
  EXPECT_EQ(out.str(), "a;b;");

  std::ostringstream help, none;
  EXPECT_EQ(nav::runCommand(table, {"--help"}, help, err), 0);
  EXPECT_EQ(help.str(), nav::usageText(table));
  EXPECT_NE(help.str().find("  echo ARGS...                print the arguments\n"), std::string::npos);
  EXPECT_NE(help.str().find("  long-command WITH MANY ARGUMENTS AND OPTIONS\n"), std::string::npos);
  EXPECT_EQ(nav::runCommand(table, {}, out, none), 2);
  EXPECT_EQ(nav::runCommand(table, {"nope"}, out, none), 2);
  EXPECT_EQ(none.str(), nav::usageText(table) + nav::usageText(table));
}

}  // namespace
