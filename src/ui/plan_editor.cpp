#include "ui/plan_editor.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUndoStack>
#include <utility>

#include "app/plan_placement.h"
#include "base/file_io.h"
#include "flightplan/plan_recovery.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "ui/plan_undo.h"

namespace navui {

namespace {

constexpr int kUndoLimit = 200;

const QString kSavedSimulations = QStringLiteral("D:\\Simulation\\Norvane! ll\\Saved Simulations");

}  // namespace

PlanEditor::PlanEditor(std::string recoveryPath, QObject* parent)
    : QObject(parent), undo_(new QUndoStack(this)), recoveryPath_(std::move(recoveryPath)) {
  undo_->setObjectName(QStringLiteral("PlanUndoStack"));
  undo_->setUndoLimit(kUndoLimit);
}

void PlanEditor::show(const nav::FlightPlan& plan) {
  plan_ = plan;
  emit planChanged();
  emit currentRowChanged(static_cast<int>(plan_.current));
}

void PlanEditor::edit(const QString& what, const std::function<void(nav::FlightPlan&)>& change) {
  nav::FlightPlan after = plan_;
  change(after);  // a failure leaves the plan as it was
  if (after == plan_) {
    show(plan_);
    return;
  }
  // Pushing shows the plan after the command.
  undo_->push(new PlanEditCommand(what, plan_, std::move(after), this));
}

void PlanEditor::place(const nav::SearchRow& result, const nav::NavDatabase& db) {
  edit(QStringLiteral("Placer dans le plan de vol"),
       [&](nav::FlightPlan& p) { nav::placeSearchResult(p, result, db); });
}

void PlanEditor::drop(std::optional<std::size_t> rowUnderPoint, const nav::HoverSelection& hover) {
  edit(QStringLiteral("Déposer"), [&](nav::FlightPlan& p) { nav::dropMapObject(p, rowUnderPoint, hover); });
}

void PlanEditor::deleteCurrentRow() {
  edit(QStringLiteral("Supprimer la ligne"), [](nav::FlightPlan& p) { nav::deleteCurrentRow(p); });
}

void PlanEditor::moveCurrentRowUp() {
  edit(QStringLiteral("Monter d'une ligne"), [](nav::FlightPlan& p) { nav::moveCurrentRowUp(p); });
}

void PlanEditor::moveCurrentRowDown() {
  edit(QStringLiteral("Descendre d'une ligne"), [](nav::FlightPlan& p) { nav::moveCurrentRowDown(p); });
}

void PlanEditor::clear() {
  edit(QStringLiteral("Effacer"), [](nav::FlightPlan& p) { nav::clearPlan(p); });
}

void PlanEditor::load(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  lastLoadedName_ = file.fileName();
  lastPlanFolder_ = file.absolutePath();
  // The whole file is read before the plan changes: a file that fails
  // leaves the plan as it was.
  edit(QStringLiteral("Ouvrir"), [&](nav::FlightPlan& p) { nav::replaceRows(p, nav::readSitFile(path)); });
  keptInAFile();
}

void PlanEditor::save(const std::string& path, const std::string& tagListPath) {
  lastPlanFolder_ = QFileInfo(QString::fromStdString(path)).absolutePath();
  nav::ecris_pln(plan_.rows, tagListPath, path);
  keptInAFile();
}

void PlanEditor::setCurrentRow(std::size_t row) {
  if (row >= plan_.rows.size() || row == plan_.current) return;
  plan_.current = row;
  emit currentRowChanged(static_cast<int>(row));
}

void PlanEditor::hideRoute() {
  plan_.routeShown = false;
  emit planChanged();
}

QString PlanEditor::dialogFolder() const {
  if (QDir(kSavedSimulations).exists()) return kSavedSimulations;
  if (!lastPlanFolder_.isEmpty() && QDir(lastPlanFolder_).exists()) return lastPlanFolder_;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void PlanEditor::keptInAFile() {
  undo_->setClean();
  nav::removeRecoveryFile(recoveryPath_);
}

bool PlanEditor::restoreUnsaved() {
  if (!nav::fileExists(recoveryPath_)) return false;
  show(nav::readRecoveryFile(recoveryPath_));
  undo_->resetClean();  // still unsaved: kept again at closing unless saved
  return true;
}

void PlanEditor::keepUnsaved() {
  if (!undo_->isClean() && !nav::isBlankPlan(plan_))
    nav::writeRecoveryFile(recoveryPath_, plan_);
  else
    nav::removeRecoveryFile(recoveryPath_);
}

}  // namespace navui
