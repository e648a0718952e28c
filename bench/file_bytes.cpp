#include "file_bytes.h"

#include <fstream>

namespace navbench {

std::unique_ptr<char[]> readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  const auto size = static_cast<std::size_t>(in.tellg());
  in.seekg(0);
  // Uninitialised: the bytes read are the first thing written there.
  std::unique_ptr<char[]> data(new char[size]);
  in.read(data.get(), static_cast<std::streamsize>(size));
  return data;
}

}  // namespace navbench
