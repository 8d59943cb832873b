#include "text/text.h"

#include <algorithm>
#include <climits>

namespace orlinde {

namespace {

// Lengths in this model are ints; a text longer than INT_MAX bytes is treated as that long.
int ClampedSize(std::string_view text) {
  return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

// Whether `needle` (not empty) starts at byte `offset` of `text`; the first byte is compared
// before anything else, since most positions differ there.
bool MatchesAt(std::string_view text, std::size_t offset, std::string_view needle) {
  return text[offset] == needle.front() && text.size() - offset >= needle.size() &&
         text.compare(offset, needle.size(), needle) == 0;
}

}  // namespace

int TextLength(std::string_view text) { return ClampedSize(text); }

Text TextLeft(std::string_view text, int n) {
  if (n <= 0) return {};
  return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(std::string_view text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
  return Text(text.substr(text.size() - count));
}

Text TextMid(std::string_view text, int start, int n) {
  if (start < 1 || n <= 0 || static_cast<std::size_t>(start) > text.size()) return {};
  return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

Text TextConcat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  Text result;
  result.reserve(size);
  for (std::string_view part : parts) result.append(part);
  return result;
}

bool TextEquals(std::string_view a, std::string_view b) { return a == b; }

int TextFind(std::string_view haystack, std::string_view needle) {
  if (haystack.empty()) return -1;
  if (needle.empty()) return 1;
  for (std::size_t i = 0; i < haystack.size(); i += CharLengthAt(haystack, i)) {
    if (MatchesAt(haystack, i, needle)) return static_cast<int>(i) + 1;
  }
  return -1;
}

int TextFindLast(std::string_view haystack, std::string_view needle) {
  if (haystack.empty()) return -1;
  if (needle.empty()) return 1;
  int last = -1;
  for (std::size_t i = 0; i < haystack.size(); i += CharLengthAt(haystack, i)) {
    if (MatchesAt(haystack, i, needle)) last = static_cast<int>(i) + 1;
  }
  return last;
}

Text TextReplaceAt(std::string_view text, int start, int length,
                   std::optional<std::string_view> replacement) {
  const long long size = static_cast<long long>(text.size());
  const long long offset = std::clamp(static_cast<long long>(start) - 1, 0LL, size);
  const long long removed =
      length <= 0 ? 0 : std::min(static_cast<long long>(length), size - offset);
  Text result;
  result.reserve(text.size() + (replacement ? replacement->size() : 0));
  result.append(text.substr(0, static_cast<std::size_t>(offset)));
  if (replacement) result.append(*replacement);
  result.append(text.substr(static_cast<std::size_t>(offset + removed)));
  return result;
}

Text TextReplace(std::string_view text, std::string_view search, std::string_view replacement) {
  if (text.empty() || search.empty()) return Text(text);
  Text result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (MatchesAt(text, i, search)) {
      result.append(replacement);
      i += search.size();
    } else {
      const std::size_t length = CharLengthAt(text, i);
      result.append(text.substr(i, length));
      i += length;
    }
  }
  return result;
}

Text TextToLower(std::string_view text) {
  Text result(text);
  for (std::size_t i = 0; i < result.size(); i += CharLengthAt(result, i)) {
    if (result[i] >= 'A' && result[i] <= 'Z') result[i] = static_cast<char>(result[i] - 'A' + 'a');
  }
  return result;
}

Text TextToHalfWidth(std::string_view text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto first = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(first)) {
      result.push_back(text[i]);
      i += 1;
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lead byte with nothing after it is dropped
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      result.push_back(static_cast<char>(second - 0x80));
    } else if (first == 0xA1 && second == 0xA1) {
      result.push_back(' ');
    } else if (first == 0xA1 && second == 0xAB) {
      result.push_back('~');
    } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
      result.push_back('*');
    } else {
      result.append(text.substr(i, 2));
    }
    i += 2;
  }
  return result;
}

Text TextRemoveSpaces(std::string_view text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto first = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(first)) {
      if (first != ' ') result.push_back(text[i]);
      i += 1;
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lead byte with nothing after it is dropped
    if (!(first == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1)) {
      result.append(text.substr(i, 2));
    }
    i += 2;
  }
  return result;
}

std::vector<std::string_view> TextSplitViews(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  std::size_t cut = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (MatchesAt(text, i, separator)) {
      pieces.push_back(text.substr(cut, i - cut));
      i += separator.size();
      cut = i;
    } else {
      i += CharLengthAt(text, i);
    }
  }
  if (cut < text.size()) pieces.push_back(text.substr(cut));
  return pieces;
}

TextList TextSplit(std::string_view text, std::string_view separator) {
  const std::vector<std::string_view> views = TextSplitViews(text, separator);
  return TextList(views.begin(), views.end());
}

int TextListCount(const TextList& list) {
  return list.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(list.size());
}

}  // namespace orlinde
