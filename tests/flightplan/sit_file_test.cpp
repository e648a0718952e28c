#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "base/failure.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "test_support.h"

namespace {

using namespace nav;

// A tag list as the simulator's, with the ten tags the reader needs.
std::vector<std::string> tags(std::size_t count = 158) {
  std::vector<std::string> t;
  for (std::size_t i = 0; i < count; ++i) t.push_back("<t" + std::to_string(i) + ">");
  const std::pair<int, const char*> fixed[] = {{12, "<altd>"},  {29, "<dbky>"}, {39, "<endo>"},  {73, "<indx>"},
                                               {77, "<llps>"},  {89, "<name>"}, {114, "<sped>"}, {142, "<type>"},
                                               {150, "<warp>"}, {157, "<wpnt>"}};
  for (const auto& [n, tag] : fixed)
    if (static_cast<std::size_t>(n) < count) t[static_cast<std::size_t>(n)] = tag;
  return t;
}

std::string join(const std::vector<std::string>& lines, const char* sep) {
  std::string out;
  for (const auto& l : lines) out += l + sep;
  return out;
}

TEST(SitWriter, OneEmptyRowGivesTheWholeFile) {
  const std::vector<std::string> lines = buildSitLines({PlanRow{}}, tags());
  const std::vector<std::string> expected = {
      "<t16>", "\t<t146>", "\t100", "\t<t136>", "\t", "\t<t156>", "\tplan", "\t<t16>", "\t\t<t5>", "\t\tPELIRON.NFO",
      "\t\t<t56>", "\t\t47 09'24.0000\"N", "\t\t01 36'28.0000\"W", "\t\t0.", "\t\t<t141>", "\t\tplan", "\t\t<t64>",
      "\t\t0.024344,6.209207,-0.004015", "\t\t<t148>", "\t\tcock", "\t\t<t144>", "\t\t", "\t\t<t102>", "\t\t<t16>",
      // the waypoint block
      "\t\t\t<wpnt>", "\t\t\t", "\t\t\t<t16>", "\t\t\t\t<name>", "\t\t\t\t", "\t\t\t\t<llps>", "\t\t\t\t,,,",
      "\t\t\t\t<dbky>", "\t\t\t\t", "\t\t\t\t<type>", "\t\t\t\t", "\t\t\t\t<altd>", "\t\t\t\t", "\t\t\t\t<sped>",
      "\t\t\t\t", "\t\t\t\t<t111>", "\t\t\t\t<t16>", "\t\t\t\t\t<t101>", "\t\t\t\t\tUnknown", "\t\t\t\t\t<t134>",
      "\t\t\t\t\tNone", "\t\t\t\t\t<t21>", "\t\t\t\t\t0.", "\t\t\t\t\t<t28>", "\t\t\t\t\t0.", "\t\t\t\t\t<t20>",
      "\t\t\t\t\t0.", "\t\t\t\t\t<t130>", "\t\t\t\t\t0.", "\t\t\t\t\t<t137>", "\t\t\t\t\t0.", "\t\t\t\t\t<t132>",
      "\t\t\t\t\t0.", "\t\t\t\t<endo>", "\t\t\t\t<warp>", "\t\t\t\t0", "\t\t\t<endo>",
      // the trailer
      "\t\t\t<indx>", "\t\t\t0", "\t\t<endo>", "\t<endo>", "<endo>"};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(sitFileText({"a", "\tb"}), "a\r\n\tb\r\n");
}

TEST(SitWriter, RowsInOrderWithTheirCells) {
  PlanRow a;
  a[colName] = "Roissy";
  a[colLat] = "172800.500000";
  a[colLon] = "9180.000000";
  a[colXx] = "392.000000";
  a[colType] = "sarw";
  a[colDbky] = "K1";
  a[colAlt] = "-99999.";
  a[colSped] = "-1";
  a[colId] = "never written";
  PlanRow b = a;
  b[colName] = "Line\r\nbreak";
  b[colYy] = "0.0";
  const auto lines = buildSitLines({a, b, PlanRow{}}, tags());
  EXPECT_EQ(lines.size(), 29u + 37u * 3u);
  EXPECT_EQ(lines[24 + 1], "\t\t\tsarw");
  EXPECT_EQ(lines[24 + 4], "\t\t\t\tRoissy");
  EXPECT_EQ(lines[24 + 6], "\t\t\t\t172800.500000,9180.000000,392.000000,");
  EXPECT_EQ(lines[24 + 10], "\t\t\t\tsarw");
  EXPECT_EQ(lines[24 + 37 + 4], "\t\t\t\tLine  break");  // CR and LF become spaces
  EXPECT_EQ(lines[24 + 37 + 6], "\t\t\t\t172800.500000,9180.000000,392.000000,0.0");
  EXPECT_EQ(join(lines, "\n").find("never written"), std::string::npos);
}

TEST(SitWriter, ShortTagListNamesTheFirstMissingEntry) {
  // The header's sixth line needs it first.
  EXPECT_EQ(navtest::failureMessage([] { buildSitLines({PlanRow{}}, tags(150)); }), "List index out of bounds (156)");
}

TEST(SitWriter, FailuresLeaveTheTargetUntouched) {
  navtest::ScratchFolder dir;
  const std::string list = dir.path() + "liste.txt";
  const std::string out = dir.path() + "plan.sit";
  navtest::writeFile(out, "old content");
  EXPECT_EQ(navtest::failureMessage([&] { ecris_pln({PlanRow{}}, list, out); }), "Cannot open file " + list);
  navtest::writeFile(list, join(tags(100), "\r\n"));
  EXPECT_EQ(navtest::failureMessage([&] { ecris_pln({PlanRow{}}, list, out); }), "List index out of bounds (146)");
  EXPECT_EQ(navtest::readFile(out), "old content");

  navtest::writeFile(list, join(tags(), "\n"));
  std::filesystem::permissions(out, std::filesystem::perms::owner_read);
  try {
    ecris_pln({PlanRow{}}, list, out);
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(std::string(f.what()), "Cannot create file " + out);
  }
  EXPECT_EQ(navtest::readFile(out), "old content");
  std::filesystem::permissions(out, std::filesystem::perms::owner_all);
  ecris_pln({PlanRow{}}, list, out);
  const std::string written = navtest::readFile(out);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 29 + 37);
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  TextLines all(text);
  for (std::string_view line; all.next(line);) lines.emplace_back(line);
  EXPECT_EQ(all.count(), lines.size());
  return lines;
}

TEST(TextLines, SplitsAtEveryKindOfBreak) {
  EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitLines(std::string("a\nb\0c\nd", 7)), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(splitLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(splitLines("\r\r\n\n"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(splitLines("  x  "), std::vector<std::string>{"  x  "});
  EXPECT_EQ(firstLines("a\nb\nc\n", 2), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(firstLines("a", 5), (std::vector<std::string_view>{"a"}));
}

TEST(SitReader, ReadsBackWhatTheWriterWrote) {
  PlanRow a;
  a[colName] = "Roissy";
  a[colLat] = "172800.500000";
  a[colLon] = "9180.000000";
  a[colXx] = "392.000000";
  a[colDbky] = "K1";
  a[colType] = "sarw";
  a[colAlt] = "-99999.";
  a[colSped] = "-1";
  a[colId] = "LFPG";
  PlanRow u = a;
  u[colName] = "WPT0001";
  u[colYy] = "0.0";
  u[colType] = "usrw";
  const std::vector<PlanRow> written{a, u, PlanRow{}};
  const std::vector<PlanRow> read = parseSit(sitFileText(buildSitLines(written, tags())));
  ASSERT_EQ(read.size(), 3u);
  for (std::size_t r = 0; r < 3; ++r) {
    for (std::size_t c = colName; c <= colSped; ++c) EXPECT_EQ(read[r].cells[c], written[r].cells[c]) << r << c;
    EXPECT_EQ(read[r][colTypeLoaded], "0");
    for (std::size_t c = colId; c < kPlanColumns; ++c) EXPECT_EQ(read[r].cells[c], "");
  }
}

std::vector<PlanRow> parse(const std::string& text) { return parseSit(text); }

const char* kOneWaypoint =
    "head\n<wpnt>\nXXXX\n<name>\nTWO after\nx<name>y\n\t\tA\tB\n<llps>\n1,2\n<dbky>\nk\n<type>\nusrw\n<altd>\n5\n"
    "<sped>\n6\n<warp>\n0\n<endo>\n<indx>\n";

TEST(SitReader, TagsAnywhereInALineAndTabsRemoved) {
  const auto rows = parse(kOneWaypoint);
  ASSERT_EQ(rows.size(), 1u);
  // Two lines after "<wpnt>" is where the search for the first name starts.
  EXPECT_EQ(rows[0][colName], "TWO after");
  EXPECT_EQ(rows[0][colLat], "1");
  EXPECT_EQ(rows[0][colLon], "");  // no second comma: empty, and the rest goes on
  EXPECT_EQ(rows[0][colXx], "");
  EXPECT_EQ(rows[0][colYy], "2");
  EXPECT_EQ(rows[0][colType], "usrw");

  const auto skipped = parse(
      "<wpnt>\n<name>\nnot seen\n<name>\nseen\n<llps>\na,b,c,d,e,f\n<dbky>\n\n<type>\n\n<altd>\n"
      "\n<sped>\n\n<warp>\n\t0\t\n<endo>\n<indx>");
  ASSERT_EQ(skipped.size(), 1u);
  EXPECT_EQ(skipped[0][colName], "seen");
  EXPECT_EQ(skipped[0][colXx], "c");
  EXPECT_EQ(skipped[0][colYy], "d,e,f");
  EXPECT_EQ(skipped[0][colTypeLoaded], "0");

  const auto tabs = parse(
      "<wpnt>\nx\ny\n<name>\n\t\t\t\tA\tB\n<llps>\nnone\n<dbky>\n\n<type>\n\n<altd>\n\n<sped>\n\n<warp>\n"
      "0\n<endo>\n<indx>");
  EXPECT_EQ(tabs[0][colName], "AB");
  EXPECT_EQ(tabs[0][colYy], "none");
}

TEST(SitReader, MissingTagsFailWithTheLineCount) {
  auto message = [](const std::string& text) { return navtest::failureMessage([&] { parse(text); }); };
  EXPECT_EQ(message(""), "List index out of bounds (0)");
  EXPECT_EQ(message("a\nb\n<WPNT>\n"), "List index out of bounds (3)");  // exact case only
  std::string noIndx = kOneWaypoint;
  noIndx.replace(noIndx.find("<indx>"), 6, "<done>");
  EXPECT_EQ(message(noIndx), "List index out of bounds (21)");
  std::string noSped = kOneWaypoint;
  noSped.replace(noSped.find("<sped>"), 6, "<spud>");
  EXPECT_EQ(message(noSped), "List index out of bounds (21)");
  EXPECT_EQ(message(std::string(100000, '\n')), "List index out of bounds (100000)");
}

TEST(SitReader, RefusesWhatIsNoSavedSimulation) {
  navtest::ScratchFolder dir;
  const std::string big = dir.path() + "big.sit";
  navtest::writeFile(big, std::string(kTextFileLimit + 1, '\n'));
  EXPECT_EQ(navtest::failureMessage([&] { readSitFile(big); }), "File " + big + " is too large: over 16 MB");
  EXPECT_EQ(navtest::failureMessage([&] { readSitFile(dir.path()); }), "Cannot open file " + dir.path());
#ifndef _WIN32
  // Neither a FIFO, which would block for ever, nor a device that never ends.
  const std::string fifo = dir.path() + "fifo.sit";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(navtest::failureMessage([&] { readSitFile(fifo); }), "Cannot open file " + fifo);
  EXPECT_EQ(navtest::failureMessage([&] { readSitFile("/dev/zero"); }), "Cannot open file /dev/zero");
#endif
}

}  // namespace
