#include "ui/legs_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "base/number_format.h"
#include "flightplan/gpx_route.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/grid_style.h"
#include "ui/legs_table_model.h"
#include "ui/nav_log_print.h"
#include "ui/plan_editor.h"

namespace navui {

namespace {

constexpr int kRowHeight = 18;
constexpr std::array<int, LegsTableModel::kColumns> kColumnWidths{220, 220, 70, 85, 75, 50};

}  // namespace

LegsPage::LegsPage(const PlanEditor& editor, QLineEdit* cruiseSpeed, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setObjectName(QStringLiteral("TabEtapes"));
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("LegsGrid"));
  model_ = new LegsTableModel(editor_.plan(), grid_);
  model_->cruiseSpeed = [cruiseSpeed] {
    return cruiseSpeed ? nav::cruiseSpeed(toWindows1252(cruiseSpeed->text()), userDecimalSeparator()) : std::nullopt;
  };
  grid_->setModel(model_);
  setUpHeadedGrid(grid_, kRowHeight, kColumnWidths);

  printLog_ = new QPushButton(QStringLiteral("Imprimer le log…"), this);
  printLog_->setObjectName(QStringLiteral("btnPrintLog"));
  exportGpx_ = new QPushButton(QStringLiteral("Exporter en GPX…"), this);
  exportGpx_->setObjectName(QStringLiteral("btnExportGpx"));
  connectGuarded(printLog_, &QPushButton::clicked, this, [this] { btnPrintLogClick(); });
  connectGuarded(exportGpx_, &QPushButton::clicked, this, [this] { btnExportGpxClick(); });
  if (cruiseSpeed) connectGuarded(cruiseSpeed, &QLineEdit::textChanged, this, [this] { refresh(); });
  connect(&editor_, &PlanEditor::planChanged, this, &LegsPage::refresh);
  chooseGpxFile = [this] {
    // The name of the plan's file with ".gpx" for its extension.
    QString proposed = editor_.lastLoadedName();
    const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.'));
    proposed = proposed.isEmpty() ? QStringLiteral("plan.gpx") : (dot >= 0 ? proposed.left(dot) : proposed) + ".gpx";
    QFileDialog dialog(this, QString(), editor_.dialogFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Route GPX (*.gpx)"));
    dialog.setDefaultSuffix(QStringLiteral("gpx"));
    dialog.selectFile(proposed);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(3);
  buttons->addWidget(printLog_);
  buttons->addWidget(exportGpx_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 4, 0);
  layout->setSpacing(6);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  refresh();
}

void LegsPage::refresh() { model_->refresh(); }

QStringList LegsPage::logTitle() const {
  QStringList title{QStringLiteral("Log de navigation")};
  if (model_->legCount() > 0)
    title << QStringLiteral("De %1 à %2").arg(model_->departure(), model_->destination());
  else
    title << QStringLiteral("Aucune étape : le plan a moins de deux points placés");
  if (const std::optional<double> speed = model_->speed())
    title << QStringLiteral("Vitesse en croisière : %1 noeuds")
                 .arg(QString::fromStdString(nav::formatGeneral(*speed, userDecimalSeparator())));
  return title;
}

void LegsPage::btnPrintLogClick() {
  auto* preview = new QPrintPreviewDialog(this);
  preview->setObjectName(QStringLiteral("LogPreviewDialog"));
  preview->setAttribute(Qt::WA_DeleteOnClose);
  preview->printer()->setPageOrientation(QPageLayout::Portrait);
  connect(preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { guarded([&] { printNavLog(*printer, *model_, logTitle()); }); });
  preview->open();
}

void LegsPage::btnExportGpxClick() {
  const QString path = chooseGpxFile ? chooseGpxFile() : QString();
  if (path.isEmpty()) return;
  nav::writeGpxRoute(editor_.plan().rows, path.toStdString());
}

}  // namespace navui
