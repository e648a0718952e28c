#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/nav_view_state.h"
#include "app/settings_file.h"
#include "base/native_file.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "test_support.h"
#include "tools/ourairports_import.h"

namespace {

namespace fs = std::filesystem;

// What a file manager lists in a folder, as UTF-8.
std::set<std::string> listing(const std::string& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(nav::pathFromUtf8(folder)))
    names.insert(nav::utf8FromPath(entry.path().filename()));
  return names;
}

nav::PlanRow row(const std::string& name) {
  nav::PlanRow r;
  r[nav::colName] = name;
  r[nav::colLat] = "176400.000000";
  r[nav::colType] = "usrw";
  return r;
}

// "Frédéric Öçé" as the user names a folder, on Windows as well.
const std::string kAccented =
    "Fr\xC3\xA9"
    "d\xC3\xA9ric \xC3\x96\xC3\xA7\xC3\xA9";

TEST(DataFolder, EveryFileWorksUnderAFolderNamedWithAccents) {
  navtest::ScratchFolder dir;
  const std::string folder = dir.path() + kAccented + "/";
  navtest::writeEmptyDatabase(folder);
  navtest::writeFile(folder + "database/AIRPORT.dbd", navtest::DbdBuilder(260).record().text(18, "LFPG").bytes());
  navtest::writeFile(folder + "world5000s.map", std::string(8, '\1'));
  navtest::writeTagList(folder + "liste.txt");
  EXPECT_EQ(listing(dir.path()), std::set<std::string>{kAccented});

  nav::NavViewState state;
  state.exeFolder = folder;
  EXPECT_TRUE(nav::startUp(state, {}, [](const std::string& text) { ADD_FAILURE() << text; }));
  EXPECT_EQ(state.db.airportCount(), 1u);
  EXPECT_EQ(state.outline.values.size(), 2u);

  // nav.ini and a plan, each saved over the one saved before.
  state.settings.vor = true;
  nav::saveViewSettings(state.settingsPath(), state.settings, state.view, '.');
  state.settings.ndb = true;
  nav::saveViewSettings(state.settingsPath(), state.settings, state.view, '.');
  nav::ViewSettings read;
  nav::Viewport view;
  nav::loadViewSettings(state.settingsPath(), '.', read, view);
  EXPECT_TRUE(read.vor);
  EXPECT_TRUE(read.ndb);

  const std::string plan = folder + "Plan \xC3\xA9t\xC3\xA9.sit";
  nav::ecris_pln({row("FIRST")}, state.tagListPath(), plan);
  nav::ecris_pln({row("SECOND"), row("THIRD")}, state.tagListPath(), plan);
  const std::vector<nav::PlanRow> rows = nav::readSitFile(plan);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][nav::colName], "THIRD");
  EXPECT_EQ(listing(folder), (std::set<std::string>{"Plan \xC3\xA9t\xC3\xA9.sit", "database", "liste.txt", "nav.ini",
                                                    "world5000s.map"}));
}

TEST(DataFolder, NavtoolFindsTheFolderOfItsExecutable) {
  // The folder of the running program: the test's own.
  const fs::path folder = nav::pathFromUtf8(navtools::executableFolder(nullptr));
  EXPECT_TRUE(fs::exists(folder / "core_tests") || fs::exists(folder / "core_tests.exe")) << folder;
}

TEST(DataFolder, FolderNamesGetOneTrailingSeparator) {
  EXPECT_EQ(nav::withTrailingSeparator("data"), "data/");
  EXPECT_EQ(nav::withTrailingSeparator("data/"), "data/");
#ifdef _WIN32
  EXPECT_EQ(nav::withTrailingSeparator("C:\\Users\\x\\"), "C:\\Users\\x\\");
#endif
}

}  // namespace
