#include "ui/plan_print.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/error_box.h"
#include "ui/print_output.h"

namespace navui {

namespace {

constexpr int kPrintRowHeight = 18;  // grid pixels, as the grid shows them

}  // namespace

void paintPlanPages(QPainter& painter, int pageHeight, const std::function<void()>& newPage,
                    const QAbstractItemModel& grid, const std::vector<int>& widths) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  painter.setFont(font);
  const QFontMetrics metrics(font);

  auto drawRow = [&](int y, auto cellText, auto alignment) {
    int x = 0;
    for (int c = 0; c < grid.columnCount(); ++c) {
      const int w = static_cast<std::size_t>(c) < widths.size() ? widths[static_cast<std::size_t>(c)] : 64;
      const QRect cell(x + 2, y, w - 4, kPrintRowHeight);
      // Cut as on screen: a text wider than its column, clipped, would show
      // digits that are not its own.
      painter.drawText(cell, alignment(c), metrics.elidedText(cellText(c), Qt::ElideRight, cell.width()));
      x += w;
    }
  };

  int y = 0;
  drawRow(
      y, [&](int c) { return grid.headerData(c, Qt::Horizontal).toString(); },
      [](int) { return Qt::AlignLeft | Qt::AlignVCenter; });
  y += kPrintRowHeight;
  for (int r = 0; r < grid.rowCount(); ++r) {
    if (y + kPrintRowHeight > pageHeight) {
      newPage();
      y = 0;  // the header is printed once, not on every page
    }
    drawRow(
        y, [&](int c) { return grid.index(r, c).data().toString(); },
        [&](int c) { return Qt::Alignment(grid.index(r, c).data(Qt::TextAlignmentRole).toInt()); });
    y += kPrintRowHeight;
  }
}

void printPlanGrid(QPrinter& printer, const QAbstractItemModel& grid, const std::vector<int>& widths) {
  printPages(printer, [&](QPainter& painter, QPagedPaintDevice& device, int resolution) {
    // Grid pixels at the screen's 96 per inch, not fitted to the page.
    const double scale = resolution / 96.0;
    painter.scale(scale, scale);
    const QRect page = device.pageLayout().paintRectPixels(resolution);
    paintPlanPages(
        painter, static_cast<int>(page.height() / scale), [&] { device.newPage(); }, grid, widths);
  });
}

AdvPreviewDialog::AdvPreviewDialog(const QAbstractItemModel* grid, std::vector<int> columnWidths, QWidget* parent)
    : QDialog(parent), grid_(grid), widths_(std::move(columnWidths)), printer_(new QPrinter) {
  setObjectName(QStringLiteral("AdvPreviewDialog"));
  setWindowTitle(QStringLiteral("Preview"));
  printer_->setPageOrientation(QPageLayout::Portrait);
  preview_ = new QPrintPreviewWidget(printer_, this);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    guarded([&] {
      if (grid_) printPlanGrid(*printer, *grid_, widths_);
    });
  });

  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* text, auto slot) {
    auto* b = new QPushButton(QString::fromLatin1(text), this);
    b->setObjectName(QString::fromLatin1(text));
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
    return b;
  };
  button("Previous", [this] { preview_->setCurrentPage(preview_->currentPage() - 1); });
  button("Next", [this] { preview_->setCurrentPage(preview_->currentPage() + 1); });
  button("Print", [this] { print(); });
  button("Close", [this] { close(); });
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(preview_, 1);
  setGeometry(100, 100, 350, 300);
}

AdvPreviewDialog::~AdvPreviewDialog() {
  delete preview_;  // before the printer it draws on
  delete printer_;
}

void AdvPreviewDialog::print() {
  QPrintDialog setup(printer_, this);
  if (setup.exec() != QDialog::Accepted) return;
  guarded([&] {
    if (grid_) printPlanGrid(*printer_, *grid_, widths_);
  });
}

}  // namespace navui
