#include "ui/nav_popup.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace navui {

Tform_NavPopup::Tform_NavPopup(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("form_NavPopup"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setCursor(Qt::CrossCursor);
  // The black window colour shows as the 1-pixel border around the memo.
  setAutoFillBackground(true);
  QPalette frame = palette();
  frame.setColor(QPalette::Window, Qt::black);
  setPalette(frame);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->document()->setDocumentMargin(0);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  Memo1->setFont(font);
  QPalette memo = Memo1->palette();
  memo.setColor(QPalette::Base, Qt::white);
  memo.setColor(QPalette::Text, Qt::black);
  Memo1->setPalette(memo);
  layout->addWidget(Memo1);

  setFixedSize(kClientWidth + 2, kClientHeight + 2);
}

void Tform_NavPopup::setText(const QString& text) { Memo1->setPlainText(text); }

QString Tform_NavPopup::text() const { return Memo1->toPlainText(); }

}  // namespace navui
