#include "tools/csv_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "test_support.h"

namespace {

// A row as read: its fields, or the fault that keeps them from being taken.
struct Row {
  std::size_t line;
  std::vector<std::string> fields;
  std::string fault{};
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& row) {
  os << "line " << row.line << ':';
  for (const std::string& f : row.fields) os << " [" << f << ']';
  if (!row.fault.empty()) os << " fault: " << row.fault;
  return os;
}

std::vector<Row> readAll(std::string_view text) {
  navtools::CsvReader csv(text, "t.csv");
  std::vector<Row> rows;
  while (csv.next()) {
    Row row{csv.line(), {}};
    if (const auto& fault = csv.rowFault())
      row.fault = fault->reason + " / " + fault->detail;
    else
      for (std::size_t c = 0; c < csv.columnCount(); ++c) row.fields.push_back(csv.field(c));
    rows.push_back(row);
  }
  return rows;
}

std::string failureOf(std::string_view text) {
  return navtest::failureMessage([&] {
    navtools::CsvReader csv(text, "dir/t.csv");
    while (csv.next()) {
    }
  });
}

TEST(CsvReader, QuotedFieldsKeepCommasLineEndsAndQuotes) {
  const std::vector<Row> rows = readAll(
      "a,b,c\n"
      "\"x, y\",\"say \"\"hi\"\"\",\"\"\n"
      "\"two\r\nlines\",\"lf\nonly\",\"\"\"\"\n"
      "plain,,\"\"\"quoted\"\" start\"\n");
  const std::vector<Row> expected = {
      {2, {"x, y", "say \"hi\"", ""}},
      {3, {"two\r\nlines", "lf\nonly", "\""}},
      // The line count goes on past the line ends inside quotes.
      {6, {"plain", "", "\"quoted\" start"}},
  };
  EXPECT_EQ(rows, expected);
}

TEST(CsvReader, AnyLineEndBlankLinesAndAByteOrderMark) {
  const std::vector<Row> rows = readAll(
      "\xEF\xBB\xBF"
      "a,b,c\r\n"
      "1,2,3\r\n"
      "\r\n"
      "4,5,6\r"
      "7,8,\n"
      "\n"
      ",,9");
  const std::vector<Row> expected = {
      {2, {"1", "2", "3"}}, {4, {"4", "5", "6"}}, {5, {"7", "8", ""}}, {7, {"", "", "9"}}};
  EXPECT_EQ(rows, expected);
}

TEST(CsvReader, ColumnsAreFoundByTheirHeaderName) {
  navtools::CsvReader csv("\"id\",\"name\",\"kind\"\n7,\"Orly\",airport\n", "t.csv");
  EXPECT_EQ(csv.columnCount(), 3u);
  EXPECT_EQ(csv.column("kind"), 2u);
  EXPECT_EQ(csv.findColumn("name"), 1u);
  EXPECT_EQ(csv.findColumn("Name"), std::nullopt);
  ASSERT_TRUE(csv.next());
  EXPECT_EQ(csv.field(csv.column("name")), "Orly");
  EXPECT_FALSE(csv.next());
  EXPECT_FALSE(csv.next());

  EXPECT_EQ(navtest::failureMessage([&] { csv.column("gps_code"); }),
            "t.csv, line 1: no column \"gps_code\" in the header");
}

TEST(CsvReader, TextThatCannotBeReadOnNamesTheFileAndTheLine) {
  struct Case {
    std::string text, expected;
  };
  for (const Case& c : {
           Case{"", "dir/t.csv, line 1: no header line"},
           Case{"\n\r\n", "dir/t.csv, line 1: no header line"},
           // Reported where the quote opened, not at the end of the file.
           Case{"a,b\n1,\"open\n2,3\n4,5\n",
                "dir/t.csv, line 2: a quoted field is not closed before the end of the file"},
           Case{"a,b\n1,\"x\"\"\n", "dir/t.csv, line 2: a quoted field is not closed before the end of the file"},
           Case{"a,b\n1,2\n3,4\n\"x\"y,\"\n",
                "dir/t.csv, line 4: a quoted field is not closed before the end of the file"},
           // Without trusted names no column can be found.
           Case{"\"a\"x,b\n1,2\n", "dir/t.csv, line 1: text after the closing quote of a field in the header"},
       })
    EXPECT_EQ(failureOf(c.text), c.expected) << c.text;
}

TEST(CsvReader, ABrokenRowIsMarkedAndTheNextOnesAreReadAsUsual) {
  const std::vector<Row> rows = readAll(
      "a,b\n"
      "1,2\n"
      "3\n"
      "\"x\ny\",2,3\n"
      "\"Old \"field\",4\n"
      "\"a, \"b, c\" d\",5\n"
      "Boulogne \"Nord\",\"z\"\"\"\n");
  const std::vector<Row> expected = {
      {2, {"1", "2"}},
      {3, {}, "wrong number of fields / 1 fields where the header has 2"},
      {4, {}, "wrong number of fields / 3 fields where the header has 2"},
      // An undoubled quote: where the field ends cannot be told.
      {6, {}, "text after the closing quote of a field / text after the closing quote of a field"},
      {7, {}, "text after the closing quote of a field / text after the closing quote of a field"},
      // In a field that does not start with one, a quote is text.
      {8, {"Boulogne \"Nord\"", "z\""}},
  };
  EXPECT_EQ(rows, expected);
}

}  // namespace
