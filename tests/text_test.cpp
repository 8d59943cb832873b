#include "text/text.h"

#include <gtest/gtest.h>

namespace orlinde {
namespace {

// Two-byte characters used below, as code page 936 bytes.
const Text kFullWidthOne = "\xA3\xB1";  // １
const Text kFen = "\x8A\x5E";           // 奮, whose second byte is "^"
const Text kIdeographicSpace = "\xA1\xA1";

TEST(TextPositional, LeftRightMidClampAtTheEdges) {
  struct Case {
    Text got, expected;
  } cases[] = {
      {TextMid("abc", 0, 1), ""},  // a start below 1 is not moved up
      {TextMid("abc", -3, 9), ""},
      {TextMid("abc", 4, 1), ""},
      {TextMid("abc", 2, 5), "bc"},
      {TextMid("abc", 1, 0), ""},
      {TextMid("abc", 3, 1), "c"},
      {TextMid(kFullWidthOne, 2, 1), "\xB1"},  // byte-wise: half a character
      {TextLeft("abc", 0), ""},
      {TextLeft("abc", -1), ""},
      {TextLeft("abc", 2), "ab"},
      {TextLeft("abc", 9), "abc"},
      {TextRight("abc", -1), ""},
      {TextRight("abc", 1), "c"},
      {TextRight("abc", 9), "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength(kFen + "^"), 3);
}

TEST(TextSearch, FindsByCharactersWithTheEmptyNeedleRule) {
  struct Case {
    Text haystack, needle;
    int first, last;
  } cases[] = {
      {"()+*-/^", "", 1, 1},  // the empty needle is found in any non-empty text
      {"", "", -1, -1},
      {"", "a", -1, -1},
      {"1+2", "#", -1, -1},
      {kFen + "^", "^", 3, 3},  // the "^" inside 奮 lies on no character boundary
      {kFen, "^", -1, -1},
      {"#1#2", "#", 1, 3},
      {"aaa", "aa", 1, 2},   // matches may overlap for the last one
      {"AbA", "a", -1, -1},  // exact comparison
      {"\x80"
       "5",
       "5", 2, 2},  // 0x80 is a character of its own
      {"\xFF"
       "5",
       "5", 2, 2},
      {"\x81"
       "5",
       "5", -1, -1},  // a lead byte takes the byte after it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFind(c.haystack, c.needle), c.first) << c.haystack << " / " << c.needle;
    EXPECT_EQ(TextFindLast(c.haystack, c.needle), c.last) << c.haystack << " / " << c.needle;
  }
}

TEST(TextReplaceAt, ClampsTheStartAndLength) {
  struct Case {
    Text text;
    int start, length;
    std::optional<Text> replacement;
    Text expected;
  } cases[] = {
      {"abc", -1, 1, "(", "(bc"},  {"abc", 9, 1, "x", "abcx"},    {"abc", 2, 1, std::nullopt, "ac"},
      {"a.b", 2, 1, "0.", "a0.b"}, {"a", 1, 1, std::nullopt, ""}, {"abc", 2, 0, "x", "axbc"},
      {"abc", 2, 9, "x", "ax"},    {"abc", 2, -1, "x", "axbc"},   {"abc", 4, 1, "x", "abcx"},
      {"", 1, 1, "x", "x"},
  };
  for (const Case& c : cases) {
    const std::optional<std::string_view> replacement =
        c.replacement ? std::optional<std::string_view>(*c.replacement) : std::nullopt;
    EXPECT_EQ(TextReplaceAt(c.text, c.start, c.length, replacement), c.expected)
        << c.text << " at " << c.start << " for " << c.length;
  }
}

TEST(TextReplace, ReplacesEveryOccurrenceLeftToRightByCharacters) {
  struct Case {
    Text text, search, replacement, expected;
  } cases[] = {
      {"(+(+", "(+", "(0+", "(0+(0+"},
      {"aaa", "aa", "b", "ba"},
      {"abc", "", "x", "abc"},
      {"", "a", "x", ""},
      {kFen + "^", "^", "**", kFen + "**"},
      {"aa", "a", "aa", "aaaa"},  // the replacement is never searched again
  };
  for (const Case& c : cases) EXPECT_EQ(TextReplace(c.text, c.search, c.replacement), c.expected);
}

TEST(TextConvert, LowerHalfWidthAndSpaces) {
  struct Case {
    Text got, expected;
  } cases[] = {
      {TextToLower("LOG(8)"), "log(8)"},
      {TextToLower("\xA3\xCC\xA3\xCF\xA3\xC7"), "\xA3\xCC\xA3\xCF\xA3\xC7"},  // ＬＯＧ stays
      {TextToLower("\x81"
                   "A"),
       "\x81"
       "A"},                                                 // a second byte is never changed
      {TextToHalfWidth("\xA3\xB1\xA3\xAB\xA3\xB2"), "1+2"},  // １＋２
      {TextToHalfWidth("\xA3\xB2\xA1\xEE\xA3\xB3"), "2*3"},  // ２☆３
      {TextToHalfWidth("\xA1\xEF"), "*"},                    // ★
      {TextToHalfWidth("3\xA1\xC1"
                       "4"),
       "3\xA1\xC1"
       "4"},  // 3×4 unchanged
      {TextToHalfWidth(kIdeographicSpace + "\xA1\xAB"), " ~"},
      {TextToHalfWidth("\xA3\xA8\xA3\xA9\xA3\xAE\xA3\xC1\xA3\xE1\xA3\xFE"), "().Aa~"},
      {TextToHalfWidth("1\x81"), "1"},      // a final lead byte is dropped
      {TextToHalfWidth("1\x80"), "1\x80"},  // the euro sign is a character and stays
      {TextRemoveSpaces("1 +" + kIdeographicSpace + "2"), "1+2"},
      {TextRemoveSpaces("1\t2"), "1\t2"},
      {TextRemoveSpaces("2\x81"), "2"},
      {TextRemoveSpaces("\xFF "), "\xFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(TextSplit, CutsAtTheSeparatorWithoutAnEmptyLastPiece) {
  struct Case {
    Text text;
    TextList expected;
  } cases[] = {
      {"", {}},
      {"1+2", {"1+2"}},
      {"a\r\n", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\nb", {"a\nb"}},
      {"\r\na", {"", "a"}},
      {"a\r\r\nb", {"a\r", "b"}},
      {"\x81\r\nb", {"\x81\r\nb"}},  // the "\r" belongs to a two-byte character
  };
  for (const Case& c : cases) {
    const TextList got = TextSplit(c.text, "\r\n");
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(TextListCount(got), static_cast<int>(c.expected.size()));
  }
}

TEST(TextConcat, JoinsAnyNumberOfParts) {
  EXPECT_EQ(TextConcat("a", Text(), "b", "c"), "abc");
  EXPECT_EQ(TextConcat(Text(), Text()), "");
  EXPECT_TRUE(TextEquals(Text(), ""));
  EXPECT_FALSE(TextEquals("a", "A"));
}

}  // namespace
}  // namespace orlinde
