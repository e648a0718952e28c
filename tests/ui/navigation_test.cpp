#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "app/layer_switches.h"
#include "interaction/hover_identification.h"
#include "test_support.h"
#include "ui/error_box.h"
#include "ui/info_pane.h"
#include "ui/layer_button.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"
#include "ui/nav_popup.h"
#include "ui/plan_editor.h"
#include "ui/window_fixture.h"

using navtest::child;
using navui::TformNavView;

namespace {

// Paris, where the window opens at level 5.
constexpr double kParisLon = 8460, kParisLat = 175884;

void wheel(QWidget* map, QPoint at, int angle) {
  QWheelEvent event(at, map->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(map, &event);
}

QPoint pixelOf(const nav::Viewport& v, double lon, double lat) {
  const nav::MapPixel p = v.GeoToPixel({.lat = lat, .lon = lon});
  return {p.x, p.y};
}

}  // namespace

// The wheel, the keyboard and the shortcuts, as the user works them.
class NavigationTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<navtest::WindowFolder> dir;

  // A window over Paris at level 5, with the airports given (identifier,
  // name, lat, lon) in its database.
  std::unique_ptr<TformNavView> open(
      std::initializer_list<std::tuple<const char*, const char*, double, double>> airports,
      const char* settings =
          "[View]\nairport=1\nmag=5\nleft=8460\nright=8460\n"
          "top=175884\nbottom=175884\n") {
    navtest::DbdBuilder table(260);
    int key = 0;
    for (const auto& [ident, name, lat, lon] : airports)
      table.record().text(4, "KEY" + std::to_string(++key)).text(18, ident).text(23, name).f64(93, lat).f64(101, lon);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", table.bytes());
    navtest::writeFile(dir->path() + "nav.ini", settings);
    auto w = std::make_unique<TformNavView>(dir->path());
    w->resize(1000, 700);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) return nullptr;
    return w;
  }

 private slots:
  void init() { dir = std::make_unique<navtest::WindowFolder>(); }
  void cleanup() {
    QVERIFY(dir->errors.isEmpty());
    dir.reset();
  }

  void aWheelNotchKeepsParisUnderThePointer() {
    const double lon = kParisLon + 20000, lat = kParisLat - 9000;  // off the centre
    auto w = open({{"LFPG", "Roissy", lat, lon}});
    QVERIFY(w);
    navui::Tform_NavPopup popup;
    w->attachPopup(&popup);
    const nav::Viewport& v = w->state().view;
    const QPoint at = pixelOf(v, lon, lat);
    QVERIFY(at.x() > v.clientWidth / 2 + 100);
    const double span = v.right - v.left;
    wheel(w->carte(), at, 120);
    QCOMPARE(v.mag, 6);
    QCOMPARE(v.right - v.left, span / 2);
    const QPoint now = pixelOf(v, lon, lat);
    QVERIFY2((now - at).manhattanLength() <= 1, qPrintable(QStringLiteral("%1,%2").arg(now.x()).arg(now.y())));
    // What the pointer shows followed at once, without a move.
    QVERIFY(popup.isVisible());
    QCOMPARE(popup.text(), QStringLiteral("AIRPORT Roissy (KEY1)"));
    QVERIFY(w->statusText(1).startsWith(QStringLiteral("N 46° 21' ")));  // the airport's position
  }

  void theHoverFollowsTheZoom() {
    // An airport 33 arc-seconds north of the pointer: within the box at
    // level 5 (35), outside it at level 6 (32).
    auto w = open({});
    QVERIFY(w);
    const QPoint at(300, 200);
    const nav::GeoPosition g = w->state().view.PixelToGeo(at.x(), at.y());
    const nav::PointerPosition p = nav::pointerPosition({.lat = g.lat, .lon = g.lon});
    w = open({{"LFPG", "Roissy", p.pointer.lat + 33, p.pointer.lon}});
    QVERIFY(w);
    navui::Tform_NavPopup popup;
    w->attachPopup(&popup);
    QTest::mouseMove(w->carte(), at);
    QTRY_VERIFY(popup.isVisible());
    QVERIFY(w->state().hover.hasAirport());
    wheel(w->carte(), at, 120);
    QVERIFY(!popup.isVisible());
    QVERIFY(!w->state().hover.hasAirport());
    QCOMPARE(w->statusText(0), QString());
    wheel(w->carte(), at, -120);
    QVERIFY(popup.isVisible());
    QVERIFY(w->state().hover.hasAirport());
  }

  void aNotchBeyondTheWholeWorldChangesNothing() {
    auto w = open({}, "[View]\nmag=1\n");
    QVERIFY(w);
    const nav::Viewport& v = w->state().view;
    const double left = v.left;
    wheel(w->carte(), QPoint(10, 10), -120);
    QCOMPARE(v.mag, 1);
    QCOMPARE(v.left, left);
    QCOMPARE(w->statusText(0), QString());  // nothing moved, nothing written
  }

  void mapKeysZoomPanAndGoHome() {
    auto w = open({});
    QVERIFY(w);
    navui::MapWidget* map = w->carte();
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(50, 50));
    QVERIFY(map->hasFocus());
    const nav::Viewport& v = w->state().view;
    const double lon = v.centreLon(), lat = v.centreLat();
    const double span = v.right - v.left;

    QTest::keyClick(map, Qt::Key_Plus);
    QCOMPARE(v.mag, 6);
    QCOMPARE(v.centreLon(), lon);
    QTest::keyClick(map, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(v.mag, 5);
    QCOMPARE(v.right - v.left, span);

    QTest::keyClick(map, Qt::Key_Left);
    QCOMPARE(v.centreLon(), lon - span / 4);
    QTest::keyClick(map, Qt::Key_Right);
    QTest::keyClick(map, Qt::Key_Up);
    QCOMPARE(v.centreLon(), lon);
    QCOMPARE(v.centreLat(), lat + (v.top - v.bottom) / 4);
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: 51.9")));  // north of Paris
    QTest::keyClick(map, Qt::Key_Plus, Qt::ControlModifier);               // not the map's
    QCOMPARE(v.mag, 5);

    QTest::keyClick(map, Qt::Key_Home);
    QCOMPARE(v.mag, 1);
    QCOMPARE(v.mag2, 1);
    QCOMPARE(v.centreLon(), 0.0);
    QCOMPARE(v.centreLat(), 0.0);
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: 0.000000, 0.000000")));
  }

  void windowShortcuts() {
    auto w = open({{"LFPG", "Roissy", kParisLat, kParisLon}});
    QVERIFY(w);
    int opened = 0, saved = 0;
    w->chooseOpenFile = [&](const QString&) {
      ++opened;
      return QString();
    };
    w->chooseSaveFile = [&](const QString&, const QString&) {
      ++saved;
      return QString();
    };
    auto* field = child<QLineEdit>(w.get(), "cbID");
    QTest::keyClicks(field, QStringLiteral("LFPG"));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::mouseClick(w->carte(), Qt::RightButton, {}, QPoint(50, 50));
    QVERIFY(w->carte()->hasFocus());

    QTest::keyClick(w->carte(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(field->hasFocus());
    QCOMPARE(field->selectedText(), QStringLiteral("LFPG"));

    QTest::keyClick(field, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(opened, 1);
    QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved, 0);  // nothing to save yet: the button is off
    auto* grid = child<QTableView>(w.get(), "findGrid");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Return);  // places the row, as a double click
    QCOMPARE(w->planEditor().plan().rows.size(), std::size_t{2});
    QCOMPARE(w->planEditor().plan().rows[0][nav::colName], std::string("Roissy"));
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w->planEditor().plan().rows.size(), std::size_t{3});
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved, 1);

    QTest::keyClick(w->carte(), Qt::Key_P, Qt::ControlModifier);
    auto* preview = w->findChild<QDialog*>(QStringLiteral("AdvPreviewDialog"));
    QVERIFY(preview);
    preview->close();
  }

  void planGridKeysDeleteAndMoveTheCurrentRow() {
    auto w = open({});
    QVERIFY(w);
    w->planEditor().edit(QStringLiteral("test"), [](nav::FlightPlan& plan) {
      plan.rows.resize(4);
      plan.rows[0][nav::colName] = "A";
      plan.rows[1][nav::colName] = "B";
      plan.rows[2][nav::colName] = "C";
      plan.current = 1;
    });
    auto* grid = child<QTableView>(w.get(), "PLNgrid");
    grid->setFocus();
    const auto names = [&] {
      QStringList out;
      for (int r = 0; r < grid->model()->rowCount(); ++r) out << grid->model()->index(r, 0).data().toString();
      return out;
    };
    QTest::keyClick(grid, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(names(), (QStringList{"B", "A", "C", ""}));
    QCOMPARE(grid->currentIndex().row(), 0);
    QTest::keyClick(grid, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(names(), (QStringList{"A", "C", "B", ""}));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(names(), (QStringList{"A", "C", ""}));
    // The keys are the grid's: on the map they delete nothing.
    QTest::mouseClick(w->carte(), Qt::RightButton, {}, QPoint(50, 50));
    QTest::keyClick(w->carte(), Qt::Key_Delete);
    QCOMPARE(names().size(), 3);
  }

  // Run also with QT_SCALE_FACTOR=2: the map is painted with every pixel of
  // the screen and shown as painted, while its geometry stays in the
  // widget's own pixels.
  void theMapHasEveryPixelOfTheScreen() {
    auto w = open({{"LFPG", "Roissy", kParisLat, kParisLon}}, "[View]\nairport=1\nid=1\nname=1\nmag=8\n");
    QVERIFY(w);
    navui::MapWidget* map = w->carte();
    const qreal ratio = map->devicePixelRatioF();
    const QImage shown = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& painted = map->mapImage();
    QCOMPARE(painted.devicePixelRatio(), ratio);
    QCOMPARE(painted.size(), map->size() * ratio);
    QCOMPARE(shown.size(), painted.size());
    QVERIFY(shown == painted);
    QCOMPARE(w->state().view.clientWidth, map->width());
    QCOMPARE(w->state().view.clientHeight, map->height());
  }

  // The middle button held moves the map with the pointer, the position
  // grabbed staying under it; a click without a move still recentres.
  void aMiddleDragMovesTheMapAndAClickRecentres() {
    auto w = open({});
    QVERIFY(w);
    QWidget* map = w->carte();
    const nav::Viewport& v = w->state().view;
    const double span = v.right - v.left;
    const nav::GeoPosition grabbed = v.PixelToGeo(300, 200);
    QTest::mousePress(map, Qt::MiddleButton, {}, QPoint(300, 200));
    QTest::mouseMove(map, QPoint(340, 230));
    QTest::mouseMove(map, QPoint(420, 260));
    QTest::mouseRelease(map, Qt::MiddleButton, {}, QPoint(420, 260));
    QCOMPARE(pixelOf(v, grabbed.lon, grabbed.lat), QPoint(420, 260));
    QCOMPARE(v.right - v.left, span);
    QCOMPARE(v.mag, 5);

    const nav::GeoPosition clicked = v.PixelToGeo(100, 50);
    QTest::mouseClick(map, Qt::MiddleButton, {}, QPoint(100, 50));
    QCOMPARE(v.centreLon(), clicked.lon);
    QCOMPARE(v.centreLat(), clicked.lat);
  }

  // The level shows under the zoom buttons; "Zoom sur la route" takes the
  // deepest level that holds the whole route, once the plan has one.
  void theLevelShowsAndTheRouteCanBeFitted() {
    auto w = open({});
    QVERIFY(w);
    auto* level = child<QLabel>(w.get(), "lblNiveau");
    QVERIFY(level->isVisible());
    QCOMPARE(level->text(), QStringLiteral("Niveau 5"));
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomIn"), Qt::LeftButton);
    QCOMPARE(level->text(), QStringLiteral("Niveau 6"));

    auto* fit = child<QToolButton>(w.get(), "btnZoomRoute");
    QVERIFY(!fit->isEnabled());
    const nav::GeoPosition ends[] = {{.lat = 170000, .lon = 1000}, {.lat = 172000, .lon = 9000}};
    for (const nav::GeoPosition& at : ends) {
      w->state().hover.userPoint = {"WPT", at};
      w->PLNgridDragDrop(QPoint(5, 500));
    }
    QVERIFY(fit->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    const nav::Viewport& v = w->state().view;
    for (const nav::GeoPosition& at : ends) QVERIFY(v.contains(at));
    QCOMPARE(v.mag, 8);  // 10125 arc-seconds wide; level 9 would be 5062
    QCOMPARE(level->text(), QStringLiteral("Niveau 8"));
    QCOMPARE(v.centreLon(), 5000.0);
  }

  // Closed at start; once opened, it tells of what the pointer names.
  void theInfosDockDescribesWhatThePointerNames() {
    auto w = open({{"LFPG", "Roissy", kParisLat, kParisLon}});
    QVERIFY(w);
    auto* dock = w->findChild<navui::InfoPane*>();
    QVERIFY(dock && !dock->isVisible());
    const int mapWidth = w->carte()->width();
    QTest::mouseClick(child<QToolButton>(w.get(), "btnInfo"), Qt::LeftButton);
    QTRY_VERIFY(dock->isVisible());
    QTRY_VERIFY(w->carte()->width() < mapWidth);
    // Sent to the map itself: at ratio 2 the window overlaps the screen's edge.
    const QPoint at = pixelOf(w->state().view, kParisLon, kParisLat);
    QMouseEvent move(QEvent::MouseMove, at, w->carte()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w->carte(), &move);
    QTRY_COMPARE(dock->titleText(), QStringLiteral("LFPG  Roissy"));
    QVERIFY(dock->bodyText().contains(QStringLiteral("Pistes : aucune dans la base")));
  }

  void everyButtonSaysWhatItDoesAndItsKeys() {
    auto w = open({});
    QVERIFY(w);
    for (const nav::LayerButtonEntry& entry : nav::kLayerButtons)
      QVERIFY2(!w->layerButton(entry.button)->toolTip().isEmpty(), entry.button.data());
    const std::pair<const char*, const char*> keyed[] = {
        {"btnLoadPLN", "Ctrl+O"}, {"btnSavePLN", "Ctrl+S"}, {"btnPrint", "Ctrl+P"},    {"btnZoomIn", "(+)"},
        {"btnZoomOut", "(-)"},    {"btnClearPLN", ""},      {"btnZoomRoute", "Ctrl+R"}};
    for (const auto& [name, keys] : keyed) {
      const QString tip = child<QToolButton>(w.get(), name)->toolTip();
      QVERIFY2(!tip.isEmpty() && tip.contains(QLatin1String(keys)), qPrintable(tip));
    }
  }
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
