#include "ui/plan_print.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "paint/text_decoding.h"

namespace navui {

namespace {

constexpr int kRowHeight = 18;  // grid pixels, as the grid shows them

}  // namespace

void paintPlanPages(QPainter& painter, int pageHeight, const std::function<void()>& newPage,
                    const std::vector<nav::PlanRow>& rows, const std::vector<int>& widths) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  painter.setFont(font);
  const QFontMetrics metrics(font);

  auto drawRow = [&](int y, auto cellText) {
    int x = 0;
    for (std::size_t c = 0; c < nav::kPlanColumns; ++c) {
      const int w = c < widths.size() ? widths[c] : 64;
      const bool number = c >= nav::colLat && c <= nav::colYy;
      const QRect cell(x + 2, y, w - 4, kRowHeight);
      // Cut as on screen: a text wider than its column, clipped, would show
      // digits that are not its own.
      const QString text = metrics.elidedText(cellText(c), Qt::ElideRight, cell.width());
      painter.drawText(cell, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
      x += w;
    }
  };

  int y = 0;
  drawRow(y, [](std::size_t c) { return fromWindows1252(nav::kPlanColumnNames[c]); });
  y += kRowHeight;
  for (const nav::PlanRow& row : rows) {
    if (y + kRowHeight > pageHeight) {
      newPage();
      y = 0;  // the header is printed once, not on every page
    }
    drawRow(y, [&](std::size_t c) { return fromWindows1252(row.cells[c]); });
    y += kRowHeight;
  }
}

void printPlanGrid(QPrinter& printer, const std::vector<nav::PlanRow>& rows, const std::vector<int>& widths) {
  QPainter painter(&printer);
  if (!painter.isActive()) return;
  // Grid pixels at the screen's 96 per inch, not fitted to the page.
  const double scale = printer.resolution() / 96.0;
  painter.scale(scale, scale);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  paintPlanPages(painter, static_cast<int>(page.height() / scale), [&] { printer.newPage(); }, rows, widths);
}

AdvPreviewDialog::AdvPreviewDialog(std::vector<nav::PlanRow> rows, std::vector<int> columnWidths, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), widths_(std::move(columnWidths)), printer_(new QPrinter) {
  setObjectName(QStringLiteral("AdvPreviewDialog"));
  setWindowTitle(QStringLiteral("Preview"));
  printer_->setPageOrientation(QPageLayout::Portrait);
  preview_ = new QPrintPreviewWidget(printer_, this);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { printPlanGrid(*printer, rows_, widths_); });

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
  printPlanGrid(*printer_, rows_, widths_);
}

}  // namespace navui
