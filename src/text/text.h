// Text: the byte strings in code page 936 that every unit of Orlinde works on, and the operations
// on them. Positions count bytes from 1; operations that search, replace, split or convert walk the
// text by characters, where a byte of 0x81 to 0xFE starts a two-byte character together with the
// byte after it and every other byte is a character of its own. Positional operations (left,
// right, middle, replace at a position, length) count raw bytes. Nothing here fails: out-of-range
// positions are clamped or yield the empty text, and a search that finds nothing returns -1.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlinde {

using Text = std::string;
using TextList = std::vector<Text>;

// True for a byte that starts a two-byte character of code page 936.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The number of bytes of the character that starts at byte offset `offset` (0-based): 2 for a lead
// byte that has a byte after it, 1 otherwise.
inline std::size_t CharLengthAt(std::string_view text, std::size_t offset) {
  return IsLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}

int TextLength(std::string_view text);
Text TextLeft(std::string_view text, int n);
Text TextRight(std::string_view text, int n);
Text TextMid(std::string_view text, int start, int n);
Text TextConcat(std::initializer_list<std::string_view> parts);
template <typename... Parts>
Text TextConcat(const Parts&... parts) {
  return TextConcat({std::string_view(parts)...});
}
bool TextEquals(std::string_view a, std::string_view b);
int TextFind(std::string_view haystack, std::string_view needle);
int TextFindLast(std::string_view haystack, std::string_view needle);
Text TextReplaceAt(std::string_view text, int start, int length,
                   std::optional<std::string_view> replacement = std::nullopt);
Text TextReplace(std::string_view text, std::string_view search, std::string_view replacement);
Text TextToLower(std::string_view text);
Text TextToHalfWidth(std::string_view text);
Text TextRemoveSpaces(std::string_view text);
TextList TextSplit(std::string_view text, std::string_view separator);
// The same pieces as TextSplit, as views into `text`, for callers that need no copies.
std::vector<std::string_view> TextSplitViews(std::string_view text, std::string_view separator);
int TextListCount(const TextList& list);

}  // namespace orlinde
