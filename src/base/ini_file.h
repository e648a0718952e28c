#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nav {

// An INI text that can be read key by key and changed key by key while every
// other line keeps its bytes. Sections and keys match without regard to case,
// as the simulator's own settings files do.
class IniFile {
 public:
  static IniFile parse(std::string_view text);

  // The value of the first `key` in the first section `section`, trimmed of
  // surrounding blanks and cut to at most 2047 characters.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  // Sets the value of the first such key; a missing key is added at the end of
  // its section, a missing section at the end of the file.
  void setValue(std::string_view section, std::string_view key, std::string_view value);

  std::string text() const;

  static constexpr std::size_t kMaxValueLength = 2047;

 private:
  // Offsets into text_; npos where the section or key is missing.
  struct Found {
    std::size_t sectionLine;  // start of the section's line
    std::size_t keyStart;     // start of the key's line
    std::size_t keyEnd;       // end of that line before its break
    std::size_t sectionEnd;   // after the break of the section's last non-blank line
  };
  Found find(std::string_view section, std::string_view key) const;
  std::string newLineEnding() const;

  // The text as it was read, changed in place: no copy of it line by line,
  // so that a file of bare line breaks costs no more than its bytes.
  std::string text_;
  std::string byteOrderMark_;  // kept as it was, so that it hides no section
};

}  // namespace nav
