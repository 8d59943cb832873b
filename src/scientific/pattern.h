// Pattern matching on the characters of code page 936 texts, for the scientific translation.
// A byte of 0x81 to 0xFE and the byte after it are one character, every other byte is one, both
// in the pattern and in the searched text; positions of a match count characters from 0.
//
// The syntax is a small part of the usual regular expressions: ordinary characters (single-byte
// or double-byte), "\" before a punctuation or double-byte character for that character itself,
// classes "[...]" and "[^...]" whose members are characters, escapes and ranges of single-byte
// characters such as "0-9", a "+" after an item for one or more repetitions, and sequences of
// items. Results are those of leftmost, greedy backtracking matching, computed without
// backtracking or recursion: a search takes time linear in the text (times the number of items)
// and memory bounded by the number of items, whatever the text.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "text/text.h"

namespace orlinde {

// The result of one Search. One that no search filled reports that nothing was found. It keeps
// its own copy of the matched characters, so the searched text may change or go afterwards.
class PatternMatch {
 public:
  PatternMatch() = default;
  PatternMatch(int start, int end, Text matched_text)
      : found_(true), start_(start), end_(end), matched_text_(std::move(matched_text)) {}

  bool Found() const { return found_; }
  // The 0-based character index of the first matched character.
  int Start() const { return start_; }
  // The 0-based character index just past the last matched character.
  int End() const { return end_; }
  Text MatchedText() const { return matched_text_; }

 private:
  bool found_ = false;
  int start_ = 0;
  int end_ = 0;
  Text matched_text_;
};

class Pattern {
 public:
  // Compiles the pattern text, case-sensitive and without modes. False, leaving the pattern
  // without a compiled form, when the text is empty or uses anything outside the syntax above
  // (such as "*", "?", "|", groups, an unclosed class or a range between double-byte characters),
  // so that no pattern is ever silently read in a way a reader would not expect.
  bool Compile(std::string_view pattern_text);

  // The text with every match replaced, matches taken from the first character on, each
  // search going on at the previous match's end, so they never overlap. With a pattern of one
  // unrepeated item, such as the translation's filter, each search stops one character past its
  // match, so every character is read at most twice. Without a compiled form nothing matches
  // and the text comes back unchanged.
  Text ReplaceAll(std::string_view text, std::string_view replacement) const;

  // The leftmost match, trying start characters 0, 1, 2 and so on, every "+" taking as many
  // characters as the rest of the pattern allows. Not found without a compiled form.
  PatternMatch Search(std::string_view text) const;

 private:
  // One character of a decoded text: the byte, or the lead byte times 256 plus the trail byte.
  using Char = std::uint16_t;

  struct CharSet {
    bool Contains(Char c) const;
    std::bitset<256> single_bytes;
    std::vector<Char> double_bytes;  // sorted
    bool negated = false;
  };

  struct Item {
    CharSet set;
    bool repeated = false;
  };

  // The matching state of one Search or ReplaceAll, kept across the searches of a ReplaceAll.
  class Machine;

  std::vector<Item> items_;
};

}  // namespace orlinde
