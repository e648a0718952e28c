#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "flightplan/flight_plan.h"

namespace nav {

// The plan left unsaved when the window closed, kept beside nav.ini until
// the next start. Each window keeps its own: the first this name, the
// others plan_non_enregistre.2.txt and on (recoveryFileName).
inline constexpr const char* kRecoveryFile = "plan_non_enregistre.txt";
std::string recoveryFileName(int n);
// The recovery files in `folder` (ending with a separator), oldest first:
// every plan_non_enregistre*.txt, whoever wrote it.
std::vector<std::string> recoveryFiles(const std::string& folder);

// What a recovery file may hold: twice a plan of a hundred thousand rows,
// and no more rows than that, so that reading one takes a few times its
// size at most.
inline constexpr std::size_t kRecoveryFileLimit = std::size_t{32} << 20;
inline constexpr std::size_t kRecoveryRowLimit = 200000;

// Nothing worth keeping: one row, every cell empty.
bool isBlankPlan(const FlightPlan& plan);

// The whole plan as text: its state and every cell byte for byte, TAB, line
// breaks and backslashes escaped, closed by an end line so that a cut-off
// file is told from a whole one.
std::string recoveryText(const FlightPlan& plan);

// Reads it back; fails with "Plan non enregistré illisible (ligne %d)"
// (Windows-1252) at the first line that is not as written.
FlightPlan parseRecovery(std::string_view text);

// The file at `path`: written without ever being left half written
// ("Cannot create file %s"), read back, removed. A damaged file is moved
// aside to `path`.illisible (or .illisible.2, and so on: never over another
// file), where it neither stands in the way of the next closing nor is
// lost, and the failure says where; one that cannot be moved stays.
void writeRecoveryFile(const std::string& path, const FlightPlan& plan);
FlightPlan readRecoveryFile(const std::string& path);
void removeRecoveryFile(const std::string& path);

}  // namespace nav
