#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QAbstractItemModel;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace navui {

// One text of the printed navigation log, where it stands on its page and
// as it is printed (cut with "…" where it does not fit).
struct LogText {
  QRectF rect;
  QString text;
  QFont font;
  Qt::Alignment alignment;
};

struct LogPage {
  std::vector<LogText> texts;
  std::vector<QLineF> rules;
};

// Lays the log out on pages of `pageSize` (in the device's pixels): the
// title lines, then the legs table of `legs` with its header, repeated on
// every page, fitted to the page's width; its last row, the totals, in bold.
std::vector<LogPage> layOutNavLog(const QAbstractItemModel& legs, const QStringList& title, QPaintDevice& device,
                                  QSizeF pageSize);

// Prints the log on the printer's pages.
void printNavLog(QPrinter& printer, const QAbstractItemModel& legs, const QStringList& title);

}  // namespace navui
