#include "eval/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace orlinde {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool SameDouble(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

TEST(TextToNumber, ReadsTheLongestNumericPrefix) {
  struct Case {
    Text text;
    double number;
  } cases[] = {
      {"", 0},
      {"  12abc", 12},
      {"+7", 7},
      {"2.7", 2.7},
      {"-.5", -0.5},
      {"1e3", 1000},
      {"1d3", 1000},
      {"1D-2", 0.01},
      {"1E+2", 100},
      {"1e", 1},
      {"1e+", 1},
      {"0x1A", 0},
      {"1.#INF", 1},
      {"-1.#IND", -1},
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"1e-400", 0},
      {"4e-320", 4e-320},                          // a subnormal
      {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12.5},  // full-width １２．５
      {"\xA1\xA1"
       "5",
       5},  // after an ideographic space
      {"\t\n\v\f\r 3", 3},
      {"4294967298", 4294967298.0},
      {"2147483648", 2147483648.0},
      {"1.2.3", 1.2},
      {"..5", 0},
      {"0.30000000000000004", 0.30000000000000004},
      {"9007199254740993", 9007199254740992.0},  // a tie rounds to even
      {"1e99999999999999999999", kInf},
      {"0e99999999999", 0},
      {"000000000000000000000000000001", 1},
      {".000000000000000000000000000001e30", 1},
      {"Infinity", kInf},
      {"+Infinity", kInf},
      {"-Infinity", -kInf},
      {"  Infinityx", kInf},
      {"infinity", 0},
      {"-NaN", 0},
      {"true", 0},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SameDouble(TextToNumber(c.text), c.number))
        << "«" << c.text << "» read as " << TextToNumber(c.text);
  }
  EXPECT_TRUE(SameDouble(TextToNumber("-0"), -0.0));
  EXPECT_TRUE(SameDouble(TextToNumber("-"), 0.0));
  EXPECT_TRUE(SameDouble(TextToNumber("NaN"), InvalidOperationNaN()));
  EXPECT_TRUE(SameDouble(TextToNumber(" NaN1"), InvalidOperationNaN()));
  EXPECT_TRUE(SameDouble(InvalidOperationNaN(), std::bit_cast<double>(0xFFF8000000000000ULL)));
}

TEST(TextToNumber, ReadsAMillionDigitsCorrectlyRounded) {
  Text digits = "0." + Text(1'000'000, '3');
  EXPECT_EQ(TextToNumber(digits), 1.0 / 3.0);
  EXPECT_EQ(TextToNumber(Text(1'000'000, '9')), kInf);
}

TEST(TextToInteger, ReadsDigitsAndSaturates) {
  struct Case {
    Text text;
    std::int32_t value;
  } cases[] = {
      {"", 0},
      {"  12abc", 12},
      {"+7", 7},
      {"2.7", 2},
      {"-.5", 0},
      {"1e3", 1},
      {"1d3", 1},
      {"0x1A", 0},
      {"1.#INF", 1},
      {"-1.#IND", -1},
      {"NaN", 0},
      {"Infinity", 0},
      {"1e400", 1},
      {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12},
      {"-", 0},
      {"007", 7},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"4294967298", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
      {"99999999999999999999", 2147483647},
      {"+-1", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInteger(c.text), c.value) << "«" << c.text << "»";
}

TEST(TextToSingle, RoundsToSinglePrecision) {
  EXPECT_EQ(TextToSingle("1e39"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(static_cast<double>(TextToSingle("12.3")), 12.30000019073486328125);
}

TEST(NumberToText, WritesThirteenSignificantDigits) {
  struct Case {
    double number;
    Text text;
  } cases[] = {
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.3333333333333"},
      {2.0 / 3, "0.6666666666667"},
      {1e13 - 1, "9999999999999"},
      {1e13 - 0.5, "1e+013"},
      {1.23456789012345e14, "1.234567890123e+014"},
      {1e21, "1e+021"},
      {0.0001, "0.0001"},
      {0.00001, "1e-005"},
      {0.000123456789012345, "0.0001234567890123"},
      {-0.0, "-0"},
      {0.0, "0"},
      {static_cast<double>(12.3f) / 100, "0.1230000019073"},
      {static_cast<double>(0.1f) / 100, "0.001000000014901"},
      {kInf, "1.#INF"},
      {-kInf, "-1.#INF"},
      {-1.234567890123e-100, "-1.234567890123e-100"},
      {5e-324, "4.940656458412e-324"},
      {1.7976931348623157e308, "1.797693134862e+308"},
      {123456789012.5, "123456789012.5"},
      {1234567890123.5, "1234567890124"},
      {-2.5, "-2.5"},
      {100, "100"},
      {0.5, "0.5"},
      // The exact value 0.125 needs no rounding; 1.0000000000000500 rounds up at digit 14.
      {0.125, "0.125"},
      {1.00000000000005, "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.number), c.text) << c.number;
}

TEST(NumberToText, RoundsToSeventeenDigitsBeforeThirteen) {
  // The exact values, and why each reads as it does:
  struct Case {
    double number;
    Text text;
  } cases[] = {
      // 1.23456789012349998913...: 17 digits give ...35000, which rounds up at 13 ("%.13g"
      // rounds the exact value and gives ...123).
      {1.2345678901235, "1.234567890124"},
      // 0.123456789012349993...: 17 digits keep ...4999, which rounds down.
      {0.12345678901235, "0.1234567890123"},
      {1.0000000000015, "1.000000000001"},
      // 2.00000000000050004...: above the half at any precision.
      {2.0000000000005, "2.000000000001"},
      {9.9999999999995, "10"},
      {0.000099999999999995, "0.0001"},
      {0.5 + 0x1p-53, "0.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.number), c.text) << c.number;
}

TEST(NumberToText, NamesEveryKindOfNotANumber) {
  struct Case {
    std::uint64_t bits;
    Text text;
  } cases[] = {
      {0xFFF8000000000000ULL, "-1.#IND"},  {0x7FF8000000000000ULL, "1.#QNAN"},
      {0xFFF8000000000001ULL, "-1.#QNAN"}, {0x7FF0000000000001ULL, "1.#SNAN"},
      {0xFFF0000000000001ULL, "-1.#SNAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(std::bit_cast<double>(c.bits)), c.text);
}

TEST(FormatNumber, RoundsAndPadsTheDecimals) {
  struct Case {
    double number;
    std::optional<std::int32_t> decimals;
    Text text;
  } cases[] = {
      {1.0 / 3, 2, "0.33"},
      {2.0 / 3, 2, "0.67"},
      {1.0 / 3, std::nullopt, "0.3333333333333"},
      {2.5, std::nullopt, "2.5"},
      {0.1 + 0.2, std::nullopt, "0.3"},
      {0.1 + 0.2, 2, "0.30"},
      {2.5, 0, "3"},
      {3.5, 0, "4"},
      {-2.5, 0, "-3"},
      {0.5, 0, "1"},
      {2.675, 2, "2.68"},
      {1.005, 2, "1.01"},
      {0.045, 2, "0.05"},
      {-0.005, 2, "-0.01"},
      {-0.004, 2, "-0.00"},
      {99.995, 2, "100.00"},
      {5, 2, "5.00"},
      {1.23456789e7, 3, "12345678.900"},
      {1234.5, -2, "1200"},
      {1250, -2, "1300"},
      {1.0 / 3, 15, "0.333333333333300"},
      // Scientific and special forms are never padded.
      {1e21, 2, "1e+021"},
      {1.5e21, 2, "1.5e+021"},
      {0.00001, 5, "1e-005"},
      {0.00001, 4, "0.0000"},
      {kInf, 2, "1.#INF"},
      {-kInf, -2, "-1.#INF"},
      {InvalidOperationNaN(), 3, "-1.#IND"},
      {0, 2, "0.00"},
      {-0.0, 1, "-0.0"},
      // Decimals far beyond what a double holds.
      {1.5, 400, "1.5" + Text(183, '0')},
      {1.5, 2147483647, "1.5" + Text(183, '0')},
      {1.5, -400, "0"},
      {-1.5, -2147483647 - 1, "-0"},
      {1e300, 200, "1e+300"},
      {1e300, -300, "1e+300"},
      {4.6e300, -300, "5e+300"},
  };
  for (const Case& c : cases) {
    const Text got = c.decimals ? FormatNumber(c.number, *c.decimals) : FormatNumber(c.number);
    EXPECT_EQ(got, c.text) << c.number << " with " << (c.decimals ? *c.decimals : -999);
  }
}

TEST(RoundToDecimals, NeverMakesANotANumber) {
  struct Case {
    double x;
    std::int32_t decimals;
    double expected;
  } cases[] = {
      {1.5, 400, 1.5},   // 10^400 is infinite: nothing to round
      {1.5, -400, 0.0},  // ... and rounding to that many tens leaves zero
      {-1.5, -400, -0.0},  {kInf, -400, kInf},        {-kInf, 400, -kInf},
      {1e300, 100, 1e300},  // the scaled value overflows: unchanged
      {0.0, 5, 0.0},       {-0.0, 5, -0.0},           {2.5, 0, 3.0},
      {-0.4, 0, -0.0},     {0.4999999999995, 0, 1.0},  // less than 1e-12 below a half rounds up
  };
  for (const Case& c : cases) {
    const double got = RoundToDecimals(c.x, c.decimals);
    EXPECT_TRUE(SameDouble(got, c.expected)) << c.x << " to " << c.decimals << " gave " << got;
  }
  EXPECT_TRUE(std::isnan(RoundToDecimals(std::nan(""), 2)));
}

}  // namespace
}  // namespace orlinde
