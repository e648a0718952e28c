#include "flightplan/sit_writer.h"

#include <fmt/format.h>

#include <algorithm>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/text_lines.h"

namespace nav {

namespace {

class SitBuilder {
 public:
  explicit SitBuilder(const std::vector<std::string>& tags) : tags_(tags) {}

  // An entry line of the tag list at the current depth.
  void entry(std::size_t n) { line(tag(n)); }
  // A block opener: entry 16, then one level deeper.
  void open() {
    entry(tagEntry::blockOpen);
    ++depth_;
  }
  // A block closer: one level up, then entry 39.
  void close() {
    --depth_;
    entry(tagEntry::blockClose);
  }
  void line(const std::string& content) {
    std::string text(static_cast<std::size_t>(depth_), '\t');
    text += content;
    lines_.push_back(std::move(text));
  }
  // A cell written as a value line; CR and LF would break the file's line
  // structure, so they become spaces.
  void cell(std::string content) {
    std::replace_if(
        content.begin(), content.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    line(content);
  }
  std::vector<std::string> take() { return std::move(lines_); }

 private:
  const std::string& tag(std::size_t n) const {
    if (n >= tags_.size()) fail(fmt::format("List index out of bounds ({})", n));
    return tags_[n];
  }
  const std::vector<std::string>& tags_;
  std::vector<std::string> lines_;
  int depth_ = 0;
};

}  // namespace

std::vector<std::string> buildSitLines(const std::vector<PlanRow>& rows, const std::vector<std::string>& tags) {
  SitBuilder b(tags);
  b.open();
  b.entry(tagEntry::version);
  b.line("100");
  b.entry(tagEntry::firstBlank);
  b.line("");
  b.entry(tagEntry::planKind);
  b.line("plan");
  b.open();
  b.entry(tagEntry::aircraft);
  b.line("PELIRON.NFO");
  b.entry(tagEntry::startPosition);
  b.line("47 09'24.0000\"N");
  b.line("01 36'28.0000\"W");
  b.line("0.");
  b.entry(tagEntry::planMode);
  b.line("plan");
  b.entry(tagEntry::viewOffset);
  b.line("0.024344,6.209207,-0.004015");
  b.entry(tagEntry::viewMode);
  b.line("cock");
  b.entry(tagEntry::secondBlank);
  b.line("");
  b.entry(tagEntry::waypointList);
  b.open();

  for (const PlanRow& row : rows) {
    b.entry(tagEntry::wpnt);
    b.cell(row[colType]);
    b.open();
    b.entry(tagEntry::name);
    b.cell(row[colName]);
    b.entry(tagEntry::llps);
    b.cell(row[colLat] + "," + row[colLon] + "," + row[colXx] + "," + row[colYy]);
    b.entry(tagEntry::dbky);
    b.cell(row[colDbky]);
    b.entry(tagEntry::type);
    b.cell(row[colType]);
    b.entry(tagEntry::altd);
    b.cell(row[colAlt]);
    b.entry(tagEntry::sped);
    b.cell(row[colSped]);
    b.entry(tagEntry::waypointDetails);
    b.open();
    b.entry(tagEntry::detailKind);
    b.line("Unknown");
    b.entry(tagEntry::detailName);
    b.line("None");
    for (const std::size_t n : tagEntry::detailZeros) {
      b.entry(n);
      b.line("0.");
    }
    b.close();
    b.entry(tagEntry::warp);
    b.line("0");
    b.close();
  }

  b.entry(tagEntry::indx);
  b.line("0");
  b.close();
  b.close();
  b.close();
  return b.take();
}

std::string sitFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) {
    text += l;
    text += "\r\n";
  }
  return text;
}

void ecris_pln(const std::vector<PlanRow>& rows, const std::string& tagListPath, const std::string& outputPath) {
  // Only the entries the writer uses are kept; the rest of the file is
  // never split.
  const std::string tagText = readWholeFile(tagListPath, kTextFileLimit);
  const std::vector<std::string_view> entries = firstLines(tagText, tagEntry::used);
  const std::vector<std::string> tags(entries.begin(), entries.end());
  const std::string text = sitFileText(buildSitLines(rows, tags));
  replaceFileContent(outputPath, text, fmt::format("Cannot create file {}", outputPath));
}

}  // namespace nav
