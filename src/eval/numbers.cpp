#include "eval/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace orlinde {

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipWhiteSpace(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsWhiteSpace(s[i])) ++i;
  return i;
}

bool StartsWith(std::string_view s, std::size_t at, std::string_view word) {
  return s.size() - at >= word.size() && s.compare(at, word.size(), word) == 0;
}

// Reads the numeric prefix of `s` from `at`: sign, digits with at most one point, and an exponent
// with the marks e, E, d or D. A magnitude too large for a double gives an infinity, one too small
// gives zero or a subnormal; the result is the correctly rounded double.
double ReadDecimalPrefix(std::string_view s, std::size_t at) {
  std::size_t i = at;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // The digits, without the point, and the power of ten the point stands for.
  std::string mantissa;
  long long point_shift = 0;
  bool seen_point = false;
  bool any_digit = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      any_digit = true;
      if (mantissa.empty() && s[i] == '0') {
        if (seen_point) --point_shift;  // leading zeros after the point only move the point
        continue;
      }
      mantissa.push_back(s[i]);
      if (seen_point) --point_shift;
    } else if (s[i] == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!any_digit) return 0.0;  // also after a lone sign
  const double zero = negative ? -0.0 : 0.0;
  if (mantissa.empty()) return zero;

  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent_negative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j) {
        // Beyond a billion the value is an infinity or zero whatever the digits say.
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[j] - '0');
      }
      if (exponent_negative) exponent = -exponent;
    }
  }
  // The decimal exponent of the first significant digit decides the hopeless cases early.
  const long long leading = exponent + point_shift + static_cast<long long>(mantissa.size()) - 1;
  if (leading > 400) return negative ? -HUGE_VAL : HUGE_VAL;
  if (leading < -400) return zero;

  std::string scientific = mantissa;
  scientific += 'e';
  scientific += std::to_string(exponent + point_shift);
  double value = 0;
  const auto result =
      std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = leading > 0 ? HUGE_VAL : 0.0;
  }
  return negative ? -value : value;
}

// The exponent of a number written by to_chars in scientific form, [begin, end).
int ExponentOf(const char* begin, const char* end) {
  const char* e = std::find(begin, end, 'e') + 1;
  if (e < end && *e == '+') ++e;
  int exponent = 0;
  std::from_chars(e, end, exponent);
  return exponent;
}

// Rounds a string of decimal digits half up to its first `keep` digits, in place; returns true
// when the carry ran out of the front (all nines), which leaves "1000...".
bool RoundDigitsHalfUp(char* digits, int count, int keep) {
  if (count <= keep || digits[keep] < '5') return false;
  for (int k = keep - 1; k >= 0; --k) {
    if (digits[k] != '9') {
      ++digits[k];
      return false;
    }
    digits[k] = '0';
  }
  digits[0] = '1';
  return true;
}

bool IsPositionalForm(std::string_view text) {
  return text.find('e') == std::string_view::npos && text.find('#') == std::string_view::npos;
}

}  // namespace

double InvalidOperationNaN() { return std::bit_cast<double>(0xFFF8000000000000ULL); }

double TextToNumber(std::string_view text) {
  const Text folded = TextToHalfWidth(text);
  const std::string_view s = folded;
  const std::size_t at = SkipWhiteSpace(s);
  if (StartsWith(s, at, "Infinity") || StartsWith(s, at, "+Infinity")) return HUGE_VAL;
  if (StartsWith(s, at, "-Infinity")) return -HUGE_VAL;
  if (StartsWith(s, at, "NaN")) return InvalidOperationNaN();
  return ReadDecimalPrefix(s, at);
}

float TextToSingle(std::string_view text) { return static_cast<float>(TextToNumber(text)); }

std::int32_t TextToInteger(std::string_view text) {
  const Text folded = TextToHalfWidth(text);
  const std::string_view s = folded;
  std::size_t i = SkipWhiteSpace(s);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > 2147483648LL) value = 2147483648LL;  // saturates instead of wrapping
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<std::int32_t>(value);
}

Text NumberToText(double x) {
  if (std::isinf(x)) return x > 0 ? "1.#INF" : "-1.#INF";
  if (std::isnan(x)) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = bits >> 63;
    const bool quiet = (bits >> 51) & 1;
    if (bits == 0xFFF8000000000000ULL) return "-1.#IND";
    if (!quiet) return negative ? "-1.#SNAN" : "1.#SNAN";
    return negative ? "-1.#QNAN" : "1.#QNAN";
  }
  if (x == 0) return std::signbit(x) ? "-0" : "0";

  // The 17 significant digits of the exact value, as the library rounds them (it rounds an exact
  // tie to even where the rule says half up; the two differ only in an even 17th digit, which
  // never carries into the 14th, the only one the rounding to 13 digits looks at), then half up
  // to 13.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(x),
                                     std::chars_format::scientific, 16);
  char digits[17];
  digits[0] = scientific[0];
  std::memcpy(digits + 1, scientific + 2, 16);  // d.dddddddddddddddde±x
  int exponent10 = ExponentOf(scientific, written.ptr);
  if (RoundDigitsHalfUp(digits, 17, 13)) ++exponent10;
  int last = 12;  // the last digit to write: trailing zeros are not written
  while (last > 0 && digits[last] == '0') --last;

  char out[40];
  int n = 0;
  if (std::signbit(x)) out[n++] = '-';
  if (exponent10 < -4 || exponent10 >= 13) {
    out[n++] = digits[0];
    if (last > 0) {
      out[n++] = '.';
      for (int k = 1; k <= last; ++k) out[n++] = digits[k];
    }
    n += std::snprintf(out + n, sizeof out - static_cast<std::size_t>(n), "e%c%03d",
                       exponent10 < 0 ? '-' : '+', std::abs(exponent10));
  } else if (exponent10 >= 0) {
    for (int k = 0; k <= exponent10; ++k) out[n++] = digits[k];
    if (last > exponent10) {
      out[n++] = '.';
      for (int k = exponent10 + 1; k <= last; ++k) out[n++] = digits[k];
    }
  } else {
    out[n++] = '0';
    out[n++] = '.';
    for (int k = 0; k < -exponent10 - 1; ++k) out[n++] = '0';
    for (int k = 0; k <= last; ++k) out[n++] = digits[k];
  }
  return Text(out, static_cast<std::size_t>(n));
}

double RoundToDecimals(double x, std::int32_t decimals) {
  if (x == 0 || std::isnan(x)) return x;
  const bool negative = std::signbit(x);
  const double magnitude = std::fabs(x);
  double p = 1;
  double y = magnitude;
  if (decimals != 0) {
    p = std::pow(10.0, std::fabs(static_cast<double>(decimals)));
    if (std::isinf(p)) {
      // No double has that many decimals; rounding to that many tens leaves nothing.
      if (decimals > 0 || std::isinf(x)) return x;
      return negative ? -0.0 : 0.0;
    }
    if (decimals > 0) {
      y = magnitude * p;
      if (std::isinf(y) && !std::isinf(magnitude)) return x;
    } else {
      y = magnitude / p;
    }
  }
  double integer_part = 0;
  const double fraction = std::modf(y + 1e-12, &integer_part);
  const double k = fraction >= 0.5 ? integer_part + 1 : integer_part;
  double rounded = k;
  if (decimals > 0) rounded = k / p;
  if (decimals < 0) rounded = k * p;
  return negative ? -rounded : rounded;
}

Text FormatNumber(double x) { return NumberToText(x); }

Text FormatNumber(double x, std::int32_t decimals) {
  if (decimals > kMaxFormatDecimals) decimals = kMaxFormatDecimals;
  Text text = NumberToText(RoundToDecimals(x, decimals));
  if (decimals <= 0 || !IsPositionalForm(text)) return text;
  const std::size_t point = text.find('.');
  if (point == Text::npos) {
    text += '.';
    text.append(static_cast<std::size_t>(decimals), '0');
  } else {
    const std::size_t have = text.size() - point - 1;
    if (have < static_cast<std::size_t>(decimals)) {
      text.append(static_cast<std::size_t>(decimals) - have, '0');
    }
  }
  return text;
}

}  // namespace orlinde
