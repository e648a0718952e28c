#include "ui/info_pane.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "paint/text_decoding.h"

namespace navui {

InfoPane::InfoPane(QWidget* parent) : QDockWidget(QStringLiteral("Infos"), parent) {
  setObjectName(QStringLiteral("InfoDock"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  auto* inside = new QWidget(this);
  auto* layout = new QVBoxLayout(inside);
  layout->setContentsMargins(4, 4, 4, 4);
  title_ = new QLabel(QStringLiteral("Survolez un objet de la carte ou choisissez une ligne d'une grille."), inside);
  title_->setObjectName(QStringLiteral("InfoTitle"));
  title_->setWordWrap(true);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  body_ = new QPlainTextEdit(inside);
  body_->setObjectName(QStringLiteral("InfoText"));
  body_->setReadOnly(true);
  body_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(title_);
  layout->addWidget(body_, 1);
  setWidget(inside);
  setMinimumWidth(320);
}

void InfoPane::describe(const nav::ObjectInfo& info) {
  const QString title = fromWindows1252(info.title);
  QStringList lines;
  for (const std::string& line : info.lines) lines << fromWindows1252(line);
  const QString body = lines.join(QLatin1Char('\n'));
  // The pointer moves over the same object many times a second.
  if (title == title_->text() && body == body_->toPlainText()) return;
  title_->setText(title);
  body_->setPlainText(body);
}

QString InfoPane::titleText() const { return title_->text(); }
QString InfoPane::bodyText() const { return body_->toPlainText(); }

}  // namespace navui
