#include "base/ini_file.h"

#include <algorithm>

namespace nav {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool sameText(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The name of a section line "[name]", or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

bool isKeyLine(std::string_view line, std::string_view key, std::string_view* value) {
  const auto eq = line.find('=');
  if (eq == npos) return false;
  if (!sameText(trim(line.substr(0, eq)), key)) return false;
  if (value) *value = trim(line.substr(eq + 1));
  return true;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
  IniFile ini;
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (text.starts_with(kUtf8Bom)) {
    ini.byteOrderMark_ = kUtf8Bom;
    text.remove_prefix(kUtf8Bom.size());
  }
  ini.text_ = text;
  return ini;
}

IniFile::Found IniFile::find(std::string_view section, std::string_view key) const {
  Found found{npos, npos, npos, npos};
  const std::string_view text = text_;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t brk = std::min(text.find_first_of("\r\n", pos), text.size());
    std::size_t next = brk < text.size() ? brk + 1 : brk;
    if (brk < text.size() && text[brk] == '\r' && next < text.size() && text[next] == '\n') ++next;
    const std::string_view line = text.substr(pos, brk - pos);
    if (line.empty()) {
      // Nothing to learn from a bare line break, and a file may hold millions.
    } else if (auto name = sectionName(line)) {
      if (found.sectionLine != npos) break;  // the wanted section has ended
      if (sameText(*name, section)) {
        found.sectionLine = pos;
        found.sectionEnd = next;
      }
    } else if (found.sectionLine != npos) {
      if (!trim(line).empty()) found.sectionEnd = next;
      if (found.keyStart == npos && isKeyLine(line, key, nullptr)) {
        found.keyStart = pos;
        found.keyEnd = brk;
      }
    }
    pos = next;
  }
  return found;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const Found found = find(section, key);
  if (found.keyStart == npos) return std::nullopt;
  std::string_view v;
  isKeyLine(std::string_view(text_).substr(found.keyStart, found.keyEnd - found.keyStart), key, &v);
  return std::string(v.substr(0, kMaxValueLength));
}

std::string IniFile::newLineEnding() const {
  const std::size_t brk = text_.find_first_of("\r\n");
  if (brk == npos) return "\n";
  return text_[brk] == '\r' && brk + 1 < text_.size() && text_[brk + 1] == '\n' ? "\r\n" : text_.substr(brk, 1);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string content = std::string(key) + "=" + std::string(value);
  const Found found = find(section, key);
  if (found.keyStart != npos) {
    text_.replace(found.keyStart, found.keyEnd - found.keyStart, content);
    return;
  }
  const std::string ending = newLineEnding();
  const std::size_t at = found.sectionLine == npos ? text_.size() : found.sectionEnd;
  std::string added;
  // A last line without a line break gets one before anything follows it.
  if (at == text_.size() && !text_.empty() && text_.back() != '\n' && text_.back() != '\r') added = ending;
  if (found.sectionLine == npos) added += "[" + std::string(section) + "]" + ending;
  added += content + ending;
  text_.insert(at, added);
}

std::string IniFile::text() const { return byteOrderMark_ + text_; }

}  // namespace nav
