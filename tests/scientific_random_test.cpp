// The shipped translation, whose percentage loop runs in one pass, against the literal one that
// starts its search over after every rewrite, on random lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scientific/translate.h"
#include "scientific_reference.h"
#include "text/codec.h"

namespace orlinde::testing {
namespace {

std::vector<Text> Tokens() {
  // Digits, points and "%" come several times so that percentages are frequent and chain.
  const std::vector<std::string_view> utf8 = {
      "0",    "1",      "2",   "5",    "7",   "9",    "0",      "5",   ".",    ".",
      "%",    "%",      "%",   "+",    "-",   "*",    "/",      "^",   "(",    ")",
      " ",    ",",      "=",   "e",    "x",   "M",    "a",      "S",   "sqrt", "pow",
      "sin",  "asin",   "cos", "acos", "tan", "atan", "log",    "exp", "abs",  "sinh",
      "SIN",  "Math.",  "０",  "５",   "９",  "．",   "％",     "＋",  "－",   "＊",
      "／",   "＾",     "×",   "÷",    "（",  "）",   "ＬＯＧ", "ａ",  "！",   "　",
      "平方", "一加一", "奮",  "√",    "☆",   "║",    "㏒",     "╠",   "∟"};
  std::vector<Text> tokens;
  for (std::string_view t : utf8) tokens.push_back(Utf8ToText(t));
  // Pairs whose trail byte is a digit, "%" or "." under the code page's walking rule, the euro
  // sign 0x80, the one-byte 0xFF, and a lone lead byte that pairs with whatever follows it.
  for (const char* raw : {"\x81\x35", "\x81\x25", "\x81\x2E", "\x8A\x5E", "\x80", "\xFF", "\x81"}) {
    tokens.emplace_back(raw);
  }
  return tokens;
}

TEST(TranslateScientific, AgreesWithTheLiteralRestartingLoopOnRandomLines) {
  const std::vector<Text> tokens = Tokens();
  std::mt19937 random(4242);
  std::uniform_int_distribution<std::size_t> token(0, tokens.size() - 1);
  std::uniform_int_distribution<int> length(0, 40);
  int with_percentages = 0;
  for (int round = 0; round < 100'000; ++round) {
    Text line;
    for (int i = length(random); i > 0; --i) line += tokens[token(random)];
    const ReferenceTranslation expected = ReferenceTranslate(line);
    const Text expression = TranslateScientific(line);
    ASSERT_EQ(expression, expected.expression) << "line «" << TextToUtf8(line) << "»";
    ASSERT_EQ(ScientificShownCopy(), expected.shown) << "line «" << TextToUtf8(line) << "»";
    if (line.find('%') != Text::npos) ++with_percentages;
  }
  EXPECT_GT(with_percentages, 50'000);
}

}  // namespace
}  // namespace orlinde::testing
