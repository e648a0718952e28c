#include <malloc.h>

#include <QUndoStack>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/plan_placement.h"
#include "floor_table.h"
#include "ui/plan_editor.h"

// The plan's commands as the window runs them (each a step of undo) on
// plans of 10, 1 000 and 100 000 rows, beside the same commands on the plan
// alone; and with --memory, what a step of undo keeps.

namespace {

nav::PlanRow airportRow(int i) {
  nav::PlanRow row;
  row[nav::colName] = "Charles de Gaulle International Airport";
  row[nav::colLat] = nav::planPosition(176446.0728 + i);
  row[nav::colLon] = nav::planPosition(9180);
  row[nav::colXx] = "392.000000";
  row[nav::colDbky] = "4185";
  row[nav::colType] = "sarw";
  row[nav::colAlt] = "-99999.";
  row[nav::colSped] = "-1";
  return row;
}

nav::FlightPlan planOf(int rows) {
  nav::FlightPlan plan;
  plan.rows.clear();
  for (int i = 0; i < rows; ++i) plan.rows.push_back(airportRow(i));
  plan.rows.emplace_back();
  plan.current = static_cast<std::size_t>(rows / 2);
  plan.saveEnabled = plan.routeShown = true;
  return plan;
}

nav::HoverSelection userPoint() {
  nav::HoverSelection hover;
  hover.userPoint = {"WPT0001", {.lat = 176000, .lon = 9000}};
  return hover;
}

void editorWith(navui::PlanEditor& editor, int rows) {
  const nav::FlightPlan plan = planOf(rows);
  editor.edit(QStringLiteral("plan"), [&](nav::FlightPlan& p) { p = plan; });
  editor.undoStack()->clear();
}

// A drop in the middle of the plan, then its deletion: the plan keeps its
// size, and each is one step.
void registerDropDelete(int rows) {
  const auto pair = navbench::addPair(
      "plan/drop+delete/rows:" + std::to_string(rows), 2,
      [=](benchmark::State& bench) {
        navui::PlanEditor editor("", nullptr);
        editorWith(editor, rows);
        const nav::HoverSelection hover = userPoint();
        for (auto _ : bench) {
          editor.drop(static_cast<std::size_t>(rows / 2), hover);
          editor.deleteCurrentRow();
        }
      },
      [=](benchmark::State& bench) {
        nav::FlightPlan plan = planOf(rows);
        const nav::HoverSelection hover = userPoint();
        for (auto _ : bench) {
          nav::dropMapObject(plan, static_cast<std::size_t>(rows / 2), hover);
          plan.current = static_cast<std::size_t>(rows / 2);
          nav::deleteCurrentRow(plan);
        }
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

void registerMove(int rows) {
  const auto pair = navbench::addPair(
      // Two rows kept for undo, against a swap of two rows.
      "plan/up+down/rows:" + std::to_string(rows), 8,
      [=](benchmark::State& bench) {
        navui::PlanEditor editor("", nullptr);
        editorWith(editor, rows);
        for (auto _ : bench) {
          editor.moveCurrentRowUp();
          editor.moveCurrentRowDown();
        }
      },
      [=](benchmark::State& bench) {
        nav::FlightPlan plan = planOf(rows);
        for (auto _ : bench) {
          nav::moveCurrentRowUp(plan);
          nav::moveCurrentRowDown(plan);
        }
      });
  pair.path->Unit(benchmark::kMicrosecond);
  pair.floor->Unit(benchmark::kMicrosecond);
}

// Bytes the heap holds for each step of undo, over a full undo stack of
// drops and deletions.
void printMemoryPerStep() {
  std::printf("%-10s %14s %14s\n", "rows", "bytes/step", "plan bytes");
  for (const int rows : {10, 1000, 100000}) {
    navui::PlanEditor editor("", nullptr);
    const std::size_t empty = mallinfo2().uordblks;
    editorWith(editor, rows);
    const std::size_t withPlan = mallinfo2().uordblks;
    const nav::HoverSelection hover = userPoint();
    const int steps = editor.undoStack()->undoLimit();
    for (int i = 0; i < steps / 2; ++i) {
      editor.drop(static_cast<std::size_t>(rows / 2), hover);
      editor.deleteCurrentRow();
    }
    const std::size_t full = mallinfo2().uordblks;
    std::printf("%-10d %14.0f %14zu\n", rows, static_cast<double>(full - withPlan) / steps, withPlan - empty);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--memory") == 0) {
    printMemoryPerStep();
    return 0;
  }
  for (const int rows : {10, 1000, 100000}) {
    registerDropDelete(rows);
    registerMove(rows);
  }
  return navbench::runBenchmarks(argc, argv);
}
