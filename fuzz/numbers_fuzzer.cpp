// The number conversions on any double, any number of decimals and any text.
//
// The first 8 bytes are a double's bits, the next 4 a number of decimals, the rest a text.
// NumberToText of a finite double reads back within half a unit of its 13th significant digit,
// with its sign (zero exactly); an infinity or a not-a-number gives its special form. FormatNumber
// with any decimals stays under 200 bytes, never holds the byte 0, treats more than 184 decimals
// as 184, and rounding never makes a not-a-number or loses the sign. A text is read whatever it
// holds, and what it reads as round-trips like any other double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "eval/numbers.h"
#include "fuzz_support.h"

namespace orlinde {
namespace {

using fuzz::Check;

void CheckSpecialForm(double x, const Text& text) {
  const bool negative = std::signbit(x);
  if (std::isinf(x)) {
    Check(text == (negative ? "-1.#INF" : "1.#INF"), "an infinity's special form", text);
    return;
  }
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const bool quiet = (bits >> 51 & 1) != 0;
  if (bits == 0xFFF8000000000000ULL) {
    Check(text == "-1.#IND", "the invalid operation's not-a-number", text);
  } else if (quiet) {
    Check(text == (negative ? "-1.#QNAN" : "1.#QNAN"), "a quiet not-a-number", text);
  } else {
    Check(text == (negative ? "-1.#SNAN" : "1.#SNAN"), "a signalling not-a-number", text);
  }
}

void CheckRoundTrip(double x) {
  const Text text = NumberToText(x);
  Check(!text.empty() && text.size() <= 20, "NumberToText writes 1 to 20 bytes", text);
  if (!std::isfinite(x)) {
    CheckSpecialForm(x, text);
    return;
  }
  const double back = TextToNumber(text);
  Check(std::signbit(back) == std::signbit(x), "the sign survives", text);
  if (x == 0) {
    Check(back == 0, "zero reads back as zero", text);
    return;
  }
  // Half a unit of the 13th digit is at most 5e-13 of the value; the rounding to 17 digits
  // before it and reading the digits back each add a little more, up to 1.7e-16 of the value,
  // and half the spacing of the doubles among the subnormals. A tie at the 14th digit of a value
  // starting with 1 («-10.000244140625») comes that close.
  const double tolerance = 5.002e-13 * std::fabs(x) + std::numeric_limits<double>::denorm_min();
  Check(std::fabs(back - x) <= tolerance, "13 significant digits read back", text);
}

void CheckFormat(double x, std::int32_t decimals) {
  const Text text = FormatNumber(x, decimals);
  Check(!text.empty() && text.size() < 200, "FormatNumber writes 1 to 199 bytes", text);
  Check(text.find('\0') == Text::npos, "FormatNumber never writes the byte 0", text);
  if (decimals > kMaxFormatDecimals) {
    Check(text == FormatNumber(x, kMaxFormatDecimals), "more than 184 decimals act as 184", text);
  }
  if (!std::isnan(x)) {
    const double rounded = RoundToDecimals(x, decimals);
    Check(!std::isnan(rounded), "rounding never makes a not-a-number", text);
    Check(std::signbit(rounded) == std::signbit(x), "rounding keeps the sign", text);
  }
}

}  // namespace
}  // namespace orlinde

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace orlinde;
  // The words the engine writes read as what they name.
  Check(TextToNumber("Infinity") == HUGE_VAL, "«Infinity» reads as infinity", "Infinity");
  Check(TextToNumber("-Infinity") == -HUGE_VAL, "«-Infinity» reads as minus infinity", "-Infinity");
  Check(std::bit_cast<std::uint64_t>(TextToNumber("NaN")) == 0xFFF8000000000000ULL,
        "«NaN» reads as the invalid operation's not-a-number", "NaN");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlinde;
  double x = 0;
  std::int32_t decimals = 0;
  std::size_t at = 0;
  if (size - at >= sizeof x) {
    std::memcpy(&x, data + at, sizeof x);
    at += sizeof x;
  }
  if (size - at >= sizeof decimals) {
    std::memcpy(&decimals, data + at, sizeof decimals);
    at += sizeof decimals;
  }
  const std::string_view text(reinterpret_cast<const char*>(data) + at, size - at);

  CheckRoundTrip(x);
  Check(FormatNumber(x) == NumberToText(x), "without decimals a number is written as is",
        NumberToText(x));
  CheckFormat(x, decimals);

  const double read = TextToNumber(text);
  static_cast<void>(TextToInteger(text));
  Check(fuzz::SameNumber(static_cast<double>(TextToSingle(text)),
                         static_cast<double>(static_cast<float>(read))),
        "a single is the number read, rounded", text);
  CheckRoundTrip(read);
  CheckFormat(read, decimals);
  return 0;
}
