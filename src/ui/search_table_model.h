#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "interaction/identifier_search.h"

namespace navui {

// The result grid's rows as Qt shows them: eight columns, no header, the
// icons of a row in column 0 (their image-list indexes under Qt::UserRole).
class SearchTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  SearchTableModel(const std::vector<nav::SearchRow>& rows, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // After a search has replaced the rows.
  void rowsReplaced();

 private:
  const std::vector<nav::SearchRow>& rows_;
};

}  // namespace navui
