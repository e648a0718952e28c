#include "flightplan/gpx_route.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "test_support.h"

namespace {

using namespace nav;

PlanRow row(const std::string& name, const std::string& lat, const std::string& lon, const std::string& type) {
  PlanRow r;
  r[colName] = name;
  r[colLat] = lat;
  r[colLon] = lon;
  r[colType] = type;
  return r;
}

// Roissy, a VOR west of Greenwich with markup in its name, a row without a
// position, Blagnac, and the trailing empty row.
std::vector<PlanRow> plan() {
  return {row("A\xE9roport Roissy", "176446.070000", "9180.000000", "sarw"),
          row("Dr\xF4le <VOR> & \"co\"\x01", "173100.750000", "1289772.450000", "snav"), row("nowhere", "", "", "usrw"),
          row("Blagnac", "157064.760000", "4909.750000", "sarw"), PlanRow{}};
}

std::string run(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  std::erase(out, '\r');  // its CSV lines end in CR LF
  return out;
}

// What gpsbabel does not check: the header, and markup in names escaped.
TEST(GpxRoute, AGpx11RouteWithItsNamesEscaped) {
  const std::string gpx = gpxRoute(plan());
  EXPECT_EQ(gpx.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\"", 0), 0u);
  EXPECT_NE(gpx.find("xmlns=\"http://www.topografix.com/GPX/1/1\""), std::string::npos);
  // The control byte left out: XML cannot hold it.
  EXPECT_NE(gpx.find("<name>Dr\xC3\xB4le &lt;VOR&gt; &amp; &quot;co&quot;</name>"), std::string::npos);
  // A plan without positions is still a route, an empty one.
  EXPECT_NE(gpxRoute({PlanRow{}}).find("<rte>\n  </rte>"), std::string::npos);
  // Just west of the antimeridian, rounded to eight decimals: 180 is not a
  // GPX longitude, -180 is the same place.
  const std::string edge = gpxRoute({row("edge", "0", "647999.99999", "usrw")});
  EXPECT_NE(edge.find("lon=\"-180.00000000\""), std::string::npos) << edge;
}

TEST(GpxRoute, GpsbabelReadsTheRouteBack) {
#ifdef _WIN32
  GTEST_SKIP() << "gpsbabel reads the route back on the Linux build";
#endif
  ASSERT_EQ(std::system("command -v gpsbabel >/dev/null"), 0) << "gpsbabel is missing: run scripts/setup.sh";
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "route.gpx";
  writeGpxRoute(plan(), path);
  EXPECT_EQ(run("gpsbabel -r -i gpx -f '" + path + "' -o unicsv -F - 2>&1"),
            "No,Latitude,Longitude,Name\n"
            "1,49.012797,2.550000,\"A\xC3\xA9roport Roissy\"\n"
            "2,48.083542,-1.729875,\"Dr\xC3\xB4le <VOR> & \"\"co\"\"\"\n"
            "3,43.629100,1.363819,\"Blagnac\"\n");
  const std::string again = run("gpsbabel -r -i gpx -f '" + path + "' -o gpx,gpxver=1.1 -F - 2>&1");
  EXPECT_NE(again.find("<name>A\xC3\xA9roport Roissy - Blagnac</name>"), std::string::npos) << again;
  EXPECT_NE(again.find("<type>snav</type>"), std::string::npos) << again;
}

TEST(GpxRoute, AFileThatCannotBeWrittenIsReported) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "missing/route.gpx";
  EXPECT_EQ(navtest::failureMessage([&] { writeGpxRoute(plan(), path); }), "Cannot create file " + path);
}

}  // namespace
