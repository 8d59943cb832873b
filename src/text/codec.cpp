#include "text/codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace orlinde {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Both directions as flat tables, filled once from glibc's "CP936" converter, which is exact for
// this code page (0x80 is the euro sign). A table lookup per character keeps the box edges cheap
// even for a paste of a whole document.
struct Cp936Tables {
  std::array<char16_t, 256> single{};               // one-byte characters; 0 = not a character
  std::array<char16_t, 126 * 256> pair{};           // [lead - 0x81][trail]; 0 = unmapped
  std::array<std::uint16_t, 65536> from_unicode{};  // code point -> bytes; 0 = not encodable
};

char16_t DecodeWithIconv(iconv_t cd, const unsigned char* bytes, std::size_t count) {
  char in[2] = {static_cast<char>(bytes[0]), count > 1 ? static_cast<char>(bytes[1]) : '\0'};
  char out[8];
  char* in_ptr = in;
  char* out_ptr = out;
  std::size_t in_left = count;
  std::size_t out_left = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) ||
      in_left != 0 || out_ptr - out != 2) {
    return 0;
  }
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                               (static_cast<unsigned char>(out[1]) << 8));
}

std::unique_ptr<Cp936Tables> BuildTables() {
  auto tables = std::make_unique<Cp936Tables>();
  iconv_t cd = iconv_open("UTF-16LE", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (int b = 1; b < 0x80; ++b) tables->single[b] = static_cast<char16_t>(b);
  } else {
    for (int b = 1; b < 256; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b))) continue;
      const unsigned char byte = static_cast<unsigned char>(b);
      tables->single[b] = DecodeWithIconv(cd, &byte, 1);
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(lead),
                                        static_cast<unsigned char>(trail)};
        tables->pair[(lead - 0x81) * 256 + trail] = DecodeWithIconv(cd, bytes, 2);
      }
    }
    iconv_close(cd);
  }
  // The reverse table keeps the first code for a code point, walking single bytes first, so that
  // every character encodes to its one canonical form.
  for (int b = 1; b < 256; ++b) {
    const char16_t u = tables->single[b];
    if (u != 0 && tables->from_unicode[u] == 0)
      tables->from_unicode[u] = static_cast<std::uint16_t>(b);
  }
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char16_t u = tables->pair[(lead - 0x81) * 256 + trail];
      if (u != 0 && tables->from_unicode[u] == 0) {
        tables->from_unicode[u] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
  }
  return tables;
}

const Cp936Tables& Tables() {
  static const std::unique_ptr<Cp936Tables> tables = BuildTables();
  return *tables;
}

// Calls `emit` with each Unicode character of a code page 936 text (U+FFFD for what is not one).
template <typename Emit>
void DecodeCp936(std::string_view text, Emit emit) {
  if (text.empty()) return;
  const Cp936Tables& tables = Tables();
  for (std::size_t i = 0; i < text.size();) {
    const auto first = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(first) && i + 1 < text.size()) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      const char16_t u = tables.pair[(first - 0x81) * 256 + second];
      if (u != 0) {
        emit(u);
        i += 2;
        continue;
      }
      // A pair that is no character: the lead byte alone is replaced, unless the second byte could
      // only ever be a trail byte, in which case the pair goes as one.
      const bool trail_range = second >= 0x40 && second != 0x7F && second != 0xFF;
      emit(kReplacement);
      i += trail_range ? 2 : 1;
      continue;
    }
    const char16_t u = tables.single[first];
    emit(u != 0 ? u : kReplacement);
    i += 1;
  }
}

void AppendEncoded(Text& out, char32_t code_point) {
  const std::uint16_t bytes =
      code_point > 0 && code_point < 0x10000 ? Tables().from_unicode[code_point] : 0;
  if (bytes == 0) {
    out.push_back('?');
  } else if (bytes < 0x100) {
    out.push_back(static_cast<char>(bytes));
  } else {
    out.push_back(static_cast<char>(bytes >> 8));
    out.push_back(static_cast<char>(bytes & 0xFF));
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The length of the run of ASCII bytes other than NUL that starts at `from`: they are the same
// in code page 936, UTF-8 and UTF-16, and most box text is made of them.
std::size_t AsciiRun(std::string_view s, std::size_t from) {
  std::size_t i = from;
  // Eight bytes at a time while none of them is NUL or has its high bit set.
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  while (i + 8 <= s.size()) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if (((word - kOnes) | word) & kHighs) break;
    i += 8;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i] - 1) < 0x7F) ++i;
  return i - from;
}

}  // namespace

std::u16string TextToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  DecodeCp936(text, [&](char16_t u) { out.push_back(u); });
  return out;
}

Text Utf16ToText(std::u16string_view utf16) {
  Text out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      ++i;  // a pair stands for a character beyond the code page: one "?"
      out.push_back('?');
      continue;
    }
    AppendEncoded(out, (u >= 0xD800 && u <= 0xDFFF) ? 0 : u);
  }
  return out;
}

std::string TextToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t ascii = AsciiRun(text, i);
    out.append(text.substr(i, ascii));
    i += ascii;
    std::size_t other = i;
    while (other < text.size() && AsciiRun(text, other) == 0) other += CharLengthAt(text, other);
    DecodeCp936(text.substr(i, other - i), [&](char16_t u) { AppendUtf8(out, u); });
    i = other;
  }
  return out;
}

Text Utf8ToText(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = s[i];
    if (b < 0x80) {
      const std::size_t ascii = AsciiRun(utf8, i);
      if (ascii == 0) {
        out.push_back('?');  // NUL
        i += 1;
      } else {
        out.append(utf8.substr(i, ascii));
        i += ascii;
      }
      continue;
    }
    int length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2, c = b & 0x1F, minimum = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, c = b & 0x0F, minimum = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, c = b & 0x07, minimum = 0x10000;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= n;
    for (int k = 1; valid && k < length; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) {
        valid = false;
      } else {
        c = (c << 6) | (s[i + k] & 0x3F);
      }
    }
    if (!valid || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back('?');  // one "?" for the broken byte, then carry on with the next one
      i += 1;
      continue;
    }
    AppendEncoded(out, c);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace orlinde
