#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace navtools {

// Why a row is not taken. Rows are counted by `reason`; `detail` tells this
// row's own case.
struct RowFault {
  std::string reason;
  std::string detail;
};

// Reads comma-separated text row by row: fields may be quoted, a quoted
// field may hold commas, line ends and doubled quotes; lines end with CRLF,
// LF or CR. The first row names the columns. Blank lines between rows are
// skipped. A quote inside a field that does not start with one is text.
//
// Only what leaves the rest of the text unreadable fails, naming the file and
// the line: no header, a broken header, a quote that never closes. A row that
// is merely broken (fields other than the header's, text after a closing
// quote) is read to its end and given a rowFault(): the rows after it are
// read as usual.
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
  // Why the fields of the row last read cannot be taken for the columns.
  const std::optional<RowFault>& rowFault() const { return fault_; }
  // A field of the row last read, by the index findColumn gave; only for a
  // row without a fault.
  const std::string& field(std::size_t column) const { return fields_.at(column); }
  // The line the row last read starts on, counted from 1 (the header).
  std::size_t line() const { return rowLine_; }
  const std::string& fileName() const { return fileName_; }

 private:
  [[noreturn]] void failAt(std::size_t line, std::string_view message) const;
  // Reads one row into fields_ and returns its number of fields.
  std::size_t readRow();
  void readQuoted(std::string& field);
  void readUnquoted(std::string& field);
  bool atLineEnd() const;
  void skipLineEnd();

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t rowLine_ = 1;
  std::vector<std::string> header_;
  // Reused from row to row, so that a row's fields rarely allocate.
  std::vector<std::string> fields_;
  std::optional<RowFault> fault_;
};

}  // namespace navtools
