#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "base/failure.h"

namespace navui {

// The window caption, also the caption of every error box.
QString applicationTitle();

// Shows an error text (Windows-1252 bytes, full stop already added). By
// default a modal critical message box; tests record the texts instead.
using ErrorPresenter = std::function<void(const QString& text)>;
void setErrorPresenter(ErrorPresenter presenter);  // empty: the message box again
void showError(const std::string& text);

// The reporter every guarded step hands its failure to.
const nav::FailureReporter& errorReporter();
// The same, for paints: the box is shown once the paint is over, since a
// modal box must not run inside a paint event.
const nav::FailureReporter& laterErrorReporter();

// Runs an event handler or a start-up step; a failure abandons it and is shown.
inline bool guarded(const std::function<void()>& step) { return nav::runGuarded(step, errorReporter()); }

// Runs `handler` under the guard whenever `signal` of `sender` fires, for as
// long as `context` lives: how every widget's signal reaches a handler.
template <class Sender, class Signal>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, std::function<void()> handler) {
  return QObject::connect(sender, signal, context, [handler = std::move(handler)] { guarded(handler); });
}

}  // namespace navui
