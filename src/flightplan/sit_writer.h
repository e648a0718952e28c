#pragma once

#include <string>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

inline constexpr const char* kTagListFile = "liste.txt";

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
