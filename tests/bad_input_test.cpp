// Input that no box should be able to break, through the in-memory window and the driver:
// malformed code page 936, the byte 0, lines of a million characters, deep nesting, a hundred
// thousand lines, numbers beyond the double range and decimals texts beyond the integer range.
// Every case is followed by fixed lines that must come out as always, computed by the same
// driver and engine, as the window keeps them; so a case that broke the engine, the remembered
// results or the shown copy would show in the lines after it.
#include <gtest/gtest.h>

#include <string>

#include "app/driver.h"
#include "app/memory_window.h"
#include "scientific/translate.h"

namespace orlinde {
namespace {

Text Repeat(std::string_view piece, int times) {
  Text text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

class BadInputTest : public ::testing::Test {
 protected:
  Text Run(const Text& input, bool scientific, const Text& decimals = "") {
    window.PutBoxText(Control::编辑框1, input);
    window.PutBoxText(Control::编辑框3, decimals);
    window.SetChecked(Control::选择框2, scientific);
    driver.CalculateAll();
    return window.GetBoxText(Control::编辑框2);
  }

  // Lines after every case: the native evaluator, the power sign, the formatting, and in
  // scientific mode a call only the engine answers.
  static constexpr std::string_view kLater = "1+1\r\n2^10\r\n1/3\r\nlog10(100)";
  static Text LaterResults(bool scientific) {
    return Text("1+1=2\r\n2^10=1024\r\n1/3=0.3333333333333\r\n") +
           (scientific ? "log10(100)=2\r\n" : "10*(100)=1000\r\n");
  }

  MemoryWindow window;
  Evaluator evaluator;
  CalculationDriver driver{window, evaluator};
};

struct Case {
  const char* what;
  Text line;
  bool scientific;
  Text result;  // the line's result line, without its line break
};

TEST_F(BadInputTest, MalformedCodePage936AndTheByteZero) {
  const Case cases[] = {
      {"a lead byte at the end is dropped", "1+1\x81", false, "1+1=2"},
      {"... also in scientific mode", "1+1\x81", true, "1+1=2"},
      {"a lead byte takes any byte after it", Text("\x81") + "5+1", false, "0+1=1"},
      {"... also in scientific mode", Text("\x81") + "5+1", true, "+1=1"},
      {"0x80 and 0xFF are characters of their own", Text("\x80") + "5+1\xFF", false, "5+1=6"},
      {"... also in scientific mode", Text("\x80") + "5+1\xFF", true, "5+1=6"},
      {"a lone lead byte after a full-width parenthesis", Text("\xA3\xA8") + "2)\xA3", true,
       Text("\xA3\xA8") + "2)=2"},
      {"the byte 0 is removed like any other character", Text("1\0+1", 4), false, "1+1=2"},
      {"... also in scientific mode", Text("sqrt\0(4)", 8), true, "sqrt(4)=2"},
      {"a line of the byte 0 alone", Text(1, '\0'), false, "=0"},
  };
  // A lead byte at the end of a line would take the "\r" of the line break after it (see
  // below), so each line is the last of its input and the fixed lines come in the next run.
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.line, c.scientific), c.result + "\r\n") << c.what;
    EXPECT_EQ(Run(Text(kLater), c.scientific), LaterResults(c.scientific)) << c.what;
  }
}

// Walking by characters, a lead byte takes the "\r" of the line break after it as its second
// byte, so the line and the next are one line for every unit. The box edge never makes such a
// text; what matters is that the results stay one line per line and the lines after are right.
TEST_F(BadInputTest, ALeadByteBeforeALineBreakJoinsTheTwoLines) {
  EXPECT_EQ(TextSplit("1\x81\r\n2", "\r\n").size(), 1u);
  EXPECT_EQ(Run("1\x81\r\n2\r\n" + Text(kLater), false), "12=12\r\n" + LaterResults(false));
  EXPECT_EQ(Run("2*3\x81", false), "2*3=6\r\n");  // a lead byte at the end of the whole input
}

TEST_F(BadInputTest, LinesOfAMillionCharactersAndDeepNesting) {
  const Text nines = Text(1'000'000, '9');
  const Text ones = Repeat("1+", 500'000);
  const Text opens = Text(1'000'000, '(');
  const Text nested = Text(100'000, '(') + "1" + Text(100'000, ')');
  const Text minuses = Text(100'000, '-') + "1";
  const Text roots = Repeat("sqrt(", 200'000) + "4";
  const Case cases[] = {
      {"a million digits", nines, false, nines + "=1.#INF"},
      {"... in scientific mode", nines, true, nines + "=1.#INF"},
      {"a million characters of sums", ones, false, ones + "0=500000"},
      // Scientific mode has no repair: the last "+" is a syntax error.
      {"... in scientific mode", ones, true, ones + "=0"},
      {"a million opening parentheses", opens, false, opens + Text(1'000'000, ')') + "=0"},
      {"... in scientific mode", opens, true, opens + "=0"},
      {"a million letters", Text(1'000'000, 'x'), false, "=0"},
      {"... in scientific mode", Text(1'000'000, 'x'), true, "=0"},
      // Deeper than the engine's compiler goes: the line fails and shows 0.
      {"100,000 nested parentheses", nested, false, nested + "=0"},
      {"... in scientific mode", nested, true, nested + "=0"},
      {"100,000 minus signs", minuses, false, "0+1=1"},
      {"... in scientific mode", minuses, true, minuses + "=0"},
      {"200,000 nested calls", roots, true, roots + "=0"},
  };
  for (const Case& c : cases) {
    const Text got = Run(c.line + "\r\n" + Text(kLater), c.scientific);
    EXPECT_TRUE(got == c.result + "\r\n" + LaterResults(c.scientific))
        << c.what << ": " << got.substr(0, 60) << " ... " << got.substr(got.size() - 80);
  }
}

TEST_F(BadInputTest, NumbersBeyondTheDoubleRange) {
  const Text nines = Text(400, '9');
  const Case cases[] = {
      {"400 nines", nines, false, nines + "=1.#INF"},
      {"... in scientific mode", nines, true, nines + "=1.#INF"},
      {"minus 400 nines", "-" + nines, false, "0-" + nines + "=-1.#INF"},
      {"... in scientific mode", "-" + nines, true, "-" + nines + "=-1.#INF"},
      {"infinity times zero", nines + "*0", false, nines + "*0=-1.#IND"},
      {"infinity over infinity", nines + "/" + nines, true, nines + "/" + nines + "=-1.#IND"},
      {"an infinite percentage", nines + "%", true, "Infinity=1.#INF"},
      {"... and one more", nines + "%+1", true, "Infinity+1=1.#INF"},
      {"a power that overflows", "2^99999", false, "2^99999=1.#INF"},
      {"below the smallest double", "0." + Text(400, '0') + "1", false,
       "0." + Text(400, '0') + "1=0"},
      // Letters are removed in both modes, the exponent's "e" too.
      {"1e400", "1e400", false, "1400=1400"},
      {"... in scientific mode", "1e400", true, "1400=1400"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.line + "\r\n" + Text(kLater), c.scientific),
              c.result + "\r\n" + LaterResults(c.scientific))
        << c.what;
  }
}

TEST_F(BadInputTest, DecimalsTextsBeyondTheIntegerRange) {
  struct DecimalsCase {
    Text decimals;
    Text results;  // of «1/3» and «2.5»
  };
  const Text third184 =
      "1/3=0.3333333333333" + Text(171, '0') + "\r\n2.5=2.5" + Text(183, '0') + "\r\n";
  const DecimalsCase cases[] = {
      {"2147483647", third184},
      {"-2147483647", "1/3=0\r\n2.5=0\r\n"},
      {"+3", "1/3=0.333\r\n2.5=2.500\r\n"},
      {"\xA3\xB3", "1/3=0.333\r\n2.5=2.500\r\n"},  // a full-width 3
      {Text(1'000'000, '9'), third184},
      {"-" + Text(1'000'000, '9'), "1/3=0\r\n2.5=0\r\n"},
      {Text(1'000'000, '-'), "1/3=0\r\n2.5=3\r\n"},
      {Text("\0"
            "2",
            2),
       "1/3=0\r\n2.5=3\r\n"},  // reading stops at the byte 0
  };
  for (const DecimalsCase& c : cases) {
    EXPECT_EQ(Run("1/3\r\n2.5", false, c.decimals), c.results) << c.decimals.substr(0, 20);
    EXPECT_EQ(Run("1/3\r\n2.5", true, c.decimals), c.results) << c.decimals.substr(0, 20);
    // The remembered results of those decimals are not served for others.
    EXPECT_EQ(Run("1/3\r\n2.5", false), "1/3=0.3333333333333\r\n2.5=2.5\r\n");
  }
}

TEST_F(BadInputTest, AHundredThousandLines) {
  Text input;
  Text expected;
  for (int i = 0; i < 100'000; ++i) {
    const std::string n = std::to_string(i);
    input += n + "*2\r\n";
    expected += n + "*2=" + std::to_string(2 * i) + "\r\n";
  }
  EXPECT_TRUE(Run(input, false) == expected);
  // One line changed in the middle: the remembered results of the others still serve.
  const std::size_t middle = input.find("\r\n50000*2\r\n") + 2;
  input.replace(middle, 7, "50000*3");
  expected.replace(expected.find("\r\n50000*2=100000\r\n") + 2, 14, "50000*3=150000");
  EXPECT_TRUE(Run(input, false) == expected);
  EXPECT_TRUE(Run(input, true) == expected);
  EXPECT_EQ(Run(Text(kLater), false), LaterResults(false));
}

// Every keystroke in a long line makes a new line for the driver to remember. It used to keep
// up to a thousand earlier versions of it, a megabyte each for a line of a million characters.
TEST_F(BadInputTest, TypingIntoAMillionCharacterLineKeepsNoPileOfEarlierVersions) {
  for (const bool scientific : {false, true}) {
    Text line = Text(1'000'000, '1');
    for (int i = 0; i < 40; ++i) {
      line += i % 2 == 0 ? "+" : "1";
      Run(line, scientific);
    }
    EXPECT_LT(driver.remembered_bytes(), std::size_t{10'000'000}) << scientific;
    MemoryWindow fresh_window;
    fresh_window.PutBoxText(Control::编辑框1, line);
    fresh_window.SetChecked(Control::选择框2, scientific);
    CalculationDriver fresh(fresh_window, evaluator, {.remember_results = false});
    fresh.CalculateAll();
    EXPECT_TRUE(Run(line, scientific) == fresh_window.GetBoxText(Control::编辑框2));
  }
}

}  // namespace
}  // namespace orlinde
