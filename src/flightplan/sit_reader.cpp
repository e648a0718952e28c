#include "flightplan/sit_reader.h"

#include <fmt/format.h>

#include <algorithm>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/text_lines.h"

namespace nav {

namespace {

// Walks the lines forward only, one at a time: the file is never split
// into a list, so a file of bare line breaks costs no more than its bytes.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : lines_(text) { advance(); }

  // Moves to the first line from the cursor on that holds `tag`.
  void find(std::string_view tag) {
    while (!atEnd_ && line_.find(tag) == std::string_view::npos) advance();
    if (atEnd_) outOfBounds();
  }
  // The value after the next line holding `tag`: that line with every TAB
  // taken out. The cursor stays on the value line.
  std::string value(std::string_view tag) {
    find(tag);
    advance();
    if (atEnd_) outOfBounds();
    std::string v(line_);
    v.erase(std::remove(v.begin(), v.end(), '\t'), v.end());
    return v;
  }
  void skip(std::size_t n) {
    for (std::size_t i = 0; i < n && !atEnd_; ++i) advance();
  }
  void moveAfter(std::string_view tag) {
    find(tag);
    advance();
  }
  // "<wpnt>" before "<indx>" on the same line.
  bool nextIsWaypoint() {
    for (; !atEnd_; advance()) {
      if (line_.find("<wpnt>") != std::string_view::npos) return true;
      if (line_.find("<indx>") != std::string_view::npos) return false;
    }
    outOfBounds();
  }

 private:
  void advance() { atEnd_ = !lines_.next(line_); }
  // The search ran past the last line: the message gives the number of lines.
  [[noreturn]] void outOfBounds() {
    while (lines_.next(line_)) {
    }
    fail(fmt::format("List index out of bounds ({})", lines_.count()));
  }

  TextLines lines_;
  std::string_view line_;
  bool atEnd_ = false;
};

// Text before the first comma, and what follows it; without a comma, nothing
// and the whole text.
std::string takeBeforeComma(std::string& rest) {
  const std::size_t comma = rest.find(',');
  if (comma == std::string::npos) return {};
  std::string head = rest.substr(0, comma);
  rest.erase(0, comma + 1);
  return head;
}

}  // namespace

std::vector<PlanRow> parseSit(std::string_view text) {
  LineCursor at(text);
  std::vector<PlanRow> rows;
  at.find("<wpnt>");
  at.skip(2);
  while (true) {
    PlanRow row;
    row[colName] = at.value("<name>");
    std::string position = at.value("<llps>");
    row[colLat] = takeBeforeComma(position);
    row[colLon] = takeBeforeComma(position);
    row[colXx] = takeBeforeComma(position);
    row[colYy] = position;
    row[colDbky] = at.value("<dbky>");
    row[colType] = at.value("<type>");
    row[colAlt] = at.value("<altd>");
    row[colSped] = at.value("<sped>");
    row[colTypeLoaded] = at.value("<warp>");
    at.moveAfter("<endo>");
    const bool more = at.nextIsWaypoint();
    rows.push_back(std::move(row));
    if (!more) break;
  }
  return rows;
}

std::vector<PlanRow> readSitFile(const std::string& path) { return parseSit(readWholeFile(path, kTextFileLimit)); }

}  // namespace nav
