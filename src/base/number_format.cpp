#include "base/number_format.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/failure.h"

namespace nav {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string stripTrailingZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

}  // namespace

double cellNumber(const std::string& text, char separator, bool orPoint) {
  if (auto v = parseReal(text, separator)) return *v;
  if (orPoint && separator != '.')
    if (auto v = parseReal(text, '.')) return *v;
  failNotANumber(text);
}

void failNotANumber(std::string_view text) { fail(fmt::format("'{}' is not a valid floating point value", text)); }

std::int32_t truncToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) fail("Range check error");
  return static_cast<std::int32_t>(value);
}

Dms dmsOf(double arcSeconds) {
  const std::int32_t whole = truncToInt32(arcSeconds);
  return {whole / 3600, (whole % 3600) / 60, whole % 60, whole};
}

std::string formatFixed(double value, int decimals, char decimalSeparator) {
  std::string out = fmt::format("{:.{}f}", value, decimals);
  if (decimalSeparator != '.')
    if (auto dot = out.find('.'); dot != std::string::npos) out[dot] = decimalSeparator;
  return out;
}

std::string formatGeneral(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // "-d.dddddddddddddde+XX": fifteen significant digits, correctly rounded.
  const std::string sci = fmt::format("{:.14e}", value);
  const bool negative = sci.front() == '-';
  const std::size_t start = negative ? 1 : 0;
  const std::size_t ePos = sci.find('e');
  std::string digits = sci.substr(start, 1) + sci.substr(start + 2, ePos - start - 2);
  const int exponent = std::atoi(sci.c_str() + ePos + 1);
  digits = stripTrailingZeros(digits);

  std::string out = negative ? "-" : "";
  if (exponent >= -5 && exponent < 15) {
    if (exponent >= 0) {
      const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= intDigits) {
        out += digits + std::string(intDigits - digits.size(), '0');
      } else {
        out += digits.substr(0, intDigits);
        out += decimalSeparator;
        out += digits.substr(intDigits);
      }
    } else {
      out += '0';
      out += decimalSeparator;
      out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += 'E';
  out += std::to_string(exponent);
  return out;
}

std::optional<double> parseReal(std::string_view text, char decimalSeparator) {
  std::string normal;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normal += '-';
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) normal += text[i++], ++mantissaDigits;
  if (i < text.size() && text[i] == decimalSeparator) {
    normal += '.';
    ++i;
    while (i < text.size() && isDigit(text[i])) normal += text[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    std::size_t expDigits = 0;
    while (i < text.size() && isDigit(text[i])) normal += text[i++], ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;

  std::int64_t value;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  } else {
    if (magnitude > 2147483648ull) return std::nullopt;
    value = static_cast<std::int64_t>(magnitude);
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace nav
