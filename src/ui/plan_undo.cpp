#include "ui/plan_undo.h"

#include <utility>

#include "ui/plan_editor.h"

namespace navui {

PlanEditCommand::PlanEditCommand(const QString& text, PlanChange change, PlanEditor* editor)
    : QUndoCommand(text), change_(std::move(change)), editor_(editor) {}

void PlanEditCommand::undo() {
  editor_->replace(change_.at, change_.after.size(), change_.before, change_.headerBefore);
  done_ = false;
}

void PlanEditCommand::redo() {
  if (done_) return;
  editor_->replace(change_.at, change_.before.size(), change_.after, change_.headerAfter);
  done_ = true;
}

}  // namespace navui
