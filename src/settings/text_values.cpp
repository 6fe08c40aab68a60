#include "settings/text_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qv {
namespace {

// The value of one digit in the given base, or -1 when the character is not such a digit.
int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

int ParseLenientInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;

  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }

  // Unsigned arithmetic wraps by definition, so any run of digits is safe.
  std::uint32_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) break;
    magnitude = magnitude * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  if (negative) magnitude = 0u - magnitude;
  return static_cast<int>(magnitude);  // two's complement view of the wrapped value
}

float ParseReal(std::string_view text) {
  // strtod needs a terminated string; the game never changes the C locale, so "." is the decimal point.
  const std::string terminated(text);
  const double wide = std::strtod(terminated.c_str(), nullptr);
  static_assert(std::numeric_limits<float>::is_iec559, "narrowing must round, overflowing to infinity");
  const float narrow = static_cast<float>(wide);
  return std::isfinite(narrow) ? narrow : 0.0f;
}

std::string FormatReal(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.9g", static_cast<double>(value));
  return buffer;
}

int ToHundredths(float value) {
  if (std::isnan(value)) return 0;
  if (std::isinf(value)) return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
  // The shortest fixed-point text that reads back as this float; FLT_MAX takes 39 digits.
  char text[64];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (written.ec != std::errc()) return TruncateToInt(static_cast<double>(value) * 100.0);

  constexpr long long kCap = 1LL << 40;  // far beyond any int; keeps the sum from overflowing
  long long hundredths = 0;
  int fractionDigits = -1;  // -1 until the decimal point
  for (const char* c = text; c != written.ptr && fractionDigits < 2; ++c) {
    if (*c == '.') {
      fractionDigits = 0;
    } else if (*c >= '0' && *c <= '9') {
      hundredths = std::min(hundredths * 10 + (*c - '0'), kCap);
      if (fractionDigits >= 0) ++fractionDigits;
    }
  }
  for (int missing = fractionDigits < 0 ? 2 : 2 - fractionDigits; missing > 0; --missing) hundredths *= 10;
  return TruncateToInt(static_cast<double>(value < 0 ? -hundredths : hundredths));
}

int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace qv
