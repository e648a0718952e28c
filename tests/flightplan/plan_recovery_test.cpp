#include "flightplan/plan_recovery.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "test_support.h"

namespace {

using namespace nav;

FlightPlan samplePlan() {
  FlightPlan plan;
  PlanRow a;
  a[colName] = "A\xE9roport\tavec \\ et\r\nretour";  // bytes a loaded file could hold
  a[colLat] = "176446.070000";
  a[colId] = "LFPG";
  a[colAltitude] = "x";
  plan.rows = {a, PlanRow{}, a};
  plan.current = 1;
  plan.routeShown = true;
  plan.saveEnabled = true;
  plan.userPointCounter = 7;
  return plan;
}

TEST(PlanRecovery, GivesBackTheWholePlan) {
  const FlightPlan plan = samplePlan();
  EXPECT_EQ(parseRecovery(recoveryText(plan)), plan);
  EXPECT_EQ(parseRecovery(recoveryText(FlightPlan{})), FlightPlan{});
}

TEST(PlanRecovery, ADamagedFileIsRefusedWhole) {
  const std::string whole = recoveryText(samplePlan());
  const auto message = [](const std::string& text) { return navtest::failureMessage([&] { parseRecovery(text); }); };
  // Cut anywhere before its end line: never taken for a shorter plan.
  for (std::size_t size = 0; size + 4 < whole.size(); size += 7) EXPECT_NE(message(whole.substr(0, size)), "") << size;
  EXPECT_EQ(message("something else\n"), "Plan non enregistr\xE9 illisible (ligne 1)");
  std::string badCurrent = whole;
  badCurrent.replace(badCurrent.find("current\t1"), 9, "current\t3");
  EXPECT_EQ(message(badCurrent), "Plan non enregistr\xE9 illisible (ligne 2)");  // past the last row
  std::string badEscape = whole;
  badEscape.replace(badEscape.find("\\t"), 2, "\\q");
  EXPECT_EQ(message(badEscape), "Plan non enregistr\xE9 illisible (ligne 6)");
  std::string extraCell = whole;
  extraCell.replace(extraCell.find("\nfin"), 4, "\tx\nfin");
  EXPECT_EQ(message(extraCell), "Plan non enregistr\xE9 illisible (ligne 8)");
}

TEST(PlanRecovery, AFileAnEditorSavedWithCrLfAndAByteOrderMarkReadsTheSame) {
  const FlightPlan plan = samplePlan();
  std::string edited = "\xEF\xBB\xBF";
  for (const char c : recoveryText(plan)) edited += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(parseRecovery(edited), plan);
}

TEST(PlanRecovery, ADamagedFileMovedAsideNeverTakesAnotherFilesPlace) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + kRecoveryFile;
  navtest::writeFile(path + ".illisible", "an earlier damaged plan");
  navtest::makeFolder(path + ".illisible.2");
  navtest::writeFile(path, "damaged\n");
  EXPECT_EQ(navtest::failureMessage([&] { readRecoveryFile(path); }),
            "Plan non enregistr\xE9 illisible (ligne 1) ; il est gard\xE9 dans " + path + ".illisible.3");
  EXPECT_EQ(navtest::readFile(path + ".illisible"), "an earlier damaged plan");
  EXPECT_EQ(navtest::readFile(path + ".illisible.3"), "damaged\n");
  EXPECT_FALSE(fileExists(path));
}

TEST(PlanRecovery, BlankMeansOneEmptyRow) {
  FlightPlan plan;
  EXPECT_TRUE(isBlankPlan(plan));
  plan.routeShown = true;
  EXPECT_TRUE(isBlankPlan(plan));
  plan.rows.emplace_back();
  EXPECT_FALSE(isBlankPlan(plan));
  EXPECT_FALSE(isBlankPlan(samplePlan()));
}

}  // namespace
