#pragma once

#include <span>

class QTableView;

namespace navui {

// What both grids share: rows of a fixed height, columns of the given
// widths that the user can drag, whole rows selected one at a time, no
// editing, and cells with one pixel of margin on each side instead of the
// style's three, so that positions fit the narrow columns of the layout.
void setUpGrid(QTableView* grid, int rowHeight, std::span<const int> columnWidths);
// The same with the plan grid's header, which stays unlit whatever row is
// selected, and its Tahoma of 11 pixels: the plan and its legs.
void setUpHeadedGrid(QTableView* grid, int rowHeight, std::span<const int> columnWidths);

}  // namespace navui
