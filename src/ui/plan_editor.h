#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/failure.h"
#include "flightplan/flight_plan.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "ui/plan_undo.h"

class QLockFile;
class QTimer;
class QUndoStack;

namespace navui {

// The flight plan, its undo stack and the file that keeps it unsaved. Every
// change of the plan is one of its commands: each is a step of undo and
// redo, and a command that fails leaves the plan as it was. The grid, the
// legs, the map's route and the save button follow its signals.
//
// The unsaved plan is kept in a recovery file of its own (it holds a lock
// on it while it lives), written a second after a change at most, so that
// a kill loses no more than that; it never touches another window's file,
// nor one it could not read.
class PlanEditor : public QObject {
  Q_OBJECT
 public:
  // `folder`, ending with a separator, is where the recovery files lie;
  // empty, the plan is kept nowhere.
  PlanEditor(std::string folder, QObject* parent);
  ~PlanEditor() override;

  const nav::FlightPlan& plan() const { return plan_; }
  QUndoStack* undoStack() const { return undo_; }

  // "Placer dans le plan de vol": a result row, looked up again in `db`.
  void place(const nav::SearchRow& result, const nav::NavDatabase& db);
  // A drop from the map on plan row `rowUnderPoint` (none: below the rows).
  void drop(std::optional<std::size_t> rowUnderPoint, const nav::HoverSelection& hover);
  void deleteCurrentRow();
  void moveCurrentRowUp();
  void moveCurrentRowDown();
  void clear();
  // The planned altitude of plan row `row` in feet, kept in its cell
  // "Altitude" (none: emptied); one step of undo.
  void setAltitude(std::size_t row, std::optional<int> feet);
  // The plan a typed route built, in place of the current one; one step of
  // undo brings the current one back.
  void replacePlan(const nav::FlightPlan& plan);
  // Reads a saved-simulation file whole, then puts its rows in the plan.
  void load(const std::string& path);
  // Writes the plan to `path` with the tag list at `tagListPath`.
  void save(const std::string& path, const std::string& tagListPath);
  // Any other command: `change` works on the plan, named `what` for undo.
  // Its step keeps the whole plan before and after.
  void edit(const QString& what, const std::function<void(nav::FlightPlan&)>& change);

  // The grid's current row, as the user moves it: not a command.
  void setCurrentRow(std::size_t row);
  // An open dialog given up: the route is hidden until the next command.
  void hideRoute();

  // The name of the file last loaded, and the folder of the last file
  // loaded or saved; the dialogs start from them.
  const QString& lastLoadedName() const { return lastLoadedName_; }
  // The folder the file dialogs start in: the simulator's "Saved
  // Simulations" where it exists, else where the last plan went, else the
  // documents folder, never the program's own.
  QString dialogFolder() const;

  // At start: the oldest plan a window left unsaved and no window holds,
  // put back; each file that cannot be read is reported and stays. `waiting`
  // counts the others, left for the next starts.
  struct Restored {
    bool restored = false;
    int waiting = 0;
  };
  Restored restoreUnsaved(const nav::FailureReporter& report);
  // The unsaved plan written to its file now, or the file removed when
  // nothing is unsaved; fails when it cannot be written.
  void keepUnsaved();
  // The file the plan is kept in; empty before it has one.
  const std::string& recoveryPath() const { return ownPath_; }

 signals:
  void planChanged();
  void currentRowChanged(int row);
  // A keeping after a change failed (`message`), the first time in a row;
  // an empty message once one succeeds again.
  void keepingFailed(const QString& message);

 private:
  friend class PlanEditCommand;
  // A command whose change of the rows lies within the `count` rows from
  // `at` (rows it inserts there included): only those are kept for undo. A
  // command that fails leaves the plan as it was and no step.
  void editRows(const QString& what, std::size_t at, std::size_t count,
                const std::function<void(nav::FlightPlan&)>& change);
  // Replaces `count` rows from `at` by `rows`, sets the fields and says so.
  void replace(std::size_t at, std::size_t count, const std::vector<nav::PlanRow>& rows, const PlanHeader& header);
  // Puts `plan` in place and says so.
  void show(const nav::FlightPlan& plan);
  void changed();
  // After a save or a load: the plan as it stands is in a file.
  void keptInAFile();
  // A recovery file of this editor's own, locked, if it has none yet.
  bool ownAFile();
  void keepSoon();
  void keepNow();

  nav::FlightPlan plan_;
  QUndoStack* undo_;
  std::string folder_;
  std::string ownPath_;
  std::unique_ptr<QLockFile> ownLock_;
  QTimer* keepTimer_;
  bool keepingFails_ = false;
  QString lastLoadedName_;
  QString lastPlanFolder_;
};

}  // namespace navui
