#pragma once

#include <QIcon>
#include <vector>

namespace navui {

// Width of the result grid's icon cell: room for three icons side by side.
inline constexpr int kIconRowWidth = 30;
inline constexpr int kIconHeight = 9;

// The icons of a result row, by their image-list index, side by side in one
// picture; drawn by the program.
QIcon iconRow(const std::vector<int>& icons);

}  // namespace navui
