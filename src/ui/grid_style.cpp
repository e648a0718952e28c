#include "ui/grid_style.h"

#include <QFont>
#include <QHeaderView>
#include <QProxyStyle>
#include <QTableView>

namespace navui {

namespace {

class CompactCellStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Below the 20 pixels of the result grid's icon column.
constexpr int kMinimumColumnWidth = 8;

}  // namespace

void setUpGrid(QTableView* grid, int rowHeight, std::span<const int> columnWidths) {
  auto* style = new CompactCellStyle;
  style->setParent(grid);
  grid->setStyle(style);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);
  for (int c = 0; c < static_cast<int>(columnWidths.size()); ++c) grid->setColumnWidth(c, columnWidths[c]);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
}

void setUpHeadedGrid(QTableView* grid, int rowHeight, std::span<const int> columnWidths) {
  setUpGrid(grid, rowHeight, columnWidths);
  grid->horizontalHeader()->setHighlightSections(false);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  grid->setFont(font);
}

}  // namespace navui
