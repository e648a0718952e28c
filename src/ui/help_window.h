#pragma once

#include <QDialog>

class QTextBrowser;

namespace navui {

// "Aide": the user guide with its table of keys and mouse buttons, the
// README's own French text. Not modal: the user plans beside it.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent);
  QTextBrowser* text() const { return text_; }

 private:
  QTextBrowser* text_ = nullptr;
};

}  // namespace navui
