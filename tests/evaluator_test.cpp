#include "eval/evaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace orlinde {
namespace {

class EvaluatorTest : public ::testing::Test {
 protected:
  Evaluator evaluator;
};

TEST_F(EvaluatorTest, ReturnsTheValueAsTheEngineWritesIt) {
  struct Case {
    Text expression, value;
  } cases[] = {
      {"1+1", "2"},
      {"0.1+0.2", "0.30000000000000004"},
      {"1/3", "0.3333333333333333"},
      {"1e21", "1e+21"},
      {"1/0", "Infinity"},
      {"-1/0", "-Infinity"},
      {"0/0", "NaN"},
      {"-0", "0"},
      {"2*(3+0.5)", "7"},
      {"7%3", "1"},
      {"Math.sqrt(4)", "2"},
      {"Math.abs(-2)", "2"},
      {"Math.pow(23)", "NaN"},
      {"'abc'", "abc"},
      {"true", "true"},
      {"'\xD2\xBB'", "\xD2\xBB"},  // text goes through the engine and back unchanged
  };
  for (const Case& c : cases)
    EXPECT_EQ(evaluator.EvaluateExpression(c.expression), c.value) << c.expression;
}

TEST_F(EvaluatorTest, CaretIsThePowerSign) {
  struct Case {
    Text expression, value;
  } cases[] = {
      {"2^3", "8"},
      {"2^3^2", "512"},
      {"2^-1", "0.5"},
      {"(1+1)^2", "4"},
      {"-2^2", "-4"},
      {"2*-3^2", "-18"},
      {"2.^3", "8"},
      {"0.5^2", "0.25"},
      {"Math.sqrt(4)^2", "4"},
      // A caret after a slash is no power and opens no comment.
      {"2/^3", ""},
      {"2/^3*/+1", ""},
      {"2*3/^54^2/3/54^*/^54^2/3/52-6", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(evaluator.EvaluateExpression(c.expression), c.value) << c.expression;
}

TEST_F(EvaluatorTest, NumbersWithLeadingZerosAreDecimal) {
  struct Case {
    Text expression, value;
  } cases[] = {
      {"010+1", "11"},   {"007", "7"},   {"00.5", "0.5"},  {"0", "0"},
      {"00", "0"},       {"08", "8"},    {"09.5", "9.5"},  {"1.010", "1.01"},
      {"0.5", "0.5"},    {"000e1", "0"}, {"010e1", "100"}, {"0x10", "16"},
      {"2*(010)", "20"}, {".5", "0.5"},  {"00x1", ""},  // no number: a run of digits that a letter
                                                        // follows stays as written
  };
  for (const Case& c : cases)
    EXPECT_EQ(evaluator.EvaluateExpression(c.expression), c.value) << c.expression;
  EXPECT_EQ(EngineSource("'010^2'+010^2"), "'010^2'+10**2");
}

TEST_F(EvaluatorTest, EveryFailureGivesTheEmptyText) {
  const Text failures[] = {
      "",
      "()",
      "1+",
      "undefined",
      "null",
      "''",
      "x",
      "throw 1",
      "(function f(){return 1+f()})()",
      "Math.pow(2,3",
      "1.#INF",
      Text(100'000, '(') + "1" + Text(100'000, ')'),  // beyond the compiler's nesting limit
      Text(100'000, '-') + "1",
  };
  for (const Text& expression : failures) {
    EXPECT_EQ(evaluator.EvaluateExpression(expression), "") << expression.substr(0, 40);
  }
  EXPECT_EQ(evaluator.EvaluateExpression("1+1"), "2");  // and the engine goes on working
}

TEST_F(EvaluatorTest, NoEvaluationChangesWhatALaterOneSees) {
  struct Step {
    Text expression, value;
  } steps[] = {
      {"Math.pow++", "NaN"},
      {"Math.pow(2,3)", "8"},
      {"Math.sqrt = function(){return 5}", "function () { [ecmascript code] }"},
      {"Math.sqrt(4)", "2"},
      {"x = 5", "5"},
      {"x", ""},
      {"var y = 1", ""},
      {"y", ""},
      {"Object.prototype.valueOf = null", ""},
      {"1+1", "2"},
      {"Number.prototype.toString = function(){return 'z'}", "function () { [ecmascript code] }"},
      {"1/4", "0.25"},
      {"this.Math = 1", "1"},
      {"Math.abs(-3)", "3"},
      {"delete Math.abs", "false"},
      {"Math.abs(-3)", "3"},
      {"Duktape", ""},
  };
  for (const Step& s : steps)
    EXPECT_EQ(evaluator.EvaluateExpression(s.expression), s.value) << s.expression;
}

TEST(Evaluator, ABoundedHeapFailsOneExpressionAndTheNextWorks) {
  Evaluator small(std::size_t{16} << 20);
  EXPECT_EQ(small.EvaluateExpression("new Array(1e7).fill(1).length"), "");
  EXPECT_EQ(small.EvaluateExpression("'x'.repeat(3e7).length"), "");
  EXPECT_EQ(small.EvaluateExpression("'ab'.repeat(1e8).length"), "");
  EXPECT_EQ(small.EvaluateExpression("new Array(1000).join('x').length"), "999");
  EXPECT_EQ(small.EvaluateExpression("2^10"), "1024");
}

TEST(Evaluator, AHeapTooSmallForTheEngineMakesEveryResultEmpty) {
  Evaluator tiny(1024);
  EXPECT_EQ(tiny.EvaluateExpression("1+1"), "");
  EXPECT_EQ(tiny.EvaluateExpression("2"), "");
}

TEST_F(EvaluatorTest, TheGlobalObjectOffersNothingBeyondTheLanguage) {
  // Everything an expression can name: the standard built-ins only, nothing that reaches files,
  // processes, the network or the engine's internals.
  const std::set<Text> allowed = {
      "NaN",
      "Infinity",
      "undefined",
      "Object",
      "Function",
      "Array",
      "String",
      "Boolean",
      "Number",
      "Date",
      "RegExp",
      "Error",
      "EvalError",
      "RangeError",
      "ReferenceError",
      "SyntaxError",
      "TypeError",
      "URIError",
      "Math",
      "JSON",
      "eval",
      "parseInt",
      "parseFloat",
      "isNaN",
      "isFinite",
      "decodeURI",
      "decodeURIComponent",
      "encodeURI",
      "encodeURIComponent",
      "escape",
      "unescape",
      "Proxy",
      "Reflect",
      "Symbol",
      "Promise",
      "ArrayBuffer",
      "DataView",
      "Int8Array",
      "Uint8Array",
      "Uint8ClampedArray",
      "Int16Array",
      "Uint16Array",
      "Int32Array",
      "Uint32Array",
      "Float32Array",
      "Float64Array",
      "globalThis",
  };
  const TextList names = evaluator.GlobalNames();
  EXPECT_GT(names.size(), 20u);
  for (const Text& name : names)
    EXPECT_TRUE(allowed.count(name)) << "unexpected global «" << name << "»";
  EXPECT_EQ(std::count(names.begin(), names.end(), "Math"), 1);
}

}  // namespace
}  // namespace orlinde
