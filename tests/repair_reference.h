// The repair written the slow, literal way, as the oracle that the shipped steps are compared
// against: every character is read with TextMid at a position counted from 1, class membership is
// a TextFind in the text of the class (so the empty text before the start or after the end is a
// member), one text is scanned while the other is edited at i - shift, the marked shadows are
// built with TextReplaceAt, and the operator runs and implied multiplications rescan from the
// start after every edit. It is quadratic on purpose and only fit for short lines.
#pragma once

#include <array>
#include <initializer_list>
#include <string_view>

#include "repair/repair_steps.h"
#include "repair_test_support.h"
#include "text/text.h"

namespace orlinde::testing {

namespace reference {

inline Text CharAt(const Text& text, int i) { return TextMid(text, i, 1); }

inline bool IsMember(std::string_view set, const Text& character) {
  return TextFind(set, character) != -1;
}

inline bool EqualsOneOf(const Text& character, std::initializer_list<std::string_view> texts) {
  for (std::string_view t : texts) {
    if (TextEquals(character, t)) return true;
  }
  return false;
}

// The length of the character whose first byte is at i: a byte of 0x81 to 0xFE takes the byte
// after it, when there is one.
inline int CharLength(const Text& text, int i) {
  const Text first = CharAt(text, i);
  const auto byte = static_cast<unsigned char>(first[0]);
  return byte >= 0x81 && byte <= 0xFE && i < TextLength(text) ? 2 : 1;
}

inline RepairState Normalise(std::string_view line) {
  RepairState s;
  s.working = TextRemoveSpaces(TextToHalfWidth(line));
  s.working = TextReplace(s.working, "\xA1\xC1", "*");
  s.working = TextReplace(s.working, "\xA1\xC2", "/");
  return s;
}

inline RepairState Filter(RepairState s) {
  s.shadow = s.working;
  int shift = 0;
  const int n = TextLength(s.working);
  for (int i = 1; i <= n;) {
    const int length = CharLength(s.working, i);
    const Text character = TextMid(s.working, i, length);
    const bool kept = EqualsOneOf(character, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+",
                                              "-", "*", "/", "^", "(", ")", "."});
    if (!kept) {
      s.shadow = TextReplaceAt(s.shadow, i - shift, length);
      shift += length;
    }
    i += length;
  }
  s.working = s.shadow;
  return s;
}

inline RepairState EndPoints(RepairState s) {
  if (TextEquals(TextLeft(s.working, 1), ".")) s.working = TextConcat("0", s.working);
  if (TextEquals(TextRight(s.working, 1), ".")) {
    s.working = TextReplaceAt(s.working, TextLength(s.working), 1);
  }
  return s;
}

inline RepairState ExtraPoints(RepairState s) {
  s.shadow = s.working;
  const int n = TextLength(s.working);
  for (int i = 1; i <= n; ++i) {
    if (IsMember("()+*-/^", CharAt(s.working, i))) s.shadow = TextReplaceAt(s.shadow, i, 1, "#");
  }
  s.shadow = TextConcat("#", s.shadow, "#");
  int deleted = 0;
  const int m = TextLength(s.shadow);
  for (int i = 1; i <= m; ++i) {
    if (!TextEquals(CharAt(s.shadow, i), "#")) continue;
    int points = 0;
    s.tail = TextRight(s.shadow, m - i);
    const int tail_length = TextLength(s.tail);
    for (int j = 1; j <= tail_length; ++j) {
      const Text character = CharAt(s.tail, j);
      if (TextEquals(character, ".")) {
        ++points;
        if (points > 1) {
          s.working = TextReplaceAt(s.working, i + j - deleted - 1, 1);
          ++deleted;
        }
      }
      if (TextEquals(character, "#")) break;
    }
  }
  return s;
}

inline RepairState LonePoints(RepairState s) {
  s.shadow = s.working;
  int shift = 0;
  const int n = TextLength(s.working);
  for (int i = 1; i <= n; ++i) {
    if (!TextEquals(CharAt(s.working, i), ".")) continue;
    if (IsMember("()+*-/.^", CharAt(s.working, i - 1))) {
      s.shadow = TextReplaceAt(s.shadow, i - shift, 1, "0.");
      shift -= 1;
    }
    if (IsMember("()+*-/.", CharAt(s.working, i + 1))) {
      s.shadow = TextReplaceAt(s.shadow, i - shift, 1);
      shift += 1;
    }
  }
  s.working = s.shadow;
  return s;
}

inline RepairState Parentheses(RepairState s) {
  if (TextFind(s.working, "(") == -1 && TextFind(s.working, ")") == -1) return s;
  const int first_open = TextFind(s.working, "(");
  const int first_close = TextFind(s.working, ")");
  if (first_open != -1 && first_close != -1 && first_close < first_open) {
    s.working = TextReplaceAt(s.working, first_close, 1, "(");
  }
  int opens = 0;
  int closes = 0;
  const int n = TextLength(s.working);
  for (int i = 1; i <= n; ++i) {
    if (TextEquals(CharAt(s.working, i), "(")) ++opens;
    if (TextEquals(CharAt(s.working, i), ")")) ++closes;
  }
  for (int k = closes; k < opens; ++k) s.working = TextConcat(s.working, ")");
  for (int k = opens; k < closes; ++k) s.working = TextConcat("(", s.working);
  return s;
}

inline RepairState EndOperators(RepairState s) {
  s.shadow = s.working;
  const int n = TextLength(s.working);
  for (int i = 1; i <= n; ++i) {
    if (EqualsOneOf(CharAt(s.working, i), {"+", "-", "*", "/", "^"})) {
      s.shadow = TextReplaceAt(s.shadow, i, 1, "#");
    }
  }
  if (TextFind(s.shadow, "#") == 1) {
    s.working = TextConcat("0", s.working);
    s.shadow = TextConcat("0", s.shadow);
  }
  if (TextFindLast(s.shadow, "#") == TextLength(s.shadow)) {
    s.working = TextConcat(s.working, "0");
    s.shadow = TextConcat(s.shadow, "0");
  }
  return s;
}

inline RepairState OperatorAfterParenthesis(RepairState s) {
  for (std::string_view op : {"+", "-", "*", "/", "^"}) {
    s.working = TextReplace(s.working, TextConcat("(", op), TextConcat("(0", op));
  }
  s.shadow = TextReplace(s.shadow, "(#", "(0#");
  return s;
}

// A run of adjacent operators in the form it is reduced to: its first operator, followed by one
// "-" when the later operators are all signs with an odd number of "-", where a first "+" or "-"
// absorbs that sign.
inline Text ReducedRun(const Text& run) {
  const Text first = TextLeft(run, 1);
  const Text later = TextMid(run, 2, TextLength(run) - 1);
  if (TextFind(later, "*") != -1 || TextFind(later, "/") != -1 || TextFind(later, "^") != -1) {
    return first;
  }
  const int minuses = TextLength(later) - TextLength(TextReplace(later, "-", ""));
  const Text sign = minuses % 2 == 1 ? "-" : "";
  if (TextEquals(sign, "")) return first;
  if (TextEquals(first, "+")) return "-";
  if (TextEquals(first, "-")) return "+";
  return TextConcat(first, sign);
}

inline RepairState OperatorRuns(RepairState s) {
  bool changed = true;
  while (changed) {
    changed = false;
    const int n = TextLength(s.shadow);
    for (int i = 1; i <= n && !changed;) {
      if (!TextEquals(CharAt(s.shadow, i), "#")) {
        ++i;
        continue;
      }
      int length = 1;
      while (TextEquals(CharAt(s.shadow, i + length), "#")) ++length;
      const Text run = TextMid(s.working, i, length);
      const Text reduced = ReducedRun(run);
      if (!TextEquals(run, reduced)) {
        Text marked;
        for (int k = 1; k <= TextLength(reduced); ++k) marked = TextConcat(marked, "#");
        s.working = TextReplaceAt(s.working, i, length, reduced);
        s.shadow = TextReplaceAt(s.shadow, i, length, marked);
        changed = true;
      }
      i += length;
    }
  }
  return s;
}

inline RepairState ImpliedMultiplication(RepairState s) {
  s.shadow = s.working;
  bool changed = true;
  while (changed) {
    changed = false;
    const int n = TextLength(s.shadow);
    for (int i = 1; i <= n; ++i) {
      const Text character = CharAt(s.shadow, i);
      if (TextEquals(character, "(") &&
          EqualsOneOf(CharAt(s.shadow, i - 1),
                      {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ")"})) {
        s.shadow = TextReplaceAt(s.shadow, i, 1, "*(");
        changed = true;
        break;
      }
      if (TextEquals(character, ")") &&
          EqualsOneOf(CharAt(s.shadow, i + 1),
                      {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "("})) {
        s.shadow = TextReplaceAt(s.shadow, i, 1, ")*");
        changed = true;
        break;
      }
    }
  }
  s.working = s.shadow;
  return s;
}

}  // namespace reference

// The working text after each of the ten steps, in order.
inline std::array<Text, kRepairStepCount> ReferenceRepairSteps(std::string_view line) {
  using Step = RepairState (*)(RepairState);
  static constexpr std::array<Step, kRepairStepCount - 1> kSteps = {
      reference::Filter,
      reference::EndPoints,
      reference::ExtraPoints,
      reference::LonePoints,
      reference::Parentheses,
      reference::EndOperators,
      reference::OperatorAfterParenthesis,
      reference::OperatorRuns,
      reference::ImpliedMultiplication,
  };
  return WorkingAfterEachStep(reference::Normalise(line), kSteps);
}

inline Text ReferenceRepairExpression(std::string_view line) {
  return ReferenceRepairSteps(line).back();
}

}  // namespace orlinde::testing
