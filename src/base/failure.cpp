#include "base/failure.h"

#include <new>

namespace nav {

void fail(const std::string& message) { throw Failure(message); }

std::string withFullStop(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

std::string currentFailureText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return withFullStop("Out of memory");
  } catch (const std::exception& e) {
    return withFullStop(e.what());
  } catch (...) {
    return withFullStop("Unexpected error");
  }
}

bool runGuarded(const std::function<void()>& step, const FailureReporter& report) {
  try {
    step();
    return true;
  } catch (...) {
    const std::string text = currentFailureText();
    if (report) report(text);
    return false;
  }
}

}  // namespace nav
