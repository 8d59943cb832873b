#include <gtest/gtest.h>

#include "scientific/shown.h"
#include "scientific/translate.h"
#include "text/codec.h"

namespace orlinde {
namespace {

Text Cp(std::string_view utf8) { return Utf8ToText(utf8); }

TEST(BuildShownExpression, ShowsTheScientificLineWithShortNames) {
  struct Case {
    std::string_view line;   // UTF-8
    std::string_view shown;  // UTF-8
  };
  const Case cases[] = {
      {"sqrt(4)", "sqrt(4)"},
      {"SIN(2)", "sin(2)"},
      {"asin(2) + atan(2)+ acos(2)", "asin(2)+atan(2)+acos(2)"},
      {"2^3", "2^3"},
      {"2^(3)", "2^(3)"},
      {"50%", "0.5"},
      {"10%+20%", "0.1+0.2"},
      {"（1+2）*3", "（1+2）*3"},
      {"一加一 1+1", "1+1"},
      {"sinh(1)", "sin(1)"},
      {"pow(2,3)", "pow(23)"},
      {"", ""},
  };
  for (const Case& c : cases) {
    const Text prepared = TranslateScientific(Cp(c.line));
    EXPECT_EQ(TextToUtf8(BuildShownExpression(prepared, true)), c.shown)
        << "line «" << c.line << "»";
  }
}

TEST(BuildShownExpression, InScientificModeShowsTheCopyNotThePreparedExpression) {
  TranslateScientific("2^3");
  EXPECT_EQ(BuildShownExpression("Math.pow(2,3)", true), "2^3");
  TranslateScientific("");
  EXPECT_EQ(BuildShownExpression("1+1", true), "");
}

TEST(BuildShownExpression, ShortensEveryScriptCall) {
  for (const ScientificFunction& function : ScientificFunctionTable) {
    const Text call = Text(function.script_call) + "(1)";
    EXPECT_EQ(BuildShownExpression(call, false), Text(function.name) + "(1)") << call;
  }
  EXPECT_EQ(BuildShownExpression("Math.asin(1)+Math.sin(1)+Math.cos(Math.acos(1))", false),
            "asin(1)+sin(1)+cos(acos(1))");
}

TEST(BuildShownExpression, InBasicModeShowsThePreparedExpression) {
  TranslateScientific("2^3");
  struct Case {
    Text prepared;
    Text shown;
  };
  const Case cases[] = {
      {"2*(3+0.5)", "2*(3+0.5)"},
      {"", ""},
      // A call whose "M" is the trail byte of a double-byte character is no call.
      {"\x81Math.pow(1)", "\x81Math.pow(1)"},
      {"\x81"
       "1Math.pow(1)",
       "\x81"
       "1pow(1)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildShownExpression(c.prepared, false), c.shown) << c.prepared;
  }
}

}  // namespace
}  // namespace orlinde
