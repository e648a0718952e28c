#pragma once

#include <QApplication>

namespace navui {

// The application object; its event dispatch is the last guard, so that no
// exception ever reaches Qt's event loop.
class NavApplication : public QApplication {
 public:
  NavApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The application's name and languages, as the program sets them up.
void configureApplication(QCoreApplication& app);

// Loads Qt's own French texts (file dialogs, standard buttons, printer
// set-up); false when they are not installed.
bool installFrenchTranslations(QCoreApplication& app);

}  // namespace navui
