#include "tools/csv_reader.h"

#include <fmt/format.h>

#include <algorithm>

#include "app/failure.h"

namespace navtools {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

CsvReader::CsvReader(std::string_view text, std::string fileName) : text_(text), fileName_(std::move(fileName)) {
  // Spreadsheet programs put a byte order mark before the header.
  if (text_.starts_with(kUtf8Bom)) pos_ = kUtf8Bom.size();
  if (!next()) failAt(1, "no header line");
  header_ = fields_;
}

std::optional<std::size_t> CsvReader::findColumn(std::string_view name) const {
  for (std::size_t i = 0; i < header_.size(); ++i)
    if (header_[i] == name) return i;
  return std::nullopt;
}

std::size_t CsvReader::column(std::string_view name) const {
  if (const auto i = findColumn(name)) return *i;
  failAt(1, fmt::format("no column \"{}\" in the header", name));
}

bool CsvReader::next() {
  while (pos_ < text_.size() && atLineEnd()) skipLineEnd();
  if (pos_ >= text_.size()) return false;
  rowLine_ = line_;
  const std::size_t count = readRow();
  // The header itself is read before header_ is set.
  if (!header_.empty() && count != header_.size())
    failAt(rowLine_, fmt::format("{} fields where the header has {}", count, header_.size()));
  return true;
}

void CsvReader::failOnRow(std::string_view message) const { failAt(rowLine_, message); }

void CsvReader::failAt(std::size_t line, std::string_view message) const {
  nav::fail(fmt::format("{}, line {}: {}", fileName_, line, message));
}

bool CsvReader::atLineEnd() const { return text_[pos_] == '\n' || text_[pos_] == '\r'; }

void CsvReader::skipLineEnd() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

std::size_t CsvReader::readRow() {
  std::size_t count = 0;
  for (;;) {
    if (count == fields_.size()) fields_.emplace_back();
    std::string& field = fields_[count++];
    field.clear();
    if (pos_ < text_.size() && text_[pos_] == '"') {
      readQuoted(field);
    } else {
      const std::size_t end = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
      const std::string_view raw = text_.substr(pos_, end - pos_);
      if (raw.find('"') != std::string_view::npos) failAt(line_, "a quote inside a field that does not start with one");
      field.assign(raw);
      pos_ = end;
    }
    if (pos_ < text_.size() && text_[pos_] == ',') {
      ++pos_;
      continue;
    }
    if (pos_ < text_.size()) skipLineEnd();
    return count;
  }
}

void CsvReader::readQuoted(std::string& field) {
  const std::size_t openedOn = line_;
  ++pos_;
  for (;;) {
    const std::size_t quote = text_.find('"', pos_);
    if (quote == std::string_view::npos) failAt(openedOn, "a quoted field is not closed before the end of the file");
    const std::string_view chunk = text_.substr(pos_, quote - pos_);
    for (std::size_t i = 0; i < chunk.size(); ++i)
      if (chunk[i] == '\n' || (chunk[i] == '\r' && (i + 1 == chunk.size() || chunk[i + 1] != '\n'))) ++line_;
    field.append(chunk);
    pos_ = quote + 1;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      field += '"';
      ++pos_;
      continue;
    }
    break;
  }
  if (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
    failAt(line_, "text after the closing quote of a field");
}

}  // namespace navtools
