#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <cmath>

#include "app/layer_switches.h"
#include "app/plan_exchange.h"
#include "app/plan_placement.h"
#include "app/settings_file.h"
#include "base/number_format.h"
#include "exchange/route_exchange.h"
#include "flightplan/plan_recovery.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/help_window.h"
#include "ui/info_pane.h"
#include "ui/layer_button.h"
#include "ui/legs_page.h"
#include "ui/map_pane.h"
#include "ui/map_widget.h"
#include "ui/plan_editor.h"
#include "ui/plan_pane.h"
#include "ui/search_pane.h"
#include "ui/status_panel.h"

namespace navui {

namespace {

// A file's name without its extension, for the name a save proposes.
QString withoutExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot >= 0 ? name.left(dot) : name;
}

constexpr int kUpperPanelHeight = 141;
constexpr int kSplitterHandle = 5;
constexpr std::array<int, 4> kStatusPanelWidths{300, 200, 200, 50};

const QKeySequence kOpen(Qt::CTRL | Qt::Key_O);
const QKeySequence kSave(Qt::CTRL | Qt::Key_S);
const QKeySequence kPrint(Qt::CTRL | Qt::Key_P);
const QKeySequence kFind(Qt::CTRL | Qt::Key_F);
const QKeySequence kZoomRoute(Qt::CTRL | Qt::Key_R);
const QKeySequence kHelp(Qt::Key_F1);

// The layer buttons' handlers, each a click of its button.
struct LayerHandler {
  const char* button;
  void (TformNavView::*click)();
  const char* tip;  // UTF-8
};
const std::array<LayerHandler, 17> kLayerHandlers{{
    {"btnNDB", &TformNavView::btnNDBClick, "Afficher ou masquer les balises NDB"},
    {"btnVOR", &TformNavView::btnVORClick, "Afficher ou masquer les VOR et VOR-DME"},
    {"btnAirport", &TformNavView::btnAirportClick,
     "Afficher ou masquer les aéroports (leurs pistes à partir du niveau 9)"},
    {"btnILS", &TformNavView::btnILSClick, "Afficher ou masquer les ILS (au-delà du niveau 6)"},
    {"btnMarker", &TformNavView::btnMarkerClick, "Afficher ou masquer les radiobornes (au-delà du niveau 6)"},
    {"btnID", &TformNavView::btnIDClick, "Afficher ou masquer les identifiants sur la carte (au-delà du niveau 6)"},
    {"btnNom", &TformNavView::btnNomClick, "Afficher ou masquer les noms sur la carte (au-delà du niveau 6)"},
    {"btnFreq", &TformNavView::btnFreqClick, "Afficher ou masquer les fréquences sur la carte (au-delà du niveau 6)"},
    {"btnPlan", &TformNavView::btnPlanClick, "Afficher ou masquer la route du plan de vol"},
    {"btnMap", &TformNavView::btnMapClick, "Afficher ou masquer les côtes et les frontières"},
    {"btnGrid", &TformNavView::btnGridClick, "Afficher ou masquer les méridiens et les parallèles"},
    {"btnObstruct", &TformNavView::btnObstructClick, "Obstacles : sans effet sur la carte"},
    {"btnWPT", &TformNavView::btnWPTClick, "Afficher ou masquer les waypoints"},
    {"btnNomwpt", &TformNavView::btnNomwptClick, "Afficher ou masquer les noms des waypoints (au-delà du niveau 6)"},
    {"btnHway", &TformNavView::btnHwayClick, "Voies aériennes hautes : sans effet sur la carte"},
    {"btnLway", nullptr, "Voies aériennes basses : sans effet"},
    {"btnIDway", nullptr, "Identifiants des voies aériennes : sans effet"},
}};

// The interface's text: a small sans-serif font, as the grids and the map
// use; the widths of the layout were chosen for it.
QFont interfaceFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
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

QString withKeys(const QString& tip, const QKeySequence& keys) {
  return QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText));
}

}  // namespace

TformNavView::TformNavView(const std::string& exeFolder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("formNavView"));
  setWindowTitle(applicationTitle());
  setFont(interfaceFont());
  state_.exeFolder = nav::withTrailingSeparator(exeFolder);
  planEditor_ = new PlanEditor(state_.exeFolder, this);

  buildToolBar();
  infoPane_ = new InfoPane(this);
  addDockWidget(Qt::RightDockWidgetArea, infoPane_);
  infoPane_->hide();  // the map keeps the whole width until the user wants it
  QAction* toggleInfo = infoPane_->toggleViewAction();
  toggleInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  toggleInfo->setText(QStringLiteral("Infos"));
  toggleInfo->setToolTip(QStringLiteral("Afficher ou masquer les informations sur l'objet survolé ou choisi"));
  btnInfo->setDefaultAction(toggleInfo);
  btnInfo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  Splitter1 = new QSplitter(Qt::Vertical, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(kSplitterHandle);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(buildUpperPanel());
  mapPane_ = new MapPane(state_, *planEditor_, Splitter1);
  Splitter1->addWidget(mapPane_);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  setCentralWidget(Splitter1);
  buildStatusBar();
  planPane_->takeDropsFrom(mapPane_->carte());
  connectHandlers();
  bindKeys();
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
  chooseImportFile = [this](const QString& folder) {
    QFileDialog dialog(this, QStringLiteral("Importer un plan"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Plans d'autres logiciels (*.gpx *.fpl *.pln *.fms *.kml)"),
                           QStringLiteral("Tous fichiers (*)")});
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  chooseExportFile = [this](const QString& folder, const QString& base) {
    QFileDialog dialog(this, QStringLiteral("Exporter le plan"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const nav::RouteFormat f : nav::kRouteFormats) {
      const QString ext = QString::fromUtf8(nav::formatExtension(f));
      filters << QString::fromUtf8(nav::formatTitle(f)) + QStringLiteral(" (*.") + ext + QLatin1Char(')');
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("gpx"));
    dialog.selectFile(base + QStringLiteral(".gpx"));
    // The name follows the format chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters, base](const QString& filter) {
      const qsizetype i = filters.indexOf(filter);
      if (i < 0) return;
      const QString ext = QString::fromUtf8(nav::formatExtension(nav::kRouteFormats[i]));
      dialog.setDefaultSuffix(ext);
      dialog.selectFile(base + QLatin1Char('.') + ext);
    });
    if (dialog.exec() != QDialog::Accepted) return QString();
    QString path = dialog.selectedFiles().value(0);
    // A name of no format's extension takes the chosen filter's.
    const qsizetype i = filters.indexOf(dialog.selectedNameFilter());
    if (!path.isEmpty() && !nav::formatOfFileName(path.toStdString()) && i >= 0)
      path += QLatin1Char('.') + QString::fromUtf8(nav::formatExtension(nav::kRouteFormats[i]));
    return path;
  };
  chooseOpenFile = [this](const QString& folder) {
    QFileDialog dialog(this, QString(), folder);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Fichier plan de vol (*.sit)"), QStringLiteral("Tous fichiers (*)")});
    if (!planEditor_->lastLoadedName().isEmpty()) dialog.selectFile(planEditor_->lastLoadedName());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };

  FormCreate();
  // Without its model the legs keep their true courses and say why.
  QString magneticProblem;
  try {
    magnetic_ = std::make_unique<nav::MagneticVariation>(state_.exeFolder + nav::MagneticVariation::kFolder + "/");
  } catch (const nav::Failure& failure) {
    magneticProblem = fromWindows1252(nav::withFullStop(failure.what()));
  }
  planPane_->legsPage()->setDatabase(&state_.db);
  planPane_->legsPage()->setMagneticModel(magnetic_.get(), magneticProblem);
  const PlanEditor::Restored restored = planEditor_->restoreUnsaved(errorReporter());
  if (restored.restored && restored.waiting == 0)
    statusPanels_[3]->setFullText(QStringLiteral("Plan de vol non enregistré de la dernière séance rétabli"));
  else if (restored.restored)
    statusPanels_[3]->setFullText(
        QStringLiteral("Plan de vol non enregistré rétabli ; %1 autre(s) au prochain démarrage").arg(restored.waiting));
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
  btnZoomRoute = toolButton(bar, "btnZoomRoute", QStyle::SP_FileDialogContentsView, QStringLiteral("Zoom sur la route"),
                            QStringLiteral("Montrer toute la route du plan de vol"));
  btnZoomRoute->setEnabled(false);
  btnInfo = new QToolButton(bar);
  btnInfo->setObjectName(QStringLiteral("btnInfo"));
  bar->addWidget(btnInfo);
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
  searchPane_ = new SearchPane(state_.db, panel);
  planPane_ = new PlanPane(*planEditor_, panel);
  layout->addWidget(searchPane_);
  layout->addWidget(planPane_, 1);
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

void TformNavView::connectHandlers() {
  const auto handle = [this](auto* sender, auto signal, void (TformNavView::*handler)()) {
    navui::connectGuarded(sender, signal, this, [this, handler] { (this->*handler)(); });
  };
  handle(btnLoadPLN, &QToolButton::clicked, &TformNavView::btnLoadPLNClick);
  handle(btnSavePLN, &QToolButton::clicked, &TformNavView::btnSavePLNClick);
  handle(btnClearPLN, &QToolButton::clicked, &TformNavView::btnClearPLNClick);
  handle(btnPrint, &QToolButton::clicked, &TformNavView::btnPrintClick);
  handle(btnZoomRoute, &QToolButton::clicked, &TformNavView::btnZoomRouteClick);
  handle(btnHelp, &QToolButton::clicked, &TformNavView::btnHelpClick);
  handle(mapPane_->zoomInButton(), &QToolButton::clicked, &TformNavView::btnZoomInClick);
  handle(mapPane_->zoomOutButton(), &QToolButton::clicked, &TformNavView::btnZoomOutClick);
  for (const LayerHandler& h : kLayerHandlers)
    if (h.click) handle(layerButton(h.button), &QToolButton::clicked, h.click);

  handle(searchPane_->action("Placerdansleplandevol1"), &QAction::triggered,
         &TformNavView::Placerdansleplandevol1Click);
  handle(searchPane_->action("Centrer2"), &QAction::triggered, &TformNavView::Centrer2Click);
  handle(searchPane_, &SearchPane::placeRequested, &TformNavView::Placerdansleplandevol1Click);

  handle(planPane_->action("Supprimerlaligne1"), &QAction::triggered, &TformNavView::Supprimerlaligne1Click);
  handle(planPane_->action("Centrer1"), &QAction::triggered, &TformNavView::Centrer1Click);
  handle(planPane_->action("Monter1"), &QAction::triggered, &TformNavView::Monter1Click);
  handle(planPane_->action("Descendreduneligne1"), &QAction::triggered, &TformNavView::Descendreduneligne1Click);
  connect(planPane_, &PlanPane::mapObjectDropped, this, &TformNavView::PLNgridDragDrop);
  connect(planPane_, &PlanPane::routeEntered, this, [this] { guarded([this] { btnCreerPlanClick(); }); });
  connect(planPane_, &PlanPane::routeCopyRequested, this, [this] { guarded([this] { btnCopierRouteClick(); }); });
  connect(planPane_, &PlanPane::importRequested, this, [this] { guarded([this] { btnImporterPlanClick(); }); });
  connect(planPane_, &PlanPane::exportRequested, this, [this] { guarded([this] { btnExporterClick(); }); });
  // Each token that does not resolve is listed while the user types.
  connect(planPane_, &PlanPane::routeEdited, this, [this](const QString& text) {
    guarded([&] {
      QStringList problems;
      for (const nav::RouteProblem& p : buildTypedRoute(text).problems)
        problems << fromWindows1252(p.token + " : " + p.reason);
      planPane_->showRouteProblems(problems);
    });
  });
  connect(planEditor_, &PlanEditor::planChanged, this, [this] {
    btnSavePLN->setEnabled(planEditor_->plan().saveEnabled);
    planPane_->showRoute(fromWindows1252(nav::routeText(planEditor_->plan(), state_.db)));
    btnZoomRoute->setEnabled(nav::routeBox(planEditor_->plan()).has_value());
  });

  connect(mapPane_, &MapPane::locationChanged, statusPanels_[0], &StatusPanel::setFullText);
  connect(mapPane_, &MapPane::pointerMoved, statusPanels_[1], &StatusPanel::setFullText);
  connect(mapPane_, &MapPane::described, this, &TformNavView::showHint);
  // The Infos dock follows the pointer when it names something, and the
  // current row of either grid.
  connect(mapPane_, &MapPane::described, this, [this](const QString& description) {
    if (!description.isEmpty()) showInfo(nav::subjectOfHover(state_.db, state_.hover));
  });
  connect(searchPane_, &SearchPane::currentResultChanged, this, [this] {
    if (const nav::SearchRow* row = searchPane_->currentResult()) showInfo(nav::subjectOfSearchRow(state_.db, *row));
  });
  connect(planEditor_, &PlanEditor::currentRowChanged, this, [this](int row) {
    const auto& rows = planEditor_->plan().rows;
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
      showInfo(nav::subjectOfPlanRow(state_.db, rows[static_cast<std::size_t>(row)]));
  });
  connect(infoPane_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) describeInfo();
  });
  // Keeping the plan after a change that fails is said once, in the last
  // panel, and cleared when it works again.
  connect(planEditor_, &PlanEditor::keepingFailed, this, [this](const QString& message) {
    if (!message.isEmpty())
      statusPanels_[3]->setFullText(QStringLiteral("Plan de vol non gardé : %1").arg(message));
    else if (statusText(3).startsWith(QStringLiteral("Plan de vol non gardé")))
      statusPanels_[3]->setFullText(QString());
  });
}

void TformNavView::bindKeys() {
  const auto shortcut = [this](const QKeySequence& keys, std::function<void()> handler) {
    navui::connectGuarded(new QShortcut(keys, this), &QShortcut::activated, this, std::move(handler));
  };
  shortcut(kOpen, [this] { btnLoadPLNClick(); });
  shortcut(kSave, [this] {
    if (btnSavePLN->isEnabled()) btnSavePLNClick();
  });
  shortcut(kPrint, [this] { btnPrintClick(); });
  shortcut(kZoomRoute, [this] {
    if (btnZoomRoute->isEnabled()) btnZoomRouteClick();
  });
  shortcut(kFind, [this] {
    searchPane_->field()->setFocus(Qt::ShortcutFocusReason);
    searchPane_->field()->selectAll();
  });
  btnLoadPLN->setToolTip(withKeys(btnLoadPLN->toolTip(), kOpen));
  btnSavePLN->setToolTip(withKeys(btnSavePLN->toolTip(), kSave));
  btnPrint->setToolTip(withKeys(btnPrint->toolTip(), kPrint));
  btnZoomRoute->setToolTip(withKeys(btnZoomRoute->toolTip(), kZoomRoute));
  shortcut(kHelp, [this] { btnHelpClick(); });
  btnHelp->setToolTip(withKeys(QStringLiteral("Le guide d'utilisation, les touches et la souris"), kHelp));
  searchPane_->field()->setToolTip(withKeys(QStringLiteral("Identifiant à chercher, puis Entrée"), kFind));

  // The map's own keys work once it has the focus (a click on it).
  mapPane_->zoomInButton()->setToolTip(
      withKeys(QStringLiteral("Zoom avant d'un niveau autour du centre de la carte"), QKeySequence(Qt::Key_Plus)));
  mapPane_->zoomOutButton()->setToolTip(
      withKeys(QStringLiteral("Zoom arrière d'un niveau autour du centre de la carte"), QKeySequence(Qt::Key_Minus)));
  for (const LayerHandler& h : kLayerHandlers)
    if (LayerButton* button = layerButton(h.button)) button->setToolTip(QString::fromUtf8(h.tip));
}

QString TformNavView::statusText(int panel) const { return statusPanels_[panel]->fullText(); }

void TformNavView::showHint(const QString& hint) {
  // Written only when the hint changes, so that the location bar stands
  // until then.
  if (hint == shownHint_) return;
  shownHint_ = hint;
  statusPanels_[0]->setFullText(hint);
}

namespace {

template <class Record>
bool sameRecord(const std::optional<Record>& a, const std::optional<Record>& b) {
  return a.has_value() == b.has_value() && (!a || a->bytes == b->bytes);
}

// The pointer moves over the same object many times a second: its
// description is made once.
bool sameSubject(const nav::InfoSubject& a, const nav::InfoSubject& b) {
  return sameRecord(a.airport, b.airport) && sameRecord(a.navaid, b.navaid) && sameRecord(a.waypoint, b.waypoint) &&
         a.userName == b.userName && a.position == b.position;
}

}  // namespace

void TformNavView::showInfo(std::optional<nav::InfoSubject> subject) {
  if (!subject || (infoSubject_ && sameSubject(*subject, *infoSubject_))) return;
  infoSubject_ = std::move(subject);
  describeInfo();
}

void TformNavView::describeInfo() {
  if (!infoSubject_ || !infoPane_->isVisible()) return;
  infoPane_->describe(nav::objectInfo(state_.db, *infoSubject_, userDecimalSeparator(), magnetic_.get(),
                                      planPane_->legsPage()->flightYear()));
}

LayerButton* TformNavView::layerButton(std::string_view name) const { return mapPane_->layerButton(name); }

MapWidget* TformNavView::carte() const { return mapPane_->carte(); }

void TformNavView::attachPopup(Tform_NavPopup* popup) { mapPane_->attachPopup(popup); }

void TformNavView::FormCreate() {
  nav::StartupHooks hooks;
  hooks.mapArea = [this] {
    if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    // The layout is settled only when the window is shown; the resize that
    // follows fits the view to the real map area.
    return nav::MapArea{carte()->width(), carte()->height()};
  };
  hooks.settingsRead = [this] {
    mapPane_->showLayerSwitches();
    planPane_->showAircraft(nav::loadAircraftSettings(state_.settingsPath()));
  };
  hooks.decimalSeparator = userDecimalSeparator();
  nav::startUp(state_, hooks, errorReporter());
}

void TformNavView::FormCloseQuery(bool& canClose) {
  nav::saveViewSettings(state_.settingsPath(), state_.settings, state_.view, userDecimalSeparator());
  nav::saveAircraftSettings(state_.settingsPath(), planPane_->aircraft());
  state_.pens = nav::Pens{};
  canClose = true;
}

void TformNavView::closeEvent(QCloseEvent* event) {
  // A plan that cannot be kept is said so, and the window stays open once,
  // so that it can be saved elsewhere; closing again ends the program.
  if (!closingAnyway_) {
    try {
      planEditor_->keepUnsaved();
    } catch (const nav::Failure& failure) {
      closingAnyway_ = true;
      showError(nav::withFullStop(failure.what()) +
                " Le plan de vol n'a pas pu \xEAtre gard\xE9 : enregistrez-le, ou fermez de nouveau la fen\xEAtre "
                "sans le garder.");
      event->ignore();
      return;
    }
  }
  bool canClose = true;
  guarded([&] { FormCloseQuery(canClose); });
  event->accept();
}

bool TformNavView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && watched != carte()) {
    // Only the map has a hint, which every move over it sets afresh; any
    // other control clears the description.
    if (auto* widget = qobject_cast<QWidget*>(watched)) showHint(widget->statusTip());
  }
  return QMainWindow::eventFilter(watched, event);
}

// The handlers: each the window's name for what a pane or the plan's editor
// does.

void TformNavView::btnZoomInClick() { mapPane_->btnZoomInClick(); }
void TformNavView::btnZoomOutClick() { mapPane_->btnZoomOutClick(); }
void TformNavView::LocationBar() { mapPane_->LocationBar(); }
void TformNavView::CartePaint(QImage& image) { mapPane_->CartePaint(image); }
void TformNavView::CenterAt(nav::GeoPosition centre) { mapPane_->CenterAt(centre); }
void TformNavView::CarteMouseMove(int x, int y) { mapPane_->CarteMouseMove(x, y); }
void TformNavView::CarteMouseDown(Qt::MouseButton button, int x, int y) { mapPane_->CarteMouseDown(button, x, y); }
void TformNavView::CarteMouseUp(Qt::MouseButton button, int x, int y) { mapPane_->CarteMouseUp(button, x, y); }
void TformNavView::CarteMouseWheel(int steps, int x, int y) { mapPane_->CarteMouseWheel(steps, x, y); }
bool TformNavView::CarteKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  return mapPane_->CarteKeyDown(key, modifiers);
}
void TformNavView::layerSwitch(std::string_view button) { mapPane_->layerSwitch(button); }

void TformNavView::cbIDKeyDown(int key) { searchPane_->cbIDKeyDown(key); }

void TformNavView::Centrer2Click() {
  if (const std::optional<nav::GeoPosition> p = searchPane_->currentPosition()) CenterAt(*p);
}

void TformNavView::Placerdansleplandevol1Click() {
  if (const nav::SearchRow* row = searchPane_->currentResult()) planEditor_->place(*row, state_.db);
}

void TformNavView::Centrer1Click() {
  const nav::FlightPlan& plan = planEditor_->plan();
  const nav::GeoPosition p = nav::requirePlanRowPosition(plan.rows.at(plan.current));
  CenterAt({.lat = p.lat, .lon = nav::signedLon(p.lon)});
}

void TformNavView::Supprimerlaligne1Click() { planEditor_->deleteCurrentRow(); }
void TformNavView::Monter1Click() { planEditor_->moveCurrentRowUp(); }
void TformNavView::Descendreduneligne1Click() { planEditor_->moveCurrentRowDown(); }
void TformNavView::btnClearPLNClick() { planEditor_->clear(); }
void TformNavView::PLNgridDragDrop(QPoint pos) { planEditor_->drop(planPane_->rowAt(pos), state_.hover); }
void TformNavView::btnPrintClick() { planPane_->print(); }
void TformNavView::btnZoomRouteClick() { mapPane_->zoomToRoute(); }
nav::RouteBuild TformNavView::buildTypedRoute(const QString& text) const {
  return nav::buildRoute(toWindows1252(text), state_.db, magnetic_.get(), planPane_->legsPage()->flightYear());
}

void TformNavView::btnCreerPlanClick() {
  const nav::RouteBuild built = buildTypedRoute(planPane_->routeField()->text());
  QStringList problems;
  for (const nav::RouteProblem& p : built.problems) problems << fromWindows1252(p.token + " : " + p.reason);
  // Shown after the plan changed, which puts the built route in the field.
  if (built.plan.rows.size() > 1) takePlan(built.plan, built.cruiseKnots);
  planPane_->showRouteProblems(problems);
}

void TformNavView::takePlan(const nav::FlightPlan& plan, std::optional<double> cruiseKnots) {
  planEditor_->replacePlan(plan);
  // Also while the user's focus is in the field, which showRoute leaves alone.
  planPane_->routeField()->setText(fromWindows1252(nav::routeText(planEditor_->plan(), state_.db)));
  if (cruiseKnots)
    planPane_->findChild<QLineEdit*>(QStringLiteral("EditVitesse1"))
        ->setText(QString::fromStdString(nav::formatGeneral(std::round(*cruiseKnots), userDecimalSeparator())));
  mapPane_->zoomToRoute();
}

void TformNavView::btnImporterPlanClick() {
  const QString path = chooseImportFile ? chooseImportFile(planEditor_->dialogFolder()) : QString();
  if (path.isEmpty()) return;
  // Read whole before anything changes: a damaged file leaves the plan as it was.
  const nav::PlanImport imported = nav::importRoute(nav::readRouteFile(path.toStdString()), state_.db);
  takePlan(imported.plan, imported.cruiseKnots);
  planPane_->showRouteProblems({});
  planPane_->showImportSummary(fromWindows1252(nav::importSummary(imported, QFileInfo(path).fileName().toStdString())));
}

void TformNavView::btnExporterClick() {
  // Said before any dialog when there is nothing to export.
  const nav::ExchangeRoute route = nav::exportRoute(planEditor_->plan(), state_.db);
  QString base = withoutExtension(planEditor_->lastLoadedName());
  if (base.isEmpty()) base = QStringLiteral("plan");
  const QString path = chooseExportFile ? chooseExportFile(planEditor_->dialogFolder(), base) : QString();
  if (path.isEmpty()) return;
  const std::optional<nav::RouteFormat> format = nav::formatOfFileName(path.toStdString());
  nav::writeRouteFile(route, format.value_or(nav::RouteFormat::gpx), path.toStdString());
}

void TformNavView::btnCopierRouteClick() {
  QGuiApplication::clipboard()->setText(fromWindows1252(nav::routeText(planEditor_->plan(), state_.db)));
}

void TformNavView::btnHelpClick() {
  if (!helpWindow_) helpWindow_ = new HelpWindow(this);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void TformNavView::btnSavePLNClick() {
  // The name of the file last loaded, with ".sit" for its extension.
  const QString proposed = withoutExtension(planEditor_->lastLoadedName()) + QStringLiteral(".sit");
  const QString path = chooseSaveFile ? chooseSaveFile(planEditor_->dialogFolder(), proposed) : QString();
  if (path.isEmpty()) return;
  planEditor_->save(path.toStdString(), state_.tagListPath());
}

void TformNavView::btnLoadPLNClick() {
  const QString path = chooseOpenFile ? chooseOpenFile(planEditor_->dialogFolder()) : QString();
  if (path.isEmpty()) {
    planEditor_->hideRoute();
    return;
  }
  planEditor_->load(path.toStdString());
}

}  // namespace navui
