#include "ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/error_box.h"

namespace navui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Aide \u2014 %1").arg(applicationTitle()));
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("HelpText"));
  text_->setOpenExternalLinks(true);
  QFile guide(QStringLiteral(":/guide/guide_fr.md"));
  guide.open(QIODevice::ReadOnly);
  text_->setMarkdown(QString::fromUtf8(guide.readAll()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(760, 640);
}

}  // namespace navui
