#include "ui/main_window.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTextItem>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/layer_switches.h"
#include "base/failure.h"
#include "test_support.h"
#include "ui/error_box.h"
#include "ui/layer_button.h"
#include "ui/map_widget.h"
#include "ui/nav_application.h"
#include "ui/nav_popup.h"
#include "ui/plan_editor.h"
#include "ui/plan_print.h"
#include "ui/plan_table_model.h"
#include "ui/search_pane.h"
#include "ui/status_panel.h"
#include "ui/window_fixture.h"

using navtest::cell;
using navtest::child;
using navui::TformNavView;

namespace {

// Whether a grid cell shows its whole text: the room the style gives the
// item's text, less the margins it keeps on both sides, holds it.
// The text a grid's cell shows, before any cutting.
int rows(QTableView* grid) { return grid->model()->rowCount(); }
void setCurrent(QTableView* grid, int row, int column) { grid->setCurrentIndex(grid->model()->index(row, column)); }

bool showsWholeText(QTableView* grid, int row, int column) {
  const QModelIndex index = grid->model()->index(row, column);
  QStyleOptionViewItem option;
  option.initFrom(grid->viewport());
  option.rect = grid->visualRect(index);
  option.font = grid->font();
  option.text = index.data().toString();
  option.features = QStyleOptionViewItem::HasDisplay;
  if (!index.data(Qt::DecorationRole).isNull()) {
    option.features |= QStyleOptionViewItem::HasDecoration;
    option.decorationSize = grid->iconSize();
  }
  const QRect room = grid->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, grid);
  const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
  return QFontMetrics(option.font).horizontalAdvance(option.text) <= room.width() - 2 * margin;
}

// A paint device that keeps the texts painted on it, each with its width.
class TextRecorder : public QPaintDevice {
 public:
  struct Text {
    QString text;
    qreal width;
  };
  QList<Text> texts;

  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return 2000;
      case PdmHeight: return 3000;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return 1 * QPaintDevice::devicePixelRatioFScale();
      default: return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(TextRecorder* owner) : QPaintEngine(QPaintEngine::AllFeatures), owner_(owner) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override {
      owner_->texts.append({item.text(), item.width()});
    }
    Type type() const override { return QPaintEngine::User; }

   private:
    TextRecorder* owner_;
  };
  mutable Engine engine_{this};
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<navtest::WindowFolder> dir;

  std::string ini() const { return dir->path() + "nav.ini"; }
  std::unique_ptr<TformNavView> open() { return std::make_unique<TformNavView>(dir->path()); }

 private slots:
  void init() { dir = std::make_unique<navtest::WindowFolder>(); }
  void cleanup() { dir.reset(); }

  void layoutHoldsEveryComponent() {
    auto w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Générateur de plan de vol pour Norvane!"));
    QCOMPARE(w->objectName(), QStringLiteral("formNavView"));
    for (const char* name :
         {"btnLoadPLN", "btnSavePLN", "btnClearPLN", "btnPrint", "btnHelp", "btnZoomIn", "btnZoomOut"})
      QVERIFY2(child<QToolButton>(w.get(), name), name);
    QVERIFY(!child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    QCOMPARE(child<QToolButton>(w.get(), "btnZoomIn")->text(), QStringLiteral("+"));
    QCOMPARE(child<QToolButton>(w.get(), "btnZoomOut")->text(), QStringLiteral("-"));
    for (const nav::LayerButtonEntry& entry : nav::kLayerButtons) {
      navui::LayerButton* b = w->layerButton(entry.button);
      QVERIFY(b);
      QCOMPARE(b->text().toStdString(), std::string(entry.caption));
    }

    QTableView* plan = child<QTableView>(w.get(), "PLNgrid");
    QVERIFY(plan);
    QCOMPARE(plan->model()->columnCount(), 15);
    QCOMPARE(plan->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("name"));
    QCOMPARE(plan->model()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Fréquence"));
    QCOMPARE(plan->model()->headerData(14, Qt::Horizontal).toString(), QStringLiteral("Altitude"));
    QCOMPARE(plan->verticalHeader()->defaultSectionSize(), 18);
    QVERIFY(plan->editTriggers() == QAbstractItemView::NoEditTriggers);
    QTableView* find = child<QTableView>(w.get(), "findGrid");
    QCOMPARE(find->model()->columnCount(), 8);
    QCOMPARE(rows(find), 1);
    QCOMPARE(find->columnWidth(4), 135);
    QVERIFY(child<QLineEdit>(w.get(), "cbID"));
    QVERIFY(child<QLabel>(w.get(), "Label10"));
    QCOMPARE(child<QWidget>(w.get(), "PanelIDchoix")->width(), 240);

    QTabWidget* pages = child<QTabWidget>(w.get(), "PageControl1");
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QStringLiteral("Plan de vol"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Avion"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Étapes"));
    QCOMPARE(child<QSplitter>(w.get(), "Splitter1")->handleWidth(), 5);

    QCOMPARE(w->carte()->objectName(), QStringLiteral("Carte"));
    QCOMPARE(w->carte()->cursor().shape(), Qt::CrossCursor);
    QStatusBar* status = w->statusBar();
    QCOMPARE(status->objectName(), QStringLiteral("StatusBar"));
    QCOMPARE(status->findChildren<QLabel*>().size(), 4);
    QVERIFY(dir->errors.isEmpty());
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
    QVERIFY(dir->errors.isEmpty());
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

    w->state().view.CenterAt({.lat = 100000, .lon = 200000});
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
      child<QLineEdit>(w.get(), "EditVitesse1")->setText(QStringLiteral("120,5"));
      child<QLineEdit>(w.get(), "EditConso")->setText(QStringLiteral("30"));
      QVERIFY(w->close());
    }
    const std::string whole = navtest::readFile(ini());
    // The aircraft's own section follows the view's.
    const std::size_t aircraft = whole.find("[Avion]\n");
    QVERIFY(aircraft != std::string::npos);
    const std::string text = whole.substr(0, aircraft);
    QVERIFY(text.rfind("[Autre]\nx=1\n[View]\nidealDist=12\nlargeSymbols=0\n", 0) == 0);
    QVERIFY(text.find("airport=1\n") != std::string::npos);
    QVERIFY(text.find("mag=2\n") != std::string::npos);
    QVERIFY(text.find("wptName") == std::string::npos);
    QCOMPARE(std::count(text.begin(), text.end(), '='), 1 + 25);  // x=1 of [Autre], then every key once
    auto again = open();
    QVERIFY(again->state().settings.airport);
    QVERIFY(!again->state().settings.wptName);
    QCOMPARE(child<QLineEdit>(again.get(), "EditVitesse1")->text(), QStringLiteral("120,5"));
    QCOMPARE(child<QLineEdit>(again.get(), "EditConso")->text(), QStringLiteral("30"));
    QCOMPARE(again->state().view.mag, 2);
    QVERIFY(dir->errors.isEmpty());
  }

  void unwritableSettingsAreReportedAndTheWindowStillCloses() {
    navtest::writeFile(ini(), "[View]\nvor=1\n");
    std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
    auto w = open();
    w->show();
    QVERIFY(w->close());
    QCOMPARE(dir->errors, QStringList{QString::fromStdString("Unable to write to " + ini() + ".")});
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
    QCOMPARE(dir->errors.size(), 2);
    QCOMPARE(dir->errors[0], QString::fromStdString("Cannot open file " + dir->path() + "world5000s.map."));
    QCOMPARE(dir->errors[1], QString::fromStdString("Cannot open file " + dir->path() + "database/ILS.dbd."));
    QVERIFY(!w->state().outline.outlineLoaded);
    QCOMPARE(w->state().db.airportCount(), std::size_t{1});
    QVERIFY(w->layerButton("btnNDB")->isChecked());  // the rest of start-up ran
    QCOMPARE(w->state().view.mag, 5);
    QCOMPARE(w->state().pens.penVor.color, (nav::Rgb{0, 0, 255}));
  }

  void errorTextsAreDecodedFromTheCodePage() {
    navui::showError("Trouv\xE9 \xB0");
    QCOMPARE(dir->errors, QStringList{QStringLiteral("Trouvé °")});
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
    QSignalSpy searches(child<navui::SearchPane>(w.get(), "PanelIDchoix"), &navui::SearchPane::searched);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(searches.count(), 1);  // once for one Enter
    QCOMPARE(field->text(), QStringLiteral("LFPG"));
    QCOMPARE(child<QLabel>(w.get(), "Label10")->text(), QStringLiteral("Trouvé 3"));
    QTableView* grid = child<QTableView>(w.get(), "findGrid");
    QCOMPARE(rows(grid), 4);
    QCOMPARE(cell(grid, 0, 4), QStringLiteral("Roissy"));
    QCOMPARE(cell(grid, 2, 2), QStringLiteral("27R"));
    QCOMPARE(grid->model()->index(0, 0).data(Qt::UserRole).toList().value(0).toInt(), nav::searchIcon::airport);
    QCOMPARE(grid->currentIndex().row(), 2);
    // The airport's row, bold, in view above its ends.
    QVERIFY(grid->model()->index(0, 4).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!grid->model()->index(1, 4).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(grid->rowAt(0), 0);
    // Tab from the field goes to its results, then Enter places the current row.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    field->setFocus();

    // By name, as the user types; the row is placed as any result row.
    QTest::keyClicks(child<QLineEdit>(w.get(), "cbNom"), QStringLiteral("rois"));
    QCOMPARE(rows(grid), 2);
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("LFPG"));
    QCOMPARE(child<QLabel>(w.get(), "Label10")->text(), QStringLiteral("Trouvé 1"));
    w->Placerdansleplandevol1Click();
    QCOMPARE(cell(child<QTableView>(w.get(), "PLNgrid"), 0, 0), QStringLiteral("Roissy"));
    QTest::keyClick(field, Qt::Key_Return);  // the identifier's search again

    setCurrent(grid, 1, 1);  // a runway end, stored west of Greenwich
    w->Centrer2Click();
    QCOMPARE(w->state().view.centreLat(), 176400.5);
    QCOMPARE(w->state().view.centreLon(), -16200.0);
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: 49.")));

    setCurrent(grid, 3, 1);  // the empty row: a failure, the view stays
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
    const nav::MapPixel at = w->state().view.GeoToPixel({.lat = 0, .lon = 0});
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
    w->planEditor().edit(QStringLiteral("test"), [&](nav::FlightPlan& p) {
      p.rows = {nav::PlanRow{}, row};
      p.current = 1;
    });
    QCOMPARE(cell(child<QTableView>(w.get(), "PLNgrid"), 1, 2), QStringLiteral("1279800.000000"));
    w->Centrer1Click();
    QCOMPARE(w->state().view.centreLat(), 176004.0);
    QCOMPARE(w->state().view.centreLon(), -16200.0);
    w->planEditor().setCurrentRow(0);  // an empty row: a failure, the view stays
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->Centrer1Click());
    QCOMPARE(w->state().view.centreLat(), 176004.0);
  }

  // A window whose plan holds LFPG placed from the search, a user point
  // dropped before it and one dropped below the last row.
  std::unique_ptr<TformNavView> windowWithAPlan() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 176446).f64(101, 9180).i32(109, 392);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeTagList(dir->path() + "liste.txt");
    auto w = open();
    w->resize(1000, 700);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) return w;
    auto* field = child<QLineEdit>(w.get(), "cbID");
    QTest::keyClicks(field, QStringLiteral("LFPG"));
    QTest::keyClick(field, Qt::Key_Return);
    setCurrent(child<QTableView>(w.get(), "findGrid"), 0, 1);
    w->Placerdansleplandevol1Click();
    QTableView* plan = child<QTableView>(w.get(), "PLNgrid");
    w->state().hover = nav::HoverSelection{};
    w->state().hover.userPoint = {"WPT0001", {.lat = 1000, .lon = 1295000}};
    w->PLNgridDragDrop(plan->visualRect(plan->model()->index(0, 0)).center());
    w->PLNgridDragDrop(QPoint(5, plan->viewport()->height() - 2));
    return w;
  }

  void placeAndDropFillTheGrid() {
    auto w = windowWithAPlan();
    QTableView* plan = child<QTableView>(w.get(), "PLNgrid");
    QCOMPARE(rows(plan), 4);
    QCOMPARE(cell(plan, 1, 0), QStringLiteral("Roissy"));
    QCOMPARE(cell(plan, 1, 3), QStringLiteral("392.000000"));
    QVERIFY(child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    // The drop on row 1 went before it; the one below the last row before
    // the trailing empty row, which stays last.
    QCOMPARE(cell(plan, 0, 0), QStringLiteral("WPT0001"));
    QCOMPARE(cell(plan, 0, 4), QStringLiteral("0.0"));
    QCOMPARE(cell(plan, 2, 6), QStringLiteral("usrw"));
    QCOMPARE(cell(plan, 3, 6), QString());
    QCOMPARE(w->planEditor().plan().userPointCounter, 3);
  }

  void saveClearAndLoadBackGiveTheSameRows() {
    auto w = windowWithAPlan();
    QTableView* plan = child<QTableView>(w.get(), "PLNgrid");
    QStringList proposed, folders;
    const QString file = QString::fromStdString(dir->path() + "vol.sit");
    w->chooseSaveFile = [&](const QString& folder, const QString& name) {
      folders << folder;
      proposed << name;
      return file;
    };
    w->btnSavePLNClick();
    QCOMPARE(proposed, QStringList{QStringLiteral(".sit")});
    // Without the simulator's folder: the documents folder, then where the
    // last plan went.
    QCOMPARE(folders.value(0), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const std::string saved = navtest::readFile(file.toStdString());
    QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 29 + 37 * 4);

    const std::vector<nav::PlanRow> before = w->planEditor().plan().rows;
    w->btnClearPLNClick();
    QCOMPARE(rows(plan), 1);
    QVERIFY(!child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    QCOMPARE(w->planEditor().plan().userPointCounter, 1);

    w->chooseOpenFile = [&](const QString& folder) {
      folders << folder;
      return file;
    };
    w->btnLoadPLNClick();
    QCOMPARE(folders.value(1), QFileInfo(file).absolutePath());
    QCOMPARE(rows(plan), 4);
    QCOMPARE(w->planEditor().plan().current, std::size_t{3});
    QVERIFY(w->planEditor().plan().routeShown);
    for (std::size_t r = 0; r < 4; ++r) {
      for (std::size_t c = nav::colName; c <= nav::colSped; ++c)
        QCOMPARE(w->planEditor().plan().rows[r].cells[c], before[r].cells[c]);
      QCOMPARE(w->planEditor().plan().rows[r][nav::colTypeLoaded], std::string("0"));
    }
    w->btnSavePLNClick();
    QCOMPARE(proposed.last(), QStringLiteral("vol.sit"));
  }

  void aFailedOrCancelledLoadKeepsTheRows() {
    auto w = windowWithAPlan();
    QTableView* plan = child<QTableView>(w.get(), "PLNgrid");
    // A file that is not a saved simulation: reported, the plan as it was.
    navtest::writeFile(dir->path() + "bad.sit", "no\nwaypoints\n");
    w->chooseOpenFile = [&](const QString&) { return QString::fromStdString(dir->path() + "bad.sit"); };
    const std::vector<nav::PlanRow> kept = w->planEditor().plan().rows;
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->btnLoadPLNClick());
    QVERIFY(w->planEditor().plan().rows == kept);
    QCOMPARE(rows(plan), 4);

    // Cancelling hides the route and keeps the rows.
    w->chooseOpenFile = [](const QString&) { return QString(); };
    w->btnLoadPLNClick();
    QVERIFY(!w->planEditor().plan().routeShown);
    QCOMPARE(rows(plan), 4);
  }

  // "Aide" and F1 open the guide, and every key the window binds is in its
  // table.
  void helpShowsTheGuideWithEveryKey() {
    auto w = open();
    w->show();
    QTest::mouseClick(child<QToolButton>(w.get(), "btnHelp"), Qt::LeftButton);
    auto* help = w->findChild<QDialog*>(QStringLiteral("HelpWindow"));
    QVERIFY(help && help->isVisible());
    auto* text = help->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    const QString guide = text->toPlainText();
    QVERIFY(guide.startsWith(QStringLiteral("Guide d'utilisation")));
    for (const QShortcut* shortcut : w->findChildren<QShortcut*>()) {
      const QString keys = shortcut->key().toString(QKeySequence::NativeText);
      QVERIFY2(guide.contains(keys), qPrintable(keys));
    }
    help->close();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1);
    QVERIFY(help->isVisible());
  }

  void printPreviewShowsTheGrid() {
    auto w = open();
    w->show();
    w->btnPrintClick();
    auto* preview = w->findChild<QDialog*>(QStringLiteral("AdvPreviewDialog"));
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), QStringLiteral("Preview"));
    QCOMPARE(preview->geometry(), QRect(100, 100, 350, 300));
    for (const char* name : {"Previous", "Next", "Print", "Close"})
      QVERIFY2(preview->findChild<QPushButton*>(name), name);
    preview->findChild<QPushButton*>("Close")->click();
  }

  void upperPanelIsLaidOutAt141Pixels_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("1600x900") << QSize(1600, 900);
    QTest::newRow("1280x720") << QSize(1280, 720);
  }
  void upperPanelIsLaidOutAt141Pixels() {
    QFETCH(QSize, size);
    auto w = open();
    w->resize(size);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(child<QWidget>(w.get(), "PanelHaut")->height(), 141);
  }

  void resultGridShowsEveryTextButTheLongNames() {
    navtest::DbdBuilder airports(260);
    airports.record()
        .text(4, "4185")
        .text(18, "LFPG")
        .text(23, "Charles de Gaulle International Airport")
        .text(63, "FR")
        .f64(93, 176446.08)
        .f64(101, 9180.5);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::DbdBuilder runways(271);
    runways.record()
        .text(14, "4185")
        .i32(24, 4215)
        .text(59, "08L")
        .f64(63, 176555.59)
        .f64(71, 8573.84)
        .text(155, "26R")
        .f64(159, 176555.59)
        .f64(167, 1287000.25);
    navtest::writeFile(dir->path() + "database/RUNWAY.dbd", runways.bytes());
    navtest::DbdBuilder navaids(129);
    navaids.record()
        .text(4, "85001")
        .text(14, "LFPG")
        .text(19, "Charles-de-Gaulle")
        .f64(59, 115.35)
        .text(83, "FR")
        .i32(89, 17)
        .f64(101, 176400.25)
        .f64(109, 1279800.5);
    // West of Greenwich, as stored: seven digits before the separator.
    navaids.record()
        .text(4, "85002")
        .text(14, "LFPG")
        .text(19, "Rennes")
        .f64(59, 338)
        .text(83, "FR")
        .i32(89, 8)
        .f64(101, 173100.75)
        .f64(109, 1289772.45);
    navtest::writeFile(dir->path() + "database/NAVAID.dbd", navaids.bytes());
    auto w = open();
    w->resize(1280, 720);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* field = child<QLineEdit>(w.get(), "cbID");
    QTest::keyClicks(field, QStringLiteral("LFPG"));
    QTest::keyClick(field, Qt::Key_Return);
    QTableView* grid = child<QTableView>(w.get(), "findGrid");
    QCOMPARE(rows(grid), 6);  // airport, two runway ends, the VOR-DME, the NDB, the empty row
    QCOMPARE(grid->columnWidth(0), 20);
    QCOMPARE(cell(grid, 3, 4).trimmed(), QStringLiteral("VOR %1 mhzDME").arg(QLocale().toString(115.35)));
    for (int r = 0; r < 5; ++r)
      for (int c = 1; c < 8; ++c)
        if (!(r == 0 && c == 4))  // the airport's name may be cut
          QVERIFY2(showsWholeText(grid, r, c),
                   qPrintable(QStringLiteral("row %1 column %2: %3").arg(r).arg(c).arg(cell(grid, r, c))));
  }

  void locationBarIsCutInItsPanelAndWholeInTheTooltip() {
    auto w = open();
    w->resize(1600, 900);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomIn"), Qt::LeftButton);
    auto* panel = child<navui::StatusPanel>(w.get(), "StatusPanel0");
    QCOMPARE(panel->width(), 300);
    QVERIFY(panel->text().endsWith(QChar(0x2026)));
    QVERIFY(panel->toolTip().contains(QStringLiteral("size: ")));
    QCOMPARE(panel->toolTip(), w->statusText(0));
    // Side by side at their widths; the last takes what the others leave.
    int right = 0;
    for (int i = 0; i < 4; ++i) {
      auto* p = child<navui::StatusPanel>(w.get(), qPrintable(QStringLiteral("StatusPanel%1").arg(i)));
      QVERIFY2(p->x() >= right, qPrintable(QStringLiteral("panel %1 at %2").arg(i).arg(p->x())));
      if (i == 1 || i == 2) QCOMPARE(p->width(), 200);
      right = p->x() + p->width();
    }
    QVERIFY(child<navui::StatusPanel>(w.get(), "StatusPanel3")->width() > 500);
    auto* position = child<navui::StatusPanel>(w.get(), "StatusPanel1");
    QTest::mouseMove(w->carte(), QPoint(40, 40));
    QTRY_VERIFY(!position->text().isEmpty());
    QVERIFY(position->toolTip().isEmpty());  // it fits: no tooltip
  }

  void descriptionGoesWhenThePointerLeavesTheMap() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 0).f64(101, 0);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeFile(ini(), "[View]\nairport=1\nmag=8\n");
    auto w = open();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const nav::MapPixel at = w->state().view.GeoToPixel({.lat = 0, .lon = 0});
    QTest::mouseMove(w->carte(), QPoint(at.x, at.y));
    QTRY_COMPARE(w->statusText(0), QStringLiteral("AIRPORT Roissy (KEY1)"));
    QTest::mouseMove(child<QTableView>(w.get(), "PLNgrid")->viewport(), QPoint(20, 10));
    QTRY_COMPARE(w->statusText(0), QString());
    // A zoom step's location bar stands while the pointer moves over empty map.
    QTest::mouseClick(child<QToolButton>(w.get(), "btnZoomIn"), Qt::LeftButton);
    QTest::mouseMove(w->carte(), QPoint(at.x + 300, at.y + 200));
    QVERIFY(w->statusText(0).startsWith(QStringLiteral("center: ")));
  }

  void popupStaysOnTheScreen() {
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "KEY1").text(18, "LFPG").text(23, "Roissy").f64(93, 36000).f64(101, 36000);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::writeFile(ini(), "[View]\nairport=1\nmag=8\n");
    auto w = open();
    navui::Tform_NavPopup popup;
    w->attachPopup(&popup);
    const QRect screen = w->screen()->availableGeometry();
    w->setGeometry(screen);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // The airport brought to the map's bottom-right corner, where
    // the placement rule alone would put the popup off the screen.
    const nav::Viewport& v = w->state().view;
    const nav::GeoPosition corner = v.PixelToGeo(w->carte()->width() - 30, w->carte()->height() - 5);
    w->CenterAt({.lat = v.centreLat() - corner.lat + 36000, .lon = v.centreLon() - corner.lon + 36000});
    const nav::MapPixel at = v.GeoToPixel({.lat = 36000, .lon = 36000});
    QTest::mouseMove(w->carte(), QPoint(at.x, at.y));
    QTRY_VERIFY(popup.isVisible());
    QVERIFY2(screen.contains(popup.frameGeometry()), qPrintable(QStringLiteral("%1,%2").arg(popup.x()).arg(popup.y())));
  }

  void printedCellsNeverShowAnotherValue() {
    nav::PlanRow row;
    row[nav::colName] = "Aeroport de Toulouse-Blagnac international";
    row[nav::colXx] = "157700.000000";
    row[nav::colDbky] = "APTLFBO005";
    nav::FlightPlan plan;
    plan.rows = {row};
    navui::PlanTableModel grid(plan, nullptr);
    TextRecorder page;
    QPainter painter(&page);
    std::vector<int> widths{120, 80, 80, 80, 70, 50, 40, 50, 40, 64, 64, 64, 64, 64, 64};
    navui::paintPlanPages(
        painter, 1000, [] {}, grid, widths);
    painter.end();
    QStringList cut;
    for (const TextRecorder::Text& t : page.texts) {
      QVERIFY2(!t.text.startsWith(QStringLiteral("57700")) && !t.text.startsWith(QStringLiteral("PTL")),
               qPrintable(t.text));
      if (t.text.endsWith(QChar(0x2026))) cut << t.text;
    }
    // Each cut text fits its column, so nothing is clipped away.
    for (const TextRecorder::Text& t : page.texts) QVERIFY2(t.width <= 120 - 4, qPrintable(t.text));
    QVERIFY(std::any_of(cut.begin(), cut.end(), [](const QString& t) { return t.startsWith(QStringLiteral("1577")); }));
    QVERIFY(
        std::any_of(cut.begin(), cut.end(), [](const QString& t) { return t.startsWith(QStringLiteral("Aeroport")); }));
  }

  void standardDialogsSpeakFrenchWithTheirOwnCaptions() {
    navui::configureApplication(*qApp);
    // Set, a display name would be appended to the caption of every dialog.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Oui"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Non"));
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
