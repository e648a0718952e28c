#pragma once

#include <QUndoCommand>

#include "flightplan/flight_plan.h"

namespace navui {

class PlanEditor;

// A command that changed the plan, kept as the whole plan before and after
// it: undo and redo give back the rows, the current row, the route flag,
// the save button and the user point numbering exactly as they were. Plans
// are a few dozen rows, so the copies cost nothing worth saving.
class PlanEditCommand : public QUndoCommand {
 public:
  PlanEditCommand(const QString& text, nav::FlightPlan before, nav::FlightPlan after, PlanEditor* editor);
  void undo() override;
  void redo() override;

 private:
  nav::FlightPlan before_;
  nav::FlightPlan after_;
  PlanEditor* editor_;
};

}  // namespace navui
