#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace navtools {

// Reads comma-separated text row by row: fields may be quoted, a quoted
// field may hold commas, line ends and doubled quotes; lines end with CRLF,
// LF or CR. The first row names the columns, and every row must have as many
// fields as it. Blank lines between rows are skipped. Failures name the file
// and the line the row starts on.
class CsvReader {
 public:
  // `text` must outlive the reader; `fileName` is only for the messages. Reads
  // the header row; fails when there is none.
  CsvReader(std::string_view text, std::string fileName);

  std::size_t columnCount() const { return header_.size(); }
  std::optional<std::size_t> findColumn(std::string_view name) const;
  // Fails naming the file when there is no column `name`.
  std::size_t column(std::string_view name) const;

  // Reads the next row; false at the end of the text.
  bool next();
  // A field of the row last read, by the index findColumn gave.
  const std::string& field(std::size_t column) const { return fields_.at(column); }
  // The line the row last read starts on, counted from 1 (the header).
  std::size_t line() const { return rowLine_; }
  const std::string& fileName() const { return fileName_; }

  // Fails with `message`, naming the file and the line of the row last read.
  [[noreturn]] void failOnRow(std::string_view message) const;

 private:
  [[noreturn]] void failAt(std::size_t line, std::string_view message) const;
  // Reads one row into fields_ and returns its number of fields.
  std::size_t readRow();
  void readQuoted(std::string& field);
  bool atLineEnd() const;
  void skipLineEnd();

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t rowLine_ = 1;
  std::vector<std::string> header_;
  std::vector<std::string> fields_;
};

}  // namespace navtools
