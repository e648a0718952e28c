#include <QDir>

#include "ui/main_window.h"
#include "ui/nav_application.h"
#include "ui/nav_popup.h"

int main(int argc, char** argv) {
  navui::NavApplication app(argc, argv);
  const std::string exeFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString() + '/';
  navui::TformNavView formNavView(exeFolder);
  navui::Tform_NavPopup form_NavPopup;
  formNavView.attachPopup(&form_NavPopup);
  formNavView.show();
  return app.exec();
}
