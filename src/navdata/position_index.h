#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "navdata/table_walk.h"

namespace nav {

// A box of positions as a table's records hold them, in arc seconds, its
// edges included.
struct PositionBox {
  double south, north, west, east;
};

// A table's records by the square of a degree their position lies in, so
// that a walk over the records in a box visits only the squares it
// touches. A position outside the world, or not a number, goes to a square
// at the world's edge: a box reaching past that edge still finds it, and
// the caller's own test rejects it as before.
class PositionIndex {
 public:
  PositionIndex() = default;
  // `lat` and `lon` give record i's position as the walks test it.
  template <class Record>
  explicit PositionIndex(const std::vector<Record>& table) {
    build(table.size(), [&](std::size_t i) { return cellOf(table[i].lat(), table[i].lon()); });
  }

  // The records it was made for: a table of another size has changed since.
  std::size_t records() const { return order_.size(); }

  // The records that may lie in one of the boxes, each once and in table
  // order, the caller testing each as it would in a walk of the whole
  // table. False when they would be too large a part of it for the
  // look-up to gain anything: the caller then walks the whole table.
  bool candidates(std::span<const PositionBox> boxes, std::vector<std::uint32_t>& out) const;

 private:
  static constexpr int kRows = 180, kColumns = 360;
  static constexpr double kCell = 3600;  // arc seconds
  static int rowOf(double lat) { return clampedCell(lat + 90 * kCell, kRows); }
  static int columnOf(double lon) { return clampedCell(lon, kColumns); }
  static std::uint32_t cellOf(double lat, double lon) {
    return static_cast<std::uint32_t>(rowOf(lat) * kColumns + columnOf(lon));
  }
  // Monotonic, so that a value between two others lands between their cells.
  static int clampedCell(double v, int count) {
    if (!(v >= 0)) return 0;  // below, or not a number
    const double cell = std::floor(v / kCell);
    return cell >= count ? count - 1 : static_cast<int>(cell);
  }
  template <class CellOf>
  void build(std::size_t count, CellOf cellOf);

  std::vector<std::uint32_t> start_;  // by cell, where its records begin in order_
  std::vector<std::uint32_t> order_;  // record numbers by cell, in table order within each
};

template <class CellOf>
void PositionIndex::build(std::size_t count, CellOf cellOf) {
  std::vector<std::uint32_t> cells(count);
  start_.assign(kRows * kColumns + 1, 0);
  for (std::size_t i = 0; i < count; ++i) ++start_[(cells[i] = cellOf(i)) + 1];
  for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
  order_.resize(count);
  std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
  for (std::size_t i = 0; i < count; ++i) order_[next[cells[i]]++] = static_cast<std::uint32_t>(i);
}

// The four position tables' indexes, made once the tables are filled.
struct PositionIndexes {
  PositionIndex waypoints, airports, navaids, ilsComponents;
};

// Calls visit with each record of `table` that may lie in one of the
// boxes, in table order, the whole table when the index cannot tell;
// until visit returns false, if it returns anything. Inlined into the
// layers, whose loops over the whole world's records stay as tight as a
// plain walk's.
template <class Record, class Visit>
[[gnu::always_inline]] inline void visitInBoxes(const std::vector<Record>& table, const PositionIndex& index,
                                                std::span<const PositionBox> boxes, Visit visit) {
  const auto go = [&](const Record& r) {
    if constexpr (std::is_same_v<decltype(visit(r)), bool>)
      return visit(r);
    else
      return visit(r), true;
  };
  std::vector<std::uint32_t> found;
  if (index.records() == table.size() && index.candidates(boxes, found)) {
    for (const std::uint32_t i : found)
      if (!go(table[i])) return;
    return;
  }
  for (const Record& r : prefetched(table))
    if (!go(r)) return;
}

}  // namespace nav
