#include "tools/csv_reader.h"

#include <fmt/format.h>

#include <algorithm>

#include "base/failure.h"

namespace navtools {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

CsvReader::CsvReader(std::string_view text, std::string fileName) : text_(text), fileName_(std::move(fileName)) {
  // Spreadsheet programs put a byte order mark before the header.
  if (text_.starts_with(kUtf8Bom)) pos_ = kUtf8Bom.size();
  if (!next()) failAt(1, "no header line");
  // Without trusted column names no row can be read.
  if (fault_) failAt(rowLine_, fault_->detail + " in the header");
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
  fault_.reset();
  const std::size_t count = readRow();
  // The header itself is read before header_ is set.
  if (!header_.empty() && count != header_.size() && !fault_)
    fault_ =
        RowFault{"wrong number of fields", fmt::format("{} fields where the header has {}", count, header_.size())};
  if (count < fields_.size()) fields_.resize(count);
  return true;
}

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
    if (pos_ < text_.size() && text_[pos_] == '"')
      readQuoted(field);
    else
      readUnquoted(field);
    if (pos_ < text_.size() && text_[pos_] == ',') {
      ++pos_;
      continue;
    }
    if (pos_ < text_.size()) skipLineEnd();
    return count;
  }
}

void CsvReader::readUnquoted(std::string& field) {
  const std::size_t end = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
  field.assign(text_.substr(pos_, end - pos_));
  pos_ = end;
}

void CsvReader::readQuoted(std::string& field) {
  const std::size_t openedOn = line_;
  ++pos_;
  for (;;) {
    const std::size_t quote = text_.find('"', pos_);
    // Reported where the quote opened: the end of the file says nothing.
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
  if (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) {
    // Most likely a quote in the text that was not doubled: where the field
    // was meant to end cannot be told, so the row is not taken, but reading
    // on to the next comma or line end finds the next row.
    if (!fault_)
      fault_ = RowFault{"text after the closing quote of a field", "text after the closing quote of a field"};
    std::string rest;
    readUnquoted(rest);
    field += rest;
  }
}

}  // namespace navtools
