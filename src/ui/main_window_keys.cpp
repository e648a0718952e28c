#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>
#include <array>

#include "ui/layer_button.h"
#include "ui/main_window.h"

// The keyboard of the main window: its shortcuts, those of the two grids,
// and the buttons' tooltips, which name them.

namespace navui {

namespace {

const QKeySequence kOpen(Qt::CTRL | Qt::Key_O);
const QKeySequence kSave(Qt::CTRL | Qt::Key_S);
const QKeySequence kPrint(Qt::CTRL | Qt::Key_P);
const QKeySequence kFind(Qt::CTRL | Qt::Key_F);

struct ButtonTip {
  const char* button;
  const char* tip;  // UTF-8
};

constexpr std::array<ButtonTip, 17> kLayerTips{{
    {"btnNDB", "Afficher ou masquer les balises NDB"},
    {"btnVOR", "Afficher ou masquer les VOR et VOR-DME"},
    {"btnAirport", "Afficher ou masquer les aéroports (leurs pistes à partir du niveau 9)"},
    {"btnILS", "Afficher ou masquer les ILS (au-delà du niveau 6)"},
    {"btnMarker", "Afficher ou masquer les radiobornes (au-delà du niveau 6)"},
    {"btnID", "Afficher ou masquer les identifiants sur la carte (au-delà du niveau 6)"},
    {"btnNom", "Afficher ou masquer les noms sur la carte (au-delà du niveau 6)"},
    {"btnFreq", "Afficher ou masquer les fréquences sur la carte (au-delà du niveau 6)"},
    {"btnPlan", "Afficher ou masquer la route du plan de vol"},
    {"btnMap", "Afficher ou masquer les côtes et les frontières"},
    {"btnGrid", "Afficher ou masquer les méridiens et les parallèles"},
    {"btnObstruct", "Obstacles : sans effet sur la carte"},
    {"btnWPT", "Afficher ou masquer les waypoints"},
    {"btnNomwpt", "Afficher ou masquer les noms des waypoints (au-delà du niveau 6)"},
    {"btnHway", "Voies aériennes hautes : sans effet sur la carte"},
    {"btnLway", "Voies aériennes basses : sans effet"},
    {"btnIDway", "Identifiants des voies aériennes : sans effet"},
}};

QString withKeys(const QString& tip, const QKeySequence& keys) {
  return QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText));
}

// Gives a grid's menu command its keys, which work while the grid has the
// focus; the menu shows them beside the caption.
void bindGridKeys(QTableView* grid, QMenu* menu, const char* action, const QList<QKeySequence>& keys) {
  QAction* a = menu->findChild<QAction*>(QString::fromLatin1(action));
  if (!a) return;
  a->setShortcuts(keys);
  a->setShortcutContext(Qt::WidgetShortcut);
  grid->addAction(a);
}

}  // namespace

void TformNavView::bindKeys() {
  const auto shortcut = [this](const QKeySequence& keys, std::function<void()> handler) {
    connectGuarded(new QShortcut(keys, this), &QShortcut::activated, std::move(handler));
  };
  shortcut(kOpen, [this] { btnLoadPLNClick(); });
  shortcut(kSave, [this] {
    if (btnSavePLN->isEnabled()) btnSavePLNClick();
  });
  shortcut(kPrint, [this] { btnPrintClick(); });
  shortcut(kFind, [this] {
    cbID->setFocus(Qt::ShortcutFocusReason);
    cbID->selectAll();
  });
  btnLoadPLN->setToolTip(withKeys(btnLoadPLN->toolTip(), kOpen));
  btnSavePLN->setToolTip(withKeys(btnSavePLN->toolTip(), kSave));
  btnPrint->setToolTip(withKeys(btnPrint->toolTip(), kPrint));
  cbID->setToolTip(withKeys(QStringLiteral("Identifiant à chercher, puis Entrée"), kFind));

  bindGridKeys(PLNgrid, PopupMenu1, "Supprimerlaligne1", {QKeySequence(Qt::Key_Delete)});
  bindGridKeys(PLNgrid, PopupMenu1, "Monter1", {QKeySequence(Qt::ALT | Qt::Key_Up)});
  bindGridKeys(PLNgrid, PopupMenu1, "Descendreduneligne1", {QKeySequence(Qt::ALT | Qt::Key_Down)});
  bindGridKeys(findGrid, PopupMenu2, "Placerdansleplandevol1",
               {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});

  // The map's own keys work once it has the focus (a click on it).
  btnZoomIn->setToolTip(
      withKeys(QStringLiteral("Zoom avant d'un niveau autour du centre de la carte"), QKeySequence(Qt::Key_Plus)));
  btnZoomOut->setToolTip(
      withKeys(QStringLiteral("Zoom arrière d'un niveau autour du centre de la carte"), QKeySequence(Qt::Key_Minus)));
  for (const ButtonTip& t : kLayerTips)
    if (LayerButton* button = layerButton(t.button)) button->setToolTip(QString::fromUtf8(t.tip));
}

}  // namespace navui
