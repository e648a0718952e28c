#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

#include "paint/render_command.h"

// navtool render on the demo data, held pixel for pixel to the images in
// tests/render/: levels 1, 5, 7 and 10 about Paris, every layer and label
// on, with and without the route of route.sit (nine airports, LFPG and LFPB
// within the view at level 10). When a change of the map is meant, they are
// made again from build/bin/ with, for each level M:
//   navtool render . ../../tests/render/levelM.png --size 320x200 --mag M
//     --center 8400,176400 --layers <the list below> [--plan ../../tests/render/route.sit]
// (levelM-route.png with the plan; levelM-ratio2.png with --ratio 2, as on
// a screen of twice the density).

namespace {

const QString kReferences = QStringLiteral(NAV_RENDER_REFERENCES);

}  // namespace

class RenderTest : public QObject {
  Q_OBJECT
 private slots:
  void paintsAsTheReferenceImages_data() {
    QTest::addColumn<int>("mag");
    QTest::addColumn<bool>("route");
    QTest::addColumn<int>("ratio");
    for (const int mag : {1, 5, 7, 10})
      for (const bool route : {false, true})
        QTest::addRow("level%d%s", mag, route ? "-route" : "") << mag << route << 1;
    for (const int mag : {1, 7}) QTest::addRow("level%d-ratio2", mag) << mag << true << 2;
  }

  void paintsAsTheReferenceImages() {
    QFETCH(int, mag);
    QFETCH(bool, route);
    QFETCH(int, ratio);
    const QString name =
        ratio != 1 ? QStringLiteral("level%1-ratio%2.png").arg(mag).arg(ratio)
                   : QStringLiteral("level%1%2.png").arg(mag).arg(route ? QStringLiteral("-route") : QString());
    QTemporaryDir scratch;
    const QString out = scratch.filePath(name);
    std::vector<std::string> args{
        NAV_DEMO_FOLDER, out.toStdString(),
        "--size",        "320x200",
        "--mag",         std::to_string(mag),
        "--center",      "8400,176400",
        "--layers",      "showMaps,showGrid,airport,vor,ndb,ils,marker,waypoint,id,name,freq,planning,wptName"};
    if (ratio != 1) {
      args.push_back("--ratio");
      args.push_back(std::to_string(ratio));
    }
    if (route) {
      args.push_back("--plan");
      args.push_back((kReferences + QStringLiteral("/route.sit")).toStdString());
    }
    std::ostringstream log;
    QCOMPARE(navui::renderCommand(args, log, log), 0);
    const QImage painted = QImage(out).convertToFormat(QImage::Format_RGB32);
    const QImage expected = QImage(kReferences + '/' + name).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y)
      for (int x = 0; x < painted.width(); ++x) differing += painted.pixel(x, y) != expected.pixel(x, y);
    if (differing > 0) {
      // Kept for a look: the build folder's copy of what was painted.
      painted.save(QDir::current().filePath(QStringLiteral("render-") + name));
      QFAIL(qPrintable(QStringLiteral("%1 pixels differ from %2").arg(differing).arg(name)));
    }
  }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
