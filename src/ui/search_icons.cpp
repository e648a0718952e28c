#include "ui/search_icons.h"

#include <QPainter>
#include <QPixmap>

#include "interaction/identifier_search.h"

namespace navui {

namespace {

QPixmap iconPixmap(int index) {
  QPixmap pm(9, 9);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  switch (index) {
    case nav::searchIcon::airport:
      p.setPen(QPen(Qt::red, 1));
      p.drawEllipse(1, 1, 6, 6);
      p.drawLine(4, 0, 4, 8);
      break;
    case nav::searchIcon::vor:
      p.setPen(QPen(Qt::blue, 1));
      p.drawEllipse(1, 1, 6, 6);
      p.drawPoint(4, 4);
      break;
    case nav::searchIcon::ndb:
      p.setPen(QPen(QColor(0, 160, 0), 1));
      p.drawEllipse(0, 0, 8, 8);
      p.drawEllipse(2, 2, 4, 4);
      break;
    case nav::searchIcon::tacanDme:
      p.setPen(QPen(QColor(0, 0, 160), 1));
      p.drawRect(1, 1, 6, 6);
      p.drawPoint(4, 4);
      break;
    case nav::searchIcon::waypoint:
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(4, 1, 8, 7);
      p.drawLine(8, 7, 0, 7);
      p.drawLine(0, 7, 4, 1);
      break;
    default: break;
  }
  return pm;
}

}  // namespace

QIcon iconRow(const std::vector<int>& icons) {
  QPixmap row(kIconRowWidth, kIconHeight);
  row.fill(Qt::transparent);
  QPainter p(&row);
  int x = 0;
  for (int index : icons) {
    p.drawPixmap(x, 0, iconPixmap(index));
    x += 10;
  }
  return QIcon(row);
}

}  // namespace navui
