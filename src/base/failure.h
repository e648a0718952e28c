#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace nav {

// A failure carries the message the user is shown; handlers do not catch it
// themselves, the guard around every handler does.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& message);

// The text of the error box: a full stop is added unless the message already
// ends with one or with a character whose code is below it (space, '!', ...).
std::string withFullStop(std::string message);

using FailureReporter = std::function<void(const std::string& text)>;

// Runs `step`; any exception it throws is turned into the error box text and
// handed to `report`. Returns false when the step failed.
bool runGuarded(const std::function<void()>& step, const FailureReporter& report);

// The error box text for the exception being handled (call inside a catch).
std::string currentFailureText();

}  // namespace nav
