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
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto brk = text.find_first_of("\r\n", pos);
    if (brk == npos) {
      ini.lines_.push_back({std::string(text.substr(pos)), ""});
      break;
    }
    std::size_t next = brk + 1;
    if (text[brk] == '\r' && next < text.size() && text[next] == '\n') ++next;
    ini.lines_.push_back({std::string(text.substr(pos, brk - pos)), std::string(text.substr(brk, next - brk))});
    pos = next;
  }
  return ini;
}

IniFile::Found IniFile::find(std::string_view section, std::string_view key) const {
  Found found{npos, npos, npos};
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = sectionName(lines_[i].content)) {
      if (found.sectionLine != npos) break;  // the wanted section has ended
      if (sameText(*name, section)) {
        found.sectionLine = i;
        found.sectionEnd = i + 1;
      }
      continue;
    }
    if (found.sectionLine == npos) continue;
    if (!trim(lines_[i].content).empty()) found.sectionEnd = i + 1;
    if (found.keyLine == npos && isKeyLine(lines_[i].content, key, nullptr)) found.keyLine = i;
  }
  return found;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const Found found = find(section, key);
  if (found.keyLine == npos) return std::nullopt;
  std::string_view v;
  isKeyLine(lines_[found.keyLine].content, key, &v);
  return std::string(v.substr(0, kMaxValueLength));
}

std::string IniFile::newLineEnding() const {
  for (const auto& line : lines_)
    if (!line.ending.empty()) return line.ending;
  return "\n";
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string content = std::string(key) + "=" + std::string(value);
  const Found found = find(section, key);
  if (found.keyLine != npos) {
    lines_[found.keyLine].content = std::move(content);
    return;
  }
  const std::string ending = newLineEnding();
  const std::size_t at = found.sectionLine == npos ? lines_.size() : found.sectionEnd;
  // A last line without a line break gets one before anything follows it.
  if (at == lines_.size() && !lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = ending;
  std::vector<Line> added;
  if (found.sectionLine == npos) added.push_back({"[" + std::string(section) + "]", ending});
  added.push_back({std::move(content), ending});
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
}

std::string IniFile::text() const {
  std::string out = byteOrderMark_;
  for (const auto& line : lines_) out += line.content + line.ending;
  return out;
}

}  // namespace nav
