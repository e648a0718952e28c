#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nav {

// The general format of a real: up to 15 significant digits, no trailing
// zeros, no separator without a digit after it; fixed notation for magnitudes
// from 0.00001 with at most 15 digits before the separator, otherwise
// scientific notation with the letter E ("1.5E-6", "1E20").
std::string formatGeneral(double value, char decimalSeparator = '.');

// Fixed notation with `decimals` digits after the separator ("%.3f"),
// rounded half away from zero as printf does.
std::string formatFixed(double value, int decimals, char decimalSeparator = '.');

// Reads a real written with `decimalSeparator` (an optional sign, digits, the
// separator, an exponent). Anything else, and values that are not finite,
// give nothing.
std::optional<double> parseReal(std::string_view text, char decimalSeparator = '.');

// A number of a grid cell, read with `separator` or, when `orPoint`, with a
// point as well; fails with the message a bad number gets.
double cellNumber(const std::string& text, char separator, bool orPoint);
// That failure: "'TEXT' is not a valid floating point value".
[[noreturn]] void failNotANumber(std::string_view text);

// Truncates toward zero to 32 bits; fails with "Range check error" when the
// value does not fit (NaN included).
std::int32_t truncToInt32(double value);

// Degrees, minutes and seconds of an angle in arc-seconds, each truncated
// toward zero and carrying the angle's sign. Worked out on the whole
// arc-seconds in integers: in floating point, 2 deg 33' (9180) would come
// out as 2 deg 32' 59". Fails with "Range check error" beyond 32 bits.
struct Dms {
  std::int32_t d = 0, m = 0, s = 0;
  std::int32_t whole = 0;  // the whole arc-seconds
};
Dms dmsOf(double arcSeconds);

// Reads a 32-bit integer in decimal, or in hexadecimal after "0x", "0X" or
// "$" (eight hexadecimal digits at most, taken as the 32-bit pattern).
std::optional<std::int32_t> parseInteger(std::string_view text);

}  // namespace nav
