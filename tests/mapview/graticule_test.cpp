#include "mapview/graticule.h"

#include <gtest/gtest.h>

#include "mapview/location_bar.h"
#include "mapview/paint_fixture.h"

namespace {

using navtest::PaintFixture;

struct Lines {
  std::vector<std::string> parallels, meridians;
};

Lines drawAndCollect(PaintFixture& f) {
  f.run(nav::drawGraticule);
  Lines out;
  for (const std::string& t : f.surface.texts()) {
    const char c = t[0];
    (c == 'N' || c == 'S' ? out.parallels : out.meridians).push_back(t);
  }
  return out;
}

TEST(Graticule, StepPerZoomLevel) {
  const double expected[] = {30, 30, 10, 10, 5, 2, 1, 0.5, 0.25, 0.125};
  for (int mag = 1; mag <= 10; ++mag) EXPECT_EQ(nav::graticuleStep(mag), expected[mag - 1]) << mag;
  EXPECT_EQ(nav::graticuleStep(0), 30);
  EXPECT_EQ(static_cast<int>(3600 * nav::graticuleStep(12)), 112);
}

TEST(Graticule, WholeWorld) {
  PaintFixture f(743, 487, 1);
  f.surface.setPen({{9, 9, 9}, 1});
  const Lines l = drawAndCollect(f);
  EXPECT_EQ(l.parallels, (std::vector<std::string>{"S60.00", "S30.00", "N0.00", "N30.00", "N60.00"}));
  EXPECT_EQ(l.meridians, (std::vector<std::string>{"W150.00", "W120.00", "W90.00", "W60.00", "W30.00", "E0.00",
                                                   "E30.00", "E60.00", "E90.00", "E120.00", "E150.00"}));
  EXPECT_EQ(f.surface.pen().color, (nav::Rgb{9, 9, 9}));  // restored
  const auto lines = f.surface.only("line");
  EXPECT_EQ(lines.front().pen.color, (nav::Rgb{0, 192, 255}));
  // The parallel at 60 S runs across the whole area.
  EXPECT_EQ(lines.front().args[0], 0);
  EXPECT_EQ(lines.front().args[2], 743);
}

TEST(Graticule, LinesFallOnAWholeDegreePlusSteps) {
  PaintFixture f(1000, 500, 3);  // +-45 by +-22.5 degrees
  const Lines l = drawAndCollect(f);
  EXPECT_EQ(l.parallels, (std::vector<std::string>{"S12.00", "S2.00", "N8.00", "N18.00"}));
  EXPECT_EQ(l.meridians,
            (std::vector<std::string>{"W35.00", "W25.00", "W15.00", "W5.00", "E5.00", "E15.00", "E25.00", "E35.00"}));
  PaintFixture comma(1000, 500, 3);
  auto ctx = comma.context();
  ctx.decimalSeparator = ',';
  nav::drawGraticule(comma.surface, ctx);
  EXPECT_EQ(comma.surface.texts()[0], "S12,00");
}

TEST(Graticule, MinutesAndSecondsBelowADegree) {
  EXPECT_EQ(nav::graticuleLabel(45 * 3600 + 1800, 0.5, true, '.'),
            "N45\xB0"
            "30'0\"");
  EXPECT_EQ(nav::graticuleLabel(-1800, 0.5, true, '.'),
            "S0\xB0"
            "30'0\"");
  EXPECT_EQ(nav::graticuleLabel(-1800, 0.5, false, '.'),
            "W0\xB0"
            "30'0\"");
  EXPECT_EQ(nav::graticuleLabel(3600 * 10 + 450, 0.125, false, '.'),
            "E10\xB0"
            "7'30\"");
  PaintFixture f(1000, 500, 8, 45.5 * 3600, 45.5 * 3600);
  const Lines l = drawAndCollect(f);
  EXPECT_NE(std::find(l.parallels.begin(), l.parallels.end(),
                      "N45\xB0"
                      "30'0\""),
            l.parallels.end());
}

TEST(Graticule, LinesOnTheAreasEdgesAreLeftOut) {
  // 1000 x 500 at level 2: +-90 by +-45 degrees; 30 N ... lines at the
  // edges would be at y = 0 and y = 500.
  PaintFixture f(1000, 600, 1);  // +-180 by +-108: 90 N is outside, still no line at the top
  const Lines l = drawAndCollect(f);
  EXPECT_EQ(l.parallels.back(), "N60.00");
  for (const auto& op : f.surface.only("line")) {
    if (op.args[1] == op.args[3]) {  // parallels
      EXPECT_GT(op.args[1], 0);
      EXPECT_LT(op.args[1], 600);
    }
  }
}

TEST(LocationBar, CentreAndSize) {
  nav::Viewport v;
  v.mag = 1;
  v.Size(1000, 500);
  EXPECT_EQ(nav::locationBarText(v, '.'),
            "center: 0.000000, 0.000000 (0\xB0 0' 0\"N, 0\xB0 0' 0\"E),  size: 21600 by 10800 nm");
  v.CenterAt({.lat = 45.25 * 3600, .lon = -0.5 * 3600});
  v.zoomIn();
  EXPECT_EQ(nav::locationBarText(v, ','),
            "center: 45,250000, -0,500000 (45\xB0 15' 0\"N, 0\xB0 30' 0\"W),  size: 10800 by 5400 nm");
  // Whole arc-seconds: a third of a degree is 20', not 19' 59".
  v.CenterAt({.lat = -300000, .lon = 2 * 3600 + 33 * 60});
  EXPECT_NE(nav::locationBarText(v, '.').find("(83\xB0 20' 0\"S, 2\xB0 33' 0\"E)"), std::string::npos)
      << nav::locationBarText(v, '.');
}

}  // namespace
