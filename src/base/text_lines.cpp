#include "base/text_lines.h"

namespace nav {

TextLines::TextLines(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

bool TextLines::next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t brk = std::min(text_.find_first_of("\r\n", pos_), text_.size());
  line = text_.substr(pos_, brk - pos_);
  pos_ = brk + 1;
  if (brk < text_.size() && text_[brk] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++count_;
  return true;
}

std::vector<std::string_view> firstLines(std::string_view text, std::size_t most) {
  std::vector<std::string_view> lines;
  TextLines all(text);
  std::string_view line;
  while (lines.size() < most && all.next(line)) lines.push_back(line);
  return lines;
}

}  // namespace nav
