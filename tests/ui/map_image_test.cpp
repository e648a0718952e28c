#include "paint/map_image.h"

#include <QImage>
#include <QStringDecoder>
#include <QTest>
#include <optional>

#include "base/failure.h"
#include "flightplan/flight_plan.h"
#include "mapview/object_layers.h"
#include "mapview/paint_fixture.h"
#include "paint/map_glyphs.h"
#include "paint/qpainter_surface.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/map_widget.h"

namespace {

// A paint without a plan, the fixture's spare pen handed on.
void paint(QImage& image, navtest::PaintFixture& f) {
  const nav::FlightPlan none;
  navui::paintMapImage(image, f.state, none, f.penSaved, '.');
}

}  // namespace

// Pixels painted by the QPainter surface, as the window shows them.
class MapImageTest : public QObject {
  Q_OBJECT

 private slots:
  void worldFrameAndCentreMark() {
    navtest::PaintFixture f(300, 100, 1);  // wider than 2:1: the world is 200 pixels wide
    QImage image(300, 100, QImage::Format_RGB32);
    paint(image, f);
    QCOMPARE(image.pixelColor(50, 50), QColor(Qt::black));  // west edge of the world
    QCOMPARE(image.pixelColor(20, 50), QColor(Qt::white));  // beyond it
    QCOMPARE(image.pixelColor(150, 0), QColor(Qt::black));  // north edge
    QCOMPARE(image.pixelColor(150, 50), QColor(Qt::red));   // centre mark
    QCOMPARE(image.pixelColor(148, 50), QColor(Qt::red));
    QCOMPARE(image.pixelColor(152, 50), QColor(Qt::white));  // a line stops before its end point
    QCOMPARE(image.pixelColor(150, 30), QColor(Qt::white));
  }

  void farCoordinatesAreClipped() {
    // At the deepest level the world's corners are far beyond what the
    // raster engine takes; the frame still shows where it is.
    navtest::PaintFixture f(400, 200, 16, -648000 + 5, 0);
    QImage image(400, 200, QImage::Format_RGB32);
    paint(image, f);
    const nav::MapPixel west = f.state.view.GeoToPixel({.lat = 0, .lon = -648000});
    QVERIFY(west.x > 0 && west.x < 400);
    QCOMPARE(image.pixelColor(west.x, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(west.x - 10, 20), QColor(Qt::white));
  }

  void labelsAreWrittenOnWhite() {
    navtest::PaintFixture f(400, 200, 7);
    f.state.settings.airport = f.state.settings.id = true;
    f.state.db.airports.push_back(navtest::airport("K", "LFPG", "", 0, 0));
    QImage image(400, 200, QImage::Format_RGB32);
    paint(image, f);
    // The label box sits 13 to 30 pixels above the airport, framed in green.
    bool green = false, black = false;
    for (int x = 160; x < 240; ++x)
      for (int y = 100 - 31; y <= 100 - 13; ++y) {
        const QColor c = image.pixelColor(x, y);
        green |= c == QColor(0, 128, 0);
        black |= c.lightness() < 80;  // text, antialiased
      }
    QVERIFY(green);
    QVERIFY(black);
    QCOMPARE(image.pixelColor(200 - 5, 100), QColor(Qt::red));  // the airport's ring
  }

  // At a device pixel ratio of 2 the map keeps its geometry in map pixels:
  // straight lines and the frame cover the same map pixels as at ratio 1,
  // each map pixel now two by two image pixels.
  void ratioTwoCoversTheSameMapPixels() {
    navtest::PaintFixture f(300, 100, 1);
    QImage once(300, 100, QImage::Format_RGB32);
    paint(once, f);
    QImage twice(600, 200, QImage::Format_RGB32);
    twice.setDevicePixelRatio(2);
    paint(twice, f);
    QCOMPARE(f.state.view.clientWidth, 300);  // map pixels, not the image's
    QCOMPARE(f.state.view.clientHeight, 100);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 300; ++x)
        for (int k = 0; k < 4; ++k)
          if (twice.pixel(2 * x + k % 2, 2 * y + k / 2) != once.pixel(x, y))
            QFAIL(qPrintable(QStringLiteral("map pixel %1, %2").arg(x).arg(y)));
  }

  static QImage ratioTwoImage() {
    QImage image(400, 300, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    return image;
  }

  // A sloping line is as thick as a map pixel all along, with no gaps: a
  // route does not look dotted. Drawn inverted, it is whole, and drawing it
  // again takes it away.
  void slopingLinesAreWholeAndAMapPixelThick() {
    QImage image = ratioTwoImage();
    const QImage clean = image.copy();
    {
      navui::QPainterSurface s(image);
      s.setPen({{0, 0, 0}, 1});
      s.moveTo(10, 10);
      s.lineTo(110, 47);  // mostly across: two image pixels high in every column
      s.moveTo(150, 140);
      s.lineTo(120, 20);  // mostly down, drawn upwards: two wide in every row
      s.setInvertMode(true);
      s.moveTo(20, 130);
      s.lineTo(90, 60);
    }
    const auto darkRun = [&](bool column, int at, int from, int to) {
      QList<int> dark;
      for (int i = from; i < to; ++i)
        if (qGray(column ? image.pixel(at, i) : image.pixel(i, at)) < 128) dark << i;
      return dark.size() == 2 && dark[1] == dark[0] + 1 ? dark[0] : -1;
    };
    int last = -1;
    for (int x = 20; x < 220; ++x) {
      const int top = darkRun(true, x, 0, 100);
      QVERIFY2(top >= 0, qPrintable(QStringLiteral("column %1").arg(x)));
      QVERIFY(last < 0 || std::abs(top - last) <= 1);
      last = top;
    }
    QVERIFY(qGray(image.pixel(220, 2 * 47)) > 128);  // the end point is left out
    // Map rows 21 to 140 of the upward line: image rows 42 to 281.
    for (int y = 42; y < 282; ++y) QVERIFY2(darkRun(false, y, 230, 310) >= 0, qPrintable(QString::number(y)));
    QCOMPARE(darkRun(false, 41, 230, 310), -1);
    for (int x = 40; x < 180; ++x) QVERIFY2(darkRun(true, x, 110, 270) >= 0, qPrintable(QString::number(x)));
    {
      navui::QPainterSurface s(image);
      s.setPen({{0, 0, 0}, 1});
      s.setInvertMode(true);
      s.moveTo(20, 130);
      s.lineTo(90, 60);
    }
    QCOMPARE(image.copy(0, 100, 200, 200), clean.copy(0, 100, 200, 200));
  }

  void ringsAndFramesAreAMapPixelThick() {
    QImage image = ratioTwoImage();
    {
      navui::QPainterSurface s(image);
      s.setPen({{255, 0, 0}, 1});
      s.ellipse(90, 40, 110, 60);  // a ring of radius 10 about (100, 50)
      s.setFillColor({0, 128, 0});
      s.frame(20, 20, 60, 30);
    }
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 128, 0), white = qRgb(255, 255, 255);
    // Across the ring's left side on its middle row, as at ratio 1 (map pixel 90).
    QCOMPARE(image.pixel(179, 100), white);
    QCOMPARE(image.pixel(180, 100), red);
    QCOMPARE(image.pixel(181, 100), red);
    QCOMPARE(image.pixel(182, 100), white);
    // The frame's top edge: map row 20; its right edge: map column 59.
    QCOMPARE(image.pixel(60, 39), white);
    QCOMPARE(image.pixel(60, 40), green);
    QCOMPARE(image.pixel(60, 41), green);
    QCOMPARE(image.pixel(60, 42), white);
    QCOMPARE(image.pixel(118, 50), green);
    QCOMPARE(image.pixel(119, 50), green);
    QCOMPARE(image.pixel(120, 50), white);
  }

  // Marks and crosses set straight into the image, and polylines, give the
  // pixels of their lines drawn one by one, also where they reach past the
  // edges.
  void marksAndPolylinesSetThePixelsOfTheirLines() {
    // The same surface without its raster: every mark as its lines.
    struct LinesOnly : navui::QPainterSurface {
      using QPainterSurface::QPainterSurface;
      std::optional<nav::PixelRaster> raster() override { return std::nullopt; }
      void polyline(std::span<const nav::PixelPoint> points) override { MapSurface::polyline(points); }
    };
    for (int mag : {1, 5, 6}) {
      navtest::PaintFixture f(40, 20, mag, 0, 0);
      f.state.settings.airport = f.state.settings.waypoint = f.state.settings.vor = f.state.settings.ndb = true;
      for (int i = 0; i < 300; ++i) {  // some on the edges, some beyond them
        const double lon = (i % 23 - 11) * 1.9 * f.state.view.right / 20,
                     lat = (i % 13 - 6) * 1.8 * f.state.view.top / 10;
        f.state.db.waypoints.push_back(navtest::waypoint("W", lat, lon + (lon < 0 ? nav::kFullTurn : 0)));
        if (i % 3 == 0)
          f.state.db.airports.push_back(navtest::airport("K", "A", "", lat, lon + (lon < 0 ? nav::kFullTurn : 0)));
        if (i % 4 == 0)  // VOR-DME and NDB crosses in their pens, in turn
          f.state.db.navaids.push_back(
              navtest::navaid("N", "N", 113.9, i % 8 ? 17 : 8, lat, lon + (lon < 0 ? nav::kFullTurn : 0)));
      }
      const std::vector<nav::PixelPoint> zigzag{{-5, 3}, {4, 1}, {9, 15}, {30, 2}, {45, 19}, {12, 25}, {0, 0}};
      auto draw = [&](auto& surface) {
        nav::MapPaintContext ctx = f.context();
        nav::drawAirportLayer(surface, ctx);
        nav::drawWaypointLayer(surface, ctx);
        nav::drawNavaidLayer(surface, ctx);
        surface.polyline(zigzag);
      };
      QImage one(40, 20, QImage::Format_RGB32), other(40, 20, QImage::Format_RGB32);
      one.fill(Qt::white);
      other.fill(Qt::white);
      {
        navui::QPainterSurface s(one);
        draw(s);
      }
      {
        LinesOnly s(other);
        draw(s);
      }
      QCOMPARE(one, other);
      int black = 0;  // the marks drawn at all
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) black += one.pixelColor(x, y) == QColor(Qt::black);
      QVERIFY(black > 20);
    }
  }

  // The world frame is the map's white background, whether it covers the
  // whole area or shows its edges.
  void nothingOfTheImageBeforeThePaintRemains() {
    for (int mag : {1, 7}) {
      navtest::PaintFixture f(300, 100, mag);
      QImage image(300, 100, QImage::Format_RGB32);
      image.fill(Qt::green);
      paint(image, f);
      for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x) QVERIFY(image.pixelColor(x, y) != QColor(Qt::green));
    }
  }

  // A text's white box is as wide as that text, whatever was measured
  // before it.
  void textBoxesTakeTheWidthOfTheirOwnText() {
    QImage image(200, 30, QImage::Format_RGB32);
    image.fill(Qt::gray);
    navui::QPainterSurface s(image);
    const int wide = s.textExtent("WWWWWWWW").width;
    s.textExtent("MMMM");
    s.textOut(10, 5, "i");
    const int narrow = QFontMetrics(navui::mapFont()).horizontalAdvance(QStringLiteral("i"));
    QVERIFY(narrow < wide);
    QCOMPARE(image.pixelColor(10 + narrow - 1, 5), QColor(Qt::white));
    QCOMPARE(image.pixelColor(10 + narrow, 5), QColor(Qt::gray));
  }

  // Labels are set as glyphs where that matches the text engine: the same
  // pixels and widths as drawText gives, kerning included, at both ratios;
  // bytes the engine handles itself (a soft hyphen, control characters)
  // still go through it.
  void labelsAsGlyphsLookAsTheTextEngineDrawsThem() {
    const std::vector<std::string> texts{"AVTT 11",
                                         "Te Vo Wa",
                                         "PARIS CHARLES DE GAULLE",
                                         "fixes affiliate",
                                         "113,900 N",
                                         "Caf\xE9 \xC9vreux \x80\x8C\xFF",
                                         "soft\xADhyphen",
                                         "tab\there",
                                         "\x81\x9D",
                                         ""};
    const QFont font = navui::mapFont();
    const QFontMetrics metrics(font);
    for (const qreal ratio : {1.0, 2.0}) {
      for (const std::string& text : texts) {
        QImage ours(qRound(300 * ratio), qRound(20 * ratio), QImage::Format_RGB32);
        ours.setDevicePixelRatio(ratio);
        ours.fill(Qt::gray);
        QImage engine = ours;
        const QString decoded = navui::fromWindows1252(text);
        {
          navui::QPainterSurface s(ours);
          QCOMPARE(s.textExtent(text).width, metrics.horizontalAdvance(decoded));
          s.textOut(4, 3, text);
        }
        {
          QPainter p(&engine);
          p.setFont(font);
          p.fillRect(4, 3, metrics.horizontalAdvance(decoded), metrics.height(), Qt::white);
          p.setPen(Qt::black);
          p.drawText(4, 3 + metrics.ascent(), decoded);
        }
        QVERIFY2(ours == engine, text.c_str());
      }
    }
    QVERIFY(navui::MapGlyphs::forMapFont() != nullptr);  // the fonts the tests run with take the shortcut
  }

  void labelsAreDecodedAsWindows1252() {
    QCOMPARE(navui::fromWindows1252("Caf\xE9 \x80 \x9F \x96"), QStringLiteral(u"Caf\u00E9 \u20AC \u0178 \u2013"));
    QCOMPARE(navui::fromWindows1252(""), QString());
    // Where Qt has the codec (not on Windows), every byte reads as it does,
    // so that labels keep their pixels.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    if (QStringDecoder codec("windows-1252"); codec.isValid())
      QCOMPARE(navui::fromWindows1252(all), QString(codec.decode(QByteArrayView(all.data(), 256))));
    QCOMPARE(navui::toWindows1252(navui::fromWindows1252(all)), all);
    QCOMPARE(navui::toWindows1252(QStringLiteral(u"\u20AC\u2013\u00E9 \u6210\U0001F6EB")),
             std::string("\x80\x96\xE9 ??"));
  }

  // A paint reads its inputs and changes none of them but the spare pen,
  // which its owner hands on: at levels 1 to 5 the airports' crosses take
  // the pen the last paint saved (the ILS pen, at full detail), so a level-3
  // map after a level-8 one is drawn in it, and with the pen of a fresh
  // start it is the first paint's.
  void aPaintDependsOnItsInputsAlone() {
    const auto fixture = [](int mag) {
      navtest::PaintFixture f(300, 200, mag);
      f.state.settings.airport = f.state.settings.ils = true;
      // Off the centre mark; the first cross is drawn before the restore.
      f.state.db.airports.push_back(navtest::airport("K", "LFPG", "", 20000, 20000));
      f.state.db.airports.push_back(navtest::airport("L", "LFPO", "", -20000, -20000));
      f.state.db.ilsComponents.push_back(navtest::ils(nav::ilsType::dme, "IPG", "", 110.1, 400, 400));
      return f;
    };
    navtest::PaintFixture level3 = fixture(3);
    QImage first(300, 200, QImage::Format_RGB32);
    paint(first, level3);
    navtest::PaintFixture level8 = fixture(8);
    level8.penSaved = level3.penSaved;
    QImage zoomedIn(300, 200, QImage::Format_RGB32);
    paint(zoomedIn, level8);
    QCOMPARE(level8.penSaved, level8.state.pens.penIls);

    QImage again(200, 100, QImage::Format_RGB32);  // another size than the view's
    level3.penSaved = nav::Pen{};
    paint(again, level3);
    QCOMPARE(level3.state.view.clientWidth, 300);
    QCOMPARE(level3.state.view.clientHeight, 200);
    QImage same(300, 200, QImage::Format_RGB32);
    level3.penSaved = nav::Pen{};
    paint(same, level3);
    QCOMPARE(same, first);
    QImage afterZoom(300, 200, QImage::Format_RGB32);
    level3.penSaved = level8.penSaved;
    paint(afterZoom, level3);
    QVERIFY(afterZoom != first);
  }

  void failedPaintIsReportedOnceNotAtEveryRepaint() {
    QStringList errors;
    navui::setErrorPresenter([&](const QString& text) { errors << text; });
    navui::MapWidget map(nullptr);
    int paints = 0;
    QObject::connect(&map, &navui::MapWidget::paintRequested, [&](QImage&) {
      ++paints;
      nav::fail("Range check error");
    });
    map.resize(120, 80);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    QTRY_COMPARE(errors, QStringList{QStringLiteral("Range check error.")});
    map.update();  // shown again, nothing changed: no new paint of the map
    QTest::qWait(20);
    QCOMPARE(paints, 1);
    QCOMPARE(errors.size(), 1);
    map.invalidateMap();  // the view changed: painted again, reported again
    QTRY_COMPARE(errors.size(), 2);
    QCOMPARE(paints, 2);
    navui::setErrorPresenter({});
  }
};

QTEST_MAIN(MapImageTest)
#include "map_image_test.moc"
