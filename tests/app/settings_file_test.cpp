#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/nav_view_state.h"
#include "base/failure.h"
#include "base/file_io.h"
#include "test_support.h"

namespace {

using navtest::readFile;
using navtest::writeFile;

struct Loaded {
  nav::ViewSettings s;
  nav::Viewport v;
};
Loaded load(const std::string& path, char sep) {
  Loaded l;
  nav::loadViewSettings(path, sep, l.s, l.v);
  return l;
}

std::vector<std::string> keysInOrder(const std::string& text) {
  std::vector<std::string> keys;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (auto eq = line.find('='); eq != std::string::npos) keys.push_back(line.substr(0, eq));
  return keys;
}

TEST(ViewSettings, MissingFileGivesDefaultsAndCreatesNothing) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  const auto [s, v] = load(path, '.');
  EXPECT_EQ(s.idealDist, 139.0);
  EXPECT_TRUE(s.showGrid);
  EXPECT_TRUE(s.showMaps);
  EXPECT_FALSE(s.vor);
  EXPECT_TRUE(s.largeSymbols);
  EXPECT_EQ(v.left, -180.0);
  EXPECT_EQ(v.bottom, -90.0);
  EXPECT_EQ(v.mag, 1);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ViewSettings, ValuesOfEveryKind) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  writeFile(path,
            "[View]\nvor=2\nndb=yes\nils=-1\nairport=0\nmag=0x3\nmag2=$4\nleft=abc\nright=12,5\ntop=\n"
            "showGrid=0\nidealDist=1.5\n");
  const auto [s, v] = load(path, ',');
  EXPECT_TRUE(s.vor);
  EXPECT_FALSE(s.ndb);  // not an integer: default
  EXPECT_TRUE(s.ils);
  EXPECT_FALSE(s.airport);
  EXPECT_EQ(v.mag, 3);
  EXPECT_EQ(v.mag2, 4);
  EXPECT_EQ(v.left, -180.0);
  EXPECT_EQ(v.right, 12.5);
  EXPECT_EQ(v.top, 90.0);
  EXPECT_FALSE(s.showGrid);
  EXPECT_EQ(s.idealDist, 1.5);  // a full stop reads whatever the user's separator
}

TEST(ViewSettings, AViewSavedUnderAnotherLocaleIsKept) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  nav::ViewSettings saved;
  saved.idealDist = 42.5;
  nav::Viewport view;
  view.left = -424732.25;
  for (const auto& [written, read] : {std::pair{',', '.'}, std::pair{'.', ','}}) {
    nav::saveViewSettings(path, saved, view, written);
    const auto [s, v] = load(path, read);
    EXPECT_EQ(v.left, -424732.25) << written << " read with " << read;
    EXPECT_EQ(s.idealDist, 42.5);
  }
}

TEST(ViewSettings, ZoomLevelIsKeptWithinWhatTheMapDraws) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  writeFile(path, "[View]\nmag=2000000000\n");
  EXPECT_EQ(load(path, '.').v.mag, 16);
  writeFile(path, "[View]\nmag=-5\n");
  EXPECT_EQ(load(path, '.').v.mag, 1);
}

TEST(ViewSettings, FirstWriteCreatesTheSectionWithEveryKeyInOrder) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  nav::ViewSettings s;
  s.wptName = true;
  nav::Viewport v;
  v.left = -424732.17391304346;
  nav::saveViewSettings(path, s, v, ',');
  const std::string text = readFile(path);
  EXPECT_EQ(text.rfind("[View]\n", 0), 0u);
  EXPECT_EQ(
      keysInOrder(text),
      (std::vector<std::string>{
          "idealDist",    "showGrid", "showMaps", "planning", "vor",    "ils", "ndb",  "airport", "marker",
          "obstruct",     "waypoint", "hiway",    "loway",    "idway",  "id",  "name", "freq",    "showAirportZones",
          "largeSymbols", "left",     "right",    "top",      "bottom", "mag", "mag2"}));
  EXPECT_NE(text.find("idealDist=139\n"), std::string::npos);
  EXPECT_NE(text.find("showGrid=1\n"), std::string::npos);
  EXPECT_NE(text.find("left=-424732,173913043\n"), std::string::npos);
  EXPECT_EQ(text.find("wptName"), std::string::npos);
}

TEST(ViewSettings, RoundTripKeepsTheOtherLinesAndWhatWasRead) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  writeFile(path,
            "[Fenetre]\r\nx=3\r\n[View]\r\nidealDist=42,25\r\nloway=1\r\nidway=7\r\nlargeSymbols=0\r\n"
            "showAirportZones=1\r\n");
  const auto [s, v] = load(path, ',');
  nav::saveViewSettings(path, s, v, ',');
  const std::string text = readFile(path);
  EXPECT_EQ(text.rfind("[Fenetre]\r\nx=3\r\n[View]\r\nidealDist=42,25\r\nloway=1\r\nidway=1\r\n", 0), 0u);
  EXPECT_NE(text.find("largeSymbols=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("showAirportZones=1\r\n"), std::string::npos);
  const nav::ViewSettings again = load(path, ',').s;
  EXPECT_EQ(again.idealDist, 42.25);
  EXPECT_TRUE(again.loway);
  EXPECT_TRUE(again.idway);
}

TEST(ViewSettings, UnwritableFileIsReportedAndLeftAsItWas) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  writeFile(path, "[View]\nvor=1\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_EQ(navtest::failureMessage([&] { nav::saveViewSettings(path, {}, {}, '.'); }), "Unable to write to " + path);
  EXPECT_EQ(readFile(path), "[View]\nvor=1\n");

  const std::string inMissingFolder = dir.path() + "no/such/nav.ini";
  EXPECT_EQ(navtest::failureMessage([&] { nav::saveViewSettings(inMissingFolder, {}, {}, '.'); }),
            "Unable to write to " + inMissingFolder);
}

TEST(ViewSettings, AFileThatIsNoSettingsFileGivesDefaultsAndIsNotReplaced) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "nav.ini";
  // Line breaks only, under the size limit: read as a file without keys.
  writeFile(path, std::string(4 << 20, '\n') + "[View]\nvor=1\n");
  EXPECT_TRUE(load(path, '.').s.vor);
  writeFile(path, "[View]\nvor=1\nmag=3\n" + std::string(nav::kTextFileLimit, '\n'));
  const auto [s, v] = load(path, '.');
  EXPECT_FALSE(s.vor);
  EXPECT_EQ(v.mag, 1);
  EXPECT_EQ(navtest::failureMessage([&] { nav::saveViewSettings(path, {}, {}, '.'); }), "Unable to write to " + path);
  EXPECT_EQ(std::filesystem::file_size(path), nav::kTextFileLimit + 19);
}

TEST(ViewSettings, StartUpGoesOnWhateverBreaksTheReading) {
  navtest::ScratchFolder dir;
  navtest::writeEmptyDatabase(dir.path());
  writeFile(dir.path() + "database/AIRPORT.dbd", navtest::DbdBuilder(260).record().text(18, "LFPG").bytes());
  writeFile(dir.path() + "world5000s.map", std::string(8, '\1'));
  nav::NavViewState state;
  state.exeFolder = dir.path();
  nav::StartupHooks hooks;
  hooks.mapArea = [] { return nav::MapArea{800, 600}; };
  // Memory running out half way through nav.ini.
  hooks.readSettings = [](nav::NavViewState& s) {
    s.settings.vor = true;
    s.view.mag = 9;
    throw std::bad_alloc();
  };
  bool vorButton = true;
  hooks.settingsRead = [&] { vorButton = state.settings.vor; };
  std::vector<std::string> shown;
  EXPECT_TRUE(nav::startUp(state, hooks, [&](const std::string& t) { shown.push_back(t); }));
  EXPECT_TRUE(shown.empty());
  EXPECT_FALSE(vorButton);
  EXPECT_FALSE(state.settings.vor);
  EXPECT_TRUE(state.settings.showMaps);
  EXPECT_EQ(state.view.mag, 1);
  EXPECT_EQ(state.db.airportCount(), 1u);
  EXPECT_EQ(state.pens.penOutline, nav::createPens().penOutline);
}

TEST(ViewSettings, LayerSwitchesByTheirKeys) {
  nav::ViewSettings s;
  EXPECT_TRUE(nav::setLayerSwitch(s, "vor", true));
  EXPECT_TRUE(s.vor);
  EXPECT_TRUE(nav::setLayerSwitch(s, "showGrid", false));
  EXPECT_FALSE(s.showGrid);
  EXPECT_TRUE(nav::setLayerSwitch(s, "wptName", true));
  EXPECT_TRUE(s.wptName);
  EXPECT_FALSE(nav::setLayerSwitch(s, "left", true));  // not a switch
  EXPECT_FALSE(nav::setLayerSwitch(s, "VOR", true));
  EXPECT_FALSE(nav::setLayerSwitch(s, "lasers", true));
}

}  // namespace
