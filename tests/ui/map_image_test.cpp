#include <QImage>
#include <QTest>

#include "base/failure.h"
#include "mapview/paint_fixture.h"
#include "paint/qpainter_surface.h"
#include "ui/error_box.h"
#include "ui/map_widget.h"

// Pixels painted by the QPainter surface, as the window shows them.
class MapImageTest : public QObject {
  Q_OBJECT

 private slots:
  void worldFrameAndCentreMark() {
    navtest::PaintFixture f(300, 100, 1);  // wider than 2:1: the world is 200 pixels wide
    QImage image(300, 100, QImage::Format_RGB32);
    navui::paintMapImage(image, f.state, '.');
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
    navui::paintMapImage(image, f.state, '.');
    const nav::MapPixel west = f.state.view.GeoToPixel(-648000, 0);
    QVERIFY(west.x > 0 && west.x < 400);
    QCOMPARE(image.pixelColor(west.x, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(west.x - 10, 20), QColor(Qt::white));
  }

  void labelsAreWrittenOnWhite() {
    navtest::PaintFixture f(400, 200, 7);
    f.state.settings.airport = f.state.settings.id = true;
    f.state.db.airports.push_back(navtest::airport("K", "LFPG", "", 0, 0));
    QImage image(400, 200, QImage::Format_RGB32);
    navui::paintMapImage(image, f.state, '.');
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

  void failedPaintIsReportedOnceNotAtEveryRepaint() {
    QStringList errors;
    navui::setErrorPresenter([&](const QString& text) { errors << text; });
    navui::MapWidget map(nullptr);
    int paints = 0;
    map.renderer = [&](QImage&) {
      ++paints;
      nav::fail("Range check error");
    };
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
