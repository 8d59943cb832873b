// The basic-mode repair on lines whose results are known. Each table is checked against the
// shipped steps and against the literal reference, so a wrong row cannot hide in the oracle.
// The tables are written in UTF-8 and converted to code page 936, except the rows that are about
// single bytes.
#include "repair/repair.h"

#include <gtest/gtest.h>

#include <string>

#include "repair/repair_steps.h"
#include "repair_reference.h"
#include "repair_test_support.h"
#include "text/codec.h"

namespace orlinde::testing {
namespace {

struct Case {
  const char* input;
  const char* expected;
};

Text ShippedAfterEndPoints(std::string_view line) {
  return EndPoints(Filter(Normalise(line))).working;
}

Text ReferenceAfterEndPoints(std::string_view line) {
  return reference::EndPoints(reference::Filter(reference::Normalise(line))).working;
}

Text ShippedPointsOf(const Text& working) {
  return LonePoints(ExtraPoints({working, {}, {}})).working;
}

Text ReferencePointsOf(const Text& working) {
  return reference::LonePoints(reference::ExtraPoints({working, {}, {}})).working;
}

TEST(RepairCharacters, FirstThreeStepsKeepOnlyExpressionCharacters) {
  const Case cases[] = {
      {"", ""},
      {"abc", ""},
      {"1+2", "1+2"},
      {"１＋２", "1+2"},
      {"１２３．５", "123.5"},
      {"（１）", "(1)"},
      {"3×4", "3*4"},
      {"9÷3", "9/3"},
      {"２☆３", "2*3"},
      {"２★３", "2*3"},
      {"２＊３／４＾５－６", "2*3/4^5-6"},
      {"2　3", "23"},
      {"1 + 2", "1+2"},
      {"2奮3", "23"},
      {"a1b2", "12"},
      {"1e5", "15"},
      {"12%", "12"},
      {"12％", "12"},
      {"1,000", "1000"},
      {"１～２", "12"},
      {"Ｌ１ａ", "1"},
      {"1\t2", "12"},
      {"1\r2", "12"},
      {"1\n2", "12"},
      {".5", "0.5"},
      {"5.", "5"},
      {".", "0"},
      {"..", "0."},
      {"1..", "1."},
      {"．５", "0.5"},
  };
  for (const Case& c : cases) {
    const Text input = Utf8ToText(c.input);
    EXPECT_EQ(ShippedAfterEndPoints(input), c.expected) << ShowText(input);
    EXPECT_EQ(ReferenceAfterEndPoints(input), c.expected) << "reference, " << ShowText(input);
  }
}

// Rows about bytes: only 0x81 to 0xFE start a two-byte character, whatever its second byte is.
TEST(RepairCharacters, FirstThreeStepsWalkByCharacters) {
  const Case cases[] = {
      {"\x80\x35+1", "5+1"},       // the euro sign does not swallow the 5 (0x35)
      {"5\xFF+1", "5+1"},          // nor does 0xFF swallow the +
      {"2\x8A\x5E\x33", "23"},     // a second byte 0x5E is no "^"
      {"1\x81(2", "12"},           // nor is 0x28 a "("
      {"1\xFE+2", "12"},           // nor 0x2B a "+"
      {"1\xB0.5", "15"},           // nor 0x2E a "."
      {"1+2\x81", "1+2"},          // a lead byte with nothing after it is dropped
      {"1+2\x80", "1+2"},          // a final 0x80 is a character and the filter removes it
      {"\xA3\xB1\xA3", "1"},       // full-width one, then a lone lead byte
      {"\xA1\xC1\xA1\xC2", "*/"},  // the multiplication and division signs
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShippedAfterEndPoints(c.input), c.expected) << ShowText(c.input);
    EXPECT_EQ(ReferenceAfterEndPoints(c.input), c.expected) << "reference, " << ShowText(c.input);
  }
}

// From the text as the extra-points step finds it to the text the lone-points step leaves.
TEST(RepairPoints, EveryNumberKeepsOnePointBetweenDigits) {
  const Case cases[] = {
      {"1.2.3", "1.23"},
      {"1..2", "1.2"},
      {"2..5", "2.5"},
      {"3.14.15+2.7.1", "3.1415+2.71"},
      {"0.5.5.5", "0.555"},
      {"1.2+.3.4", "1.2+0.34"},
      {"1+.5", "1+0.5"},
      {"(.5)", "(0.5)"},
      {"-.5", "-0.5"},
      {"2^.5", "2^0.5"},
      {"1.+2", "1+2"},
      {"(2.)", "(2)"},
      {"5.)", "5)"},
      {"2.(3)", "2(3)"},
      {"1.", "1"},
      {"0.", "0"},
      {"+.+", "+0+"},
      {"0.+.0", "0+0.0"},
      {"(2).5", "(2)0.5"},
      {"2.^3", "2.^3"},  // "^" after a point is not in the set that drops it
      {"1.5*2.5/.5", "1.5*2.5/0.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShippedPointsOf(c.input), c.expected) << c.input;
    EXPECT_EQ(ReferencePointsOf(c.input), c.expected) << "reference, " << c.input;
  }
}

TEST(RepairExpressionLines, WholeLinesBecomeExpressions) {
  const Case cases[] = {
      {"", ""},
      {"abc", ""},
      {"1+2", "1+2"},
      {"１＋２", "1+2"},
      {"3×4", "3*4"},
      {"9÷3", "9/3"},
      {".5", "0.5"},
      {"5.", "5"},
      {"1e5", "15"},
      {"12%", "12"},
      {"3.14.15+2.7.1", "3.1415+2.71"},
      {"2(3+.5)", "2*(3+0.5)"},
      {"€5+1", "5+1"},
  };
  for (const Case& c : cases) {
    const Text input = Utf8ToText(c.input);
    EXPECT_EQ(RepairExpression(input), c.expected) << ShowText(input);
    EXPECT_EQ(ReferenceRepairExpression(input), c.expected) << "reference, " << ShowText(input);
  }
}

// clang-format off
TEST(RepairExpressionLines, OperatorsAtTheEndsGetAZero) {
  const Case cases[] = {
      {"+",      "0+0"},      // both ends of the same operator
      {"-5",     "0-5"},
      {"5-",     "5-0"},
      {"*3",     "0*3"},
      {"1+2-",   "1+2-0"},
      {"(-1)",   "(0-1)"},    // after "(" as well
      {"1+(-2)", "1+(0-2)"},
      {"2*(+3)", "2*(0+3)"},
      {"(^2)",   "(0^2)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairExpression(c.input), c.expected) << c.input;
    EXPECT_EQ(ReferenceRepairExpression(c.input), c.expected) << "reference, " << c.input;
  }
}

// A run of operators keeps its first one; signs after it fold into one sign that survives.
TEST(RepairExpressionLines, OperatorRunsKeepTheSignAfterAnOperator) {
  const Case cases[] = {
      {"1++2",     "1+2"},
      {"1*-2",     "1*-2"},      // a sign after "*", "/" or "^" stays
      {"1/-4",     "1/-4"},
      {"2^-1",     "2^-1"},
      {"1-2*-(3)", "1-2*-(3)"},
      {"1*--2",    "1*2"},       // an even number of "-" is no sign
      {"1*-+-2",   "1*2"},
      {"1*+-+2",   "1*-2"},
      {"1+-2",     "1-2"},       // a first "+" or "-" absorbs the sign
      {"1--2",     "1+2"},
      {"1-+2",     "1-2"},
      {"1---2",    "1-2"},
      {"1-+-+-2",  "1-2"},
      {"1+*2",     "1+2"},       // "*", "/" or "^" after the first operator drops the rest
      {"1-*-2",    "1-2"},
      {"2^^3",     "2^3"},
      {"--1",      "0+1"},       // at the start, after the "0" that the start gets
      {"(+-1)",    "(0-1)"},
      {"1+-",      "1-0"},       // at the end, before the "0" that the end gets
      {"1*-",      "1*-0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairExpression(c.input), c.expected) << c.input;
    EXPECT_EQ(ReferenceRepairExpression(c.input), c.expected) << "reference, " << c.input;
  }
}

TEST(RepairExpressionLines, ParenthesesAreOrderedCountedAndMultiplied) {
  const Case cases[] = {
      {"(1+2",   "(1+2)"},
      {"1+2)",   "(1+2)"},
      {"1+(2",   "1+(2)"},
      {")1(",    "(1*())"},
      {")(",     "(())"},
      {"(((",    "((()))"},
      {"()",     "()"},
      {"(1))(",  "(1))*("},     // the counts agree, so the nesting stays as it is
      {"2(",     "2*()"},
      {"2(3)",   "2*(3)"},
      {"(2)3",   "(2)*3"},
      {"(1)(2)", "(1)*(2)"},
      {"1(2)3",  "1*(2)*3"},
      {"3)(4",   "3*((4))"},
      {"1)+(2",  "1*(0+(2))"},
      {"(.5)",   "(0.5)"},
      {"(2).5",  "(2)*0.5"},
      {"2.(3)",  "2*(3)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairExpression(c.input), c.expected) << c.input;
    EXPECT_EQ(ReferenceRepairExpression(c.input), c.expected) << "reference, " << c.input;
  }
}
// clang-format on

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Lines of about a million bytes, whose results are easy to write down. Nothing here measures
// time; a quadratic step would make the test run for hours instead.
TEST(RepairExpressionLines, MillionCharacterLinesAreRepairedWhole) {
  struct LongCase {
    const char* name;
    std::string input;
    std::string expected;
  };
  const LongCase cases[] = {
      {"digits before parentheses", Repeat("1(", 500000),
       Repeat("1*(", 500000) + Repeat(")", 500000)},
      {"closing before opening", Repeat(")(", 500000), "((" + Repeat(")*(", 499999) + "))"},
      {"points and sign runs", Repeat("1.2.3+-", 142857) + "4", Repeat("1.23-", 142857) + "4"},
      {"one number of points", Repeat("..", 500000), "0"},
      {"one run of operators", Repeat("+", 1000000), "0+0"},
      {"signs after parentheses", Repeat("(-", 500000),
       Repeat("(0-", 500000) + Repeat(")", 500000)},
      {"double-byte characters", Repeat("\x8A\x5E", 500000), ""},
  };
  for (const LongCase& c : cases) {
    const Text repaired = RepairExpression(c.input);
    EXPECT_EQ(repaired.size(), c.expected.size()) << c.name;
    EXPECT_TRUE(repaired == c.expected) << c.name;
  }
}

}  // namespace
}  // namespace orlinde::testing
