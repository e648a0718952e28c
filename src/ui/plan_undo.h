#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <vector>

#include "flightplan/flight_plan.h"

namespace navui {

class PlanEditor;

// The plan's own fields, apart from its rows.
struct PlanHeader {
  std::size_t current = 0;
  bool routeShown = false;
  std::int32_t userPointCounter = 1;
  bool saveEnabled = false;
  friend bool operator==(const PlanHeader&, const PlanHeader&) = default;
  static PlanHeader of(const nav::FlightPlan& plan) {
    return {plan.current, plan.routeShown, plan.userPointCounter, plan.saveEnabled};
  }
};

// What a command changed: the rows from `at` that it replaced (`before`) and
// those it put there (`after`), and the fields before and after. A row
// placed keeps one row, a deletion one, a move two; only clearing and
// loading keep whole plans, so that a step's memory does not grow with the
// plan.
struct PlanChange {
  std::size_t at = 0;
  std::vector<nav::PlanRow> before;
  std::vector<nav::PlanRow> after;
  PlanHeader headerBefore;
  PlanHeader headerAfter;
};

// A step of undo and redo. It is pushed once its command has changed the
// plan, so its first redo has nothing to do.
class PlanEditCommand : public QUndoCommand {
 public:
  PlanEditCommand(const QString& text, PlanChange change, PlanEditor* editor);
  void undo() override;
  void redo() override;
  const PlanChange& change() const { return change_; }

 private:
  PlanChange change_;
  PlanEditor* editor_;
  bool done_ = true;
};

}  // namespace navui
