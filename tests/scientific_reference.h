// The scientific translation written out literally, step after step, with the rewriting loop
// that searches the whole line again from its first character after every rewrite. It is slow
// (quadratic in the number of percentages) and is kept only as the reference that the shipped
// TranslateScientific is compared against.
#pragma once

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "eval/numbers.h"
#include "scientific/pattern.h"
#include "scientific/translate.h"
#include "text/codec.h"
#include "text/text.h"

namespace orlinde::testing {

// The byte offset (0-based) of the character with the 0-based index `index`.
inline int ByteOffsetOfCharacter(std::string_view text, int index) {
  std::size_t offset = 0;
  for (int i = 0; i < index && offset < text.size(); ++i) offset += CharLengthAt(text, offset);
  return static_cast<int>(offset);
}

inline Text ReferencePercentageValue(std::string_view matched) {
  const double quotient = TextToNumber(matched) / 100;
  return std::isinf(quotient) ? Text("Infinity") : NumberToText(quotient);
}

// Search from the first character, replace the matched stretch, and start over.
inline Text ReferenceRewritePercentages(Text w) {
  Pattern percentage;
  percentage.Compile("[0-9\\.]+\\%");
  for (;;) {
    const PatternMatch match = percentage.Search(w);
    if (!match.Found()) return w;
    const int begin = ByteOffsetOfCharacter(w, match.Start());
    const int end = ByteOffsetOfCharacter(w, match.End());
    w = TextReplaceAt(w, begin + 1, end - begin, ReferencePercentageValue(match.MatchedText()));
  }
}

struct ReferenceTranslation {
  Text expression;
  Text shown;
};

inline ReferenceTranslation ReferenceTranslate(std::string_view line) {
  static const std::vector<std::pair<Text, Text>> folds = [] {
    std::vector<std::pair<Text, Text>> table;
    const std::string_view full_width[] = {"０", "１", "２", "３", "４", "５", "６",
                                           "７", "８", "９", "＋", "－", "＊", "／",
                                           "＾", "．", "％", "×",  "÷"};
    const std::string_view ascii[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                      "+", "-", "*", "/", "^", ".", "%", "*", "/"};
    for (std::size_t i = 0; i < std::size(full_width); ++i) {
      table.emplace_back(Utf8ToText(full_width[i]), Text(ascii[i]));
    }
    return table;
  }();
  Text w(line);
  for (const auto& [from, to] : folds) w = TextReplace(w, from, to);
  w = TextToLower(w);
  for (const ScientificFunction& f : ScientificFunctionTable) {
    w = TextReplace(w, f.name, f.placeholder);
  }
  Pattern filter;
  filter.Compile(ScientificFilterPattern);
  w = filter.ReplaceAll(w, "");
  for (const ScientificFunction& f : ScientificFunctionTable) {
    w = TextReplace(w, f.placeholder, f.script_call);
  }
  w = ReferenceRewritePercentages(w);
  ReferenceTranslation result;
  result.shown = w;
  w = TextReplace(w, Utf8ToText("）"), ")");
  w = TextReplace(w, Utf8ToText("（"), "(");
  result.expression = w;
  return result;
}

}  // namespace orlinde::testing
