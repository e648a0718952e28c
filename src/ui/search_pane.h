#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "interaction/identifier_search.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace navui {

class SearchTableModel;

// The search pane `PanelIDchoix`: the field "OACI", the count beside it and
// the result grid with its menu. It owns the result rows; placing a row in
// the plan and centring the map on it are the window's, through the menu's
// actions and the pane's signals.
class SearchPane : public QWidget {
  Q_OBJECT
 public:
  SearchPane(const nav::NavDatabase& db, QWidget* parent);

  QLineEdit* field() const { return cbID; }
  // "Placerdansleplandevol1" and "Centrer2", for the window to connect.
  QAction* action(const char* name) const;

  // A key in the field: Enter runs the search.
  void cbIDKeyDown(int key);
  // The field "Nom": the search by name, as the user types.
  QLineEdit* nameField() const { return cbNom; }
  void searchName(const QString& typed);
  // The grid's current result row, if it holds one (not the empty last row
  // of a search that found nothing, say).
  const nav::SearchRow* currentResult() const;
  // Its position, a signed longitude; fails as a cell without a number does.
  std::optional<nav::GeoPosition> currentPosition() const;

 signals:
  // A search filled the grid.
  void searched();
  // A double click on a result: place it.
  void placeRequested();
  // The grid's current row moved (a search, a click, a key).
  void currentResultChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const nav::NavDatabase& db_;
  std::vector<nav::SearchRow> rows_{1};  // the empty last row included
  QLineEdit* cbID = nullptr;
  QLineEdit* cbNom = nullptr;
  QLabel* Label10 = nullptr;
  QTableView* findGrid = nullptr;
  SearchTableModel* searchModel_ = nullptr;
  QMenu* PopupMenu2 = nullptr;
};

}  // namespace navui
