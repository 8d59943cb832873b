#include "text/codec.h"

#include <gtest/gtest.h>

namespace orlinde {
namespace {

TEST(Codec, RoundTripsChineseFullWidthAndTheEuroSign) {
  struct Case {
    std::string utf8;
    Text cp936;
  } cases[] = {
      {"1+1", "1+1"},
      {"科学计算", "\xBF\xC6\xD1\xA7\xBC\xC6\xCB\xE3"},
      {"１２．５", "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5"},
      {"€5",
       "\x80"
       "5"},
      {"（）", "\xA3\xA8\xA3\xA9"},
      {"√☆║㏒㏑╠╬╣⊿∟∠",
       "\xA1\xCC\xA1\xEE\xA8\x55\xA9\x53\xA9\x52\xA8\x64\xA8\x70\xA8\x67\xA8\x53\xA8\x4E\xA1\xCF"},
      {"×÷", "\xA1\xC1\xA1\xC2"},
      {"奮^", "\x8A\x5E^"},
      {"\r\n", "\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToText(c.utf8), c.cp936) << c.utf8;
    EXPECT_EQ(TextToUtf8(c.cp936), c.utf8) << c.utf8;
    EXPECT_EQ(Utf16ToText(TextToUtf16(c.cp936)), c.cp936) << c.utf8;
  }
}

TEST(Codec, EncodingNeverProducesZeroAndReplacesWhatTheCodePageLacks) {
  struct Case {
    std::u16string utf16;
    Text expected;
  } cases[] = {
      {std::u16string(u"a") + u'\0' + u"b", "a?b"},
      {u"\U0001F600", "?"},  // beyond the code page: one "?" for the pair
      {u"\xD800x", "?x"},    // a lone surrogate
      {u"\xDC00", "?"},
      {u"\u0301", "?"},         // a combining accent the code page lacks
      {u"\u4E00", "\xD2\xBB"},  // 一
  };
  for (const Case& c : cases) {
    const Text got = Utf16ToText(c.utf16);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(got.find('\0'), Text::npos);
  }
  EXPECT_EQ(Utf8ToText(std::string("a\0b", 3)), "a?b");
  EXPECT_EQ(Utf8ToText("\xFF\xC3x\xE4\xB8"), "??x??");  // broken UTF-8, byte by byte
  EXPECT_EQ(Utf8ToText("\xED\xA0\x80"), "???");         // an encoded surrogate
}

TEST(Codec, DecodingMalformedBytesNeverFails) {
  struct Case {
    Text cp936;
    std::u16string expected;
  } cases[] = {
      {"1\x81", u"1\uFFFD"},  // a lead byte at the end
      {"\x81"
       "1+",
       u"\uFFFD1+"},  // a lead byte before a byte that cannot follow it
      {"\xFF", u"\uFFFD"},
      {"\xA1\x40"
       "x",
       u"\uFFFDx"},  // a pair the code page leaves empty
  };
  for (const Case& c : cases) EXPECT_EQ(TextToUtf16(c.cp936), c.expected);
}

}  // namespace
}  // namespace orlinde
