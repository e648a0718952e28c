#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nav {

// The lines of a text as the tag list and saved-simulation files are read:
// split at CR, LF and CR LF; a NUL byte ends the text; a last line without a
// break counts. Each line is a view into the text, found when asked for, so
// reading costs no more than the text itself.
class TextLines {
 public:
  explicit TextLines(std::string_view text);

  // The next line, or false at the end of the text.
  bool next(std::string_view& line);
  // How many lines next() has given.
  std::size_t count() const { return count_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t count_ = 0;
};

// The first `most` lines of a text, or all of them when it has fewer.
std::vector<std::string_view> firstLines(std::string_view text, std::size_t most);

}  // namespace nav
