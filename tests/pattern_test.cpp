#include "scientific/pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scientific/translate.h"
#include "text/codec.h"

namespace orlinde {
namespace {

// Tests write their texts in UTF-8; the code under test sees code page 936.
Text Cp(std::string_view utf8) { return Utf8ToText(utf8); }

constexpr std::string_view kPercentage = "[0-9\\.]+\\%";
constexpr std::string_view kPower = "[0-9\\.]+\\^[0-9\\.]+";
constexpr std::string_view kParenthesisedPower = "[0-9\\.]+\\^\\([0-9\\.]+\\)";

TEST(PatternCompile, AcceptsTheSyntaxAndRefusesEverythingElse) {
  struct Case {
    std::string_view pattern;
    bool compiles;
  };
  const Case cases[] = {
      {kPercentage, true},
      {kPower, true},
      {kParenthesisedPower, true},
      {ScientificFilterPattern, true},
      {"a", true},
      {"a+b+", true},
      {"\\++", true},    // an escaped "+" repeated
      {"[a-]", true},    // a "-" before "]" is a member
      {"[-a]", true},    // and so is one at the start
      {"[\\]]", true},   // an escaped "]" inside a class
      {"", false},       // empty
      {"+a", false},     // nothing to repeat
      {"a++", false},    // a repetition repeated
      {"\\", false},     // a lone escape
      {"\\d", false},    // class escapes are not part of the syntax
      {"[0-9", false},   // class never closed
      {"[]", false},     // empty class
      {"[^]", false},    // empty negated class
      {"[9-0]", false},  // reversed range
      {"a*", false},     // other repetitions are not supported
      {"a?", false},
      {"(a)", false},  // nor groups
      {"a|b", false},  // nor alternatives
      {".", false},    // nor the any-character dot
      {"^a", false},   // nor anchors
      {"a]", false},   // a stray "]"
  };
  for (const Case& c : cases) {
    Pattern pattern;
    EXPECT_EQ(pattern.Compile(c.pattern), c.compiles) << c.pattern;
  }
  Pattern pattern;
  EXPECT_FALSE(pattern.Compile(Cp("[（-）]"))) << "a range between double-byte characters";
}

TEST(PatternCompile, AFailedCompileLeavesNoCompiledForm) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile("[0-9]+"));
  ASSERT_TRUE(pattern.Search("a1").Found());
  EXPECT_FALSE(pattern.Compile(""));
  EXPECT_FALSE(pattern.Search("a1").Found());
  EXPECT_EQ(pattern.ReplaceAll("a1", "#"), "a1");
}

TEST(PatternCompile, NeverCompiledMatchesNothing) {
  const Pattern pattern;
  EXPECT_FALSE(pattern.Search("abc").Found());
  EXPECT_EQ(pattern.ReplaceAll("abc", ""), "abc");
}

TEST(PatternMatch, UnfilledReportsNotFound) {
  const PatternMatch match;
  EXPECT_FALSE(match.Found());
}

TEST(PatternSearch, FindsTheLeftmostGreedyMatchCountedInCharacters) {
  struct Case {
    Text pattern;
    Text text;
    bool found;
    int start, end;
    Text matched;
  };
  const Case cases[] = {
      {Text(kPercentage), "10%+20%", true, 0, 3, "10%"},
      {Text(kPercentage), "1.2.3%", true, 0, 6, "1.2.3%"},  // points anywhere in the run
      {Text(kPercentage), "1%22%", true, 0, 2, "1%"},       // leftmost, not longest
      {Text(kPercentage), "(7)%3", false, 0, 0, ""},
      {Text(kPercentage), "12", false, 0, 0, ""},
      {Text(kPercentage), "", false, 0, 0, ""},
      {Text(kPower), Cp("（2^3）"), true, 1, 4, "2^3"},  // "（" is one character
      {Text(kPower), "2^3^2", true, 0, 3, "2^3"},
      {Text(kPower), "Math.pow(2,3)^2", false, 0, 0, ""},
      {Text(kPower), "12.5^0.5+1", true, 0, 8, "12.5^0.5"},
      {Text(kParenthesisedPower), "1+2^(3)", true, 2, 7, "2^(3)"},
      {Text(kParenthesisedPower), "2^(3", false, 0, 0, ""},
      // The trail byte of «奮» (8A 5E) is "^" and that of 81 35 is "5": neither is a character.
      {"\\^[0-9]+", Cp("奮^3"), true, 1, 3, "^3"},
      {"\\^", Cp("奮"), false, 0, 0, ""},
      {Text(kPercentage), "\x81\x35%", false, 0, 0, ""},
      {Text(kPercentage), "\x80\x35%", true, 1, 3, "5%"},  // 80 is a character of its own
      {Cp("[（）]+"), Cp("1（）2"), true, 1, 3, Cp("（）")},
      {Cp("[^（]"), Cp("（a"), true, 1, 2, "a"},
      {Cp("\\（"), Cp("a（"), true, 1, 2, Cp("（")},
      // A "+" gives repetitions back when the rest of the pattern needs them.
      {"[0-9]+5", "1255x", true, 0, 4, "1255"},
      {"[ab]+a", "aabbb", true, 0, 2, "aa"},
      {"[ab]+b+", "abab", true, 0, 4, "abab"},
      {"a+b", "xaaab", true, 1, 5, "aaab"},
      {"ab", "aab", true, 1, 3, "ab"},  // a failed start is not where the search resumes
  };
  for (const Case& c : cases) {
    Pattern pattern;
    ASSERT_TRUE(pattern.Compile(c.pattern)) << c.pattern;
    const PatternMatch match = pattern.Search(c.text);
    EXPECT_EQ(match.Found(), c.found) << c.pattern << " in " << c.text;
    if (!c.found || !match.Found()) continue;
    EXPECT_EQ(match.Start(), c.start) << c.pattern << " in " << c.text;
    EXPECT_EQ(match.End(), c.end) << c.pattern << " in " << c.text;
    EXPECT_EQ(match.MatchedText(), c.matched) << c.pattern << " in " << c.text;
  }
}

TEST(PatternSearch, TheMatchedTextOutlivesTheSearchedText) {
  Pattern pattern;
  ASSERT_TRUE(pattern.Compile(kPercentage));
  PatternMatch match;
  {
    Text text = "x12%y";
    match = pattern.Search(text);
    text.assign(text.size(), '#');
  }
  EXPECT_EQ(match.MatchedText(), "12%");
}

TEST(PatternReplaceAll, ReplacesEveryMatchWithoutOverlap) {
  struct Case {
    Text pattern;
    Text text;
    Text replacement;
    Text expected;
  };
  const Case cases[] = {
      {Text(ScientificFilterPattern), Cp("一加一 1+1"), "", "1+1"},  // Chinese characters go whole
      {Text(ScientificFilterPattern), Cp("（1+2）"), "", Cp("（1+2）")},
      {Text(ScientificFilterPattern), Cp("奮^"), "", "^"},  // no trail byte is left behind
      {Text(ScientificFilterPattern),
       "\x80"
       "5",
       "", "5"},
      {Text(ScientificFilterPattern), "1\x81", "", "1"},  // a final lead byte is a character too
      {Text(ScientificFilterPattern), Cp("√☆║㏒⊿∟∠╠╣╬㏑%"), "", Cp("√☆║㏒⊿∟∠╠╣╬㏑%")},
      {Text(ScientificFilterPattern), Cp("１×２=,\t ａ") + "\xFF", "", ""},
      {Text(ScientificFilterPattern), "", "", ""},
      {"[0-9]+", "a12b345", "#", "a#b#"},
      {"aa", "aaaaa", "b", "bba"},
      {"[^a]", Cp("a奮a"), "-", "a-a"},
  };
  for (const Case& c : cases) {
    Pattern pattern;
    ASSERT_TRUE(pattern.Compile(c.pattern)) << c.pattern;
    EXPECT_EQ(pattern.ReplaceAll(c.text, c.replacement), c.expected)
        << c.pattern << " over " << c.text;
  }
}

// A million characters is where a backtracking library matcher runs out of stack; the time it
// takes is measured in the benchmark.
TEST(PatternSearch, LongLinesCompleteWithBoundedStack) {
  Pattern percentage;
  ASSERT_TRUE(percentage.Compile(kPercentage));
  const Text digits(1'000'000, '7');
  EXPECT_FALSE(percentage.Search(digits).Found());
  const PatternMatch match = percentage.Search(digits + "%");
  ASSERT_TRUE(match.Found());
  EXPECT_EQ(match.Start(), 0);
  EXPECT_EQ(match.End(), 1'000'001);

  Pattern filter;
  ASSERT_TRUE(filter.Compile(ScientificFilterPattern));
  Text mixed;
  for (int i = 0; i < 250'000; ++i)
    mixed +=
        "a1"
        "\x8A\x5E";
  EXPECT_EQ(filter.ReplaceAll(mixed, ""), Text(250'000, '1'));
}

// A plain backtracking matcher over decoded characters, for the few constructs the random
// patterns below use: one character or a class of characters, optionally repeated.
struct Item {
  std::vector<Text> members;
  bool negated = false;
  bool repeated = false;
  bool Matches(const Text& c) const {
    bool in = false;
    for (const Text& m : members) in = in || m == c;
    return in != negated;
  }
};

bool MatchHere(const std::vector<Item>& items, std::size_t item, const std::vector<Text>& chars,
               std::size_t at, std::size_t& end) {
  if (item == items.size()) {
    end = at;
    return true;
  }
  const Item& it = items[item];
  if (!it.repeated) {
    return at < chars.size() && it.Matches(chars[at]) &&
           MatchHere(items, item + 1, chars, at + 1, end);
  }
  std::size_t run = at;
  while (run < chars.size() && it.Matches(chars[run])) ++run;
  for (std::size_t stop = run; stop > at; --stop) {
    if (MatchHere(items, item + 1, chars, stop, end)) return true;
  }
  return false;
}

TEST(PatternSearch, AgreesWithABacktrackingMatcherOnRandomPatterns) {
  std::mt19937 random(20240601);
  const std::vector<Text> alphabet = {"a", "b", "^", Cp("奮"), Cp("（")};
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  for (int round = 0; round < 20'000; ++round) {
    std::vector<Item> items(1 + pick(4));
    Text source;
    for (Item& item : items) {
      const std::size_t kind = pick(3);
      if (kind == 0) {
        item.members = {alphabet[pick(alphabet.size())]};
        source += item.members[0] == "^" ? Text("\\^") : item.members[0];
      } else {
        item.negated = kind == 2;
        source += item.negated ? "[^" : "[";
        for (std::size_t k = 0, n = 1 + pick(2); k < n; ++k) {
          item.members.push_back(alphabet[pick(alphabet.size())]);
          source += item.members.back() == "^" ? Text("\\^") : item.members.back();
        }
        source += "]";
      }
      item.repeated = pick(2) == 1;
      if (item.repeated) source += "+";
    }
    std::vector<Text> chars(pick(12));
    Text text;
    for (Text& c : chars) text += c = alphabet[pick(alphabet.size())];

    bool found = false;
    std::size_t start = 0, end = 0;
    for (; start < chars.size() && !found; ++start) found = MatchHere(items, 0, chars, start, end);
    if (found) --start;

    Pattern pattern;
    ASSERT_TRUE(pattern.Compile(source)) << source;
    const PatternMatch match = pattern.Search(text);
    ASSERT_EQ(match.Found(), found) << source << " in " << text;
    if (!found) continue;
    ASSERT_EQ(match.Start(), static_cast<int>(start)) << source << " in " << text;
    ASSERT_EQ(match.End(), static_cast<int>(end)) << source << " in " << text;
    Text matched;
    for (std::size_t k = start; k < end; ++k) matched += chars[k];
    ASSERT_EQ(match.MatchedText(), matched) << source << " in " << text;
  }
}

}  // namespace
}  // namespace orlinde
