#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace nav {

// Values as the data files store them: little-endian integers, IEEE-754
// reals in little-endian byte order. On a little-endian machine each is one
// unaligned load or store.

namespace detail {

template <class T>
using SameSizeUnsigned =
    std::conditional_t<sizeof(T) == 1, std::uint8_t,
                       std::conditional_t<sizeof(T) == 2, std::uint16_t,
                                          std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;

template <class U>
constexpr U swapBytes(U v) {
  U out = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) out = static_cast<U>((out << 8) | ((v >> (8 * i)) & 0xFF));
  return out;
}

}  // namespace detail

template <class T>
T loadLittleEndian(const void* bytes) {
  using U = detail::SameSizeUnsigned<T>;
  static_assert(sizeof(U) == sizeof(T));
  U u;
  std::memcpy(&u, bytes, sizeof u);
  if constexpr (std::endian::native == std::endian::big) u = detail::swapBytes(u);
  return std::bit_cast<T>(u);
}

template <class T>
void storeLittleEndian(void* bytes, T value) {
  using U = detail::SameSizeUnsigned<T>;
  static_assert(sizeof(U) == sizeof(T));
  U u = std::bit_cast<U>(value);
  if constexpr (std::endian::native == std::endian::big) u = detail::swapBytes(u);
  std::memcpy(bytes, &u, sizeof u);
}

}  // namespace nav
