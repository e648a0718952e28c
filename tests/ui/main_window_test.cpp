#include "ui/main_window.h"

#include <QHeaderView>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "test_support.h"
#include "ui/error_box.h"
#include "ui/layer_button.h"
#include "ui/map_widget.h"
#include "ui/nav_popup.h"
#include "app/failure.h"

using navui::TformNavView;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QStringList errors;
  std::unique_ptr<navtest::ScratchFolder> dir;

  std::string ini() const { return dir->path() + "nav.ini"; }
  std::unique_ptr<TformNavView> open() { return std::make_unique<TformNavView>(dir->path()); }
  template <class W>
  static W* child(QWidget* w, const char* name) {
    return w->findChild<W*>(QString::fromLatin1(name));
  }

 private slots:
  void init() {
    errors.clear();
    navui::setErrorPresenter([this](const QString& text) { errors << text; });
    dir = std::make_unique<navtest::ScratchFolder>();
    navtest::writeEmptyDatabase(dir->path());
    navtest::writeFile(dir->path() + "world5000s.map", std::string(8, '\0'));
  }
  void cleanup() {
    navui::setErrorPresenter({});
    dir.reset();
  }

  void layoutHoldsEveryComponent() {
    auto w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Générateur de plan de vol pour Norvane!"));
    QCOMPARE(w->objectName(), QStringLiteral("formNavView"));
    for (const char* name : {"btnLoadPLN", "btnSavePLN", "btnClearPLN", "btnPrint", "btnHelp", "btnZoomIn", "btnZoomOut"})
      QVERIFY2(child<QToolButton>(w.get(), name), name);
    QVERIFY(!child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    QCOMPARE(child<QToolButton>(w.get(), "btnZoomIn")->text(), QStringLiteral("+"));
    QCOMPARE(child<QToolButton>(w.get(), "btnZoomOut")->text(), QStringLiteral("-"));
    for (const nav::LayerButtonEntry& entry : nav::kLayerButtons) {
      navui::LayerButton* b = w->layerButton(entry.button);
      QVERIFY(b);
      QCOMPARE(b->text().toStdString(), std::string(entry.caption));
    }

    QTableWidget* plan = child<QTableWidget>(w.get(), "PLNgrid");
    QVERIFY(plan);
    QCOMPARE(plan->columnCount(), 15);
    QCOMPARE(plan->horizontalHeaderItem(0)->text(), QStringLiteral("name"));
    QCOMPARE(plan->horizontalHeaderItem(12)->text(), QStringLiteral("Fréquence"));
    QCOMPARE(plan->horizontalHeaderItem(14)->text(), QStringLiteral("Altitude"));
    QCOMPARE(plan->verticalHeader()->defaultSectionSize(), 18);
    QVERIFY(plan->editTriggers() == QAbstractItemView::NoEditTriggers);
    QTableWidget* find = child<QTableWidget>(w.get(), "findGrid");
    QCOMPARE(find->columnCount(), 8);
    QCOMPARE(find->rowCount(), 1);
    QCOMPARE(find->columnWidth(4), 135);
    QVERIFY(child<QLineEdit>(w.get(), "cbID"));
    QVERIFY(child<QLabel>(w.get(), "Label10"));
    QCOMPARE(child<QWidget>(w.get(), "PanelIDchoix")->width(), 240);

    QTabWidget* pages = child<QTabWidget>(w.get(), "PageControl1");
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(0), QStringLiteral("Plan de vol"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Avion"));
    QCOMPARE(child<QSplitter>(w.get(), "Splitter1")->handleWidth(), 5);

    QCOMPARE(w->carte()->objectName(), QStringLiteral("Carte"));
    QCOMPARE(w->carte()->cursor().shape(), Qt::CrossCursor);
    QStatusBar* status = w->statusBar();
    QCOMPARE(status->objectName(), QStringLiteral("StatusBar"));
    const QList<QLabel*> panels = status->findChildren<QLabel*>();
    QCOMPARE(panels.size(), 4);
    QCOMPARE(panels[0]->width(), 300);
    QCOMPARE(panels[3]->width(), 50);
    QVERIFY(errors.isEmpty());
  }

  void startsWithDefaultsWithoutSettingsFile() {
    auto w = open();
    const nav::NavViewState& s = w->state();
    QCOMPARE(s.view.mag, 1);
    QVERIFY(std::abs(s.view.centreLon()) < 1e-6);
    QVERIFY(std::abs(s.view.centreLat()) < 1e-6);
    QVERIFY(w->layerButton("btnGrid")->isChecked());
    QVERIFY(w->layerButton("btnMap")->isChecked());
    QVERIFY(!w->layerButton("btnVOR")->isChecked());
    QVERIFY(!w->layerButton("btnAirport")->isChecked());
    QVERIFY(!s.settingsPending);
    QVERIFY(s.outline.outlineLoaded);
    QVERIFY(!std::filesystem::exists(ini()));  // nothing created at start-up
    QVERIFY(errors.isEmpty());
  }

  void buttonsTakeTheirSwitchesFromSettings() {
    navtest::writeFile(ini(), "[View]\nobstruct=1\nvor=2\nloway=1\nidway=1\nmag=0x3\nleft=abc\n");
    auto w = open();
    QVERIFY(w->layerButton("btnObstruct")->isChecked());
    QVERIFY(w->layerButton("btnVOR")->isChecked());
    QVERIFY(w->layerButton("btnLway")->isChecked());
    QVERIFY(w->layerButton("btnIDway")->isChecked());
    QVERIFY(!w->layerButton("btnNomwpt")->isChecked());
    QCOMPARE(w->state().view.mag, 3);
  }

  void layerButtonsFlipTheirSwitch() {
    auto w = open();
    w->show();
    navui::LayerButton* ndb = w->layerButton("btnNDB");
    QTest::mouseClick(ndb, Qt::LeftButton);
    QVERIFY(w->state().settings.ndb);
    QVERIFY(ndb->isChecked());
    QTest::mouseClick(ndb, Qt::LeftButton);
    QVERIFY(!w->state().settings.ndb);
    QVERIFY(!ndb->isChecked());

    QTest::mouseClick(w->layerButton("btnNomwpt"), Qt::LeftButton);
    QVERIFY(w->state().settings.wptName);

    // No handler: nothing changes, not even the pressed state.
    QTest::mouseClick(w->layerButton("btnLway"), Qt::LeftButton);
    QTest::mouseClick(w->layerButton("btnIDway"), Qt::LeftButton);
    QVERIFY(!w->state().settings.loway);
    QVERIFY(!w->layerButton("btnLway")->isChecked());
    QVERIFY(!w->layerButton("btnIDway")->isChecked());
  }

  void zoomButtonsAndResizeKeepTheCentre() {
    auto w = open();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const nav::Viewport& v = w->state().view;
    QCOMPARE(v.clientWidth, w->carte()->width());
    const double span = v.right - v.left;
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomIn"), Qt::LeftButton);
    QCOMPARE(v.mag, 2);
    QCOMPARE(v.right - v.left, span / 2);
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: 0.000000, 0.000000 (0° 0' 0\"N")));
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomOut"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomOut"), Qt::LeftButton);
    QCOMPARE(v.mag, 1);
    QCOMPARE(v.right - v.left, span);

    w->state().view.CenterAt(100000, 200000);
    w->resize(800, 700);
    QTRY_COMPARE(v.clientWidth, w->carte()->width());
    QVERIFY(std::abs(v.centreLon() - 200000) < 1e-6);
    QVERIFY(std::abs((v.right - v.left) / (v.top - v.bottom) - double(v.clientWidth) / v.clientHeight) < 1e-9);
  }

  void closingWritesTheSettings() {
    navtest::writeFile(ini(), "[Autre]\nx=1\n[View]\nidealDist=12\nlargeSymbols=0\n");
    {
      auto w = open();
      w->show();
      QTest::mouseClick(w->layerButton("btnAirport"), Qt::LeftButton);
      QTest::mouseClick(w->layerButton("btnNomwpt"), Qt::LeftButton);
      QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomIn"), Qt::LeftButton);
      QVERIFY(w->close());
    }
    const std::string text = navtest::readFile(ini());
    QVERIFY(text.rfind("[Autre]\nx=1\n[View]\nidealDist=12\nlargeSymbols=0\n", 0) == 0);
    QVERIFY(text.find("airport=1\n") != std::string::npos);
    QVERIFY(text.find("mag=2\n") != std::string::npos);
    QVERIFY(text.find("wptName") == std::string::npos);
    QCOMPARE(std::count(text.begin(), text.end(), '='), 1 + 25);  // x=1 of [Autre], then every key once
    auto again = open();
    QVERIFY(again->state().settings.airport);
    QVERIFY(!again->state().settings.wptName);
    QCOMPARE(again->state().view.mag, 2);
    QVERIFY(errors.isEmpty());
  }

  void unwritableSettingsAreReportedAndTheWindowStillCloses() {
    navtest::writeFile(ini(), "[View]\nvor=1\n");
    std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
    auto w = open();
    w->show();
    QVERIFY(w->close());
    QCOMPARE(errors, QStringList{QString::fromStdString("Unable to write to " + ini() + ".")});
    QVERIFY(!w->isVisible());
  }

  void missingDataFilesAreReportedAndTheWindowOpens() {
    std::filesystem::remove(dir->path() + "world5000s.map");
    std::filesystem::remove(dir->path() + "database/ILS.dbd");
    navtest::DbdBuilder airports(260);
    airports.record().text(18, "LFPG");
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeFile(ini(), "[View]\nndb=1\nmag=5\n");
    auto w = open();
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors[0], QString::fromStdString("Cannot open file " + dir->path() + "world5000s.map."));
    QCOMPARE(errors[1], QString::fromStdString("Cannot open file " + dir->path() + "database/ILS.dbd."));
    QVERIFY(!w->state().outline.outlineLoaded);
    QCOMPARE(w->state().db.airportCount(), std::size_t{1});
    QVERIFY(w->layerButton("btnNDB")->isChecked());  // the rest of start-up ran
    QCOMPARE(w->state().view.mag, 5);
    QCOMPARE(w->state().pens.penVor.color, (nav::Rgb{0, 0, 255}));
  }

  void errorTextsAreDecodedFromTheCodePage() {
    navui::showError("Trouv\xE9 \xB0");
    QCOMPARE(errors, QStringList{QStringLiteral("Trouvé °")});
  }

  void searchFillsTheGridAndCentresOnARow() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 176446).f64(101, 9180);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::DbdBuilder runways(271);
    runways.record().text(14, "KEY1").i32(24, 4200).text(59, "09L").f64(63, 176400.5).f64(71, 1279800).text(155, "27R");
    navtest::writeFile(dir->path() + "database/RUNWAY.dbd", runways.bytes());
    auto w = open();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* field = child<QLineEdit>(w.get(), "cbID");
    QTest::keyClicks(field, QStringLiteral("lfpg"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), QStringLiteral("LFPG"));
    QCOMPARE(child<QLabel>(w.get(), "Label10")->text(), QStringLiteral("Trouvé 3"));
    QTableWidget* grid = child<QTableWidget>(w.get(), "findGrid");
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("Roissy"));
    QCOMPARE(grid->item(2, 2)->text(), QStringLiteral("27R"));
    QCOMPARE(grid->item(0, 0)->data(Qt::UserRole).toList().value(0).toInt(), nav::searchIcon::airport);
    QCOMPARE(grid->currentRow(), 2);

    grid->setCurrentCell(1, 1);  // a runway end, stored west of Greenwich
    w->Centrer2Click();
    QCOMPARE(w->state().view.centreLat(), 176400.5);
    QCOMPARE(w->state().view.centreLon(), -16200.0);
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: 49.")));

    grid->setCurrentCell(3, 1);  // the empty row: a failure, the view stays
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->Centrer2Click());
    QCOMPARE(w->state().view.centreLat(), 176400.5);
  }

  void hoverShowsThePopupAndThePosition() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 0).f64(101, 0);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeFile(ini(), "[View]\nairport=1\nmag=8\n");
    auto w = open();
    navui::Tform_NavPopup popup;
    w->attachPopup(&popup);
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    navui::MapWidget* map = w->carte();
    const nav::MapPixel at = w->state().view.GeoToPixel(0, 0);
    QTest::mouseMove(map, QPoint(at.x, at.y));
    QTRY_VERIFY(popup.isVisible());
    QCOMPARE(popup.text(), QStringLiteral("AIRPORT Roissy (KEY1)"));
    QCOMPARE(w->statusText(0), popup.text());
    QVERIFY(w->statusText(1).startsWith(QStringLiteral("N 0° 0' ")));
    QVERIFY(w->state().hover.hasAirport());
    const QPoint origin = map->mapToGlobal(QPoint(0, 0));
    QCOMPARE(popup.pos(), QPoint(origin.x() + at.x, origin.y() + at.y + 20));

    QTest::mouseMove(map, QPoint(at.x + 200, at.y + 100));
    QTRY_VERIFY(!popup.isVisible());
    QCOMPARE(w->statusText(0), QString());
    QVERIFY(!w->state().hover.hasAirport());
    QCOMPARE(QString::fromStdString(w->state().hover.userPoint.name), QStringLiteral("WPT0001"));
  }

  void middleButtonRecentresAndRightButtonDrawsABand() {
    auto w = open();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    navui::MapWidget* map = w->carte();
    const nav::Viewport before = w->state().view;
    QTest::mouseClick(map, Qt::MiddleButton, {}, QPoint(100, 50));
    const nav::GeoPosition clicked = before.PixelToGeo(100, 50);
    QCOMPARE(w->state().view.centreLon(), clicked.lon);
    QCOMPARE(w->state().view.markLat, clicked.lat);
    QCOMPARE(w->state().view.right - w->state().view.left, before.right - before.left);
    QCOMPARE(w->state().view.mag, before.mag);

    map->ensurePainted();
    const QImage clean = map->mapImage().copy();
    QTest::mousePress(map, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseMove(map, QPoint(150, 80));
    QVERIFY(map->mapImage() != clean);
    const QColor was = clean.pixelColor(125, 90);  // on the diagonal
    QCOMPARE(map->mapImage().pixelColor(125, 90), QColor(255 - was.red(), 255 - was.green(), 255 - was.blue()));
    QTest::mouseMove(map, QPoint(170, 140));
    QTest::mouseRelease(map, Qt::RightButton, {}, QPoint(170, 140));
    QVERIFY(!w->state().rubber.rubberActive);
    QCOMPARE(map->mapImage(), clean);  // the map as it was, and not painted again
  }

  void planRowCentringReadsFullStops() {
    auto w = open();
    nav::PlanRow row;
    row[nav::colLat] = "176004.000000";
    row[nav::colLon] = "1279800.000000";
    w->state().plan.rows = {nav::PlanRow{}, row};
    w->state().plan.current = 1;
    w->showPlan();
    QCOMPARE(child<QTableWidget>(w.get(), "PLNgrid")->item(1, 2)->text(), QStringLiteral("1279800.000000"));
    w->Centrer1Click();
    QCOMPARE(w->state().view.centreLat(), 176004.0);
    QCOMPARE(w->state().view.centreLon(), -16200.0);
    w->state().plan.current = 0;  // an empty row: a failure, the view stays
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->Centrer1Click());
    QCOMPARE(w->state().view.centreLat(), 176004.0);
  }

  void placeDropSaveClearAndLoadAPlan() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 176446).f64(101, 9180).i32(109, 392);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeTagList(dir->path() + "liste.txt");
    auto w = open();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* field = child<QLineEdit>(w.get(), "cbID");
    QTest::keyClicks(field, QStringLiteral("LFPG"));
    QTest::keyClick(field, Qt::Key_Return);
    QTableWidget* find = child<QTableWidget>(w.get(), "findGrid");
    find->setCurrentCell(0, 1);
    w->Placerdansleplandevol1Click();
    QTableWidget* plan = child<QTableWidget>(w.get(), "PLNgrid");
    QCOMPARE(plan->rowCount(), 2);
    QCOMPARE(plan->item(0, 0)->text(), QStringLiteral("Roissy"));
    QCOMPARE(plan->item(0, 3)->text(), QStringLiteral("392.000000"));
    QVERIFY(child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());

    // A drop on an empty part of the map: a user point before row 1.
    w->state().hover = nav::HoverSelection{};
    w->state().hover.userPoint = {"WPT0001", 1000, 1295000};
    w->PLNgridDragDrop(plan->visualRect(plan->model()->index(0, 0)).center());
    QCOMPARE(plan->rowCount(), 3);
    QCOMPARE(plan->item(0, 0)->text(), QStringLiteral("WPT0001"));
    QCOMPARE(plan->item(0, 4)->text(), QStringLiteral("0.0"));
    QCOMPARE(w->state().plan.userPointCounter, 2);
    w->PLNgridDragDrop(QPoint(5, plan->viewport()->height() - 2));  // below the last row: appended
    QCOMPARE(plan->rowCount(), 4);
    QCOMPARE(plan->item(3, 6)->text(), QStringLiteral("usrw"));

    QStringList proposed;
    const QString file = QString::fromStdString(dir->path() + "vol.sit");
    w->chooseSaveFile = [&](const QString&, const QString& name) {
      proposed << name;
      return file;
    };
    w->btnSavePLNClick();
    QCOMPARE(proposed, QStringList{QStringLiteral(".sit")});
    const std::string saved = navtest::readFile(file.toStdString());
    QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 29 + 37 * 4);

    const std::vector<nav::PlanRow> before = w->state().plan.rows;
    w->btnClearPLNClick();
    QCOMPARE(plan->rowCount(), 1);
    QVERIFY(!child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    QCOMPARE(w->state().plan.userPointCounter, 1);

    w->chooseOpenFile = [&](const QString&) { return file; };
    w->btnLoadPLNClick();
    QCOMPARE(plan->rowCount(), 4);
    QCOMPARE(w->state().plan.current, std::size_t{3});
    QVERIFY(w->state().plan.routeShown);
    for (std::size_t r = 0; r < 4; ++r) {
      for (std::size_t c = nav::colName; c <= nav::colSped; ++c)
        QCOMPARE(w->state().plan.rows[r].cells[c], before[r].cells[c]);
      QCOMPARE(w->state().plan.rows[r][nav::colTypeLoaded], std::string("0"));
    }
    w->btnSavePLNClick();
    QCOMPARE(proposed.last(), QStringLiteral("vol.sit"));

    // A file that is not a saved simulation: reported, the plan as it was.
    navtest::writeFile(dir->path() + "bad.sit", "no\nwaypoints\n");
    w->chooseOpenFile = [&](const QString&) { return QString::fromStdString(dir->path() + "bad.sit"); };
    const std::vector<nav::PlanRow> loaded = w->state().plan.rows;
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->btnLoadPLNClick());
    QVERIFY(w->state().plan.rows == loaded);
    QCOMPARE(plan->rowCount(), 4);

    // Cancelling hides the route and keeps the rows.
    w->chooseOpenFile = [](const QString&) { return QString(); };
    w->btnLoadPLNClick();
    QVERIFY(!w->state().plan.routeShown);
    QCOMPARE(plan->rowCount(), 4);
  }

  void printPreviewShowsTheGrid() {
    auto w = open();
    w->show();
    w->btnPrintClick();
    auto* preview = w->findChild<QDialog*>(QStringLiteral("AdvPreviewDialog"));
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), QStringLiteral("Preview"));
    QCOMPARE(preview->geometry(), QRect(100, 100, 350, 300));
    for (const char* name : {"Previous", "Next", "Print", "Close"}) QVERIFY2(preview->findChild<QPushButton*>(name), name);
    preview->findChild<QPushButton*>("Close")->click();
  }

  void popupStartsHiddenWithItsFixedSize() {
    navui::Tform_NavPopup popup;
    QCOMPARE(popup.objectName(), QStringLiteral("form_NavPopup"));
    QVERIFY(!popup.isVisible());
    QCOMPARE(popup.size(), QSize(222, 17));
    QVERIFY(popup.windowFlags() & Qt::FramelessWindowHint);
    popup.setText(QStringLiteral("LFPG"));
    QCOMPARE(popup.text(), QStringLiteral("LFPG"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
