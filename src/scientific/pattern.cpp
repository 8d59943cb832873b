#include "scientific/pattern.h"

#include <algorithm>
#include <optional>

namespace orlinde {

namespace {

using Char = std::uint16_t;

struct Decoded {
  Char code;
  std::size_t length;
};

// The character at byte offset `at`, walked the way every text operation walks a text.
Decoded DecodeAt(std::string_view text, std::size_t at) {
  const std::size_t length = CharLengthAt(text, at);
  const auto first = static_cast<unsigned char>(text[at]);
  if (length == 1) return {first, 1};
  return {static_cast<Char>(first << 8 | static_cast<unsigned char>(text[at + 1])), 2};
}

constexpr bool IsSingleByte(Char c) { return c < 0x100; }

bool IsAsciiAlphanumeric(Char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Characters with a meaning in the usual syntax that this one does not have; taking them as
// ordinary characters would quietly change what a pattern means.
bool IsUnsupportedMeta(Char c) {
  return IsSingleByte(c) &&
         std::string_view(".*?()|{}^$]").find(static_cast<char>(c)) != std::string_view::npos;
}

struct Member {
  Char code;
  std::size_t next;  // byte offset just past the member in the pattern text
};

// A character or an escape at `at`. An escape must stand before a punctuation or double-byte
// character; "\d" and its kind are classes elsewhere, so they are refused rather than misread.
std::optional<Member> ReadMember(std::string_view pattern, std::size_t at) {
  const Decoded d = DecodeAt(pattern, at);
  if (d.code != '\\') return Member{d.code, at + d.length};
  if (at + 1 >= pattern.size()) return std::nullopt;
  const Decoded escaped = DecodeAt(pattern, at + 1);
  if (IsAsciiAlphanumeric(escaped.code)) return std::nullopt;
  return Member{escaped.code, at + 1 + escaped.length};
}

}  // namespace

bool Pattern::CharSet::Contains(Char c) const {
  const bool member = IsSingleByte(c)
                          ? single_bytes.test(c)
                          : std::binary_search(double_bytes.begin(), double_bytes.end(), c);
  return member != negated;
}

bool Pattern::Compile(std::string_view pattern_text) {
  items_.clear();
  std::vector<Item> items;
  std::size_t at = 0;
  while (at < pattern_text.size()) {
    const Decoded d = DecodeAt(pattern_text, at);
    if (d.code == '+') {
      if (items.empty() || items.back().repeated) return false;
      items.back().repeated = true;
      at += 1;
      continue;
    }
    Item item;
    if (d.code == '[') {
      at += 1;
      if (at < pattern_text.size() && pattern_text[at] == '^') {
        item.set.negated = true;
        at += 1;
      }
      bool any_member = false;
      for (;;) {
        if (at >= pattern_text.size()) return false;  // the class is never closed
        if (pattern_text[at] == ']') {
          if (!any_member) return false;
          at += 1;
          break;
        }
        const std::optional<Member> low = ReadMember(pattern_text, at);
        if (!low) return false;
        at = low->next;
        const bool range =
            at + 1 < pattern_text.size() && pattern_text[at] == '-' && pattern_text[at + 1] != ']';
        if (range) {
          const std::optional<Member> high = ReadMember(pattern_text, at + 1);
          // The order of double-byte characters differs between the code page and Unicode, so
          // only ranges of single-byte characters have one obvious meaning.
          if (!high || !IsSingleByte(low->code) || !IsSingleByte(high->code) ||
              low->code > high->code) {
            return false;
          }
          for (Char c = low->code; c <= high->code; ++c) item.set.single_bytes.set(c);
          at = high->next;
        } else if (IsSingleByte(low->code)) {
          item.set.single_bytes.set(low->code);
        } else {
          item.set.double_bytes.push_back(low->code);
        }
        any_member = true;
      }
      std::vector<Char>& pairs = item.set.double_bytes;
      std::sort(pairs.begin(), pairs.end());
      pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    } else {
      if (IsUnsupportedMeta(d.code)) return false;
      const std::optional<Member> literal = ReadMember(pattern_text, at);
      if (!literal) return false;
      at = literal->next;
      if (IsSingleByte(literal->code)) {
        item.set.single_bytes.set(literal->code);
      } else {
        item.set.double_bytes.push_back(literal->code);
      }
    }
    items.push_back(std::move(item));
  }
  if (items.empty()) return false;
  items_ = std::move(items);
  return true;
}

struct Span {
  std::size_t begin_byte = 0, end_byte = 0;
  int begin_char = 0, end_char = 0;
};

// A simulation of all ways the pattern can match at once (a Pike machine): the live threads are
// kept in the order a backtracking matcher would try them, so the first thread to reach the end
// of the pattern, and any earlier-ordered thread that reaches it later, gives exactly the
// backtracking result. Each state holds at most one thread, so one step costs at most the number
// of items, and no step recurses. The thread lists are kept from one search to the next.
class Pattern::Machine {
 public:
  explicit Machine(const std::vector<Item>& items)
      : items_(items), in_current_(items.size() + 1), in_next_(items.size() + 1) {
    current_.reserve(items.size() + 1);
    next_.reserve(items.size() + 1);
  }

  // The leftmost match that starts at or after the byte offset `from`, a character boundary
  // that is character number `from_char`.
  std::optional<Span> Next(std::string_view text, std::size_t from, int from_char) {
    if (items_.empty()) return std::nullopt;
    Clear(current_, in_current_);
    std::optional<Span> match;
    std::size_t at = from;
    int char_index = from_char;
    for (;;) {
      // A thread starting here comes after all threads that started earlier; once a match is
      // known, no later start can be leftmost.
      if (!match) Add(current_, in_current_, {0, at, char_index});
      if (at >= text.size()) {
        for (const Thread& thread : current_) {
          if (thread.state == items_.size()) {
            match = Span{thread.begin_byte, at, thread.begin_char, char_index};
            break;
          }
        }
        return match;
      }
      const Decoded c = DecodeAt(text, at);
      Clear(next_, in_next_);
      for (const Thread& thread : current_) {
        if (thread.state == items_.size()) {
          // Threads after this one would be tried only if it failed; it did not.
          match = Span{thread.begin_byte, at, thread.begin_char, char_index};
          break;
        }
        const Item& item = items_[thread.state];
        if (!item.set.Contains(c.code)) continue;
        // Greedy: one more repetition is tried before moving on to the next item.
        if (item.repeated) Add(next_, in_next_, thread);
        Add(next_, in_next_, {thread.state + 1, thread.begin_byte, thread.begin_char});
      }
      std::swap(current_, next_);
      std::swap(in_current_, in_next_);
      at += c.length;
      ++char_index;
      if (match && current_.empty()) return match;
    }
  }

 private:
  struct Thread {
    std::size_t state;  // the item to match next; items_.size() once the pattern is through
    std::size_t begin_byte;
    int begin_char;
  };

  static void Add(std::vector<Thread>& list, std::vector<bool>& in_list, Thread thread) {
    if (in_list[thread.state]) return;  // an earlier-ordered thread already stands there
    in_list[thread.state] = true;
    list.push_back(thread);
  }

  static void Clear(std::vector<Thread>& list, std::vector<bool>& in_list) {
    for (const Thread& thread : list) in_list[thread.state] = false;
    list.clear();
  }

  const std::vector<Item>& items_;
  std::vector<Thread> current_, next_;
  std::vector<bool> in_current_, in_next_;
};

PatternMatch Pattern::Search(std::string_view text) const {
  Machine machine(items_);
  const std::optional<Span> span = machine.Next(text, 0, 0);
  if (!span) return {};
  return PatternMatch(span->begin_char, span->end_char,
                      Text(text.substr(span->begin_byte, span->end_byte - span->begin_byte)));
}

Text Pattern::ReplaceAll(std::string_view text, std::string_view replacement) const {
  Text result;
  result.reserve(text.size());
  std::size_t at = 0;
  int char_index = 0;
  Machine machine(items_);
  // Every match holds at least one character, so each round moves on.
  while (const std::optional<Span> span = machine.Next(text, at, char_index)) {
    result.append(text.substr(at, span->begin_byte - at));
    result.append(replacement);
    at = span->end_byte;
    char_index = span->end_char;
  }
  result.append(text.substr(at));
  return result;
}

}  // namespace orlinde
