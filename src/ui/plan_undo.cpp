#include "ui/plan_undo.h"

#include <utility>

#include "ui/plan_editor.h"

namespace navui {

PlanEditCommand::PlanEditCommand(const QString& text, nav::FlightPlan before, nav::FlightPlan after, PlanEditor* editor)
    : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), editor_(editor) {}

void PlanEditCommand::undo() { editor_->show(before_); }

void PlanEditCommand::redo() { editor_->show(after_); }

}  // namespace navui
