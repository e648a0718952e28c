#include "exchange/route_exchange.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "base/windows1252.h"
#include "exchange/fms_format.h"
#include "exchange/pln_format.h"
#include "test_support.h"

namespace {

using namespace nav;

const std::string kFixtures = NAV_EXCHANGE_FIXTURES;

RoutePoint point(const std::string& ident, PointKind kind, double lat, double lon,
                 std::optional<double> feet = std::nullopt, const std::string& name = {}) {
  RoutePoint p;
  p.ident = ident;
  p.name = name;
  p.kind = kind;
  p.lat = lat;
  p.lon = lon;
  p.altitudeFeet = feet;
  return p;
}

// Roissy, a VOR west of Greenwich with markup in its name, a user point
// with an accent visited twice, a point just west of the antimeridian, Blagnac.
ExchangeRoute sample() {
  ExchangeRoute r;
  r.name = "A\xC3\xA9roport Roissy - Blagnac";
  r.points = {point("LFPG", PointKind::airport, 49.0128, 2.55, std::nullopt, "A\xC3\xA9roport Roissy"),
              point("RNE", PointKind::vor, 48.083542, -1.729875, 4500, "Dr\xC3\xB4le <VOR> & \"co\"\x01"),
              point("Maison \xC3\xA9t\xC3\xA9", PointKind::user, 47.5, 1.25, 3000),
              point("Maison \xC3\xA9t\xC3\xA9", PointKind::user, 47.6, 1.35),
              point("EDGE", PointKind::waypoint, 0, 179.999999999),
              point("LFBO", PointKind::airport, 43.6291, 1.363819)};
  return r;
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

// What another planner wrote, to four decimals, in three formats: the same
// five points, and the planned altitudes where the format has them.
TEST(RouteExchange, ReadsTheSameRouteFromAnotherPlannersGpxFmsAndPln) {
  for (const char* name : {"lfpn-lfot.gpx", "lfpn-lfot.fms", "lfpn-lfot.pln"}) {
    SCOPED_TRACE(name);
    const ExchangeRoute r = readRouteFile(kFixtures + name);
    ASSERT_EQ(r.points.size(), 5u);
    const char* idents[] = {"LFPN", "RBT", "CHW", "AMB", "LFOT"};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(r.points[i].ident, idents[i]);
    EXPECT_EQ(r.points[0].kind, PointKind::airport);
    EXPECT_EQ(r.points[1].kind, PointKind::vor);
    EXPECT_NEAR(r.points[2].lat, 48.48, 1e-6);
    EXPECT_NEAR(r.points[2].lon, 0.9871, 1e-6);
    const bool gpx = std::string(name).ends_with("gpx");
    EXPECT_EQ(r.points[3].kind, gpx ? PointKind::unknown : PointKind::vor);
    EXPECT_EQ(r.points[1].altitudeFeet, gpx ? std::nullopt : std::optional(3500.0));
    EXPECT_EQ(r.points[4].altitudeFeet, std::nullopt);
  }
}

// Every format reads back what it writes: identifiers, kinds, positions to
// within what it keeps, altitudes where it has them.
TEST(RouteExchange, EachFormatReadsBackWhatItWrites) {
  const ExchangeRoute written = sample();
  for (const RouteFormat f : kRouteFormats) {
    SCOPED_TRACE(std::string(formatExtension(f)));
    const ExchangeRoute back = parseRouteFile(routeFileText(written, f), "route");
    ASSERT_EQ(back.points.size(), written.points.size());
    for (std::size_t i = 0; i < back.points.size(); ++i) {
      const RoutePoint &w = written.points[i], &b = back.points[i];
      const double tolerance = f == RouteFormat::pln ? 0.006 / 3600 : 1e-8;
      EXPECT_NEAR(b.lat, w.lat, tolerance) << i;
      EXPECT_NEAR(std::remainder(b.lon - w.lon, 360.0), 0, tolerance) << i;
      EXPECT_EQ(b.kind, w.kind) << i;
      if (f != RouteFormat::gpx && f != RouteFormat::fpl) {
        ASSERT_EQ(b.altitudeFeet.has_value(), w.altitudeFeet.has_value()) << i;
        if (w.altitudeFeet) {
          EXPECT_NEAR(*b.altitudeFeet, *w.altitudeFeet, 0.01);
        }
      }
    }
    EXPECT_EQ(back.points[0].ident, "LFPG");
    EXPECT_EQ(back.points[1].ident, "RNE");
  }
  // FPL's identifiers are what its schema allows; a second point of the
  // same name elsewhere gets its own.
  const ExchangeRoute fpl = parseRouteFile(routeFileText(written, RouteFormat::fpl), "route.fpl");
  EXPECT_EQ(fpl.points[2].ident, "MAISONT");
  EXPECT_EQ(fpl.points[3].ident, "MAISONT2");
  EXPECT_EQ(parseRouteFile(routeFileText(written, RouteFormat::fms), "r").points[2].ident, "Maison_\xC3\xA9t\xC3\xA9");
}

// What the writers must get right that a read back does not show.
TEST(RouteExchange, WritersEscapeWrapAndRound) {
  const std::string gpx = routeFileText(sample(), RouteFormat::gpx);
  EXPECT_EQ(gpx.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\"", 0), 0u);
  // The control byte left out: XML cannot hold it.
  EXPECT_NE(gpx.find("<desc>Dr\xC3\xB4le &lt;VOR&gt; &amp; &quot;co&quot;</desc>"), std::string::npos);
  // Just west of the antimeridian, rounded to eight decimals: 180 is not a
  // GPX longitude, -180 is the same place.
  EXPECT_NE(gpx.find("lon=\"-180.00000000\""), std::string::npos) << gpx;
  EXPECT_NE(routeFileText({}, RouteFormat::gpx).find("<rte>\n  </rte>"), std::string::npos);
  // Seconds that round up to 60 carry into the minutes.
  EXPECT_EQ(exchange::worldPositionText(48.99999999, -0.5, 1500),
            "N49\xC2\xB0 0' 0.00\",W0\xC2\xB0 30' 0.00\",+001500.00");
  const std::optional<exchange::WorldPosition> latin1 =
      exchange::parseWorldPosition("S33\xB0 56' 46.10\",W151\xB0 10' 38.60\"");
  ASSERT_TRUE(latin1);
  EXPECT_NEAR(latin1->lat, -(33 + 56 / 60.0 + 46.1 / 3600), 1e-9);
  EXPECT_NEAR(latin1->lon, -(151 + 10 / 60.0 + 38.6 / 3600), 1e-9);
  EXPECT_FALSE(exchange::parseWorldPosition("N48\xC2\xB0 61' 0.00\",E2\xC2\xB0 0' 0.00\""));
  using namespace std::chrono;
  EXPECT_EQ(exchange::airacCycle(sys_days{year{2026} / December / 9}), "2612");
  EXPECT_EQ(exchange::airacCycle(sys_days{year{2026} / January / 22}), "2601");
  EXPECT_EQ(exchange::airacCycle(sys_days{year{2026} / January / 21}), "2513");
}

// Tools of other makers read our files: the schemas of GPX 1.1 and FPL v1
// as their public descriptions give them, and gpsbabel for GPX and KML.
TEST(RouteExchange, OtherToolsReadOurFiles) {
#ifdef _WIN32
  GTEST_SKIP() << "xmllint and gpsbabel read the files on the Linux build";
#endif
  ASSERT_EQ(std::system("command -v gpsbabel >/dev/null && command -v xmllint >/dev/null"), 0)
      << "gpsbabel or xmllint is missing: run scripts/setup.sh";
  navtest::ScratchFolder dir;
  for (const auto& [format, schema] : {std::pair{RouteFormat::gpx, "gpx11.xsd"}, {RouteFormat::fpl, "fpl1.xsd"}}) {
    const std::string path = dir.path() + "route." + std::string(formatExtension(format));
    writeRouteFile(sample(), format, path);
    EXPECT_EQ(run("xmllint --noout --schema '" + kFixtures + schema + "' '" + path + "' 2>&1"), path + " validates\n");
  }
  const std::string expected =
      "No,Latitude,Longitude,Name,Notes\n"
      "1,49.012800,2.550000,\"LFPG\",\"A\xC3\xA9roport Roissy\"\n"
      "2,48.083542,-1.729875,\"RNE\",\"Dr\xC3\xB4le <VOR> & \"\"co\"\"\"\n"
      "3,47.500000,1.250000,\"Maison \xC3\xA9t\xC3\xA9\",\n"
      "4,47.600000,1.350000,\"Maison \xC3\xA9t\xC3\xA9\",\n"
      "5,0.000000,-180.000000,\"EDGE\",\n"
      "6,43.629100,1.363819,\"LFBO\",\n";
  EXPECT_EQ(run("gpsbabel -r -i gpx -f '" + dir.path() + "route.gpx' -o unicsv -F - 2>&1"), expected);
  writeRouteFile(sample(), RouteFormat::kml, dir.path() + "route.kml");
  const std::string kml = run("gpsbabel -i kml -f '" + dir.path() + "route.kml' -o unicsv -F - 2>&1");
  EXPECT_NE(kml.find("\"RNE\""), std::string::npos) << kml;
  EXPECT_NE(kml.find("43.629100,1.363819"), std::string::npos) << kml;
}

// A damaged file names itself and where it breaks.
TEST(RouteExchange, DamagedFilesSayWhereAndWhy) {
  const auto message = [](const std::string& content) {
    return windows1252ToUtf8(navtest::failureMessage([&] { parseRouteFile(content, "vol"); }));
  };
  const std::string truncated = navtest::readFile(kFixtures + "lfpn-lfot.gpx").substr(0, 400);
  EXPECT_EQ(message(truncated).rfind("Plan illisible dans vol, ligne ", 0), 0u) << message(truncated);
  EXPECT_NE(message(truncated).find("fichier tronqué"), std::string::npos) << message(truncated);
  EXPECT_EQ(message("<SimBase.Document>\n<FlightPlan.FlightPlan>\n<Title>x</Title>\n</FlightPlan.FlightPlan>\n"
                    "</SimBase.Document>\n"),
            "Plan illisible dans vol, ligne 2 : aucun point <ATCWaypoint>");
  std::string fms = navtest::readFile(kFixtures + "lfpn-lfot.fms");
  EXPECT_EQ(message(std::string(fms).replace(fms.find("NUMENR 5"), 8, "NUMENR 6")),
            "Plan illisible dans vol, ligne 7 : NUMENR annonce 6 points, le fichier en a 5");
  EXPECT_EQ(message(std::string(fms).replace(fms.find("NUMENR 5"), 8, "NUMENR 4")),
            "Plan illisible dans vol, ligne 7 : NUMENR annonce 4 points, le fichier en a davantage (ligne 12)");
  EXPECT_EQ(message("I\n3 version\n1\n"),
            "Plan illisible dans vol, ligne 2 : seule la version 1100 des plans X-Plane "
            "(.fms) est lue");
  EXPECT_EQ(message("<gpx><rte>\n<rtept lat=\"91\" lon=\"2\"/></rte></gpx>"),
            "Plan illisible dans vol, ligne 2 : position hors de la Terre (91, 2)");
  EXPECT_EQ(message("<gpx><rte>\n<rtept lat=\"4x\" lon=\"2\"/></rte></gpx>"),
            "Plan illisible dans vol, ligne 2 : <rtept> sans latitude ou longitude lisible");
  EXPECT_EQ(message("<html/>"), "Plan illisible dans vol, ligne 1 : <html> : ni GPX, ni FPL, ni PLN, ni KML");
  EXPECT_EQ(message("PK\x03\x04"), "Plan illisible dans vol : format inconnu (GPX, FPL, PLN, FMS ou KML attendu)");
  EXPECT_EQ(message("<flight-plan><waypoint-table/><route><route-point><waypoint-identifier>X</waypoint-identifier>"
                    "</route-point></route></flight-plan>"),
            "Plan illisible dans vol, ligne 1 : le point X n'est pas dans <waypoint-table>");
  // An entity of the file's own is not expanded, so a file cannot grow in memory.
  EXPECT_EQ(parseRouteFile("<!DOCTYPE gpx [<!ENTITY a \"aaaa\">]><gpx><wpt lat=\"1\" lon=\"2\"><name>&a;</name></wpt>"
                           "</gpx>",
                           "vol")
                .points.at(0)
                .ident,
            "&a;");
  navtest::ScratchFolder dir;
  EXPECT_EQ(navtest::failureMessage([&] { readRouteFile(dir.path()); }), "Cannot open file " + dir.path());
}

TEST(RouteExchange, AFileThatCannotBeWrittenIsReported) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "missing/route.gpx";
  EXPECT_EQ(navtest::failureMessage([&] { writeRouteFile(sample(), RouteFormat::gpx, path); }),
            "Cannot create file " + path);
}

}  // namespace
