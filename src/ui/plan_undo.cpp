#include "ui/plan_undo.h"

#include <utility>

namespace navui {

PlanEditCommand::PlanEditCommand(const QString& text, nav::FlightPlan before, nav::FlightPlan after,
                                 std::function<void(const nav::FlightPlan&)> show)
    : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), show_(std::move(show)) {}

void PlanEditCommand::undo() { show_(before_); }

void PlanEditCommand::redo() { show_(after_); }

}  // namespace navui
