#include "ui/legs_page.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "base/number_format.h"
#include "paint/text_decoding.h"
#include "ui/error_box.h"
#include "ui/grid_style.h"
#include "ui/kneeboard_log.h"
#include "ui/legs_table_model.h"
#include "ui/nav_log_print.h"
#include "ui/plan_editor.h"

namespace navui {

namespace {

constexpr int kRowHeight = 18;
// Narrow, for an A5 page that holds twelve columns at 10 points.
const QMarginsF kKneeboardMargins(6, 8, 6, 8);
constexpr std::array<int, LegsTableModel::kColumns> kColumnWidths{220, 220, 70, 85, 75, 50, 75, 70, 60, 70, 65, 80, 65};

std::optional<double> number(const QLineEdit* field) {
  return field ? nav::cruiseSpeed(toWindows1252(field->text()), userDecimalSeparator()) : std::nullopt;
}

}  // namespace

LegsPage::LegsPage(PlanEditor& editor, QWidget* aircraft, QWidget* parent)
    : QWidget(parent), editor_(editor), aircraft_(aircraft) {
  setObjectName(QStringLiteral("TabEtapes"));
  const auto fieldOf = [aircraft](const char* name) {
    return aircraft ? aircraft->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
  };
  cruise_ = fieldOf("EditVitesse1");
  fuelFlow_ = fieldOf("EditConso");
  usableFuel_ = fieldOf("EditCarburant");
  reserve_ = fieldOf("EditReserve");
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("LegsGrid"));
  model_ = new LegsTableModel(editor_.plan(), grid_);
  model_->departureTime = [this] { return departureTime(); };
  model_->setAltitude = [this](std::size_t row, std::optional<int> feet) {
    guarded([&] { editor_.setAltitude(row, feet); });
  };
  grid_->setModel(model_);
  setUpHeadedGrid(grid_, kRowHeight, kColumnWidths);
  // Only the altitudes are typed into; a double click or a key starts it.
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);

  wind_ = new QLineEdit(this);
  wind_->setObjectName(QStringLiteral("EditVent"));
  wind_->setPlaceholderText(QStringLiteral("Vent 270/20"));
  wind_->setToolTip(QStringLiteral("Le vent du vol : d'où il souffle (degrés vrais) / sa force (noeuds)"));
  date_ = new QDateEdit(QDate::currentDate(), this);
  date_->setObjectName(QStringLiteral("DateVol"));
  date_->setCalendarPopup(true);
  date_->setToolTip(QStringLiteral("Le jour du vol, pour la déclinaison magnétique"));
  departure_ = new QLineEdit(this);
  departure_->setObjectName(QStringLiteral("EditDepart"));
  departure_->setPlaceholderText(QStringLiteral("Départ hh:mm UTC"));
  departure_->setToolTip(QStringLiteral("L'heure de départ (UTC), pour les heures estimées du log"));
  messages_ = new QLabel(this);
  messages_->setObjectName(QStringLiteral("LegsMessages"));
  model_->inputs = [this] {
    nav::LogInputs in;
    in.trueAirspeed = number(cruise_);
    in.fuelPerHour = number(fuelFlow_);
    in.usableFuel = number(usableFuel_);
    in.reserveMinutes = number(reserve_);
    in.wind = nav::parseWind(toWindows1252(wind_->text()), userDecimalSeparator());
    in.variation = magnetic_;
    in.year = flightYear();
    return in;
  };

  printLog_ = new QPushButton(QStringLiteral("Imprimer le log…"), this);
  printLog_->setObjectName(QStringLiteral("btnPrintLog"));
  exportPdf_ = new QPushButton(QStringLiteral("Exporter le log en PDF…"), this);
  exportPdf_->setObjectName(QStringLiteral("btnExportLogPdf"));
  connectGuarded(exportPdf_, &QPushButton::clicked, this, [this] { btnExportLogPdfClick(); });
  connectGuarded(printLog_, &QPushButton::clicked, this, [this] { btnPrintLogClick(); });
  for (QLineEdit* input : {cruise_, fuelFlow_, usableFuel_, reserve_, wind_, departure_})
    if (input) connectGuarded(input, &QLineEdit::textChanged, this, [this] { refresh(); });
  connectGuarded(date_, &QDateEdit::dateChanged, this, [this] { refresh(); });
  connect(&editor_, &PlanEditor::planChanged, this, &LegsPage::refresh);
  choosePdfFile = [this] {
    QFileDialog dialog(this, QString(), editor_.dialogFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Log de navigation PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("log.pdf"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(3);
  buttons->addWidget(wind_);
  buttons->addWidget(date_);
  buttons->addWidget(departure_);
  buttons->addWidget(printLog_);
  buttons->addWidget(exportPdf_);
  buttons->addStretch(1);
  auto* left = new QVBoxLayout;
  left->setSpacing(1);
  left->addWidget(grid_, 1);
  left->addWidget(messages_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 4, 0);
  layout->setSpacing(6);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  refresh();
}

void LegsPage::setMagneticModel(const nav::MagneticVariation* model, const QString& problem) {
  magnetic_ = model;
  magneticProblem_ = problem;
  refresh();
}

void LegsPage::refresh() {
  model_->refresh();
  QStringList said = model_->messages();
  if (!magnetic_ && !magneticProblem_.isEmpty())
    said.prepend(QStringLiteral("Déclinaison inconnue : ") + magneticProblem_);
  messages_->setText(said.join(QStringLiteral(" ; ")));
  messages_->setVisible(!said.isEmpty());
  // Red when the reserve is not kept, as the total's fuel is.
  messages_->setStyleSheet(model_->log().reserveKept ? QString() : QStringLiteral("color: red"));
}

QStringList LegsPage::logTitle() const {
  QStringList title{QStringLiteral("Log de navigation")};
  if (model_->legCount() > 0)
    title << QStringLiteral("De %1 à %2").arg(model_->departure(), model_->destination());
  else
    title << QStringLiteral("Aucune étape : le plan a moins de deux points placés");
  QString flight =
      QStringLiteral("Le %1").arg(QLocale(QLocale::French).toString(date_->date(), QStringLiteral("d MMMM yyyy")));
  if (const auto* type = aircraft_ ? aircraft_->findChild<QComboBox*>(QStringLiteral("cbType")) : nullptr;
      type && !type->currentText().isEmpty())
    flight += QStringLiteral(", ") + type->currentText();
  if (const std::optional<QTime> at = departureTime())
    flight += QStringLiteral(", départ %1 UTC").arg(at->toString(QStringLiteral("HH:mm")));
  title << flight;
  QStringList aircraft;
  if (const std::optional<double> speed = model_->speed())
    aircraft << QStringLiteral("Vitesse en croisière : %1 noeuds")
                    .arg(QString::fromStdString(nav::formatGeneral(*speed, userDecimalSeparator())));
  if (const auto& wind = model_->usedInputs().wind)
    aircraft
        << QStringLiteral("vent %1/%2").arg(wind->fromDegrees, 3, 'f', 0, QLatin1Char('0')).arg(wind->knots, 0, 'f', 0);
  if (!aircraft.isEmpty()) title << aircraft.join(QStringLiteral(" ; "));
  title << model_->messages();
  return title;
}

double LegsPage::flightYear() const {
  const QDate day = date_->date();
  return nav::decimalYear(day.year(), day.month(), day.day());
}

std::optional<QTime> LegsPage::departureTime() const {
  const QTime at = QTime::fromString(departure_->text().trimmed(), QStringLiteral("H:mm"));
  if (!at.isValid()) return std::nullopt;
  return at;
}

void LegsPage::printLog(QPrinter& printer) {
  const std::unique_ptr<QAbstractItemModel> table = kneeboardTable(*model_, editor_.plan(), db_, departureTime());
  printNavLog(printer, *table, logTitle());
}

void LegsPage::btnPrintLogClick() {
  auto* preview = new QPrintPreviewDialog(this);
  preview->setObjectName(QStringLiteral("LogPreviewDialog"));
  preview->setAttribute(Qt::WA_DeleteOnClose);
  // A kneeboard's page: A5 portrait, or half an A4.
  preview->printer()->setPageSize(QPageSize(QPageSize::A5));
  preview->printer()->setPageOrientation(QPageLayout::Portrait);
  preview->printer()->setPageMargins(kKneeboardMargins, QPageLayout::Millimeter);
  connect(preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { guarded([&] { printLog(*printer); }); });
  preview->open();
}

void LegsPage::btnExportLogPdfClick() {
  const QString path = choosePdfFile ? choosePdfFile() : QString();
  if (path.isEmpty()) return;
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setPageSize(QPageSize(QPageSize::A5));
  pdf.setPageOrientation(QPageLayout::Portrait);
  pdf.setPageMargins(kKneeboardMargins, QPageLayout::Millimeter);
  pdf.setDocName(QStringLiteral("Log de navigation"));
  pdf.setCreator(applicationTitle());
  printLog(pdf);
}

}  // namespace navui
