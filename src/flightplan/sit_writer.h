#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

inline constexpr const char* kTagListFile = "liste.txt";

// The tag list's entries the writer uses, by line number. Ten hold the tags
// the reader finds a plan by; the others hold the simulator's own tags,
// copied as they are, and are named after what follows them in the file.
namespace tagEntry {
inline constexpr std::size_t blockOpen = 16;
inline constexpr std::size_t blockClose = 39;  // "<endo>"
inline constexpr std::size_t altd = 12;
inline constexpr std::size_t dbky = 29;
inline constexpr std::size_t indx = 73;
inline constexpr std::size_t llps = 77;
inline constexpr std::size_t name = 89;
inline constexpr std::size_t sped = 114;
inline constexpr std::size_t type = 142;
inline constexpr std::size_t warp = 150;
inline constexpr std::size_t wpnt = 157;

inline constexpr std::size_t version = 146;          // "100"
inline constexpr std::size_t firstBlank = 136;       // an empty value
inline constexpr std::size_t planKind = 156;         // "plan"
inline constexpr std::size_t aircraft = 5;           // "PELIRON.NFO"
inline constexpr std::size_t startPosition = 56;     // latitude, longitude, "0."
inline constexpr std::size_t planMode = 141;         // "plan"
inline constexpr std::size_t viewOffset = 64;        // "0.024344,6.209207,-0.004015"
inline constexpr std::size_t viewMode = 148;         // "cock"
inline constexpr std::size_t secondBlank = 144;      // an empty value
inline constexpr std::size_t waypointList = 102;     // the list's block follows
inline constexpr std::size_t waypointDetails = 111;  // a waypoint's nested block follows
inline constexpr std::size_t detailKind = 101;       // "Unknown"
inline constexpr std::size_t detailName = 134;       // "None"
// Each followed by "0.".
inline constexpr std::size_t detailZeros[] = {21, 28, 20, 130, 137, 132};
// The entries used run up to wpnt: the lines after it are never read.
inline constexpr std::size_t used = wpnt + 1;
}  // namespace tagEntry

// The lines of the saved-simulation file for `rows`, each its TABs and its
// content, built from the tag list's entries. Fails with "List index out of
// bounds (%d)" at the first entry the list lacks.
std::vector<std::string> buildSitLines(const std::vector<PlanRow>& rows, const std::vector<std::string>& tags);

// The file's bytes: every line followed by CR LF.
std::string sitFileText(const std::vector<std::string>& lines);

// Writes `rows` to `outputPath` with the tag list at `tagListPath`. Nothing
// is written unless the whole file could be built, and the file it replaces
// is never left half written: "Cannot open file %s" (tag list),
// "List index out of bounds (%d)", "Cannot create file %s".
void ecris_pln(const std::vector<PlanRow>& rows, const std::string& tagListPath, const std::string& outputPath);

}  // namespace nav
