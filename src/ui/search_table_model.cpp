#include "ui/search_table_model.h"

#include <QFont>

#include "paint/text_decoding.h"
#include "ui/search_icons.h"

namespace navui {

SearchTableModel::SearchTableModel(const std::vector<nav::SearchRow>& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int SearchTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SearchTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(nav::kSearchColumns);
}

QVariant SearchTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const nav::SearchRow& row = rows_[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  switch (role) {
    case Qt::DisplayRole: return fromWindows1252(row.cells[column]);
    case Qt::TextAlignmentRole:
      return static_cast<int>(column <= nav::searchColRegion ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::DecorationRole:
      if (column == nav::searchColIcons && !row.icons.empty()) return iconRow(row.icons);
      return {};
    case Qt::FontRole:
      // The airport's row stands out from its runway ends below it.
      if (row.cells[nav::searchColTypeCode] == nav::typeCode::airport) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::UserRole:
      if (column == nav::searchColIcons) {
        QVariantList icons;
        for (int i : row.icons) icons << i;
        return icons;
      }
      return {};
    default: return {};
  }
}

void SearchTableModel::rowsReplaced() {
  beginResetModel();
  endResetModel();
}

}  // namespace navui
