#include "ui/search_pane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "interaction/name_search.h"
#include "navdata/records.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/grid_style.h"
#include "ui/search_icons.h"
#include "ui/search_table_model.h"

namespace navui {

namespace {

constexpr int kSearchPanelWidth = 240;
constexpr int kResultRowHeight = 21;
constexpr std::array<int, nav::kSearchColumns> kFindGridWidths{20, 60, 30, 40, 135, 64, 64, 64};

}  // namespace

SearchPane::SearchPane(const nav::NavDatabase& db, QWidget* parent) : QWidget(parent), db_(db) {
  setObjectName(QStringLiteral("PanelIDchoix"));
  setFixedWidth(kSearchPanelWidth);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);

  auto* row = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("OACI"), this);
  caption->setObjectName(QStringLiteral("cbIDLabel"));
  cbID = new QLineEdit(this);
  cbID->setObjectName(QStringLiteral("cbID"));
  cbID->setFixedWidth(90);
  caption->setBuddy(cbID);
  Label10 = new QLabel(this);
  Label10->setObjectName(QStringLiteral("Label10"));
  row->addWidget(caption);
  row->addWidget(cbID);
  row->addWidget(Label10, 1);
  layout->addLayout(row);

  // The search by name, as the user types, beside the identifier's.
  auto* byName = new QHBoxLayout;
  auto* nameCaption = new QLabel(QStringLiteral("Nom"), this);
  cbNom = new QLineEdit(this);
  cbNom->setObjectName(QStringLiteral("cbNom"));
  cbNom->setPlaceholderText(QStringLiteral("nom, ville ou début d'identifiant"));
  nameCaption->setBuddy(cbNom);
  byName->addWidget(nameCaption);
  byName->addWidget(cbNom, 1);
  layout->addLayout(byName);
  connect(cbNom, &QLineEdit::textEdited, this, [this](const QString& text) { searchName(text); });

  findGrid = new QTableView(this);
  findGrid->setObjectName(QStringLiteral("findGrid"));
  searchModel_ = new SearchTableModel(rows_, findGrid);
  findGrid->setModel(searchModel_);
  setUpGrid(findGrid, kResultRowHeight, kFindGridWidths);
  findGrid->horizontalHeader()->hide();
  findGrid->setIconSize(QSize(kIconRowWidth, kIconHeight));
  layout->addWidget(findGrid, 1);
  // Tab from "OACI" goes to its results, as before the field "Nom" was there.
  QWidget::setTabOrder(cbID, findGrid);
  QWidget::setTabOrder(findGrid, cbNom);

  cbID->installEventFilter(this);
  PopupMenu2 = new QMenu(findGrid);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  QAction* place = PopupMenu2->addAction(QStringLiteral("Placer dans le plan de vol"));
  place->setObjectName(QStringLiteral("Placerdansleplandevol1"));
  // Enter on a result places it, while the grid has the focus.
  place->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  place->setShortcutContext(Qt::WidgetShortcut);
  findGrid->addAction(place);
  QAction* centre = PopupMenu2->addAction(QStringLiteral("Centrer à..."));
  centre->setObjectName(QStringLiteral("Centrer2"));
  findGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(findGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = findGrid->indexAt(at); index.isValid()) findGrid->selectRow(index.row());
    PopupMenu2->popup(findGrid->viewport()->mapToGlobal(at));
  });
  connect(findGrid, &QTableView::doubleClicked, this, &SearchPane::placeRequested);
  connect(findGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &SearchPane::currentResultChanged);
}

QAction* SearchPane::action(const char* name) const {
  return PopupMenu2->findChild<QAction*>(QString::fromLatin1(name));
}

bool SearchPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cbID && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    guarded([&] { cbIDKeyDown(key); });
  }
  return QWidget::eventFilter(watched, event);  // the field still gets the key
}

void SearchPane::searchName(const QString& typed) {
  rows_ = nav::searchByName(toWindows1252(typed), db_, userDecimalSeparator());
  searchModel_->rowsReplaced();
  findGrid->selectRow(0);
  findGrid->setCurrentIndex(searchModel_->index(0, nav::searchColIdent));
  findGrid->scrollToTop();
  Label10->setText(fromWindows1252(nav::foundLabel(rows_.size() - 1)));
  emit searched();
}

void SearchPane::cbIDKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const std::string text = nav::searchText(toWindows1252(cbID->text()));
  cbID->setText(fromWindows1252(text));
  std::size_t current = 0;
  rows_ = nav::searchIdentifier(text, db_, userDecimalSeparator(), &current);
  searchModel_->rowsReplaced();
  findGrid->selectRow(static_cast<int>(current));
  findGrid->setCurrentIndex(searchModel_->index(static_cast<int>(current), nav::searchColIdent));
  // The current row stays the last runway end, but the airport above its
  // ends is what the user looks for: the grid shows the first rows.
  findGrid->scrollToTop();
  Label10->setText(fromWindows1252(nav::foundLabel(rows_.size() - 1)));
  emit searched();
}

const nav::SearchRow* SearchPane::currentResult() const {
  const int row = findGrid->currentIndex().row();
  return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(row)] : nullptr;
}

std::optional<nav::GeoPosition> SearchPane::currentPosition() const {
  const nav::SearchRow* row = currentResult();
  if (!row) return std::nullopt;
  const nav::GeoPosition p = nav::resultRowPosition(*row, userDecimalSeparator());
  return nav::GeoPosition{.lat = p.lat, .lon = nav::signedLon(p.lon)};
}

}  // namespace navui
