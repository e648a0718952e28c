#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>
#include <memory>

#include "app/plan_placement.h"
#include "floor_table.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"
#include "ui/plan_editor.h"

// The frame the user waits for, in the whole window at 1600 x 900 on the
// world-scale synthetic data (the folder NAVBENCH_WORLD, as synthworld
// writes it): from a wheel notch, a step of a middle-button pan and an
// arrow key to the map shown again with the hover that follows, at levels
// 1, 7 and 13; from placing a row in a plan of 50 to the route, the legs
// and the grid shown again. Each is held to a time, not to a floor.

namespace {

constexpr double kNavigationBound = 16e6;  // ns
constexpr double kPlanCommandBound = 50e6;

struct Window {
  std::unique_ptr<navui::TformNavView> view;
  navui::MapWidget* map = nullptr;
  QPoint centre;
};

// Made at the first benchmark, closed before the application ends.
std::unique_ptr<Window> theWindow;

Window& window() {
  if (!theWindow) {
    theWindow = std::make_unique<Window>();
    Window& out = *theWindow;
    const QByteArray folder = qgetenv("NAVBENCH_WORLD");
    out.view = std::make_unique<navui::TformNavView>(nav::withTrailingSeparator(folder.toStdString()));
    out.view->resize(1600, 900);
    out.view->show();
    if (!QTest::qWaitForWindowExposed(out.view.get())) std::fprintf(stderr, "framebench: the window was not exposed\n");
    out.map = out.view->carte();
    out.centre = out.map->rect().center();
  }
  return *theWindow;
}

// Every update the step asked for done: the map painted again, the grids
// shown.
void shown(Window& w) {
  QCoreApplication::processEvents();
  w.map->ensurePainted();
  benchmark::DoNotOptimize(w.map->mapImage().constBits());
}

void hoverAt(Window& w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, w.map->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w.map, &move);
}

// The view at `mag` about Europe: the keys "+" and "-" until the label says it.
void goToLevel(Window& w, int mag) {
  for (int i = 0; i < 20; ++i) {
    QTest::keyClick(w.map, Qt::Key_Minus);
    shown(w);
  }
  for (int i = 1; i < mag; ++i) {
    QTest::keyClick(w.map, Qt::Key_Plus);
    shown(w);
  }
  hoverAt(w, w.centre);
  shown(w);
}

void wheel(Window& w, int direction) {
  const QPoint at = w.centre;
  QWheelEvent e(at, w.map->mapToGlobal(at), QPoint(), QPoint(0, 120 * direction), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(w.map, &e);
  hoverAt(w, at);
}

void registerNavigation(int mag) {
  const std::string level = "/level:" + std::to_string(mag);
  // In, then out: the level stays where it was every second step.
  navbench::addBounded("frame/wheel" + level, kNavigationBound, [=](benchmark::State& state) {
    Window& w = window();
    goToLevel(w, mag);
    int direction = mag < 13 ? 1 : -1;
    for (auto _ : state) {
      wheel(w, direction);
      shown(w);
      direction = -direction;
    }
  })->Unit(benchmark::kMillisecond);
  navbench::addBounded("frame/pan" + level, kNavigationBound, [=](benchmark::State& state) {
    Window& w = window();
    goToLevel(w, mag);
    QPoint at = w.centre;
    QMouseEvent press(QEvent::MouseButtonPress, at, w.map->mapToGlobal(at), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w.map, &press);
    int step = 40;
    for (auto _ : state) {
      at += QPoint(step, step / 2);
      QMouseEvent move(QEvent::MouseMove, at, w.map->mapToGlobal(at), Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
      QApplication::sendEvent(w.map, &move);
      shown(w);
      step = -step;
    }
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.map->mapToGlobal(at), Qt::MiddleButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w.map, &release);
    shown(w);
  })->Unit(benchmark::kMillisecond);
  navbench::addBounded("frame/arrow" + level, kNavigationBound, [=](benchmark::State& state) {
    Window& w = window();
    goToLevel(w, mag);
    bool right = true;
    for (auto _ : state) {
      QTest::keyClick(w.map, right ? Qt::Key_Right : Qt::Key_Left);
      hoverAt(w, w.centre);
      shown(w);
      right = !right;
    }
  })->Unit(benchmark::kMillisecond);
}

void registerPlanCommand() {
  navbench::addBounded("frame/place in 50 rows", kPlanCommandBound, [](benchmark::State& state) {
    Window& w = window();
    goToLevel(w, 7);
    auto* editor = w.view->findChild<navui::PlanEditor*>();
    nav::FlightPlan plan;
    plan.rows.clear();
    for (int i = 0; i < 50; ++i)
      plan.rows.push_back(
          nav::userPointPlanRow("P" + std::to_string(i), {.lat = 170000.0 + 400 * i, .lon = 3600.0 + 300 * i}));
    plan.rows.emplace_back();
    editor->replacePlan(plan);
    shown(w);
    nav::HoverSelection hover;
    hover.userPoint.name = "NEW";
    hover.userPoint.position = {.lat = 176000, .lon = 9000};
    for (auto _ : state) {
      editor->drop(25, hover);
      shown(w);
      state.PauseTiming();
      editor->undoStack()->undo();
      shown(w);
      state.ResumeTiming();
    }
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (qgetenv("NAVBENCH_WORLD").isEmpty()) {
    std::fprintf(stderr, "framebench: NAVBENCH_WORLD names the synthetic world's folder (synthworld FOLDER)\n");
    return 2;
  }
  for (int mag : {1, 7, 13}) registerNavigation(mag);
  registerPlanCommand();
  const int status = navbench::runBenchmarks(argc, argv);
  theWindow.reset();
  return status;
}
