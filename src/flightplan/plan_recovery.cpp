#include "flightplan/plan_recovery.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

#include "base/failure.h"
#include "base/file_io.h"

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

class RecoveryReader {
 public:
  explicit RecoveryReader(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      const std::size_t stop = end == std::string_view::npos ? text.size() : end;
      lines_.push_back(text.substr(start, stop - start));
      start = stop + 1;
    }
  }

  // The line read last, or the one given (counted from 1).
  [[noreturn]] void bad() const { bad(next_); }
  [[noreturn]] static void bad(std::size_t line) {
    fail(fmt::format("Plan non enregistr\xE9 illisible (ligne {})", line));
  }

  std::string_view line() {
    if (next_ >= lines_.size()) {
      ++next_;
      bad();
    }
    return lines_[next_++];
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
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
};

}  // namespace

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
    if (l.substr(0, 4) != "row\t") in.bad();
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

FlightPlan readRecoveryFile(const std::string& path) {
  const std::string text = readWholeFile(path);
  try {
    return parseRecovery(text);
  } catch (const Failure& damaged) {
    const std::string aside = path + ".illisible";
    std::error_code ec;
    std::filesystem::rename(path, aside, ec);
    if (ec) throw;
    fail(fmt::format("{} ; il est gard\xE9 dans {}", damaged.what(), aside));
  }
}

void removeRecoveryFile(const std::string& path) {
  std::error_code ignored;  // none there is the usual case
  std::filesystem::remove(path, ignored);
}

}  // namespace nav
