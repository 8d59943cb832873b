#include <gtest/gtest.h>

#include <string>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"
#include "scientific/translate.h"
#include "text/codec.h"

namespace orlinde {
namespace {

Text Cp(std::string_view utf8) { return Utf8ToText(utf8); }

struct Case {
  std::string_view line;      // UTF-8
  std::string_view expected;  // UTF-8
  std::string_view shown;     // UTF-8; the expected expression when empty
};

void ExpectTranslations(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    const Text expression = TranslateScientific(Cp(c->line));
    EXPECT_EQ(TextToUtf8(expression), c->expected) << "line «" << c->line << "»";
    const std::string_view shown = c->shown.empty() ? c->expected : c->shown;
    EXPECT_EQ(TextToUtf8(ScientificShownCopy()), shown) << "line «" << c->line << "»";
  }
}

TEST(TranslateScientific, TurnsLinesIntoScriptExpressions) {
  const Case cases[] = {
      {"sqrt(4)", "Math.sqrt(4)", ""},
      {"SIN(2)", "Math.sin(2)", ""},
      {"log(8)", "Math.log(8)", ""},
      {"abs(-2)", "Math.abs(-2)", ""},
      {"asin(2) + atan(2)+ acos(2)", "Math.asin(2)+Math.atan(2)+Math.acos(2)", ""},
      {"sinh(1)", "Math.sin(1)", ""},
      {"log10(100)", "Math.log10(100)", ""},
      {"pow(2,3)", "Math.pow(23)", ""},  // the comma is not kept
      {"2e3", "23", ""},
      {"一加一 1+1", "1+1", ""},
      {"平方：2^2 ", "2^2", ""},
      {"ＬＯＧ：log(8)", "Math.log(8)", ""},  // full-width letters are removed, not lowered
      {"√(9)", "Math.sqrt(9)", ""},           // a typed placeholder acts as its name
      {"", "", ""},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateScientific, LeavesPowersToTheEngine) {
  const Case cases[] = {
      {"2^3", "2^3", ""},         {"2^(3)", "2^(3)", ""},
      {"1^2+3^4", "1^2+3^4", ""}, {"2^3^2", "2^3^2", ""},
      {"2^-1", "2^-1", ""},       {"sqrt(4)^2", "Math.sqrt(4)^2", ""},
      {"50%^2", "0.5^2", ""},     {"（2^3）", "(2^3)", "（2^3）"},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateScientific, KeepsFullWidthParenthesesInTheShownCopyOnly) {
  const Case cases[] = {
      {"（1+2）*3", "(1+2)*3", "（1+2）*3"},
      {"（50%）", "(0.5)", "（0.5）"},
      {"（（1）", "((1)", "（（1）"},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateScientific, ReadsFullWidthDigitsAndOperators) {
  const Case cases[] = {
      {"１+１", "1+1", ""},
      {"2×3", "2*3", ""},
      {"8÷2", "8/2", ""},
      {"１２．５％", "0.125", ""},
      {"２＾３－４＋５＊６／７", "2^3-4+5*6/7", ""},
      {"１！", "1", ""},  // other full-width punctuation is still removed
      {"ｓｉｎ(1)", "(1)", ""},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateScientific, RewritesPercentagesAsDecimalFractions) {
  const Case cases[] = {
      {"50%", "0.5", ""},
      {"10%+20%", "0.1+0.2", ""},
      {"0.3%", "0.003", ""},  // read in double precision, not as a single
      {"12.5%", "0.125", ""},
      {"0.001%", "1e-005", ""},
      {"1.2.3%", "0.012", ""},  // the number read stops at the second point
      {".%", "0", ""},
      {"%5", "%5", ""},
      {"(7)%3", "(7)%3", ""},
      {"(50)%", "(50)%", ""},
      // A rewritten number joins the digits after it, and the search starts over.
      {"7%3", "0.073", ""},
      {"5%5%", "0.00055", ""},
      {"5%5%5%", "5.55e-006", ""},
      {"50%%", "0.005", ""},
      {"0.001%5%", "1e-0.55", ""},  // only the digits after the exponent's sign join
      {"奮5%", "0.05", ""},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateScientific, APercentageTooLargeForADoubleIsInfinite) {
  const Text nines(400, '9');
  EXPECT_EQ(TranslateScientific(nines + "%"), "Infinity");
  EXPECT_EQ(TranslateScientific(nines + "%+1"), "Infinity+1");
  Evaluator evaluator;
  EXPECT_EQ(evaluator.EvaluateExpression(TranslateScientific(nines + "%")), "Infinity");
}

TEST(TranslateScientific, MapsEveryFunctionNameAndItsPlaceholder) {
  struct Row {
    std::string_view name;
    std::string_view symbol;  // UTF-8
    std::string_view call;
  };
  const Row rows[] = {
      {"pow", "☆", "Math.pow"},   {"sqrt", "√", "Math.sqrt"}, {"abs", "║", "Math.abs"},
      {"log", "㏒", "Math.log"},  {"exp", "㏑", "Math.exp"},  {"asin", "╠", "Math.asin"},
      {"atan", "╬", "Math.atan"}, {"acos", "╣", "Math.acos"}, {"tan", "⊿", "Math.tan"},
      {"sin", "∟", "Math.sin"},   {"cos", "∠", "Math.cos"},
  };
  ASSERT_EQ(std::size(rows), ScientificFunctionTable.size());
  for (const Row& row : rows) {
    const Text call = Text(row.call) + "(1)";
    EXPECT_EQ(TranslateScientific(Text(row.name) + "(1)"), call) << row.name;
    Text upper(row.name);
    for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
    EXPECT_EQ(TranslateScientific(upper + "(1)"), call) << upper;
    EXPECT_EQ(TranslateScientific(Cp(row.symbol) + "(1)"), call) << row.symbol;
  }
}

// The time these take is measured in the benchmark; here they must complete and be right.
TEST(TranslateScientific, AMillionCharacterLineCompletes) {
  Text line;
  while (line.size() < 1'000'000) line += "12.5%+";
  Text expected;
  for (std::size_t i = 0; i < line.size() / 6; ++i) expected += "0.125+";
  const Text expression = TranslateScientific(line);
  EXPECT_EQ(expression, expected);
  EXPECT_EQ(ScientificShownCopy(), expected);

  // One run of a million digits rewritten again and again at its end.
  const Text chain = [] {
    Text s;
    for (int i = 0; i < 250'000; ++i) s += "5%5%";
    return s;
  }();
  const Text chained = TranslateScientific(chain);
  EXPECT_EQ(chained.find('%'), Text::npos);
}

// The shown copy belongs to the line translated last, through the driver as in the window.
TEST(ScientificShownCopy, FollowsEveryScientificLineAndNoBasicOne) {
  MemoryWindow window;
  Evaluator evaluator;
  CalculationDriver driver(window, evaluator);

  window.SetChecked(Control::选择框2, true);
  window.PutBoxText(Control::编辑框1, Cp("（2^3）"));
  driver.CalculateAll();
  EXPECT_EQ(TextToUtf8(window.GetBoxText(Control::编辑框2)), "（2^3）=8\r\n");
  EXPECT_EQ(TextToUtf8(ScientificShownCopy()), "（2^3）");

  window.SetChecked(Control::选择框2, false);
  window.PutBoxText(Control::编辑框1, "7+1\r\n2*3");
  driver.CalculateAll();
  EXPECT_EQ(window.GetBoxText(Control::编辑框2), "7+1=8\r\n2*3=6\r\n");
  EXPECT_EQ(TextToUtf8(ScientificShownCopy()), "（2^3）") << "basic mode changed the copy";

  window.SetChecked(Control::选择框2, true);
  window.PutBoxText(Control::编辑框1, "50%\r\n\r\n");
  driver.CalculateAll();
  EXPECT_EQ(window.GetBoxText(Control::编辑框2), "0.5=0.5\r\n=0\r\n");
  EXPECT_EQ(ScientificShownCopy(), "") << "an empty line leaves an empty copy";
}

}  // namespace
}  // namespace orlinde
