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
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return app.installTranslator(translator);
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
