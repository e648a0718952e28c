#include "flightplan/plan_recovery.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/native_file.h"

namespace nav {

namespace {

constexpr std::string_view kHeader = "plandevol plan non enregistre 1";
constexpr std::string_view kEnd = "fin";

std::string escaped(const std::string& cell) {
  std::string out;
  for (const char c : cell) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

// Reads the text line by line as it goes: an index of every line would take
// many times the file for a file of line breaks.
class RecoveryReader {
 public:
  explicit RecoveryReader(std::string_view text) : text_(text) {
    // Written with a byte-order mark and CR LF by an editor: read the same.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
  }

  // The line read last, or the one given (counted from 1).
  [[noreturn]] void bad() const { bad(read_); }
  [[noreturn]] static void bad(std::size_t line) {
    fail(fmt::format("Plan non enregistr\xE9 illisible (ligne {})", line));
  }

  std::string_view line() {
    ++read_;
    if (at_ >= text_.size()) bad();
    const std::size_t end = text_.find('\n', at_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view l = text_.substr(at_, stop - at_);
    at_ = stop + 1;
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);  // a CR of a cell is written \r
    return l;
  }

  // "key<TAB>number"
  long long number(std::string_view key, long long low, long long high) {
    const std::string_view l = line();
    if (l.size() <= key.size() + 1 || l.substr(0, key.size()) != key || l[key.size()] != '\t') bad();
    const std::string_view digits = l.substr(key.size() + 1);
    long long v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc{} || end != digits.data() + digits.size() || v < low || v > high) bad();
    return v;
  }

  PlanRow row(std::string_view l) {
    PlanRow row;
    std::size_t cell = 0;
    for (std::size_t i = 4; i < l.size(); ++i) {  // after "row\t"
      const char c = l[i];
      if (c == '\t') {
        if (++cell >= kPlanColumns) bad();
      } else if (c == '\\') {
        if (++i >= l.size()) bad();
        switch (l[i]) {
          case 't': row.cells[cell] += '\t'; break;
          case 'n': row.cells[cell] += '\n'; break;
          case 'r': row.cells[cell] += '\r'; break;
          case '\\': row.cells[cell] += '\\'; break;
          default: bad();
        }
      } else {
        row.cells[cell] += c;
      }
    }
    if (cell + 1 != kPlanColumns) bad();
    return row;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t read_ = 0;
};

}  // namespace

std::string recoveryFileName(int n) {
  return n <= 1 ? std::string(kRecoveryFile) : fmt::format("plan_non_enregistre.{}.txt", n);
}

std::vector<std::string> recoveryFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = utf8FromPath(it->path().filename());
    if (name.rfind("plan_non_enregistre", 0) != 0 || name.size() < 4 || name.substr(name.size() - 4) != ".txt")
      continue;
    std::error_code timeUnknown;
    found.emplace_back(it->last_write_time(timeUnknown), folder + name);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& [time, path] : found) paths.push_back(std::move(path));
  return paths;
}

bool isBlankPlan(const FlightPlan& plan) { return plan.rows.size() == 1 && plan.rows[0] == PlanRow{}; }

std::string recoveryText(const FlightPlan& plan) {
  std::string out = fmt::format("{}\ncurrent\t{}\nrouteShown\t{}\nsaveEnabled\t{}\nuserPointCounter\t{}\n", kHeader,
                                plan.current, plan.routeShown ? 1 : 0, plan.saveEnabled ? 1 : 0, plan.userPointCounter);
  for (const PlanRow& row : plan.rows) {
    out += "row";
    for (const std::string& cell : row.cells) out += '\t' + escaped(cell);
    out += '\n';
  }
  out += kEnd;
  out += '\n';
  return out;
}

FlightPlan parseRecovery(std::string_view text) {
  RecoveryReader in(text);
  if (in.line() != kHeader) in.bad();
  FlightPlan plan;
  const auto current = static_cast<std::size_t>(in.number("current", 0, 1 << 30));
  plan.routeShown = in.number("routeShown", 0, 1) == 1;
  plan.saveEnabled = in.number("saveEnabled", 0, 1) == 1;
  plan.userPointCounter = static_cast<std::int32_t>(in.number(
      "userPointCounter", std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  plan.rows.clear();
  for (std::string_view l = in.line(); l != kEnd; l = in.line()) {
    if (l.substr(0, 4) != "row\t" || plan.rows.size() >= kRecoveryRowLimit) in.bad();
    plan.rows.push_back(in.row(l));
  }
  if (plan.rows.empty()) in.bad();
  if (current >= plan.rows.size()) RecoveryReader::bad(2);
  plan.current = current;
  return plan;
}

void writeRecoveryFile(const std::string& path, const FlightPlan& plan) {
  replaceFileContent(path, recoveryText(plan), fmt::format("Cannot create file {}", path));
}

namespace {

// Where a damaged file went, if it could go anywhere.
std::optional<std::string> moveAside(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path from = pathFromUtf8(path);
  for (int n = 1; n <= 1000; ++n) {
    const std::string aside = n == 1 ? path + ".illisible" : fmt::format("{}.illisible.{}", path, n);
    const fs::path to = pathFromUtf8(aside);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) continue;
    // A hard link, then the old name removed: never over a file that came
    // meanwhile, as a rename would be.
    if (nativeFile::linkTo(from, to)) {
      fs::remove(from, ec);
      return aside;
    }
    fs::rename(from, to, ec);
    if (!ec) return aside;
  }
  return std::nullopt;
}

}  // namespace

FlightPlan readRecoveryFile(const std::string& path) {
  const std::string text = readWholeFile(path, kRecoveryFileLimit);
  try {
    return parseRecovery(text);
  } catch (const Failure& damaged) {
    const std::optional<std::string> aside = moveAside(path);
    if (!aside) throw;
    fail(fmt::format("{} ; il est gard\xE9 dans {}", damaged.what(), *aside));
  }
}

void removeRecoveryFile(const std::string& path) {
  std::error_code ignored;  // none there is the usual case
  std::filesystem::remove(path, ignored);
}

}  // namespace nav
