#include "ui/error_box.h"

#include <QApplication>
#include <QMessageBox>

#include "paint/text_decoding.h"

namespace navui {

namespace {

ErrorPresenter& presenter() {
  static ErrorPresenter p;
  return p;
}

void showMessageBox(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), applicationTitle(), text);
}

}  // namespace

QString applicationTitle() { return QStringLiteral("Générateur de plan de vol pour Norvane!"); }

void setErrorPresenter(ErrorPresenter p) { presenter() = std::move(p); }

void showError(const std::string& text) {
  // The box runs its own event loop; a handler that fails again meanwhile
  // (a repaint behind the box, say) must not stack a second box on it.
  static bool showing = false;
  if (showing) return;
  showing = true;
  const QString decoded = fromWindows1252(text);
  try {
    if (presenter())
      presenter()(decoded);
    else
      showMessageBox(decoded);
  } catch (...) {
  }
  showing = false;
}

const nav::FailureReporter& errorReporter() {
  static const nav::FailureReporter reporter = [](const std::string& text) { showError(text); };
  return reporter;
}

const nav::FailureReporter& laterErrorReporter() {
  static const nav::FailureReporter reporter = [](const std::string& text) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [text] { showError(text); }, Qt::QueuedConnection);
  };
  return reporter;
}

}  // namespace navui
