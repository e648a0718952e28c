#include "ui/main_window.h"

#include "app/settings_file.h"

#include "ui/nav_popup.h"
#include "ui/plan_print.h"
#include "flightplan/sit_reader.h"
#include "flightplan/sit_writer.h"

#include <QCloseEvent>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "ui/error_box.h"
#include "ui/layer_button.h"
#include "mapview/location_bar.h"
#include "ui/map_widget.h"
#include "paint/qpainter_surface.h"
#include "ui/status_panel.h"
#include "paint/text_decoding.h"

namespace navui {

namespace {

constexpr int kUpperPanelHeight = 141;
constexpr int kSearchPanelWidth = 240;
constexpr int kButtonBarWidth = 88;
constexpr int kSplitterHandle = 5;
constexpr std::array<int, 4> kStatusPanelWidths{300, 200, 200, 50};
constexpr std::array<int, 8> kFindGridWidths{20, 60, 30, 40, 135, 64, 64, 64};
constexpr std::array<int, 15> kPlanGridWidths{120, 80, 80, 80, 70, 50, 40, 50, 40, 64, 64, 64, 64, 64, 64};

constexpr int kIconRowWidth = 30;
constexpr int kMinimumColumnWidth = 8;

// Grid cells keep one pixel of margin on each side instead of the style's
// three, so that positions fit the narrow columns of the layout.
class CompactCellStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

void useCompactCells(QTableWidget* grid) {
  auto* style = new CompactCellStyle;
  style->setParent(grid);
  grid->setStyle(style);
}

// A panel whose preferred height is fixed, so that the splitter lays it out
// at that height whatever its content would like.
class FixedHintPanel : public QWidget {
 public:
  FixedHintPanel(int height, QWidget* parent) : QWidget(parent), height_(height) {}
  QSize sizeHint() const override { return {QWidget::sizeHint().width(), height_}; }

 private:
  int height_;
};

// The small icons of the result grid, drawn here, by image-list index.
QPixmap searchIconPixmap(int index) {
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
    default:
      break;
  }
  return pm;
}

// Several icons side by side in one cell.
QIcon iconRow(const std::vector<int>& icons) {
  QPixmap row(kIconRowWidth, 9);
  row.fill(Qt::transparent);
  QPainter p(&row);
  int x = 0;
  for (int index : icons) {
    p.drawPixmap(x, 0, searchIconPixmap(index));
    x += 10;
  }
  return QIcon(row);
}

// The interface's text: a small sans-serif font, as the grids and the map use.
QFont interfaceFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

QStringList planColumnNames() {
  QStringList names;
  for (const char* name : nav::kPlanColumnNames) names << fromWindows1252(name);
  return names;
}

QToolButton* toolButton(QToolBar* bar, const char* name, QStyle::StandardPixmap icon, const QString& text,
                        const QString& tip) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(bar->style()->standardIcon(icon));
  button->setText(text);
  button->setToolTip(tip);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  bar->addWidget(button);
  return button;
}

}  // namespace

TformNavView::TformNavView(const std::string& exeFolder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("formNavView"));
  setWindowTitle(applicationTitle());
  // The widths of the layout were chosen for a small interface font.
  setFont(interfaceFont());
  state_.exeFolder = nav::withTrailingSeparator(exeFolder);

  buildToolBar();
  Splitter1 = new QSplitter(Qt::Vertical, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(kSplitterHandle);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(buildUpperPanel());
  Splitter1->addWidget(buildLowerPanel());
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  setCentralWidget(Splitter1);
  buildStatusBar();
  // Entering any control changes the hint the first panel shows.
  qApp->installEventFilter(this);
  chooseSaveFile = [this](const QString& folder, const QString& proposed) {
    QFileDialog dialog(this, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Fichier (*.sit)"));
    dialog.setDefaultSuffix(QStringLiteral("sit"));
    dialog.selectFile(proposed);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  chooseOpenFile = [this](const QString& folder) {
    QFileDialog dialog(this, QString(), folder);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Fichier plan de vol (*.sit)"), QStringLiteral("Tous fichiers (*)")});
    if (!lastLoadedName_.isEmpty()) dialog.selectFile(lastLoadedName_);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };

  FormCreate();
}

void TformNavView::buildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  addToolBar(Qt::TopToolBarArea, bar);
  btnLoadPLN = toolButton(bar, "btnLoadPLN", QStyle::SP_DialogOpenButton, QStringLiteral("Ouvrir"),
                          QStringLiteral("Charger un plan de vol"));
  btnSavePLN = toolButton(bar, "btnSavePLN", QStyle::SP_DialogSaveButton, QStringLiteral("Enregistrer"),
                          QStringLiteral("Enregistrer le plan de vol"));
  btnSavePLN->setEnabled(false);
  btnClearPLN = toolButton(bar, "btnClearPLN", QStyle::SP_DialogResetButton, QStringLiteral("Effacer"),
                           QStringLiteral("Effacer le plan de vol"));
  btnPrint = toolButton(bar, "btnPrint", QStyle::SP_FileDialogDetailedView, QStringLiteral("Imprimer"),
                        QStringLiteral("Imprimer le plan de vol"));
  connect(btnLoadPLN, &QToolButton::clicked, this, [this] { guarded([&] { btnLoadPLNClick(); }); });
  connect(btnSavePLN, &QToolButton::clicked, this, [this] { guarded([&] { btnSavePLNClick(); }); });
  connect(btnClearPLN, &QToolButton::clicked, this, [this] { guarded([&] { btnClearPLNClick(); }); });
  connect(btnPrint, &QToolButton::clicked, this, [this] { guarded([&] { btnPrintClick(); }); });
  bar->addSeparator();
  btnHelp = toolButton(bar, "btnHelp", QStyle::SP_DialogHelpButton, QStringLiteral("Aide"), QStringLiteral("Aide"));
}

QWidget* TformNavView::buildUpperPanel() {
  auto* panel = new FixedHintPanel(kUpperPanelHeight, this);
  panel->setObjectName(QStringLiteral("PanelHaut"));
  panel->setMinimumHeight(kUpperPanelHeight);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(buildSearchPanel());

  PageControl1 = new QTabWidget(panel);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PLNgrid = new QTableWidget(1, 15, PageControl1);
  PLNgrid->setObjectName(QStringLiteral("PLNgrid"));
  PLNgrid->setHorizontalHeaderLabels(planColumnNames());
  PLNgrid->verticalHeader()->hide();
  PLNgrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  PLNgrid->verticalHeader()->setDefaultSectionSize(18);
  PLNgrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  PLNgrid->horizontalHeader()->setHighlightSections(false);
  useCompactCells(PLNgrid);
  PLNgrid->horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);
  for (int c = 0; c < static_cast<int>(kPlanGridWidths.size()); ++c) PLNgrid->setColumnWidth(c, kPlanGridWidths[c]);
  PLNgrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PLNgrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  PLNgrid->setSelectionMode(QAbstractItemView::SingleSelection);
  QFont planFont(QStringLiteral("Tahoma"));
  planFont.setPixelSize(11);
  PLNgrid->setFont(planFont);
  PLNgrid->setAcceptDrops(true);
  PLNgrid->viewport()->setAcceptDrops(true);
  PLNgrid->viewport()->installEventFilter(this);
  connect(PLNgrid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!showingPlan_ && row >= 0 && static_cast<std::size_t>(row) < state_.plan.rows.size())
      state_.plan.current = static_cast<std::size_t>(row);
  });
  buildPlanMenu();
  PageControl1->addTab(PLNgrid, QStringLiteral("Plan de vol"));
  PageControl1->addTab(buildAircraftPage(), QStringLiteral("Avion"));
  layout->addWidget(PageControl1, 1);
  return panel;
}

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

  findGrid = new QTableWidget(1, 8, panel);
  findGrid->setObjectName(QStringLiteral("findGrid"));
  findGrid->horizontalHeader()->hide();
  findGrid->verticalHeader()->hide();
  findGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  findGrid->verticalHeader()->setDefaultSectionSize(21);
  useCompactCells(findGrid);
  findGrid->horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);
  for (int c = 0; c < static_cast<int>(kFindGridWidths.size()); ++c) findGrid->setColumnWidth(c, kFindGridWidths[c]);
  findGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  findGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  findGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  findGrid->setIconSize(QSize(kIconRowWidth, 9));
  layout->addWidget(findGrid, 1);

  cbID->installEventFilter(this);
  PopupMenu2 = new QMenu(findGrid);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  QAction* place = PopupMenu2->addAction(QStringLiteral("Placer dans le plan de vol"));
  place->setObjectName(QStringLiteral("Placerdansleplandevol1"));
  connect(place, &QAction::triggered, this, [this] { guarded([&] { Placerdansleplandevol1Click(); }); });
  QAction* centre = PopupMenu2->addAction(QStringLiteral("Centrer à..."));
  centre->setObjectName(QStringLiteral("Centrer2"));
  connect(centre, &QAction::triggered, this, [this] { guarded([&] { Centrer2Click(); }); });
  findGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(findGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = findGrid->indexAt(at); index.isValid()) findGrid->selectRow(index.row());
    PopupMenu2->popup(findGrid->viewport()->mapToGlobal(at));
  });
  connect(findGrid, &QTableWidget::cellDoubleClicked, this,
          [this](int, int) { guarded([&] { Placerdansleplandevol1Click(); }); });
  return panel;
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

QWidget* TformNavView::buildLowerPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("PanelBas"));
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bar = new QWidget(panel);
  bar->setObjectName(QStringLiteral("PanelBoutons"));
  bar->setFixedWidth(kButtonBarWidth);
  auto* buttons = new QVBoxLayout(bar);
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(1);
  auto zoomButton = [&](const char* name, const char* caption, void (TformNavView::*handler)()) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(button, &QToolButton::clicked, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    buttons->addWidget(button);
    return button;
  };
  btnZoomIn = zoomButton("btnZoomIn", "+", &TformNavView::btnZoomInClick);
  btnZoomOut = zoomButton("btnZoomOut", "-", &TformNavView::btnZoomOutClick);
  buttons->addSpacing(6);

  for (const nav::LayerButtonEntry& entry : nav::kLayerButtons) {
    auto* button = new LayerButton(QString::fromLatin1(entry.button.data(), static_cast<qsizetype>(entry.button.size())),
                                   QString::fromLatin1(entry.caption.data(), static_cast<qsizetype>(entry.caption.size())),
                                   bar);
    if (entry.hasHandler) {
      const std::string name(entry.button);
      connect(button, &QToolButton::clicked, this, [this, name] { guarded([&] { layerSwitch(name); }); });
    }
    layerButtons_.emplace(std::string(entry.button), button);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addWidget(bar);

  Carte = new MapWidget(panel);
  Carte->onResize = [this] { CarteResize(); };
  Carte->renderer = [this](QImage& image) { CartePaint(image); };
  Carte->onMouseMove = [this](int x, int y) { CarteMouseMove(x, y); };
  Carte->onMouseDown = [this](Qt::MouseButton b, int x, int y) { CarteMouseDown(b, x, y); };
  Carte->onMouseUp = [this](Qt::MouseButton b, int x, int y) { CarteMouseUp(b, x, y); };
  layout->addWidget(Carte, 1);
  return panel;
}

void TformNavView::buildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(false);
  const int last = static_cast<int>(kStatusPanelWidths.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    auto* panel = new StatusPanel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    // The last panel takes whatever width the others leave.
    if (i < last)
      panel->setFixedWidth(kStatusPanelWidths[i]);
    else
      panel->setMinimumWidth(kStatusPanelWidths[i]);
    bar->addWidget(panel, i < last ? 0 : 1);
    statusPanels_[i] = panel;
  }
  setStatusBar(bar);
}

LayerButton* TformNavView::layerButton(std::string_view name) const {
  const auto it = layerButtons_.find(name);
  return it == layerButtons_.end() ? nullptr : it->second;
}

void TformNavView::FormCreate() {
  nav::StartupHooks hooks;
  hooks.mapArea = [this] {
    if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    // The layout is settled only when the window is shown; the resize that
    // follows fits the view to the real map area.
    return nav::MapArea{Carte->width(), Carte->height()};
  };
  hooks.settingsRead = [this] {
    for (std::string_view name : nav::kStartupPressOrder) {
      const nav::LayerButtonEntry* entry = nav::findLayerButton(name);
      layerButton(name)->setChecked(state_.settings.*(entry->flag));
    }
    layerButton("btnNomwpt")->setChecked(false);
  };
  hooks.decimalSeparator = userDecimalSeparator();
  nav::startUp(state_, hooks, errorReporter());
}

void TformNavView::CarteResize() {
  state_.view.clientWidth = Carte->width();
  state_.view.clientHeight = Carte->height();
  state_.view.Size(state_.view.clientWidth, state_.view.clientHeight);
  Carte->invalidateMap();
}

void TformNavView::FormCloseQuery(bool& canClose) {
  nav::saveViewSettings(state_.settingsPath(), state_.settings, state_.view, userDecimalSeparator());
  state_.pens = nav::Pens{};
  canClose = true;
}

void TformNavView::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  // A settings file that cannot be written is reported; the user can still
  // end the program.
  guarded([&] { FormCloseQuery(canClose); });
  event->accept();
}

void TformNavView::btnZoomInClick() {
  if (!state_.view.zoomIn()) return;
  LocationBar();
  Carte->invalidateMap();
}

void TformNavView::btnZoomOutClick() {
  if (!state_.view.zoomOut()) return;
  LocationBar();
  Carte->invalidateMap();
}

void TformNavView::LocationBar() {
  statusPanels_[0]->setFullText(fromWindows1252(nav::locationBarText(state_.view, userDecimalSeparator())));
}

void TformNavView::CenterAt(double lat, double lon) {
  state_.view.CenterAt(lat, lon);
  LocationBar();
  Carte->invalidateMap();
}

void TformNavView::drawRubberBand(const std::function<void(nav::MapSurface&)>& draw) {
  Carte->ensurePainted();
  // A map painted afresh since the band was last drawn holds no figure to
  // take away.
  if (rubberGeneration_ != Carte->generation()) {
    state_.rubber.rubberCorner = state_.rubber.rubberAnchor;
    rubberGeneration_ = Carte->generation();
  }
  Carte->drawOnMap([&](QImage& image) {
    QPainterSurface surface(image);
    draw(surface);
  });
}

void TformNavView::CarteMouseMove(int x, int y) {
  nav::RubberBand& band = state_.rubber;
  if (band.rubberActive) {
    drawRubberBand([&](nav::MapSurface& s) { band.follow(s, x, y); });
  }
  if (state_.settingsPending || state_.view.clientWidth <= 0 || state_.view.clientHeight <= 0) return;

  const nav::GeoPosition geo = state_.view.PixelToGeo(x, y);
  const nav::PointerPosition pos = nav::pointerPosition(geo.lon, geo.lat);
  statusPanels_[1]->setFullText(fromWindows1252(pos.statusText));

  const nav::Identification found = nav::identifyAt(pos.pointerLat, pos.pointerLon, state_.view.mag, state_.settings,
                                                    state_.db, state_.plan.userPointCounter, userDecimalSeparator());
  state_.hover = found.selection;
  const QString description = fromWindows1252(found.description);

  if (form_NavPopup) {
    if (found.found) {
      form_NavPopup->setText(description);
      const QPoint origin = Carte->mapToGlobal(QPoint(0, 0));
      const QSize outer = form_NavPopup->frameGeometry().size();
      nav::ScreenPoint at =
          nav::popupTopLeft(origin.x(), origin.y(), x, y, width(), height(), outer.width(), outer.height());
      if (const QScreen* screen = Carte->screen()) {
        const QRect area = screen->availableGeometry();
        at = nav::keptInside(at, outer.width(), outer.height(),
                             {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
      }
      form_NavPopup->move(at.x, at.y);
      form_NavPopup->show();
    } else {
      form_NavPopup->hide();
    }
  }

  showHint(description);
}

void TformNavView::CarteMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::MiddleButton) {
    if (state_.view.clientWidth <= 0 || state_.view.clientHeight <= 0) return;
    const nav::GeoPosition geo = state_.view.PixelToGeo(x, y);
    CenterAt(geo.lat, geo.lon);
  } else if (button == Qt::RightButton) {
    Carte->ensurePainted();
    state_.rubber.press(x, y);
    rubberGeneration_ = Carte->generation();
  }
}

void TformNavView::CarteMouseUp(Qt::MouseButton, int, int) {
  nav::RubberBand& band = state_.rubber;
  if (!band.rubberActive) return;
  drawRubberBand([&](nav::MapSurface& s) { band.release(s); });
}

bool TformNavView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PLNgrid->viewport()) {
    // Only drags that started on the map are taken.
    const auto fromMap = [this](const QDropEvent* e) {
      return e->source() == Carte && e->mimeData()->hasFormat(QString::fromLatin1(kMapDragFormat));
    };
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* e = static_cast<QDropEvent*>(event);
        if (fromMap(e)) e->acceptProposedAction();
        else e->ignore();
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
      default:
        break;
    }
  }
  if (event->type() == QEvent::Enter && watched != Carte) {
    // Only the map has a hint, which every move over it sets afresh; any
    // other control clears the description.
    if (auto* widget = qobject_cast<QWidget*>(watched)) showHint(widget->statusTip());
  }
  if (watched == cbID && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    guarded([&] { cbIDKeyDown(key); });
  }
  return QMainWindow::eventFilter(watched, event);
}

void TformNavView::cbIDKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const std::string text = nav::searchText(toWindows1252(cbID->text()));
  cbID->setText(fromWindows1252(text));
  std::size_t current = 0;
  state_.searchRows = nav::searchIdentifier(text, state_.db, userDecimalSeparator(), &current);
  showSearchRows(current);
  Label10->setText(fromWindows1252(nav::foundLabel(state_.searchRows.size() - 1)));
}

void TformNavView::showSearchRows(std::size_t currentRow) {
  findGrid->clearContents();
  findGrid->setRowCount(static_cast<int>(state_.searchRows.size()));
  for (int r = 0; r < findGrid->rowCount(); ++r) {
    const nav::SearchRow& row = state_.searchRows[static_cast<std::size_t>(r)];
    for (int c = 0; c < 8; ++c) {
      auto* item = new QTableWidgetItem(fromWindows1252(row.cells[static_cast<std::size_t>(c)]));
      item->setTextAlignment(c <= 2 ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
      if (c == 0 && !row.icons.empty()) {
        item->setIcon(iconRow(row.icons));
        QVariantList icons;
        for (int i : row.icons) icons << i;
        item->setData(Qt::UserRole, icons);
      }
      findGrid->setItem(r, c, item);
    }
  }
  findGrid->selectRow(static_cast<int>(currentRow));
  findGrid->setCurrentCell(static_cast<int>(currentRow), 1);
}

void TformNavView::Centrer2Click() {
  const int row = findGrid->currentRow();
  if (row < 0 || row >= static_cast<int>(state_.searchRows.size())) return;
  const nav::StoredPosition p =
      nav::resultRowPosition(state_.searchRows[static_cast<std::size_t>(row)], userDecimalSeparator());
  CenterAt(p.lat, nav::signedLon(p.lon));
}

void TformNavView::Placerdansleplandevol1Click() {
  const int row = findGrid->currentRow();
  if (row < 0 || row >= static_cast<int>(state_.searchRows.size())) return;
  nav::placeSearchResult(state_.plan, state_.searchRows[static_cast<std::size_t>(row)], state_.db);
  planChanged();
}

void TformNavView::PLNgridDragDrop(QPoint pos) {
  const int row = PLNgrid->rowAt(pos.y());
  nav::dropMapObject(state_.plan, row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt,
                     state_.hover);
  planChanged();
}

void TformNavView::Centrer1Click() {
  const nav::PlanRow& row = state_.plan.rows.at(state_.plan.current);
  // Plan cells hold numbers with a full stop, whatever the user's settings.
  const double lat = nav::cellNumber(row[nav::colLat], '.', false);
  const double lon = nav::cellNumber(row[nav::colLon], '.', false);
  CenterAt(lat, nav::signedLon(lon));
}

void TformNavView::Supprimerlaligne1Click() {
  nav::deleteCurrentRow(state_.plan);
  planChanged();
}

void TformNavView::Monter1Click() {
  nav::moveCurrentRowUp(state_.plan);
  planChanged();
}

void TformNavView::Descendreduneligne1Click() {
  nav::moveCurrentRowDown(state_.plan);
  planChanged();
}

void TformNavView::btnClearPLNClick() {
  nav::clearPlan(state_.plan);
  planChanged();
}

namespace {

const QString kSavedSimulations = QStringLiteral("D:\\Simulation\\Norvane! ll\\Saved Simulations");

}  // namespace

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
  nav::replaceRows(state_.plan, nav::readSitFile(path.toStdString()));
  planChanged();
}

void TformNavView::btnPrintClick() {
  std::vector<int> widths;
  for (int c = 0; c < PLNgrid->columnCount(); ++c) widths.push_back(PLNgrid->columnWidth(c));
  auto* dialog = new AdvPreviewDialog(state_.plan.rows, widths, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
}

void TformNavView::planChanged() {
  showPlan();
  Carte->invalidateMap();
}

void TformNavView::showPlan() {
  showingPlan_ = true;
  const nav::FlightPlan& plan = state_.plan;
  PLNgrid->setRowCount(static_cast<int>(plan.rows.size()));
  for (int r = 0; r < PLNgrid->rowCount(); ++r) {
    for (int c = 0; c < static_cast<int>(nav::kPlanColumns); ++c) {
      auto* item = new QTableWidgetItem(fromWindows1252(plan.rows[static_cast<std::size_t>(r)].cells[static_cast<std::size_t>(c)]));
      const bool number = c >= nav::colLat && c <= nav::colYy;
      item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      PLNgrid->setItem(r, c, item);
    }
  }
  PLNgrid->setCurrentCell(static_cast<int>(plan.current), 0);
  PLNgrid->selectRow(static_cast<int>(plan.current));
  btnSavePLN->setEnabled(plan.saveEnabled);
  showingPlan_ = false;
}

void TformNavView::buildPlanMenu() {
  PopupMenu1 = new QMenu(PLNgrid);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [&](const char* name, const QString& caption, void (TformNavView::*handler)()) {
    QAction* a = PopupMenu1->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
  };
  item("Supprimerlaligne1", QStringLiteral("Supprimer la ligne"), &TformNavView::Supprimerlaligne1Click);
  item("Centrer1", QStringLiteral("Centrer à .."), &TformNavView::Centrer1Click);
  PopupMenu1->addSeparator();
  item("Monter1", QStringLiteral("Monter d'une ligne"), &TformNavView::Monter1Click);
  item("Descendreduneligne1", QStringLiteral("Descendre d'une ligne"), &TformNavView::Descendreduneligne1Click);
  PLNgrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PLNgrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (const QModelIndex index = PLNgrid->indexAt(at); index.isValid()) PLNgrid->setCurrentCell(index.row(), 0);
    PopupMenu1->popup(PLNgrid->viewport()->mapToGlobal(at));
  });
}

QString TformNavView::statusText(int panel) const { return statusPanels_[panel]->fullText(); }

void TformNavView::showHint(const QString& hint) {
  // Written only when the hint changes, so that the location bar stands
  // until then.
  if (hint == shownHint_) return;
  shownHint_ = hint;
  statusPanels_[0]->setFullText(hint);
}

void TformNavView::CartePaint(QImage& image) { paintMapImage(image, state_, userDecimalSeparator()); }

void TformNavView::layerSwitch(std::string_view button) {
  const nav::LayerButtonEntry* entry = nav::findLayerButton(button);
  if (!entry || !entry->hasHandler) return;
  layerButton(button)->setChecked(nav::toggleLayer(state_.settings, *entry));
  Carte->invalidateMap();
}

}  // namespace navui
