#include "ui/plan_editor.h"

#include <fmt/format.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUndoStack>
#include <utility>

#include "app/plan_placement.h"
#include "base/file_io.h"
#include "flightplan/plan_recovery.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "paint/text_decoding.h"
#include "ui/plan_undo.h"

namespace navui {

namespace {

constexpr int kUndoLimit = 200;
constexpr int kKeepDelayMs = 1000;

// The lock a window holds on a recovery file while it keeps its plan there;
// none when another living window holds it.
std::unique_ptr<QLockFile> lockOf(const std::string& recoveryPath) {
  auto lock = std::make_unique<QLockFile>(QString::fromStdString(recoveryPath + ".lock"));
  // A window holds it for hours: only a dead owner makes it stale.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

const QString kSavedSimulations = QStringLiteral("D:\\Simulation\\Norvane! ll\\Saved Simulations");

}  // namespace

PlanEditor::PlanEditor(std::string folder, QObject* parent)
    : QObject(parent), undo_(new QUndoStack(this)), folder_(std::move(folder)), keepTimer_(new QTimer(this)) {
  undo_->setObjectName(QStringLiteral("PlanUndoStack"));
  undo_->setUndoLimit(kUndoLimit);
  keepTimer_->setSingleShot(true);
  keepTimer_->setInterval(kKeepDelayMs);
  connect(keepTimer_, &QTimer::timeout, this, &PlanEditor::keepNow);
  connect(this, &PlanEditor::planChanged, this, &PlanEditor::keepSoon);
}

PlanEditor::~PlanEditor() = default;

void PlanEditor::changed() {
  emit planChanged();
  emit currentRowChanged(static_cast<int>(plan_.current));
}

void PlanEditor::show(const nav::FlightPlan& plan) {
  plan_ = plan;
  changed();
}

void PlanEditor::replace(std::size_t at, std::size_t count, const std::vector<nav::PlanRow>& rows,
                         const PlanHeader& header) {
  const auto first = plan_.rows.begin() + static_cast<std::ptrdiff_t>(at);
  plan_.rows.erase(first, first + static_cast<std::ptrdiff_t>(count));
  plan_.rows.insert(plan_.rows.begin() + static_cast<std::ptrdiff_t>(at), rows.begin(), rows.end());
  plan_.current = header.current;
  plan_.routeShown = header.routeShown;
  plan_.userPointCounter = header.userPointCounter;
  plan_.saveEnabled = header.saveEnabled;
  changed();
}

void PlanEditor::editRows(const QString& what, std::size_t at, std::size_t count,
                          const std::function<void(nav::FlightPlan&)>& change) {
  PlanChange step;
  step.at = at;
  const auto from = plan_.rows.begin() + static_cast<std::ptrdiff_t>(at);
  step.before.assign(from, from + static_cast<std::ptrdiff_t>(count));
  step.headerBefore = PlanHeader::of(plan_);
  const std::size_t sizeBefore = plan_.rows.size();
  try {
    change(plan_);
  } catch (...) {
    // Whatever the command did within its rows is taken back.
    replace(at, count + plan_.rows.size() - sizeBefore, step.before, step.headerBefore);
    throw;
  }
  const auto to = plan_.rows.begin() + static_cast<std::ptrdiff_t>(at);
  step.after.assign(to, to + static_cast<std::ptrdiff_t>(count + plan_.rows.size() - sizeBefore));
  step.headerAfter = PlanHeader::of(plan_);
  if (step.after != step.before || step.headerAfter != step.headerBefore)
    undo_->push(new PlanEditCommand(what, std::move(step), this));
  changed();
}

void PlanEditor::replacePlan(const nav::FlightPlan& plan) {
  edit(QStringLiteral("Créer le plan"), [&](nav::FlightPlan& p) { p = plan; });
}

void PlanEditor::setAltitude(std::size_t row, std::optional<int> feet) {
  if (row >= plan_.rows.size()) return;
  editRows(QStringLiteral("Altitude"), row, 1,
           [&](nav::FlightPlan& p) { p.rows[row][nav::colAltitude] = feet ? std::to_string(*feet) : std::string(); });
}

void PlanEditor::edit(const QString& what, const std::function<void(nav::FlightPlan&)>& change) {
  editRows(what, 0, plan_.rows.size(), change);
}

void PlanEditor::place(const nav::SearchRow& result, const nav::NavDatabase& db) {
  // The single row of a plan that has one, with the empty row that then
  // follows it; else the row placed after the current one.
  const bool single = plan_.rows.size() == 1;
  editRows(QStringLiteral("Placer dans le plan de vol"), single ? 0 : plan_.current + 1, single ? 1 : 0,
           [&](nav::FlightPlan& p) { nav::placeSearchResult(p, result, db); });
}

void PlanEditor::drop(std::optional<std::size_t> rowUnderPoint, const nav::HoverSelection& hover) {
  editRows(QStringLiteral("Déposer"), nav::dropRow(plan_, rowUnderPoint), 0,
           [&](nav::FlightPlan& p) { nav::dropMapObject(p, rowUnderPoint, hover); });
}

void PlanEditor::deleteCurrentRow() {
  editRows(QStringLiteral("Supprimer la ligne"), plan_.current, 1,
           [](nav::FlightPlan& p) { nav::deleteCurrentRow(p); });
}

void PlanEditor::moveCurrentRowUp() {
  const std::size_t at = plan_.current;
  editRows(QStringLiteral("Monter d'une ligne"), at == 0 ? 0 : at - 1, at == 0 ? 0 : 2,
           [](nav::FlightPlan& p) { nav::moveCurrentRowUp(p); });
}

void PlanEditor::moveCurrentRowDown() {
  const std::size_t at = plan_.current;
  const bool last = at + 1 >= plan_.rows.size();
  editRows(QStringLiteral("Descendre d'une ligne"), at, last ? 0 : 2,
           [](nav::FlightPlan& p) { nav::moveCurrentRowDown(p); });
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
  if (!ownPath_.empty()) nav::removeRecoveryFile(ownPath_);
}

PlanEditor::Restored PlanEditor::restoreUnsaved(const nav::FailureReporter& report) {
  Restored result;
  if (folder_.empty()) return result;
  for (const std::string& path : nav::recoveryFiles(folder_)) {
    if (result.restored) {
      // Left for a later start, unless a living window keeps it.
      if (lockOf(path)) ++result.waiting;
      continue;
    }
    std::unique_ptr<QLockFile> lock = lockOf(path);
    if (!lock) continue;
    nav::FlightPlan plan;
    // One that cannot be read stays as it is: it is not this window's.
    if (!nav::runGuarded([&] { plan = nav::readRecoveryFile(path); }, report)) continue;
    ownPath_ = path;
    ownLock_ = std::move(lock);
    show(plan);
    undo_->resetClean();  // still unsaved: kept again unless saved
    result.restored = true;
  }
  // Its own file from the start: a living window's, or one that could not
  // be read, is never taken over.
  if (!result.restored) ownAFile();
  return result;
}

bool PlanEditor::ownAFile() {
  if (!ownPath_.empty()) return true;
  if (folder_.empty()) return false;
  for (int n = 1; n < 10000; ++n) {
    const std::string path = folder_ + nav::recoveryFileName(n);
    std::unique_ptr<QLockFile> lock = lockOf(path);
    // Taken by a living window, or a file no one could read: another name.
    if (!lock || nav::fileExists(path)) continue;
    ownPath_ = path;
    ownLock_ = std::move(lock);
    return true;
  }
  return false;
}

void PlanEditor::keepUnsaved() {
  keepTimer_->stop();
  if (!undo_->isClean() && !nav::isBlankPlan(plan_)) {
    if (!ownAFile()) {
      if (folder_.empty()) return;
      nav::fail(fmt::format("Cannot create file {}{}", folder_, nav::kRecoveryFile));
    }
    nav::writeRecoveryFile(ownPath_, plan_);
  } else if (!ownPath_.empty()) {
    nav::removeRecoveryFile(ownPath_);
  }
}

void PlanEditor::keepSoon() {
  if (!folder_.empty() && !keepTimer_->isActive()) keepTimer_->start();
}

void PlanEditor::keepNow() {
  // Said once in the status bar, not in a box at every change.
  const bool kept = nav::runGuarded([this] { keepUnsaved(); },
                                    [this](const std::string& message) {
                                      if (!keepingFails_) emit keepingFailed(fromWindows1252(message));
                                    });
  if (kept && keepingFails_) emit keepingFailed(QString());
  keepingFails_ = !kept;
}

}  // namespace navui
