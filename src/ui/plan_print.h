#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <vector>

class QAbstractItemModel;
class QPainter;
class QPrinter;
class QPrintPreviewWidget;

namespace navui {

// Paints the plan grid's pages: cells cut with "…" where they do not fit,
// as the grid shows them; `newPage` starts the next page.
void paintPlanPages(QPainter& painter, int pageHeight, const std::function<void()>& newPage,
                    const QAbstractItemModel& grid, const std::vector<int>& columnWidths);

// Prints the plan grid as it shows: the header row once, then every row, in
// the grid's column widths, portrait, with no borders, title, date or page
// numbers and no fitting to the page.
void printPlanGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& columnWidths);

// The print preview of the plan grid, with its own Previous, Next, Print and
// Close buttons; Print offers the printer set-up first.
class AdvPreviewDialog : public QDialog {
  Q_OBJECT
 public:
  AdvPreviewDialog(const QAbstractItemModel* grid, std::vector<int> columnWidths, QWidget* parent);
  ~AdvPreviewDialog() override;
  QPrintPreviewWidget* preview() const { return preview_; }

 private:
  void print();

  QPointer<const QAbstractItemModel> grid_;  // what the plan grid shows
  std::vector<int> widths_;
  QPrinter* printer_;
  QPrintPreviewWidget* preview_;
};

}  // namespace navui
