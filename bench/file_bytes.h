#pragma once

#include <memory>
#include <string>

namespace navbench {

// A file's bytes read into memory of their own (none when it cannot be
// read): the least any loading does with the file.
std::unique_ptr<char[]> readFileBytes(const std::string& path);

}  // namespace navbench
