#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <array>

#include "app/plan_placement.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"
#include "ui/grid_style.h"
#include "ui/main_window.h"
#include "ui/map_widget.h"
#include "ui/plan_print.h"
#include "ui/plan_table_model.h"

// The plan room of the main window: the pages "Plan de vol" and "Avion", the
// plan grid's menu, the drop from the map, save, load and print.

namespace navui {

namespace {

constexpr int kPlanRowHeight = 18;
constexpr std::array<int, nav::kPlanColumns> kPlanGridWidths{120, 80, 80, 80, 70, 50, 40, 50,
                                                             40,  64, 64, 64, 64, 64, 64};

const QString kSavedSimulations = QStringLiteral("D:\\Simulation\\Norvane! ll\\Saved Simulations");

}  // namespace

QWidget* TformNavView::buildPlanPages() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PLNgrid = new QTableView(PageControl1);
  PLNgrid->setObjectName(QStringLiteral("PLNgrid"));
  planModel_ = new PlanTableModel(state_.plan, PLNgrid);
  PLNgrid->setModel(planModel_);
  setUpHeadedGrid(PLNgrid, kPlanRowHeight, kPlanGridWidths);
  PLNgrid->setAcceptDrops(true);
  PLNgrid->viewport()->setAcceptDrops(true);
  PLNgrid->viewport()->installEventFilter(this);
  connect(PLNgrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
    if (now.isValid() && static_cast<std::size_t>(now.row()) < state_.plan.rows.size())
      state_.plan.current = static_cast<std::size_t>(now.row());
  });
  buildPlanMenu();
  buildPlanUndo();
  PageControl1->addTab(PLNgrid, QStringLiteral("Plan de vol"));
  PageControl1->addTab(buildAircraftPage(), QStringLiteral("Avion"));
  PageControl1->addTab(buildLegsPage(), QStringLiteral("Étapes"));
  return PageControl1;
}

QWidget* TformNavView::buildAircraftPage() {
  auto* page = new QWidget(this);
  page->setObjectName(QStringLiteral("TabAvion"));
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);

  auto* typeCaption = new QLabel(QStringLiteral("Type"), page);
  auto* type = new QComboBox(page);
  type->setObjectName(QStringLiteral("cbType"));
  type->setEditable(true);
  type->addItem(QStringLiteral("Cessna"));
  type->setFixedWidth(145);
  grid->addWidget(typeCaption, 0, 0);
  grid->addWidget(type, 0, 1);

  const std::array<const char*, 3> speeds{"Vitesse en croisière", "Vitesse en montée", "Vitesse en descente"};
  for (int i = 0; i < static_cast<int>(speeds.size()); ++i) {
    auto* caption = new QLabel(QString::fromUtf8(speeds[i]), page);
    auto* edit = new QLineEdit(QStringLiteral("Edit1"), page);
    edit->setObjectName(QStringLiteral("EditVitesse%1").arg(i + 1));
    edit->setFixedWidth(60);
    auto* unit = new QLabel(QStringLiteral("noeuds"), page);
    auto* field = new QHBoxLayout;
    field->setSpacing(6);
    field->addWidget(edit);
    field->addWidget(unit);
    field->addStretch(1);
    grid->addWidget(caption, i + 1, 0);
    grid->addLayout(field, i + 1, 1);
  }
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(4, 1);
  return page;
}

void TformNavView::buildPlanMenu() {
  PopupMenu1 = new QMenu(PLNgrid);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [&](const char* name, const QString& caption, void (TformNavView::*handler)()) {
    QAction* a = PopupMenu1->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connectGuarded(a, &QAction::triggered, [this, handler] { (this->*handler)(); });
  };
  item("Supprimerlaligne1", QStringLiteral("Supprimer la ligne"), &TformNavView::Supprimerlaligne1Click);
  item("Centrer1", QStringLiteral("Centrer à .."), &TformNavView::Centrer1Click);
  PopupMenu1->addSeparator();
  item("Monter1", QStringLiteral("Monter d'une ligne"), &TformNavView::Monter1Click);
  item("Descendreduneligne1", QStringLiteral("Descendre d'une ligne"), &TformNavView::Descendreduneligne1Click);
  PLNgrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PLNgrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = PLNgrid->indexAt(at); index.isValid())
      PLNgrid->setCurrentIndex(planModel_->index(index.row(), nav::colName));
    PopupMenu1->popup(PLNgrid->viewport()->mapToGlobal(at));
  });
}

void TformNavView::planChanged() {
  planModel_->planChanged();
  const QModelIndex current = planModel_->index(static_cast<int>(state_.plan.current), nav::colName);
  PLNgrid->setCurrentIndex(current);
  PLNgrid->selectRow(current.row());
  btnSavePLN->setEnabled(state_.plan.saveEnabled);
  Carte->invalidateMap();
}

bool TformNavView::planGridDropEvent(QEvent* event) {
  // Only drags that started on the map are taken.
  const auto fromMap = [this](const QDropEvent* e) {
    return e->source() == Carte && e->mimeData()->hasFormat(QString::fromLatin1(kMapDragFormat));
  };
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDropEvent*>(event);
      if (fromMap(e))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      if (!fromMap(e)) return true;
      e->acceptProposedAction();
      const QPoint at = e->position().toPoint();
      guarded([&] { PLNgridDragDrop(at); });
      return true;
    }
    default: return false;
  }
}

void TformNavView::PLNgridDragDrop(QPoint pos) {
  const int row = PLNgrid->rowAt(pos.y());
  editPlan(QStringLiteral("Déposer"), [&] {
    nav::dropMapObject(state_.plan, row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt,
                       state_.hover);
  });
}

void TformNavView::Centrer1Click() {
  const nav::GeoPosition p = nav::requirePlanRowPosition(state_.plan.rows.at(state_.plan.current));
  CenterAt({.lat = p.lat, .lon = nav::signedLon(p.lon)});
}

void TformNavView::Supprimerlaligne1Click() {
  editPlan(QStringLiteral("Supprimer la ligne"), [this] { nav::deleteCurrentRow(state_.plan); });
}

void TformNavView::Monter1Click() {
  editPlan(QStringLiteral("Monter d'une ligne"), [this] { nav::moveCurrentRowUp(state_.plan); });
}

void TformNavView::Descendreduneligne1Click() {
  editPlan(QStringLiteral("Descendre d'une ligne"), [this] { nav::moveCurrentRowDown(state_.plan); });
}

void TformNavView::btnClearPLNClick() {
  editPlan(QStringLiteral("Effacer"), [this] { nav::clearPlan(state_.plan); });
}

QString TformNavView::initialFolder() const {
  // The simulator's folder where it exists; else where the user last put a
  // plan, else the documents folder, never the program's own folder.
  if (QDir(kSavedSimulations).exists()) return kSavedSimulations;
  if (!lastPlanFolder_.isEmpty() && QDir(lastPlanFolder_).exists()) return lastPlanFolder_;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void TformNavView::btnSavePLNClick() {
  // The name of the file last loaded, with ".sit" for its extension.
  QString proposed = lastLoadedName_;
  const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.'));
  proposed = (dot >= 0 ? proposed.left(dot) : proposed) + QStringLiteral(".sit");
  const QString path = chooseSaveFile ? chooseSaveFile(initialFolder(), proposed) : QString();
  if (path.isEmpty()) return;
  lastPlanFolder_ = QFileInfo(path).absolutePath();
  nav::ecris_pln(state_.plan.rows, state_.tagListPath(), path.toStdString());
  planKeptInAFile();
}

void TformNavView::btnLoadPLNClick() {
  const QString path = chooseOpenFile ? chooseOpenFile(initialFolder()) : QString();
  if (path.isEmpty()) {
    state_.plan.routeShown = false;
    Carte->invalidateMap();
    return;
  }
  lastLoadedName_ = QFileInfo(path).fileName();
  lastPlanFolder_ = QFileInfo(path).absolutePath();
  // The whole file is read before the plan changes: a file that fails
  // leaves the plan as it was.
  editPlan(QStringLiteral("Ouvrir"), [&] { nav::replaceRows(state_.plan, nav::readSitFile(path.toStdString())); });
  planKeptInAFile();
}

void TformNavView::btnPrintClick() {
  std::vector<int> widths;
  for (int c = 0; c < planModel_->columnCount(); ++c) widths.push_back(PLNgrid->columnWidth(c));
  auto* dialog = new AdvPreviewDialog(planModel_, widths, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
}

}  // namespace navui
