// The native evaluator must answer exactly what the engine answers, or decline.
#include "eval/native_evaluator.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <optional>
#include <random>

#include "eval/evaluator.h"
#include "eval/numbers.h"
#include "repair/repair.h"
#include "scientific/translate.h"

namespace orlinde {
namespace {

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

constexpr double kInf = HUGE_VAL;

TEST(EvaluateNatively, ComputesTheArithmeticOfPreparedLines) {
  struct Case {
    Text expression;
    double value;
  } cases[] = {
      {"1+1", 2},
      {"2*(3+0.5)", 7},
      {"12.5*(3+4)/7", 12.5},
      {"0.1+0.2", 0.1 + 0.2},
      {"1/3", 1.0 / 3},
      {"7%3", 1},
      {"-7%3", -1},
      {"5.5%2", 1.5},
      {"2^3", 8},
      {"2**3", 8},
      {"2^3^2", 512},
      {"-2^2", -4},
      {"2*-3^2", -18},
      {"2^-3^2", 0.001953125},
      {"+2^2", 4},
      {"(0-8)^(1/3)", std::nan("")},
      {"1^(1/0)", std::nan("")},
      {"0^-1", kInf},
      {"2.^3", 8},
      {"2.", 2},
      {".5", 0.5},
      {"007", 7},
      {"010+1", 11},
      {"1e-005", 1e-5},
      {"1.5e+010", 1.5e10},
      {"Infinity", kInf},
      {"0-Infinity", -kInf},
      {"Math.sqrt(4)", 2},
      {"Math.sqrt(4)^2", 4},
      {"Math.abs(0-2)", 2},
      {"Math.log(8)", std::log(8.0)},
      {"Math.exp(2)", std::exp(2.0)},
      {"Math.tan(2)+Math.sin(2)+Math.cos(2)", std::tan(2.0) + std::sin(2.0) + std::cos(2.0)},
      {"Math.asin(2)", std::nan("")},
      {"Math.atan(1)", std::atan(1.0)},
      {"Math.acos(0.5)", std::acos(0.5)},
      {"Math.pow(23)", std::nan("")},
      {"Math.sqrt()", std::nan("")},
      {"(((1)))", 1},
      {"1/0", kInf},
      {"0/0", std::nan("")},
      {"0*-1", -0.0},
  };
  for (const Case& c : cases) {
    const NativeResult got = EvaluateNatively(c.expression);
    ASSERT_EQ(got.kind, NativeResult::kValue) << c.expression;
    if (std::isnan(c.value)) {
      EXPECT_TRUE(std::isnan(got.value)) << c.expression;
    } else {
      EXPECT_TRUE(SameBits(got.value, c.value)) << c.expression << " gave " << got.value;
    }
  }
}

// Malformed lines of the prepared characters that the engine refuses, answered without it.
TEST(EvaluateNatively, KnowsWhatTheEngineRefuses) {
  const Text refused[] = {
      "",
      "()",
      "1+",
      "(1",
      "1)",
      "(1+2",
      "2***3",
      "2^*3",
      "2*^3",
      "2^^3",
      "2/^3*/+1",
      "1.2.3",
      "2..3",
      "1e",
      "1e+",
      "2.5e",
      "1a",
      "2(3)",
      "(1)(2)",
      "Math.sqrt(4)(2)",
      "Math.sqrt(4",
      "%1",
      "*1",
      "1*",
      "1+*2",
      "(2).5",
      "2Infinity",
      "00x1",
      "1n",
      "1_0",
  };
  for (const Text& expression : refused) {
    EXPECT_EQ(EvaluateNatively(expression).kind, NativeResult::kEngineFails) << expression;
  }
}

TEST(EvaluateNatively, DeclinesWhatOnlyTheEngineCanTell) {
  const Text declined[] = {
      "1--2",
      "1++2",
      "--1",
      "1//2",
      "1/*2*/",
      "/1/",
      "1+/2/",
      "Math.sqrt",
      "Math.log10(100)",
      "Math.pow(2,3)",
      "Math.max(1)",
      "math.sqrt(4)",
      "x",
      "NaN",
      "1 + 1",
      "'1'",
      "\xA3\xA8\x31\xA3\xA9",  // «（1）», full-width parentheses
      "2..toString()",
      "1,2",
      "9007199254740993",  // beyond 15 significant digits: the engine reads it its own way
      "1234567890123456",
      "1e15",
      "1e-320",
      "0x10",
      "1e999999",
      "2\xA1\xA1",  // an ideographic space is white space to the engine
      "Infinity2",
      "1 ",
      "0X1f",
      "0o17",
      "0b101",
      Text(101, '(') + "1" + Text(101, ')'),  // deeper than the native limit
      Text(101, '-') + "1",
  };
  for (const Text& expression : declined) {
    EXPECT_EQ(EvaluateNatively(expression).kind, NativeResult::kUnknown)
        << expression.substr(0, 40);
  }
  EXPECT_EQ(EvaluateNatively(Text(100, '(') + "1" + Text(100, ')')).kind, NativeResult::kValue);
  EXPECT_EQ(EvaluateNatively("123456789012345").kind, NativeResult::kValue);
  EXPECT_EQ(EvaluateNatively("0.00000000000000000000123456789012345").kind, NativeResult::kValue);
}

// Random expressions of every kind the driver can hand over, and some it cannot.
class ExpressionSource {
 public:
  explicit ExpressionSource(std::uint64_t seed) : rng_(seed) {}

  Text Next() {
    switch (Pick(6)) {
      case 0: return RepairExpression(FreeLine());
      case 1: return TranslateScientific(ScientificLine());
      case 2: return TokenSoup();
      case 3: return WellFormed(0);
      case 4: return Literal();
      default: return Deep();
    }
  }

 private:
  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }

  template <std::size_t N>
  const char* OneOf(const char* const (&pieces)[N]) {
    return pieces[Pick(N)];
  }

  Text FreeLine() {
    static const char* const pieces[] = {"1",        "2",        "3",    "0",        "9", "7", ".",
                                         "+",        "-",        "*",    "/",        "^", "(", ")",
                                         "12",       "0.5",      "3.14", "1e5",      "%", " ", "a",
                                         "\xA3\xB1", "\xA1\xC1", "00",   "100000000"};
    Text line;
    for (std::size_t n = Pick(30); n > 0; --n) line += OneOf(pieces);
    return line;
  }

  Text ScientificLine() {
    static const char* const pieces[] = {
        "sqrt(", "pow(",  "abs(",     "log(",     "exp(", "sin(", "cos(", "tan(",
        "asin(", "acos(", "atan(",    "2",        "3",    "0.5",  "10",   "%",
        "^",     "+",     "-",        "*",        "/",    "(",    ")",    ".",
        "7",     "1e3",   "\xA3\xA8", "\xA3\xA9", "50%",  "-1",   ",",    "log10("};
    Text line;
    for (std::size_t n = Pick(20); n > 0; --n) line += OneOf(pieces);
    return line;
  }

  Text TokenSoup() {
    // "/^" and "*/" check that the engine's "**" never opens or closes a comment.
    static const char* const pieces[] = {
        "0",        "1", "2",  "5",  "9",      ".",         "+",          "-",         "*",
        "/",        "^", "%",  "(",  ")",      "**",        "Math.sqrt(", "Math.pow(", "Math.exp(",
        "Infinity", "e", "e-", "00", "1e-005", "Math.log(", "x",          "/^",        "*/"};
    Text expression;
    for (std::size_t n = 1 + Pick(16); n > 0; --n) expression += OneOf(pieces);
    return expression;
  }

  Text Number() {
    static const char* const numbers[] = {
        "0",        "1",      "2",          "3",       "0.5",    "0.1",   "0.2",
        "1.5",      "10",     "100",        "7",       "1e-005", "2.5",   "0.001",
        "123.456",  "1e+010", "4294967296", "3.14159", "0.3",    "1e300", "999999999999999",
        "Infinity", "2."};
    return OneOf(numbers);
  }

  Text WellFormed(int depth) {
    if (depth > 4 || Pick(3) == 0) return Number();
    static const char* const ops[] = {"+", "-", "*", "/", "%", "^"};
    static const char* const calls[] = {"sqrt", "abs",  "log",  "exp",  "sin", "cos",
                                        "tan",  "asin", "acos", "atan", "pow"};
    switch (Pick(5)) {
      case 0: return "(" + WellFormed(depth + 1) + ")";
      case 1: return Text(Pick(2) ? "-" : "+") + WellFormed(depth + 1);
      case 2: return Text("Math.") + OneOf(calls) + "(" + WellFormed(depth + 1) + ")";
      default: return WellFormed(depth + 1) + OneOf(ops) + WellFormed(depth + 1);
    }
  }

  Text Literal() {
    Text digits;
    for (std::size_t n = 1 + Pick(20); n > 0; --n) digits += static_cast<char>('0' + Pick(10));
    if (Pick(2)) digits.insert(Pick(digits.size() + 1), ".");
    if (digits == ".") digits = "0";
    if (Pick(4) == 0) digits += "e" + Text(Pick(2) ? "-" : "") + std::to_string(Pick(330));
    return Pick(2) ? digits : "1+" + digits;
  }

  Text Deep() {
    const std::size_t depth = 90 + Pick(20);
    switch (Pick(3)) {
      case 0: return Text(depth, '(') + "2" + Text(depth, ')');
      case 1: return Text(depth, '-') + "2";
      default: {
        Text e;
        for (std::size_t i = 0; i < depth; ++i) e += "1.0001^";
        return e + "2";
      }
    }
  }

  std::mt19937_64 rng_;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr int kExpressions = 100'000;  // the full count runs in the ordinary build
#else
constexpr int kExpressions = 1'000'000;
#endif

TEST(EvaluateNatively, AgreesWithTheEngineBitForBit) {
  Evaluator evaluator;
  ExpressionSource source(20261211);
  int answered = 0;
  int refused = 0;
  for (int i = 0; i < kExpressions; ++i) {
    const Text expression = source.Next();
    const NativeResult native = EvaluateNatively(expression);
    if (native.kind == NativeResult::kUnknown) continue;
    const Text engine_text = evaluator.EvaluateExpression(expression);
    if (native.kind == NativeResult::kEngineFails) {
      ++refused;
      ASSERT_EQ(engine_text, "") << "the engine answered where it was said to fail: «" << expression
                                 << "»";
      continue;
    }
    ++answered;
    ASSERT_FALSE(engine_text.empty())
        << "the engine failed where the native evaluator answered: «" << expression << "»";
    const double engine = TextToNumber(engine_text);
    const double fast = evaluator.EvaluateToNumber(expression);
    ASSERT_TRUE(SameBits(engine, fast))
        << "«" << expression << "»: engine «" << engine_text << "», native " << native.value;
  }
  // Most prepared lines must take the fast way, or it is not worth having.
  RecordProperty("answered_natively", answered);
  RecordProperty("refused_natively", refused);
  EXPECT_GT(answered, kExpressions / 3);
  EXPECT_GT(refused, kExpressions / 10);
}

TEST(EvaluateToNumber, ReadsAsTheEnginesTextWould) {
  Evaluator evaluator;
  const Text expressions[] = {
      "",   "0*-1",  "-0",        "0/0",  "Math.sqrt(0-1)",   "1/0",    "0-1/0",
      "()", "1.2.3", "Math.sqrt", "2^10", "9007199254740993", "'12abc'"};
  for (const Text& e : expressions) {
    EXPECT_TRUE(
        SameBits(evaluator.EvaluateToNumber(e), TextToNumber(evaluator.EvaluateExpression(e))))
        << e;
  }
}

}  // namespace
}  // namespace orlinde
