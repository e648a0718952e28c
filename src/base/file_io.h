#pragma once

#include <string>

namespace nav {

// Reads a whole file into memory. Fails with "Cannot open file %s" when the
// file cannot be opened, and "Stream read error" when reading breaks off.
std::string readWholeFile(const std::string& path);

bool fileExists(const std::string& path);

// Replaces the content of `path` without ever leaving it half written: the
// content goes to a temporary file beside it, which is then renamed over it.
// Fails with `failureMessage` when that cannot be done; the old file is then
// untouched.
void replaceFileContent(const std::string& path, const std::string& content, const std::string& failureMessage);

}  // namespace nav
