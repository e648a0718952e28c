#pragma once

#include <cstddef>
#include <vector>

#include "navdata/records.h"

namespace nav {

// The bytes of a record a walk over its table tests first: its position,
// and a waypoint's hidden flag.
template <class Record>
struct WalkedBytes;
template <>
struct WalkedBytes<WaypointRecord> {
  static constexpr std::size_t first = waypointField::mapHidden.offset, last = waypointField::lon.offset + 7;
};
template <>
struct WalkedBytes<AirportRecord> {
  static constexpr std::size_t first = airportField::lat.offset, last = airportField::lon.offset + 7;
};
template <>
struct WalkedBytes<NavaidRecord> {
  static constexpr std::size_t first = navaidField::lat.offset, last = navaidField::lon.offset + 7;
};
template <>
struct WalkedBytes<IlsRecord> {
  static constexpr std::size_t first = ilsField::lat.offset, last = ilsField::lon.offset + 7;
};
template <>
struct WalkedBytes<RunwayRecord> {
  static constexpr std::size_t first = runwayField::aptKey.offset, last = runwayField::aptKey.offset + 9;
};

// A whole table in order, as a range for `for`, with the records some way
// ahead asked of the memory early (the bytes from First to Last): the paint
// and the hover do work of their own between records, and would otherwise
// wait for each record in turn.
template <class Record, std::size_t First = WalkedBytes<Record>::first, std::size_t Last = WalkedBytes<Record>::last>
class PrefetchedTable {
 public:
  static constexpr std::size_t kAhead = 32;

  class Iterator {
   public:
    Iterator(const Record* at, const Record* end) : at_(at), end_(end) { fetch(); }
    const Record& operator*() const { return *at_; }
    Iterator& operator++() {
      ++at_;
      fetch();
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    void fetch() const {
#if defined(__GNUC__) || defined(__clang__)
      if (end_ - at_ <= static_cast<std::ptrdiff_t>(kAhead)) return;
      const auto* ahead = reinterpret_cast<const unsigned char*>(at_ + kAhead);
      __builtin_prefetch(ahead + First);
      __builtin_prefetch(ahead + Last);
#endif
    }
    const Record* at_;
    const Record* end_;
  };

  explicit PrefetchedTable(const std::vector<Record>& table) : begin_(table.data()), end_(begin_ + table.size()) {}
  Iterator begin() const { return {begin_, end_}; }
  Iterator end() const { return {end_, end_}; }

 private:
  const Record* begin_;
  const Record* end_;
};

template <class Record>
PrefetchedTable<Record> prefetched(const std::vector<Record>& table) {
  return PrefetchedTable<Record>(table);
}

// The same, for a walk that tests one text field of each record: the
// identifier search.
template <const TextField& Field, class Record>
PrefetchedTable<Record, Field.offset, Field.offset + Field.width - 1> prefetchedField(
    const std::vector<Record>& table) {
  return PrefetchedTable<Record, Field.offset, Field.offset + Field.width - 1>(table);
}

}  // namespace nav
