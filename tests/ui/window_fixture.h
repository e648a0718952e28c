#pragma once

#include <QStringList>
#include <QTableView>
#include <QWidget>
#include <string>

#include "test_support.h"
#include "ui/error_box.h"

namespace navtest {

// What every window test starts from: a scratch folder holding empty tables
// and an empty outline, with the error boxes recorded instead of shown.
class WindowFolder {
 public:
  WindowFolder() {
    navui::setErrorPresenter([this](const QString& text) { errors << text; });
    writeEmptyDatabase(dir_.path());
    writeFile(dir_.path() + "world5000s.map", std::string(8, '\0'));
  }
  ~WindowFolder() { navui::setErrorPresenter({}); }
  WindowFolder(const WindowFolder&) = delete;
  WindowFolder& operator=(const WindowFolder&) = delete;

  const std::string& path() const { return dir_.path(); }
  QStringList errors;

 private:
  ScratchFolder dir_;
};

template <class W>
W* child(QWidget* w, const char* name) {
  return w->findChild<W*>(QString::fromLatin1(name));
}

// The text a grid's cell shows, before any cutting.
inline QString cell(QTableView* grid, int row, int column) {
  return grid->model()->index(row, column).data().toString();
}

}  // namespace navtest
