#include "ui/nav_log_print.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "ui/print_output.h"

namespace navui {

namespace {

QFont logFont(bool bold, double points) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

constexpr double kTablePoints = 10;
constexpr double kTitlePoints = 14;
constexpr double kSubtitlePoints = 11;

}  // namespace

std::vector<LogPage> layOutNavLog(const QAbstractItemModel& legs, const QStringList& title, QPaintDevice& device,
                                  QSizeF pageSize) {
  const QFont plain = logFont(false, kTablePoints);
  const QFont bold = logFont(true, kTablePoints);
  const QFontMetricsF plainMetrics(plain, &device);
  const QFontMetricsF boldMetrics(bold, &device);
  // Half a character each side: an A5 page holds the kneeboard's twelve columns.
  const double pad = plainMetrics.averageCharWidth() / 2;
  const double rowHeight = boldMetrics.height() * 1.5;
  const int rows = legs.rowCount();
  // A column that is empty on every row (no wind, no fuel flow given) is
  // not printed, unless it is there to be filled in by hand: the page keeps
  // its room for the names. Positions below are
  // in the printed columns.
  std::vector<int> shown;
  for (int c = 0; c < legs.columnCount(); ++c) {
    bool any = c < 2 || legs.headerData(c, Qt::Horizontal, Qt::UserRole).toBool();
    for (int r = 0; r < rows && !any; ++r) any = !legs.index(r, c).data().toString().isEmpty();
    if (any) shown.push_back(c);
  }
  const int columns = static_cast<int>(shown.size());
  const auto cellText = [&](int r, int c) {
    return legs.index(r, shown[static_cast<std::size_t>(c)]).data().toString();
  };
  const auto header = [&](int c) {
    return legs.headerData(shown[static_cast<std::size_t>(c)], Qt::Horizontal).toString();
  };

  // Every column wants the room of its widest text. The figures get it; the
  // two name columns share the rest of the page's width, in proportion to
  // what they want when it is short, evenly what is left over otherwise.
  std::vector<double> widths(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    double w = boldMetrics.horizontalAdvance(header(c));
    for (int r = 0; r < rows; ++r) w = std::max(w, boldMetrics.horizontalAdvance(cellText(r, c)));
    widths[static_cast<std::size_t>(c)] = w + 2 * pad;
  }
  // The name columns: those whose header says so (Qt::UserRole + 1), else
  // the first two.
  std::vector<bool> isName(static_cast<std::size_t>(columns));
  bool marked = false;
  for (int c = 0; c < columns; ++c)
    marked = marked || legs.headerData(shown[static_cast<std::size_t>(c)], Qt::Horizontal, Qt::UserRole + 1).toBool();
  int names = 0;
  for (int c = 0; c < columns; ++c) {
    const bool name =
        marked ? legs.headerData(shown[static_cast<std::size_t>(c)], Qt::Horizontal, Qt::UserRole + 1).toBool() : c < 2;
    isName[static_cast<std::size_t>(c)] = name;
    names += name;
  }
  double wanted = 0, fixed = 0;
  for (int c = 0; c < columns; ++c)
    (isName[static_cast<std::size_t>(c)] ? wanted : fixed) += widths[static_cast<std::size_t>(c)];
  const double room = std::max(0.0, pageSize.width() - fixed);
  for (int c = 0; c < columns; ++c) {
    if (!isName[static_cast<std::size_t>(c)]) continue;
    double& w = widths[static_cast<std::size_t>(c)];
    w = wanted > room ? room * w / wanted : w + (room - wanted) / names;
  }
  if (fixed > pageSize.width()) {  // a page narrower than the figures: all shrink alike
    const double scale = pageSize.width() / fixed;
    for (double& w : widths) w *= scale;
  }

  std::vector<LogPage> pages(1);
  double y = 0;
  for (int i = 0; i < title.size(); ++i) {
    const QFont font = logFont(i == 0, i == 0 ? kTitlePoints : kSubtitlePoints);
    const QFontMetricsF m(font, &device);
    const QRectF rect(0, y, pageSize.width(), m.height() * 1.3);
    pages[0].texts.push_back(
        {rect, m.elidedText(title[i], Qt::ElideRight, rect.width()), font, Qt::AlignLeft | Qt::AlignVCenter});
    y += rect.height();
  }
  y += rowHeight / 2;

  const auto addRow = [&](LogPage& page, double top, auto textOf, auto alignmentOf, bool isBold) {
    const QFontMetricsF& m = isBold ? boldMetrics : plainMetrics;
    double x = 0;
    for (int c = 0; c < columns; ++c) {
      const double w = widths[static_cast<std::size_t>(c)];
      const QRectF rect(x + pad, top, std::max(0.0, w - 2 * pad), rowHeight);
      page.texts.push_back(
          {rect, m.elidedText(textOf(c), Qt::ElideRight, rect.width()), isBold ? bold : plain, alignmentOf(c)});
      x += w;
    }
  };
  const auto alignmentOf = [&](int c) {
    return Qt::Alignment(legs.index(0, shown[static_cast<std::size_t>(c)]).data(Qt::TextAlignmentRole).toInt()) |
           Qt::AlignVCenter;
  };
  const auto addHeader = [&](LogPage& page) {
    addRow(page, y, header, alignmentOf, true);
    y += rowHeight;
    page.rules.emplace_back(0, y, pageSize.width(), y);
  };

  addHeader(pages.back());
  for (int r = 0; r < rows; ++r) {
    const bool total = r == rows - 1;
    if (y + rowHeight > pageSize.height() && y > 2 * rowHeight) {
      pages.emplace_back();
      y = 0;
      addHeader(pages.back());
    }
    if (total) pages.back().rules.emplace_back(0, y, pageSize.width(), y);
    addRow(
        pages.back(), y, [&](int c) { return cellText(r, c); }, alignmentOf, total);
    y += rowHeight;
    // A line under each row, for what the pilot writes in flight.
    if (!total) pages.back().rules.emplace_back(0, y, pageSize.width(), y);
  }
  return pages;
}

void printNavLog(QPrinter& printer, const QAbstractItemModel& legs, const QStringList& title) {
  printPages(printer, [&](QPainter& painter, QPagedPaintDevice& device, int resolution) {
    const QRectF page = device.pageLayout().paintRectPixels(resolution);
    const std::vector<LogPage> pages = layOutNavLog(legs, title, device, page.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
      if (p > 0) device.newPage();
      for (const LogText& t : pages[p].texts) {
        painter.setFont(t.font);
        painter.drawText(t.rect, t.alignment, t.text);
      }
      painter.setPen(QPen(Qt::black, resolution / 96.0));
      for (const QLineF& rule : pages[p].rules) painter.drawLine(rule);
    }
  });
}

}  // namespace navui
