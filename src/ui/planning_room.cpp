#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

#include "base/file_io.h"
#include "flightplan/plan_recovery.h"
#include "ui/legs_page.h"
#include "ui/main_window.h"
#include "ui/plan_table_model.h"
#include "ui/plan_undo.h"
#include "ui/status_panel.h"

// The planning room of the main window: the page "Étapes", undo and redo of
// the plan's commands, and the plan left unsaved at closing, kept for the
// next start.

namespace navui {

namespace {

constexpr int kUndoLimit = 200;

}  // namespace

QWidget* TformNavView::buildLegsPage() {
  legsPage_ = new LegsPage(state_.plan, findChild<QLineEdit*>(QStringLiteral("EditVitesse1")), this);
  // Every plan command ends by showing the plan, which resets the grid's model.
  connect(planModel_, &QAbstractItemModel::modelReset, legsPage_, &LegsPage::refresh);
  legsPage_->chooseGpxFile = [this] {
    QString proposed = lastLoadedName_;
    const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.'));
    proposed = proposed.isEmpty() ? QStringLiteral("plan.gpx") : (dot >= 0 ? proposed.left(dot) : proposed) + ".gpx";
    QFileDialog dialog(this, QString(), initialFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Route GPX (*.gpx)"));
    dialog.setDefaultSuffix(QStringLiteral("gpx"));
    dialog.selectFile(proposed);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  return legsPage_;
}

void TformNavView::buildPlanUndo() {
  planUndo_ = new QUndoStack(this);
  planUndo_->setObjectName(QStringLiteral("PlanUndoStack"));
  planUndo_->setUndoLimit(kUndoLimit);
  auto* undo = new QAction(QStringLiteral("Annuler"), this);
  undo->setObjectName(QStringLiteral("Annuler1"));
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  auto* redo = new QAction(QStringLiteral("Rétablir"), this);
  redo->setObjectName(QStringLiteral("Retablir1"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {undo, redo}) {
    a->setShortcutContext(Qt::WindowShortcut);
    a->setEnabled(false);
    addAction(a);  // the keys work wherever the focus is in the window
  }
  connect(planUndo_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(planUndo_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  connectGuarded(undo, &QAction::triggered, [this] { planUndo_->undo(); });
  connectGuarded(redo, &QAction::triggered, [this] { planUndo_->redo(); });
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(undo);
  PopupMenu1->addAction(redo);
}

void TformNavView::showPlan(const nav::FlightPlan& plan) {
  state_.plan = plan;
  planChanged();
}

void TformNavView::editPlan(const QString& what, const std::function<void()>& change) {
  const nav::FlightPlan before = state_.plan;
  try {
    change();
  } catch (...) {
    state_.plan = before;  // a command that fails leaves the plan as it was
    throw;
  }
  if (state_.plan == before) {
    planChanged();
    return;
  }
  // Pushing shows the plan after the command.
  planUndo_->push(
      new PlanEditCommand(what, before, state_.plan, [this](const nav::FlightPlan& plan) { showPlan(plan); }));
}

std::string TformNavView::unsavedPlanPath() const { return state_.exeFolder + nav::kRecoveryFile; }

void TformNavView::planKeptInAFile() {
  planUndo_->setClean();
  nav::removeRecoveryFile(unsavedPlanPath());
}

void TformNavView::restoreUnsavedPlan() {
  const std::string path = unsavedPlanPath();
  if (!nav::fileExists(path)) return;
  showPlan(nav::readRecoveryFile(path));
  planUndo_->resetClean();  // still unsaved: kept again at closing unless saved
  statusPanels_[3]->setFullText(QStringLiteral("Plan de vol non enregistré de la dernière séance rétabli"));
}

void TformNavView::keepUnsavedPlan() {
  if (!planUndo_->isClean() && !nav::isBlankPlan(state_.plan))
    nav::writeRecoveryFile(unsavedPlanPath(), state_.plan);
  else
    nav::removeRecoveryFile(unsavedPlanPath());
}

}  // namespace navui
