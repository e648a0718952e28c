#include "navdata/position_index.h"

#include <algorithm>
#include <bit>

namespace nav {

bool PositionIndex::candidates(std::span<const PositionBox> boxes, std::vector<std::uint32_t>& out) const {
  out.clear();
  if (order_.empty()) return true;
  struct Run {
    std::uint32_t from, to;
  };
  std::vector<Run> runs;
  std::size_t total = 0;
  for (const PositionBox& b : boxes) {
    if (!(b.south <= b.north && b.west <= b.east)) continue;
    const int c0 = columnOf(b.west), c1 = columnOf(b.east);
    for (int row = rowOf(b.south); row <= rowOf(b.north); ++row) {
      const Run run{start_[static_cast<std::size_t>(row * kColumns + c0)],
                    start_[static_cast<std::size_t>(row * kColumns + c1 + 1)]};
      if (run.from == run.to) continue;
      runs.push_back(run);
      total += run.to - run.from;
    }
  }
  // Past a quarter of the table the walk over all of it, in order and with
  // nothing to look up, is as quick.
  if (total > order_.size() / 4) return false;
  // Back to table order through a bit for each record: the runs hold each
  // cell's records in order, but the cells one after the other.
  static thread_local std::vector<std::uint64_t> bits;
  bits.resize((order_.size() + 63) / 64);
  std::size_t low = bits.size(), high = 0;
  for (const Run& run : runs)
    for (std::uint32_t k = run.from; k < run.to; ++k) {
      const std::uint32_t i = order_[k];
      bits[i >> 6] |= std::uint64_t{1} << (i & 63);
      low = std::min<std::size_t>(low, i >> 6), high = std::max<std::size_t>(high, i >> 6);
    }
  out.reserve(total);
  for (std::size_t w = low; w <= high; ++w) {
    for (std::uint64_t word = bits[w]; word != 0; word &= word - 1)
      out.push_back(static_cast<std::uint32_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(word))));
    bits[w] = 0;
  }
  return true;
}

}  // namespace nav
