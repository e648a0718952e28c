#include <sys/stat.h>

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <filesystem>
#include <memory>

#include "flightplan/plan_recovery.h"
#include "test_support.h"
#include "ui/error_box.h"
#include "ui/kneeboard_log.h"
#include "ui/legs_page.h"
#include "ui/legs_table_model.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"
#include "ui/nav_log_print.h"
#include "ui/plan_editor.h"
#include "ui/plan_undo.h"
#include "ui/window_fixture.h"

using navtest::cell;
using navtest::child;
using navui::TformNavView;

namespace {

// What the window shows of the plan: every cell of the grid, the current
// row, the save button and the map with its route.
struct ShownPlan {
  QStringList cells;
  int current = -1;
  bool saveEnabled = false;
  QImage map;
  friend bool operator==(const ShownPlan&, const ShownPlan&) = default;
};

}  // namespace

class PlanningTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<navtest::WindowFolder> dir;

  static QTableView* planGrid(TformNavView* w) { return child<QTableView>(w, "PLNgrid"); }
  static QTableView* legsGrid(TformNavView* w) { return child<QTableView>(w, "LegsGrid"); }
  std::string recovery() const { return dir->path() + nav::kRecoveryFile; }

  std::unique_ptr<TformNavView> open() {
    auto w = std::make_unique<TformNavView>(dir->path());
    w->resize(1200, 800);
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window is not active: its shortcuts will not work");
    return w;
  }

  // Places the first result of a search for `ident`.
  static void place(TformNavView* w, const char* ident) {
    auto* field = child<QLineEdit>(w, "cbID");
    field->clear();
    QTest::keyClicks(field, QString::fromLatin1(ident));
    QTest::keyClick(field, Qt::Key_Return);
    QTableView* found = child<QTableView>(w, "findGrid");
    found->setCurrentIndex(found->model()->index(0, 1));
    w->Placerdansleplandevol1Click();
  }

  // Roissy, Amboise, Blagnac and the trailing empty row.
  std::unique_ptr<TformNavView> windowWithAPlan() {
    auto w = open();
    place(w.get(), "LFPG");
    place(w.get(), "AMB");
    place(w.get(), "LFBO");
    return w;
  }

  static ShownPlan shown(TformNavView* w) {
    ShownPlan s;
    QTableView* grid = planGrid(w);
    for (int r = 0; r < grid->model()->rowCount(); ++r)
      for (int c = 0; c < grid->model()->columnCount(); ++c) s.cells << cell(grid, r, c);
    s.current = grid->currentIndex().row();
    s.saveEnabled = child<QToolButton>(w, "btnSavePLN")->isEnabled();
    w->carte()->ensurePainted();
    s.map = w->carte()->mapImage().copy();
    return s;
  }

  static void keys(TformNavView* w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(planGrid(w), key, modifiers);
  }

 private slots:
  void init() {
    dir = std::make_unique<navtest::WindowFolder>();
    navtest::writeTagList(dir->path() + "liste.txt");
    navtest::writeFile(dir->path() + "nav.ini", "[View]\nplanning=1\n");  // the route drawn
    navtest::DbdBuilder airports(260);
    airports.record().text(4, "K1").text(18, "LFPG").text(23, "A\xE9roport Roissy").f64(93, 176446.07).f64(101, 9180);
    airports.record().text(4, "K2").text(18, "LFBO").text(23, "Blagnac").f64(93, 157064.76).f64(101, 4909.75);
    navtest::writeFile(dir->path() + "database/AIRPORT.dbd", airports.bytes());
    navtest::DbdBuilder navaids(129);
    navaids.record()
        .text(4, "N1")
        .text(14, "AMB")
        .text(19, "Amboise")
        .f64(59, 113.7)
        .text(83, "FR")
        .i32(89, 1)
        .f64(101, 170744.4)
        .f64(109, 3831.84);
    navtest::writeFile(dir->path() + "database/NAVAID.dbd", navaids.bytes());
  }
  void cleanup() { dir.reset(); }

  // Figures from `GeodSolve -i`: 207837.330438 m at -147.363 degrees, then
  // 422975.147882 m at 176.723 degrees.
  void legsPageFollowsThePlanAndTheCruiseSpeed() {
    auto w = windowWithAPlan();
    QTableView* legs = legsGrid(w.get());
    QVERIFY(legs);
    QCOMPARE(legs->model()->rowCount(), 3);
    const QStringList headers{"De", "Vers", "Route vraie", "Distance (NM)", "Cumul (NM)", "Temps"};
    for (int c = 0; c < headers.size(); ++c)
      QCOMPARE(legs->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
    const QStringList first{"Aéroport Roissy", "Amboise", "213", "112.2", "112.2", ""};
    const QStringList second{"Amboise", "Blagnac", "177", "228.4", "340.6", ""};
    const QStringList total{"Total", "", "", "340.6", "", ""};
    for (int c = 0; c < 6; ++c) {
      QCOMPARE(cell(legs, 0, c), first[c]);
      QCOMPARE(cell(legs, 1, c), second[c]);
      QCOMPARE(cell(legs, 2, c), total[c]);
    }

    // A cruise speed brings the times; anything but a positive number takes them away.
    auto* speed = child<QLineEdit>(w.get(), "EditVitesse1");
    QVERIFY(speed->text().isEmpty());  // a hint, not a text to type after
    QVERIFY(!speed->placeholderText().isEmpty());
    speed->setText(QStringLiteral("120"));
    QCOMPARE(cell(legs, 0, 5), QStringLiteral("0:56"));
    QCOMPARE(cell(legs, 1, 5), QStringLiteral("1:54"));
    QCOMPARE(cell(legs, 2, 5), QStringLiteral("2:50"));
    speed->setText(QStringLiteral("-5"));
    QCOMPARE(cell(legs, 2, 5), QString());
    speed->setText(QStringLiteral("120"));

    // Amboise deleted: one leg, straight from Roissy to Blagnac.
    planGrid(w.get())->setCurrentIndex(planGrid(w.get())->model()->index(1, 0));
    w->Supprimerlaligne1Click();
    QCOMPARE(legs->model()->rowCount(), 2);
    QCOMPARE(cell(legs, 0, 1), QStringLiteral("Blagnac"));
    w->btnClearPLNClick();
    QCOMPARE(legs->model()->rowCount(), 1);
    QCOMPARE(cell(legs, 0, 3), QStringLiteral("0.0"));
    QCOMPARE(cell(legs, 0, 5), QStringLiteral("0:00"));
    QVERIFY(dir->errors.isEmpty());
  }

  void legsPageShowsItsNamesWhole() {
    auto w = windowWithAPlan();
    auto* pages = child<QTabWidget>(w.get(), "PageControl1");
    pages->setCurrentIndex(2);
    QTableView* legs = legsGrid(w.get());
    QTRY_VERIFY(legs->isVisible());
    const QFontMetrics metrics(legs->font());
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        QVERIFY2(metrics.horizontalAdvance(cell(legs, r, c)) < legs->columnWidth(c) - 8, qPrintable(cell(legs, r, c)));
    for (const char* name : {"btnPrintLog", "btnExportLogPdf"}) {
      auto* button = child<QWidget>(w.get(), name);
      QVERIFY2(button && button->isVisible(), name);
      QVERIFY(legs->geometry().right() < button->geometry().left());
    }
    QCOMPARE(child<QWidget>(w.get(), "btnPrintLog")->property("text").toString(), QStringLiteral("Imprimer le log…"));
    QCOMPARE(child<QWidget>(w.get(), "btnExportLogPdf")->property("text").toString(),
             QStringLiteral("Exporter le log en PDF…"));
    // The route's bar: every button's text whole, room left to type a route.
    pages->setCurrentIndex(0);
    auto* route = child<QLineEdit>(w.get(), "EditRoute");
    QTRY_VERIFY(route->isVisible());
    QVERIFY2(route->width() >= 200, qPrintable(QString::number(route->width())));
    for (const char* name : {"btnCreerPlan", "btnCopierRoute", "btnImporterPlan", "btnExporter"}) {
      auto* button = child<QPushButton>(w.get(), name);
      QVERIFY2(button->isVisible() && button->width() >= button->sizeHint().width(), name);
    }
  }

  // With the magnetic model beside the program, a wind and the aircraft's
  // fuel: the figures navtool legs gives for the same plan, and the reserve
  // not kept said in red.
  void legsGiveMagneticHeadingsWindAndFuel() {
    std::filesystem::copy(NAV_MAGNETIC_FOLDER, dir->path() + "magnetic");
    auto w = windowWithAPlan();
    QTableView* legs = legsGrid(w.get());
    child<QLineEdit>(w.get(), "EditVitesse1")->setText(QStringLiteral("120"));
    child<QLineEdit>(w.get(), "EditConso")->setText(QStringLiteral("30"));
    child<QLineEdit>(w.get(), "EditCarburant")->setText(QStringLiteral("100"));
    child<QLineEdit>(w.get(), "EditReserve")->setText(QStringLiteral("45"));
    child<QDateEdit>(w.get(), "DateVol")->setDate(QDate(2026, 12, 9));
    child<QLineEdit>(w.get(), "EditVent")->setText(QStringLiteral("270/20"));
    QStringList first;
    for (int c = 0; c < legs->model()->columnCount(); ++c) first << cell(legs, 0, c);
    QCOMPARE(first, (QStringList{"Aéroport Roissy", "Amboise", "213", "112.2", "112.2", "1:02", "2.0 E", "211", "219",
                                 "108", "31.2", "", ""}));
    child<QLineEdit>(w.get(), "EditDepart")->setText(QStringLiteral("10:30"));
    QCOMPARE(cell(legs, 0, navui::LegsTableModel::colEta), QStringLiteral("11:32"));  // 62.4 minutes on
    QCOMPARE(cell(legs, 1, navui::LegsTableModel::colEta), QStringLiteral("13:27"));
    QCOMPARE(cell(legs, 2, navui::LegsTableModel::colFuel), QStringLiteral("88.6"));
    // 100 less 88.6 leaves 11.4, short of the 22.5 of 45 minutes.
    auto* said = child<QLabel>(w.get(), "LegsMessages");
    QVERIFY(said->text().contains(QStringLiteral("Réserve non respectée")));
    QCOMPARE(legs->model()->index(2, navui::LegsTableModel::colFuel).data(Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::red));
    child<QLineEdit>(w.get(), "EditVent")->setText(QStringLiteral("270/130"));
    QCOMPARE(cell(legs, 0, navui::LegsTableModel::colMagneticHeading), QStringLiteral("---"));
    QVERIFY(said->text().contains(QStringLiteral("Vent trop fort")));
  }

  // Typed in the legs tab: kept in the row's "Altitude" cell, one step of
  // undo, in the recovery file, and not in the .sit, whose bytes stay.
  void anAltitudeIsAPlanCommandAndStaysOutOfTheSit() {
    const QString sit = QString::fromStdString(dir->path() + "vol.sit");
    std::string before;
    {
      auto w = windowWithAPlan();
      w->chooseSaveFile = [&](const QString&, const QString&) { return sit; };
      w->btnSavePLNClick();
      before = navtest::readFile(sit.toStdString());
      QTableView* legs = legsGrid(w.get());
      const QModelIndex amboise = legs->model()->index(0, navui::LegsTableModel::colAltitude);
      QVERIFY(!legs->model()->setData(amboise, QStringLiteral("haut")));
      QVERIFY(legs->model()->setData(amboise, QStringLiteral("4500")));
      QCOMPARE(cell(legs, 0, navui::LegsTableModel::colAltitude), QStringLiteral("4500"));
      QCOMPARE(cell(planGrid(w.get()), 1, nav::colAltitude), QStringLiteral("4500"));
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(cell(legs, 0, navui::LegsTableModel::colAltitude), QString());
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      w->btnSavePLNClick();
      QCOMPARE(navtest::readFile(sit.toStdString()), before);
      legs->model()->setData(amboise, QStringLiteral("5500"));
      QVERIFY(w->close());  // unsaved: kept for the next start
    }
    auto w = open();
    QCOMPARE(cell(legsGrid(w.get()), 0, navui::LegsTableModel::colAltitude), QStringLiteral("5500"));
  }

  // Typed, Enter: the plan built as placing by hand builds it, one step of
  // undo, with what did not resolve listed; the field and the clipboard
  // give the route back.
  void aTypedRouteBuildsThePlan() {
    auto byHand = windowWithAPlan();
    const nav::FlightPlan expected = byHand->planEditor().plan();
    byHand.reset();
    auto w = open();
    place(w.get(), "LFBO");
    auto* field = child<QLineEdit>(w.get(), "EditRoute");
    QCOMPARE(field->text(), QStringLiteral("LFBO"));  // the plan's route, after each change
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("lfpg UN866 AMB bogus LFBO"));
    auto* problems = child<QLabel>(w.get(), "RouteProblems");
    QVERIFY(problems->text().contains(QStringLiteral("BOGUS : introuvable")));  // while typing
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(w->planEditor().plan().rows, expected.rows);
    QCOMPARE(problems->text(),
             QStringLiteral("UN866 : les voies aériennes ne sont pas dans la base ; BOGUS : introuvable"));
    QCOMPARE(field->text(), QStringLiteral("LFPG AMB LFBO"));
    QTest::mouseClick(child<QPushButton>(w.get(), "btnCopierRoute"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("LFPG AMB LFBO"));
    keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(planGrid(w.get())->model()->rowCount(), 2);  // LFBO alone again
    QVERIFY(dir->errors.isEmpty());
  }

  void everyPlanCommandIsUndoneAndRedone() {
    auto w = windowWithAPlan();
    QTableView* grid = planGrid(w.get());
    const QString file = QString::fromStdString(dir->path() + "vol.sit");
    w->chooseSaveFile = [&](const QString&, const QString&) { return file; };
    w->chooseOpenFile = [&](const QString&) { return file; };

    // Each command with the row made current before it, if any.
    struct Command {
      const char* what;
      int row;
      std::function<void()> run;
    };
    const std::vector<Command> commands{
        {"place", 0, [&] { place(w.get(), "AMB"); }},
        {"drop", -1,
         [&] {
           w->state().hover = nav::HoverSelection{};
           w->state().hover.userPoint = {"WPT0001", {.lat = 160000, .lon = 1290000}};
           w->PLNgridDragDrop(grid->visualRect(grid->model()->index(1, 0)).center());
         }},
        {"delete", 2, [&] { w->Supprimerlaligne1Click(); }},
        {"move up", 2, [&] { w->Monter1Click(); }},
        {"move down", 0, [&] { w->Descendreduneligne1Click(); }},
        {"clear", -1, [&] { w->btnClearPLNClick(); }},
        {"load", -1, [&] { w->btnLoadPLNClick(); }},
    };
    for (const auto& [what, row, command] : commands) {
      if (std::string_view(what) == "clear") w->btnSavePLNClick();  // what the load will read
      if (row >= 0) grid->setCurrentIndex(grid->model()->index(row, 0));
      const ShownPlan before = shown(w.get());
      command();
      const ShownPlan after = shown(w.get());
      QVERIFY2(after.cells != before.cells, what);
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY2(shown(w.get()) == before, what);
      keys(w.get(), Qt::Key_Y, Qt::ControlModifier);
      QVERIFY2(shown(w.get()) == after, what);
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QVERIFY2(shown(w.get()) == after, what);
    }
    // The clear: the route gone and saving disabled, both back with the undo.
    keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
    const ShownPlan cleared = shown(w.get());
    QCOMPARE(cleared.cells.size(), 15);
    QVERIFY(!cleared.saveEnabled);
    keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
    const ShownPlan plan = shown(w.get());
    QVERIFY(plan.saveEnabled);
    QVERIFY(plan.map != cleared.map);
    QCOMPARE(w->planEditor().plan().userPointCounter, 2);  // the drop's number came back with it
    QVERIFY(dir->errors.isEmpty());
  }

  void commandsThatChangeNothingAreNotRecorded() {
    auto w = open();
    QAction* undo = child<QAction>(w.get(), "Annuler1");
    QVERIFY(undo);
    w->Supprimerlaligne1Click();  // the only row, already empty
    w->Monter1Click();
    w->btnClearPLNClick();
    QVERIFY(!undo->isEnabled());
    // A load that fails changes nothing and records nothing.
    navtest::writeFile(dir->path() + "bad.sit", "no waypoints\n");
    w->chooseOpenFile = [&](const QString&) { return QString::fromStdString(dir->path() + "bad.sit"); };
    QVERIFY_THROWS_EXCEPTION(nav::Failure, w->btnLoadPLNClick());
    QVERIFY(!undo->isEnabled());
  }

  // A step keeps the rows its command changed, not the plan: memory per
  // step does not grow with the plan. Only clearing keeps it whole.
  void anUndoStepKeepsWhatItsCommandChanged() {
    navui::PlanEditor editor("", nullptr);
    nav::FlightPlan big;
    big.rows.assign(5000, nav::PlanRow{});
    for (std::size_t r = 0; r < 4999; ++r) big.rows[r][nav::colName] = "P" + std::to_string(r);
    big.current = 2500;
    editor.edit(QStringLiteral("plan"), [&](nav::FlightPlan& p) { p = big; });
    const int first = editor.undoStack()->count();
    nav::HoverSelection hover;
    hover.userPoint = {"WPT0001", {.lat = 1, .lon = 2}};
    editor.drop(100, hover);
    editor.deleteCurrentRow();
    editor.moveCurrentRowUp();
    editor.moveCurrentRowDown();
    QCOMPARE(editor.undoStack()->count(), first + 4);
    for (int i = first; i < editor.undoStack()->count(); ++i) {
      const auto* step = dynamic_cast<const navui::PlanEditCommand*>(editor.undoStack()->command(i));
      QVERIFY(step);
      QVERIFY(step->change().before.size() + step->change().after.size() <= 4);
    }
    editor.clear();
    const auto* cleared = dynamic_cast<const navui::PlanEditCommand*>(editor.undoStack()->command(first + 4));
    QCOMPARE(cleared->change().before.size(), std::size_t{5000});
    // Undone back to the start, it is the plan it was.
    while (editor.undoStack()->index() > first) editor.undoStack()->undo();
    QVERIFY(editor.plan() == big);
  }

  void contextMenuOffersUndoAndRedo() {
    auto w = windowWithAPlan();
    auto* menu = child<QMenu>(w.get(), "PopupMenu1");
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(texts, (QStringList{"Supprimer la ligne", "Centrer à ..", "-", "Monter d'une ligne",
                                 "Descendre d'une ligne", "-", "Annuler", "Rétablir"}));
    QAction* undo = menu->actions()[6];
    QAction* redo = menu->actions()[7];
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    undo->trigger();
    QCOMPARE(planGrid(w.get())->model()->rowCount(), 3);  // Blagnac's placing undone
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(cell(planGrid(w.get()), 2, 0), QStringLiteral("Blagnac"));
  }

  void anUnsavedPlanIsBackAtTheNextStart() {
    ShownPlan left;
    {
      auto w = windowWithAPlan();
      left = shown(w.get());
      QVERIFY(w->close());
    }
    QVERIFY(std::filesystem::exists(recovery()));
    auto w = open();
    QCOMPARE(shown(w.get()).cells, left.cells);
    QCOMPARE(planGrid(w.get())->currentIndex().row(), left.current);
    QVERIFY(child<QToolButton>(w.get(), "btnSavePLN")->isEnabled());
    QCOMPARE(w->statusText(3), QStringLiteral("Plan de vol non enregistré de la dernière séance rétabli"));
    QCOMPARE(cell(legsGrid(w.get()), 1, 4), QStringLiteral("340.6"));
    // Still unsaved: kept again at the next closing.
    QVERIFY(w->close());
    QVERIFY(std::filesystem::exists(recovery()));
    QVERIFY(dir->errors.isEmpty());
  }

  // Two windows on one folder: each keeps its own plan, neither removes the
  // other's, and the next starts restore them one by one, oldest first.
  void twoWindowsKeepEachItsOwnPlan() {
    {
      auto a = windowWithAPlan();
      auto b = open();
      place(b.get(), "LFBO");
      QVERIFY(a->close());
      QVERIFY(b->close());
    }
    QCOMPARE(nav::recoveryFiles(dir->path()).size(), std::size_t{2});
    auto first = open();
    QCOMPARE(planGrid(first.get())->model()->rowCount(), 4);
    QCOMPARE(first->statusText(3),
             QStringLiteral("Plan de vol non enregistré rétabli ; 1 autre(s) au prochain démarrage"));
    auto second = open();  // at the same time: the other one
    QCOMPARE(planGrid(second.get())->model()->rowCount(), 2);
    QVERIFY(dir->errors.isEmpty());
  }

  void aWindowNeverRemovesAnotherWindowsPlan() {
    {
      auto w = windowWithAPlan();
      QVERIFY(w->close());
    }
    {
      auto restoring = open();
      auto blank = open();
      QVERIFY(restoring->close());  // still unsaved: kept
      QVERIFY(blank->close());      // nothing of its own to keep
    }
    QCOMPARE(nav::recoveryFiles(dir->path()), std::vector<std::string>{recovery()});
    auto w = open();
    QCOMPARE(planGrid(w.get())->model()->rowCount(), 4);
  }

  // A FIFO or a folder where the file should be: reported at start, never
  // removed nor replaced; the window's plan goes to another name.
  void aRecoveryFileThatCannotBeReadIsNeverTouched_data() {
    QTest::addColumn<bool>("fifo");
    QTest::newRow("FIFO") << true;
    QTest::newRow("folder") << false;
  }
  void aRecoveryFileThatCannotBeReadIsNeverTouched() {
    QFETCH(bool, fifo);
    if (fifo)
      QCOMPARE(mkfifo(recovery().c_str(), 0600), 0);
    else
      navtest::makeFolder(recovery());
    {
      auto w = open();
      QCOMPARE(dir->errors, QStringList{QString::fromStdString("Cannot open file " + recovery() + ".")});
      w->state().hover.userPoint = {"WPT0001", {.lat = 176000, .lon = 9000}};
      w->PLNgridDragDrop(QPoint(5, 5));
      QVERIFY(w->close());
    }
    QVERIFY(fifo ? std::filesystem::is_fifo(recovery()) : std::filesystem::is_directory(recovery()));
    const std::string other = dir->path() + nav::recoveryFileName(2);
    QCOMPARE(nav::parseRecovery(navtest::readFile(other)).rows.size(), std::size_t{2});
  }

  // A window killed a moment after a change: its plan is on the disk.
  void aKilledWindowsPlanIsBackAtTheNextStart() {
    QProcess child;
    child.setProcessEnvironment([] {
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
      return env;
    }());
    child.start(QStringLiteral(NAV_RECOVERY_CHILD), {QString::fromStdString(dir->path())});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(10000));
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("kept"));
    child.kill();  // SIGKILL: nothing of the window's closing runs
    QVERIFY(child.waitForFinished());
    auto w = open();
    QCOMPARE(cell(planGrid(w.get()), 0, 0), QStringLiteral("WPT0001"));
    QVERIFY(dir->errors.isEmpty());
  }

  // Keeping after a change that fails says so once, in the status bar, and
  // no more once it works again.
  void aKeepingThatFailsIsSaidOnceInTheStatusBar() {
    auto w = windowWithAPlan();
    navtest::makeFolder(recovery());
    navtest::writeFile(recovery() + "/x", "x");
    w->Monter1Click();
    QTRY_VERIFY(w->statusText(3).startsWith(QStringLiteral("Plan de vol non gardé : Cannot create file")));
    w->Descendreduneligne1Click();
    QTest::qWait(1200);
    QVERIFY(dir->errors.isEmpty());
    std::filesystem::remove_all(recovery());
    w->Monter1Click();
    QTRY_COMPARE(w->statusText(3), QString());
    QVERIFY(std::filesystem::exists(recovery()));
  }

  void aSavedOrClearedPlanLeavesNothingBehind() {
    {
      auto w = windowWithAPlan();
      w->chooseSaveFile = [&](const QString&, const QString&) {
        return QString::fromStdString(dir->path() + "vol.sit");
      };
      w->btnSavePLNClick();
      QVERIFY(w->close());
    }
    QVERIFY(!std::filesystem::exists(recovery()));
    {
      auto w = windowWithAPlan();
      w->btnClearPLNClick();
      QVERIFY(w->close());
    }
    QVERIFY(!std::filesystem::exists(recovery()));
    {
      // The clear undone: the plan is there to keep.
      auto w = windowWithAPlan();
      w->btnClearPLNClick();
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY(w->close());
    }
    QVERIFY(std::filesystem::exists(recovery()));
    {
      // A plan back where it was saved is no longer unsaved.
      auto w = open();
      w->chooseSaveFile = [&](const QString&, const QString&) {
        return QString::fromStdString(dir->path() + "vol.sit");
      };
      w->btnSavePLNClick();
      QVERIFY(!std::filesystem::exists(recovery()));
      w->Monter1Click();
      keys(w.get(), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY(w->close());
    }
    QVERIFY(!std::filesystem::exists(recovery()));
    QVERIFY(dir->errors.isEmpty());
  }

  // Said so, and the window stays open once, so that the plan can be saved
  // elsewhere; closing again closes, with the settings written.
  void aPlanThatCannotBeKeptKeepsTheWindowOpenOnce() {
    auto w = windowWithAPlan();
    // A folder, not empty, where the window's file goes: nothing can replace it.
    navtest::makeFolder(recovery());
    navtest::writeFile(recovery() + "/x", "x");
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QCOMPARE(dir->errors.size(), 1);
    QVERIFY2(dir->errors[0].startsWith(QString::fromStdString("Cannot create file " + recovery() + ". Le plan")),
             qPrintable(dir->errors[0]));
    QVERIFY(navtest::readFile(dir->path() + "nav.ini").find("idealDist") == std::string::npos);
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
    QCOMPARE(dir->errors.size(), 1);
    QVERIFY(navtest::readFile(dir->path() + "nav.ini").find("idealDist=139") != std::string::npos);
  }

  void aDamagedRecoveryIsReportedAndKeptAside() {
    navtest::writeFile(recovery(), "plandevol plan non enregistre 1\ncurrent\t0\n");
    auto w = open();
    QCOMPARE(dir->errors.size(), 1);
    QVERIFY2(dir->errors[0].startsWith(QStringLiteral("Plan non enregistré illisible (ligne 3) ; il est gardé dans ")),
             qPrintable(dir->errors[0]));
    QVERIFY(!std::filesystem::exists(recovery()));
    QCOMPARE(navtest::readFile(recovery() + ".illisible"),
             std::string("plandevol plan non enregistre 1\ncurrent\t0\n"));
    QCOMPARE(planGrid(w.get())->model()->rowCount(), 1);
    QCOMPARE(w->statusText(3), QString());
  }

  void exportWritesTheChosenFormatAndImportTakesItBack() {
    auto w = windowWithAPlan();
    const ShownPlan before = shown(w.get());
    const QString path = QString::fromStdString(dir->path() + "vol.fms");
    QString proposed;
    w->chooseExportFile = [&](const QString&, const QString& base) { return proposed = base, path; };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnExporter"), Qt::LeftButton);
    QCOMPARE(proposed, QStringLiteral("plan"));
    const std::string fms = navtest::readFile(path.toStdString());
    QVERIFY2(fms.find("NUMENR 3\n1 LFPG ADEP 0.000000 49.01") != std::string::npos, fms.c_str());
    QVERIFY2(fms.find("\n3 AMB DRCT 0.000000 47.42900000 1.06440000\n") != std::string::npos, fms.c_str());
    // A folder that is not there: reported, nothing else happens.
    w->chooseExportFile = [&](const QString&, const QString&) {
      return QString::fromStdString(dir->path() + "none/vol.gpx");
    };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnExporter"), Qt::LeftButton);
    QCOMPARE(dir->errors, QStringList{QString::fromStdString("Cannot create file " + dir->path() + "none/vol.gpx.")});
    dir->errors.clear();

    // Cleared, then imported: the same plan again, in one step of undo.
    QTest::mouseClick(child<QToolButton>(w.get(), "btnClearPLN"), Qt::LeftButton);
    w->chooseImportFile = [&](const QString&) { return path; };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnImporterPlan"), Qt::LeftButton);
    QCOMPARE(dir->errors, QStringList{});
    const ShownPlan after = shown(w.get());
    QCOMPARE(after.cells, before.cells);
    QCOMPARE(child<QLabel>(w.get(), "ImportSummary")->text(),
             QStringLiteral("3 points importés de vol.fms : 3 de la base"));
    QVERIFY(child<QLabel>(w.get(), "ImportSummary")->isVisibleTo(w.get()));
    QCOMPARE(child<QLineEdit>(w.get(), "EditRoute")->text(), QStringLiteral("LFPG AMB LFBO"));
    child<QAction>(w.get(), "Annuler1")->trigger();
    QCOMPARE(planGrid(w.get())->model()->rowCount(), 1);
    child<QAction>(w.get(), "Retablir1")->trigger();

    // A damaged file: said, and the plan stays as it was.
    navtest::writeFile(dir->path() + "abime.pln",
                       "<SimBase.Document><FlightPlan.FlightPlan>\n</FlightPlan.FlightPlan>");
    w->chooseImportFile = [&](const QString&) { return QString::fromStdString(dir->path() + "abime.pln"); };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnImporterPlan"), Qt::LeftButton);
    QCOMPARE(dir->errors.size(), 1);
    QVERIFY2(dir->errors[0].startsWith(QStringLiteral("Plan illisible dans ")), qPrintable(dir->errors[0]));
    QCOMPARE(shown(w.get()).cells, before.cells);

    // Nothing to export is said before any dialog.
    dir->errors.clear();
    QTest::mouseClick(child<QToolButton>(w.get(), "btnClearPLN"), Qt::LeftButton);
    bool asked = false;
    w->chooseExportFile = [&](const QString&, const QString&) { return asked = true, path; };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnExporter"), Qt::LeftButton);
    QVERIFY(!asked);
    QCOMPARE(dir->errors, QStringList{QStringLiteral("Le plan de vol n'a aucun point à exporter.")});
  }

  void printedLogFitsThePageAndRepeatsItsHeader() {
    auto w = windowWithAPlan();
    child<QLineEdit>(w.get(), "EditVitesse1")->setText(QStringLiteral("120"));
    child<QDateEdit>(w.get(), "DateVol")->setDate(QDate(2026, 12, 9));
    auto* page = w->findChild<navui::LegsPage*>();
    const QStringList title = page->logTitle();
    QCOMPARE(title, (QStringList{"Log de navigation", "De Aéroport Roissy à Blagnac", "Le 9 décembre 2026, Cessna",
                                 "Vitesse en croisière : 120 noeuds"}));

    QImage device(800, 1100, QImage::Format_RGB32);
    const std::vector<navui::LogPage> pages = navui::layOutNavLog(*page->model(), title, device, QSizeF(800, 1100));
    QCOMPARE(pages.size(), std::size_t{1});
    QStringList texts;
    for (const navui::LogText& t : pages[0].texts) {
      texts << t.text;
      QVERIFY2(t.rect.left() >= 0 && t.rect.right() <= 800, qPrintable(t.text));
      QVERIFY2(QFontMetricsF(t.font, &device).horizontalAdvance(t.text) <= t.rect.width() + 0.5, qPrintable(t.text));
    }
    QCOMPARE(texts.mid(0, 4), title);
    // The columns with nothing in them (no magnetic model, wind or fuel
    // here) are left out.
    QCOMPARE(texts.mid(4, 7),
             (QStringList{"De", "Vers", "Route vraie", "Distance (NM)", "Cumul (NM)", "Temps", "Vitesse sol"}));
    QCOMPARE(texts.mid(11, 7), (QStringList{"Aéroport Roissy", "Amboise", "213", "112.2", "112.2", "0:56", "120"}));
    QCOMPARE(texts.mid(25, 7), (QStringList{"Total", "", "", "340.6", "", "2:50", ""}));
    QVERIFY(pages[0].texts[25].font.bold());
    QVERIFY(!pages[0].texts[11].font.bold());

    // The kneeboard's table: a row for the departure, then one per point
    // reached, with the times of arrival from the departure time and the
    // columns to fill in flight, printed empty.
    const auto knee = navui::kneeboardTable(*page->model(), w->planEditor().plan(), &w->state().db, QTime(10, 0));
    QStringList amboise;
    for (int c = 0; c < knee->columnCount(); ++c) amboise << knee->index(1, c).data().toString();
    QCOMPARE(amboise,
             (QStringList{"AMB", "Amboise", "113.70 MHz", "", "213", "213", "112.2", "0:56", "10:56", "", "", ""}));
    QCOMPARE(knee->index(0, 8).data().toString(), QStringLiteral("10:00"));
    const std::vector<navui::LogPage> kneePages = navui::layOutNavLog(*knee, title, device, QSizeF(800, 1100));
    QStringList kneeTexts;
    for (const navui::LogText& t : kneePages[0].texts) kneeTexts << t.text;
    QVERIFY(kneeTexts.contains(QStringLiteral("Carb. réel")));

    // A narrow page cuts the names, never the figures; a short one goes on
    // to further pages, each with the header.
    const std::vector<navui::LogPage> narrow = navui::layOutNavLog(*page->model(), title, device, QSizeF(520, 160));
    QVERIFY(narrow.size() > 1);
    QCOMPARE(narrow[1].texts[0].text, QStringLiteral("De"));
    for (const navui::LogPage& p : narrow)
      for (const navui::LogText& t : p.texts)
        QVERIFY2(t.rect.bottom() <= 160 && t.rect.right() <= 520, qPrintable(t.text));
    QStringList narrowTexts;
    for (const navui::LogText& t : narrow[0].texts) narrowTexts << t.text;
    QVERIFY(narrowTexts.contains(QStringLiteral("112.2")));
    QVERIFY(!narrowTexts.contains(QStringLiteral("Aéroport Roissy")));

    // The button opens the print preview, with the printer set-up behind it.
    QTest::mouseClick(child<QPushButton>(w.get(), "btnPrintLog"), Qt::LeftButton);
    auto* preview = w->findChild<QPrintPreviewDialog*>(QStringLiteral("LogPreviewDialog"));
    QVERIFY(preview);
    QTRY_VERIFY(preview->isVisible());
    preview->close();
  }

  // Printed to a PDF file: one that cannot be written is said, and what was
  // at that name stays; one that can holds every page.
  void aLogPrintedToAFileThatCannotBeWrittenIsSaid() {
    auto w = windowWithAPlan();
    QTest::mouseClick(child<QPushButton>(w.get(), "btnPrintLog"), Qt::LeftButton);
    auto* dialog = w->findChild<QPrintPreviewDialog*>(QStringLiteral("LogPreviewDialog"));
    QVERIFY(dialog);
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    QTRY_VERIFY(preview->pageCount() == 1);
    const std::string taken = dir->path() + "log.pdf";
    navtest::makeFolder(taken);
    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog->printer()->setOutputFileName(QString::fromStdString(taken));
    preview->print();
    QCOMPARE(dir->errors, QStringList{QString::fromStdString("Cannot create file " + taken + ".")});
    QVERIFY(std::filesystem::is_directory(taken));

    dir->errors.clear();
    const std::string log = dir->path() + "log 2.pdf";
    dialog->printer()->setOutputFileName(QString::fromStdString(log));
    preview->print();
    QVERIFY(dir->errors.isEmpty());
    const std::string pdf = navtest::readFile(log);
    QVERIFY(pdf.rfind("%PDF-", 0) == 0);
    QVERIFY(pdf.find("/Count 1") != std::string::npos);
    QVERIFY(pdf.find("/FontFile") != std::string::npos);  // the texts drawn
    dialog->close();

    // "Exporter le log en PDF…": no printer dialog, an A5 page.
    auto* page = w->findChild<navui::LegsPage*>();
    const std::string kneeboard = dir->path() + "genou.pdf";
    page->choosePdfFile = [&] { return QString::fromStdString(kneeboard); };
    QTest::mouseClick(child<QPushButton>(w.get(), "btnExportLogPdf"), Qt::LeftButton);
    QVERIFY(dir->errors.isEmpty());
    // A5 in whole points, as Qt writes it.
    QVERIFY(navtest::readFile(kneeboard).find("/MediaBox [0 0 420.000000 595.000000]") != std::string::npos);
  }
};

QTEST_MAIN(PlanningTest)
#include "planning_test.moc"
