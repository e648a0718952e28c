#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <array>

#include "app/settings_file.h"
#include "paint/text_decoding.h"
#include "ui/layer_button.h"
#include "ui/map_widget.h"
#include "ui/status_panel.h"

namespace navui {

namespace {

constexpr int kUpperPanelHeight = 141;
constexpr int kSplitterHandle = 5;
constexpr std::array<int, 4> kStatusPanelWidths{300, 200, 200, 50};

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

}  // namespace

TformNavView::TformNavView(const std::string& exeFolder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("formNavView"));
  setWindowTitle(applicationTitle());
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
  guarded([this] { restoreUnsavedPlan(); });
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
  connectGuarded(btnLoadPLN, &QToolButton::clicked, [this] { btnLoadPLNClick(); });
  connectGuarded(btnSavePLN, &QToolButton::clicked, [this] { btnSavePLNClick(); });
  connectGuarded(btnClearPLN, &QToolButton::clicked, [this] { btnClearPLNClick(); });
  connectGuarded(btnPrint, &QToolButton::clicked, [this] { btnPrintClick(); });
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
  layout->addWidget(buildPlanPages(), 1);
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

QString TformNavView::statusText(int panel) const { return statusPanels_[panel]->fullText(); }

void TformNavView::showHint(const QString& hint) {
  // Written only when the hint changes, so that the location bar stands
  // until then.
  if (hint == shownHint_) return;
  shownHint_ = hint;
  statusPanels_[0]->setFullText(hint);
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

void TformNavView::FormCloseQuery(bool& canClose) {
  nav::saveViewSettings(state_.settingsPath(), state_.settings, state_.view, userDecimalSeparator());
  state_.pens = nav::Pens{};
  canClose = true;
}

void TformNavView::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  // A file that cannot be written is reported; the user can still end the
  // program.
  guarded([&] { keepUnsavedPlan(); });
  guarded([&] { FormCloseQuery(canClose); });
  event->accept();
}

bool TformNavView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && watched != Carte) {
    // Only the map has a hint, which every move over it sets afresh; any
    // other control clears the description.
    if (auto* widget = qobject_cast<QWidget*>(watched)) showHint(widget->statusTip());
  }
  if (watched == PLNgrid->viewport() && planGridDropEvent(event)) return true;
  if (watched == cbID) searchFieldKeyPressed(event);
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace navui
