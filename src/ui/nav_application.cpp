#include "ui/nav_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/error_box.h"

namespace navui {

NavApplication::NavApplication(int& argc, char** argv) : QApplication(argc, argv) { configureApplication(*this); }

void configureApplication(QCoreApplication& app) {
  // No display name: the platform would append it to every dialog's caption
  // ("Preview — Générateur…").
  QCoreApplication::setApplicationName(QStringLiteral("plandevol"));
  installFrenchTranslations(app);
}

bool installFrenchTranslations(QCoreApplication& app) {
  // The program speaks French whatever the desktop's language: Qt's own
  // dialogs and buttons too.
  // The Windows build carries them inside the executable, as no Qt is
  // installed beside it; elsewhere they are Qt's installed ones.
  auto* translator = new QTranslator(&app);
  const QLocale french(QLocale::French, QLocale::France);
  for (const QString& folder : {QStringLiteral(":/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      return app.installTranslator(translator);
    }
  }
  delete translator;
  return false;
}

bool NavApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    showError(nav::currentFailureText());
    return true;
  }
}

}  // namespace navui
