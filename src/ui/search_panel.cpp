#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "app/plan_placement.h"
#include "paint/text_decoding.h"
#include "ui/grid_style.h"
#include "ui/main_window.h"
#include "ui/search_icons.h"
#include "ui/search_table_model.h"

// The search room of the main window: the "OACI" field, the count and the
// result grid with its menu.

namespace navui {

namespace {

constexpr int kSearchPanelWidth = 240;
constexpr int kResultRowHeight = 21;
constexpr std::array<int, nav::kSearchColumns> kFindGridWidths{20, 60, 30, 40, 135, 64, 64, 64};

}  // namespace

QWidget* TformNavView::buildSearchPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("PanelIDchoix"));
  panel->setFixedWidth(kSearchPanelWidth);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);

  auto* row = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("OACI"), panel);
  caption->setObjectName(QStringLiteral("cbIDLabel"));
  cbID = new QLineEdit(panel);
  cbID->setObjectName(QStringLiteral("cbID"));
  cbID->setFixedWidth(90);
  caption->setBuddy(cbID);
  Label10 = new QLabel(panel);
  Label10->setObjectName(QStringLiteral("Label10"));
  row->addWidget(caption);
  row->addWidget(cbID);
  row->addWidget(Label10, 1);
  layout->addLayout(row);

  findGrid = new QTableView(panel);
  findGrid->setObjectName(QStringLiteral("findGrid"));
  searchModel_ = new SearchTableModel(state_.searchRows, findGrid);
  findGrid->setModel(searchModel_);
  setUpGrid(findGrid, kResultRowHeight, kFindGridWidths);
  findGrid->horizontalHeader()->hide();
  findGrid->setIconSize(QSize(kIconRowWidth, kIconHeight));
  layout->addWidget(findGrid, 1);

  cbID->installEventFilter(this);
  PopupMenu2 = new QMenu(findGrid);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  QAction* place = PopupMenu2->addAction(QStringLiteral("Placer dans le plan de vol"));
  place->setObjectName(QStringLiteral("Placerdansleplandevol1"));
  connectGuarded(place, &QAction::triggered, [this] { Placerdansleplandevol1Click(); });
  QAction* centre = PopupMenu2->addAction(QStringLiteral("Centrer à..."));
  centre->setObjectName(QStringLiteral("Centrer2"));
  connectGuarded(centre, &QAction::triggered, [this] { Centrer2Click(); });
  findGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(findGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = findGrid->indexAt(at); index.isValid()) findGrid->selectRow(index.row());
    PopupMenu2->popup(findGrid->viewport()->mapToGlobal(at));
  });
  connectGuarded(findGrid, &QTableView::doubleClicked, [this] { Placerdansleplandevol1Click(); });
  return panel;
}

bool TformNavView::searchFieldKeyPressed(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  guarded([&] { cbIDKeyDown(key); });
  return false;  // the field still gets the key
}

void TformNavView::cbIDKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const std::string text = nav::searchText(toWindows1252(cbID->text()));
  cbID->setText(fromWindows1252(text));
  std::size_t current = 0;
  state_.searchRows = nav::searchIdentifier(text, state_.db, userDecimalSeparator(), &current);
  searchModel_->rowsReplaced();
  findGrid->selectRow(static_cast<int>(current));
  findGrid->setCurrentIndex(searchModel_->index(static_cast<int>(current), nav::searchColIdent));
  Label10->setText(fromWindows1252(nav::foundLabel(state_.searchRows.size() - 1)));
}

int TformNavView::currentResultRow() const {
  const int row = findGrid->currentIndex().row();
  return row >= 0 && row < static_cast<int>(state_.searchRows.size()) ? row : -1;
}

void TformNavView::Centrer2Click() {
  const int row = currentResultRow();
  if (row < 0) return;
  const nav::GeoPosition p =
      nav::resultRowPosition(state_.searchRows[static_cast<std::size_t>(row)], userDecimalSeparator());
  CenterAt({.lat = p.lat, .lon = nav::signedLon(p.lon)});
}

void TformNavView::Placerdansleplandevol1Click() {
  const int row = currentResultRow();
  if (row < 0) return;
  editPlan(QStringLiteral("Placer dans le plan de vol"),
           [&] { nav::placeSearchResult(state_.plan, state_.searchRows[static_cast<std::size_t>(row)], state_.db); });
}

}  // namespace navui
