#include "flightplan/sit_reader.h"

#include <fmt/format.h>

#include <algorithm>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/text_lines.h"

namespace nav {

namespace {

class LineCursor {
 public:
  explicit LineCursor(const std::vector<std::string>& lines) : lines_(lines) {}

  // The first line from the cursor on that holds `tag`; the search never
  // goes back.
  std::size_t find(std::string_view tag) {
    while (i_ < lines_.size() && lines_[i_].find(tag) == std::string::npos) ++i_;
    if (i_ >= lines_.size()) fail(fmt::format("List index out of bounds ({})", lines_.size()));
    return i_;
  }
  // The value after the next line holding `tag`: that line with every TAB
  // taken out. The cursor stays on the value line.
  std::string value(std::string_view tag) {
    find(tag);
    ++i_;
    if (i_ >= lines_.size()) fail(fmt::format("List index out of bounds ({})", lines_.size()));
    std::string v = lines_[i_];
    v.erase(std::remove(v.begin(), v.end(), '\t'), v.end());
    return v;
  }
  void skip(std::size_t n) { i_ += n; }
  void moveAfter(std::string_view tag) { i_ = find(tag) + 1; }
  // "<wpnt>" before "<indx>" on the same line.
  bool nextIsWaypoint() {
    while (i_ < lines_.size()) {
      if (lines_[i_].find("<wpnt>") != std::string::npos) return true;
      if (lines_[i_].find("<indx>") != std::string::npos) return false;
      ++i_;
    }
    fail(fmt::format("List index out of bounds ({})", lines_.size()));
  }

 private:
  const std::vector<std::string>& lines_;
  std::size_t i_ = 0;
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

std::vector<PlanRow> parseSit(const std::vector<std::string>& lines) {
  LineCursor at(lines);
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

std::vector<PlanRow> readSitFile(const std::string& path) { return parseSit(splitLines(readWholeFile(path))); }

}  // namespace nav
