#include "app/object_info.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "base/number_format.h"
#include "flightplan/nav_log.h"
#include "mapview/paint_fixture.h"

namespace {

using namespace nav;

// An airport with one runway due north, its localizer, a navaid 10' of
// latitude north (10 NM) and one 40' north, out of reach.
NavDatabase tours() {
  NavDatabase db;
  db.airports.push_back(navtest::airport("4179", "LFOT", "Tours", 170760, 2619));
  navtest::putI32(db.airports[0], 109, 357);
  db.runways.push_back(navtest::runway("4179", 170700, 2619, 170800, 2619));
  navtest::putI32(db.runways[0], 24, 2404);
  navtest::putText(db.runways[0], 59, "02");
  navtest::putText(db.runways[0], 155, "20");
  db.ilsComponents.push_back(navtest::ils(64, "ITS", "", 110.3, 170700, 2619));
  navtest::putText(db.ilsComponents[0], 14, "4179");
  navtest::putText(db.ilsComponents[0], 24, "20");
  db.navaids.push_back(navtest::navaid("TUR", "", 331, 8, 171360, 2619));
  db.navaids.push_back(navtest::navaid("FAR", "", 113.7, 17, 173160, 2619));
  return db;
}

TEST(ObjectInfo, AnAirportWithItsRunwaysIlsAndNavaidsNearby) {
  const NavDatabase db = tours();
  const std::optional<InfoSubject> s = subjectOfPlanRow(db, [] {
    PlanRow row;
    row[colType] = std::string(typeCode::airport);
    row[colDbky] = "4179";
    return row;
  }());
  ASSERT_TRUE(s && s->airport);
  const ObjectInfo info = objectInfo(db, *s, ',');
  EXPECT_EQ(info.title, "LFOT  Tours");
  const std::vector<std::string> expected = {
      "Altitude : 357 ft (109 m)",
      "Position : N 47\xB0 26' 0\" - E 0\xB0 43' 39\"",
      "Pistes :",
      "  02/20 : 2404 m (7887 ft), 360\xB0 / 180\xB0 vrai",
      "ILS :",
      "  ILS ITS piste 20 : 110,30 MHz, axe 180\xB0 vrai",
      "Moyens radio \xE0 moins de 30 NM :",
      "  TUR NDB 331 kHz : 360\xB0 vrai, 10,0 NM",
  };
  EXPECT_EQ(info.lines, expected);

  // With the magnetic model: headings, axes and bearings magnetic.
  const MagneticVariation model(NAV_MAGNETIC_FOLDER);
  const double v = *model.at({.lat = 170760, .lon = 2619}, 2026.9);
  const ObjectInfo magnetic = objectInfo(db, *s, ',', &model, 2026.9);
  EXPECT_EQ(magnetic.lines[2], fmt::format("D\xE9"
                                           "clinaison : {}\xB0 E",
                                           formatFixed(v, 1, ',')));
  EXPECT_EQ(magnetic.lines[4], fmt::format("  02/20 : 2404 m (7887 ft), {:03d}\xB0 / {:03d}\xB0 magn\xE9tique",
                                           wholeDegrees(360 - v), wholeDegrees(180 - v)));
}

// A result row of a runway end names its airport; a navaid is told by its
// kind, frequency and region.
TEST(ObjectInfo, SearchRowsAndNavaids) {
  NavDatabase db = tours();
  SearchRow end;
  end.cells[searchColIdent] = "LFOT";
  end.cells[searchColRegion] = "20";
  end.cells[searchColTypeCode] = std::string(typeCode::userWaypoint);
  const std::optional<InfoSubject> airport = subjectOfSearchRow(db, end);
  ASSERT_TRUE(airport && airport->airport);
  EXPECT_EQ(airport->airport->ident(), "LFOT");

  navtest::putText(db.navaids[1], 83, "FR");
  InfoSubject vor;
  vor.navaid = db.navaids[1];
  EXPECT_EQ(objectInfo(db, vor, '.').lines,
            (std::vector<std::string>{"VOR-DME 113.70 MHz", "Altitude : 0 ft (0 m)", "R\xE9gion : FR",
                                      "Position : N 48\xB0 6' 0\" - E 0\xB0 43' 39\""}));
  EXPECT_FALSE(subjectOfSearchRow(db, SearchRow{}));
}

}  // namespace
