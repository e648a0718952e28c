#include "ui/plan_pane.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <array>

#include "flightplan/flight_plan.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/grid_style.h"
#include "ui/legs_page.h"
#include "ui/map_widget.h"
#include "ui/plan_editor.h"
#include "ui/plan_print.h"
#include "ui/plan_table_model.h"

namespace navui {

namespace {

constexpr int kPlanRowHeight = 18;
constexpr std::array<int, nav::kPlanColumns> kPlanGridWidths{120, 80, 80, 80, 70, 50, 40, 50,
                                                             40,  64, 64, 64, 64, 64, 64};

}  // namespace

PlanPane::PlanPane(PlanEditor& editor, QWidget* parent) : QTabWidget(parent), editor_(editor) {
  setObjectName(QStringLiteral("PageControl1"));
  PLNgrid = new QTableView(this);
  PLNgrid->setObjectName(QStringLiteral("PLNgrid"));
  planModel_ = new PlanTableModel(editor_.plan(), PLNgrid);
  PLNgrid->setModel(planModel_);
  setUpHeadedGrid(PLNgrid, kPlanRowHeight, kPlanGridWidths);
  PLNgrid->setAcceptDrops(true);
  PLNgrid->viewport()->setAcceptDrops(true);
  PLNgrid->viewport()->installEventFilter(this);
  connect(PLNgrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
    if (now.isValid()) editor_.setCurrentRow(static_cast<std::size_t>(now.row()));
  });
  buildMenu();
  QWidget* aircraft = buildAircraftPage();
  legsPage_ = new LegsPage(editor_, aircraft, this);
  addTab(buildPlanPage(), QStringLiteral("Plan de vol"));
  addTab(aircraft, QStringLiteral("Avion"));
  addTab(legsPage_, QStringLiteral("Étapes"));

  connect(&editor_, &PlanEditor::planChanged, this, &PlanPane::showPlan);
  connect(&editor_, &PlanEditor::currentRowChanged, this, &PlanPane::showCurrentRow);
}

QWidget* PlanPane::buildPlanPage() {
  auto* page = new QWidget(this);
  page->setObjectName(QStringLiteral("TabPlan"));
  routeField_ = new QLineEdit(page);
  routeField_->setObjectName(QStringLiteral("EditRoute"));
  routeField_->setPlaceholderText(QStringLiteral("Route : LFPN RBT CHW AMB LFOT, puis Entrée"));
  routeField_->setToolTip(QStringLiteral(
      "Identifiants, coordonnées (4830N00200E), radial et distance (PTV090020), vitesse et niveau (N0110A045)"));
  auto* create = new QPushButton(QStringLiteral("Créer le plan"), page);
  create->setObjectName(QStringLiteral("btnCreerPlan"));
  auto* copy = new QPushButton(QStringLiteral("Copier la route"), page);
  copy->setObjectName(QStringLiteral("btnCopierRoute"));
  auto* importPlan = new QPushButton(QStringLiteral("Importer un plan…"), page);
  importPlan->setObjectName(QStringLiteral("btnImporterPlan"));
  importPlan->setToolTip(QStringLiteral("Route GPX, Garmin FPL, MSFS / FSX PLN, X-Plane 11 FMS ou KML"));
  auto* exportPlan = new QPushButton(QStringLiteral("Exporter…"), page);
  exportPlan->setObjectName(QStringLiteral("btnExporter"));
  exportPlan->setToolTip(QStringLiteral("Le plan en GPX, Garmin FPL, MSFS / FSX PLN, X-Plane 11 FMS ou KML"));
  connect(importPlan, &QPushButton::clicked, this, &PlanPane::importRequested);
  connect(exportPlan, &QPushButton::clicked, this, &PlanPane::exportRequested);
  importSummary_ = new QLabel(page);
  importSummary_->setObjectName(QStringLiteral("ImportSummary"));
  importSummary_->setWordWrap(true);
  importSummary_->hide();
  routeProblems_ = new QLabel(page);
  routeProblems_->setObjectName(QStringLiteral("RouteProblems"));
  routeProblems_->setStyleSheet(QStringLiteral("color: #b00000"));
  routeProblems_->hide();
  connect(routeField_, &QLineEdit::returnPressed, this, [this] { emit routeEntered(routeField_->text()); });
  connect(create, &QPushButton::clicked, this, [this] { emit routeEntered(routeField_->text()); });
  connect(routeField_, &QLineEdit::textEdited, this, &PlanPane::routeEdited);
  connect(routeField_, &QLineEdit::textEdited, importSummary_, &QLabel::hide);
  connect(copy, &QPushButton::clicked, this, &PlanPane::routeCopyRequested);
  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  bar->addWidget(routeField_, 1);
  bar->addWidget(create);
  bar->addWidget(copy);
  bar->addSpacing(8);
  bar->addWidget(importPlan);
  bar->addWidget(exportPlan);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addLayout(bar);
  layout->addWidget(importSummary_);
  layout->addWidget(routeProblems_);
  PLNgrid->setParent(page);
  layout->addWidget(PLNgrid, 1);
  return page;
}

void PlanPane::showRoute(const QString& text) {
  // While the user types, the field is theirs.
  if (!routeField_->hasFocus() || routeField_->text().isEmpty()) routeField_->setText(text);
}

void PlanPane::showRouteProblems(const QStringList& problems) {
  routeProblems_->setText(problems.join(QStringLiteral(" ; ")));
  routeProblems_->setVisible(!problems.isEmpty());
}

void PlanPane::showImportSummary(const QString& summary) {
  importSummary_->setText(summary);
  importSummary_->setVisible(!summary.isEmpty());
}

QWidget* PlanPane::buildAircraftPage() {
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

  // Each field starts with its saved value, or empty with a hint: a text
  // that is no number would be appended to by the user's typing.
  const auto field = [&](int row, int column, const char* caption, const QString& name, const char* unitText,
                         const char* hint) {
    auto* label = new QLabel(QString::fromUtf8(caption), page);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(name);
    edit->setPlaceholderText(QString::fromUtf8(hint));
    edit->setFixedWidth(60);
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    line->addWidget(edit);
    if (unitText) line->addWidget(new QLabel(QString::fromUtf8(unitText), page));
    line->addStretch(1);
    grid->addWidget(label, row, column);
    grid->addLayout(line, row, column + 1);
    return line;
  };
  const std::array<const char*, 3> speeds{"Vitesse en croisière", "Vitesse en montée", "Vitesse en descente"};
  for (int i = 0; i < static_cast<int>(speeds.size()); ++i)
    field(i + 1, 0, speeds[i], QStringLiteral("EditVitesse%1").arg(i + 1), "noeuds", i == 0 ? "ex. 110" : "");
  QHBoxLayout* flow = field(0, 2, "Consommation", QStringLiteral("EditConso"), nullptr, "ex. 30");
  auto* unit = new QComboBox(page);
  unit->setObjectName(QStringLiteral("cbUniteCarburant"));
  unit->addItem(QStringLiteral("litres"));
  unit->addItem(QStringLiteral("gallons US"));
  flow->insertWidget(1, unit);
  flow->insertWidget(2, new QLabel(QStringLiteral("par heure"), page));
  field(1, 2, "Carburant utilisable", QStringLiteral("EditCarburant"), nullptr, "ex. 120");
  field(2, 2, "Réserve", QStringLiteral("EditReserve"), "minutes", "ex. 45");
  grid->setColumnMinimumWidth(2, 0);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(4, 1);
  return page;
}

nav::AircraftSettings PlanPane::aircraft() const {
  const auto text = [this](const char* name) {
    const auto* field = findChild<QLineEdit*>(QString::fromLatin1(name));
    return field ? toWindows1252(field->text()) : std::string();
  };
  nav::AircraftSettings a;
  a.cruise = text("EditVitesse1");
  a.climb = text("EditVitesse2");
  a.descent = text("EditVitesse3");
  a.fuelFlow = text("EditConso");
  a.usableFuel = text("EditCarburant");
  a.reserve = text("EditReserve");
  if (const auto* unit = findChild<QComboBox*>(QStringLiteral("cbUniteCarburant")))
    a.fuelUnit = toWindows1252(unit->currentText());
  return a;
}

void PlanPane::showAircraft(const nav::AircraftSettings& a) {
  const auto show = [this](const char* name, const std::string& text) {
    if (auto* field = findChild<QLineEdit*>(QString::fromLatin1(name))) field->setText(fromWindows1252(text));
  };
  show("EditVitesse1", a.cruise);
  show("EditVitesse2", a.climb);
  show("EditVitesse3", a.descent);
  show("EditConso", a.fuelFlow);
  show("EditCarburant", a.usableFuel);
  show("EditReserve", a.reserve);
  if (auto* unit = findChild<QComboBox*>(QStringLiteral("cbUniteCarburant"))) {
    const int at = unit->findText(fromWindows1252(a.fuelUnit));
    if (at >= 0) unit->setCurrentIndex(at);
  }
}

void PlanPane::buildMenu() {
  PopupMenu1 = new QMenu(PLNgrid);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  // Each command's keys work while the grid has the focus; the menu shows
  // them beside the caption.
  const auto item = [&](const char* name, const QString& caption, const QList<QKeySequence>& keys) {
    QAction* a = PopupMenu1->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) {
      a->setShortcuts(keys);
      a->setShortcutContext(Qt::WidgetShortcut);
      PLNgrid->addAction(a);
    }
  };
  item("Supprimerlaligne1", QStringLiteral("Supprimer la ligne"), {QKeySequence(Qt::Key_Delete)});
  item("Centrer1", QStringLiteral("Centrer à .."), {});
  PopupMenu1->addSeparator();
  item("Monter1", QStringLiteral("Monter d'une ligne"), {QKeySequence(Qt::ALT | Qt::Key_Up)});
  item("Descendreduneligne1", QStringLiteral("Descendre d'une ligne"), {QKeySequence(Qt::ALT | Qt::Key_Down)});
  PLNgrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PLNgrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = PLNgrid->indexAt(at); index.isValid())
      PLNgrid->setCurrentIndex(planModel_->index(index.row(), nav::colName));
    PopupMenu1->popup(PLNgrid->viewport()->mapToGlobal(at));
  });

  auto* undo = new QAction(QStringLiteral("Annuler"), this);
  undo->setObjectName(QStringLiteral("Annuler1"));
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  auto* redo = new QAction(QStringLiteral("Rétablir"), this);
  redo->setObjectName(QStringLiteral("Retablir1"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  QUndoStack* stack = editor_.undoStack();
  for (QAction* a : {undo, redo}) {
    a->setShortcutContext(Qt::WindowShortcut);
    a->setEnabled(false);
    addAction(a);  // the keys work wherever the focus is in the window
  }
  connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  connectGuarded(undo, &QAction::triggered, this, [stack] { stack->undo(); });
  connectGuarded(redo, &QAction::triggered, this, [stack] { stack->redo(); });
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(undo);
  PopupMenu1->addAction(redo);
}

QAction* PlanPane::action(const char* name) const { return PopupMenu1->findChild<QAction*>(QString::fromLatin1(name)); }

void PlanPane::showPlan() {
  planModel_->planChanged();
  showCurrentRow(static_cast<int>(editor_.plan().current));
}

void PlanPane::showCurrentRow(int row) {
  const QModelIndex current = planModel_->index(row, nav::colName);
  if (PLNgrid->currentIndex() != current) PLNgrid->setCurrentIndex(current);
  PLNgrid->selectRow(row);
}

std::optional<std::size_t> PlanPane::rowAt(QPoint pos) const {
  const int row = PLNgrid->rowAt(pos.y());
  return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

bool PlanPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched != PLNgrid->viewport()) return QTabWidget::eventFilter(watched, event);
  // Only drags that started on the map are taken.
  const auto fromMap = [this](const QDropEvent* e) {
    return dragSource_ && e->source() == dragSource_ && e->mimeData()->hasFormat(QString::fromLatin1(kMapDragFormat));
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
      guarded([&] { emit mapObjectDropped(at); });
      return true;
    }
    default: return QTabWidget::eventFilter(watched, event);
  }
}

void PlanPane::print() {
  std::vector<int> widths;
  for (int c = 0; c < planModel_->columnCount(); ++c) widths.push_back(PLNgrid->columnWidth(c));
  auto* dialog = new AdvPreviewDialog(planModel_, widths, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
}

}  // namespace navui
