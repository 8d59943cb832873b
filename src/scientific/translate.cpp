#include "scientific/translate.h"

#include <cmath>
#include <utility>

#include "eval/numbers.h"
#include "scientific/pattern.h"

namespace orlinde {

namespace {

Text shown_copy;

// Full-width digits and operators become ASCII before anything else, so that «１+１» means what
// it says instead of losing its digits to the filter; "×" and "÷" become "*" and "/". Full-width
// letters and parentheses are left alone: the filter drops the letters, and the parentheses are
// shown as typed.
Text FoldDigitsAndOperators(std::string_view line) {
  Text folded;
  folded.reserve(line.size());
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t length = CharLengthAt(line, i);
    if (length == 2) {
      const auto first = static_cast<unsigned char>(line[i]);
      const auto second = static_cast<unsigned char>(line[i + 1]);
      // In the A3 row of the code page a full-width form is its ASCII character plus 0x80.
      const bool full_width_kept =
          first == 0xA3 &&
          ((second >= 0xB0 && second <= 0xB9) || second == 0xAB || second == 0xAD ||
           second == 0xAA || second == 0xAF || second == 0xDE || second == 0xAE || second == 0xA5);
      if (full_width_kept) {
        folded.push_back(static_cast<char>(second - 0x80));
        i += 2;
        continue;
      }
      if (first == 0xA1 && (second == 0xC1 || second == 0xC2)) {
        folded.push_back(second == 0xC1 ? '*' : '/');  // × and ÷
        i += 2;
        continue;
      }
    }
    folded.append(line.substr(i, length));
    i += length;
  }
  return folded;
}

// TextReplace walks the whole text however rarely the search text occurs in it. A byte search
// finds every occurrence the walk by characters would find (and perhaps more), so where it finds
// none the walk is skipped; most lines hold few of the eleven names.
Text ReplaceWherePresent(Text w, std::string_view search, std::string_view replacement) {
  if (w.find(search) == Text::npos) return w;
  return TextReplace(w, search, replacement);
}

bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// What a percentage's text (its run of digits and points and the "%") is rewritten to: the
// number read from it, divided by 100. A quotient too large for a double would come out as
// «1.#INF», which the engine cannot read, so it is written as the engine's own word instead.
Text PercentageValue(std::string_view percentage) {
  const double quotient = TextToNumber(percentage) / 100;
  if (std::isinf(quotient)) return "Infinity";
  return NumberToText(quotient);
}

// Rewrites the leftmost percentage, then searches again from the start of the line, until none
// is left, in one pass. The leftmost match is the run of digits and points just before the first
// "%" that has one, and the character before that run is neither a digit nor a point; a rewrite
// leaves that character and everything before it as it was, so no new match can start there, and
// the next one starts inside the rewritten number at the earliest. Only the digits and points at
// the end of the rewritten number can join the run before the next "%" («5%5%» becomes «0.055%»),
// and they are at most a number's width, so each character is read a bounded number of times.
Text RewritePercentages(std::string_view w) {
  Text out;
  out.reserve(w.size());
  // Where, in `out`, the run of digits and points that ends `out` begins.
  std::size_t run_begin = 0;
  for (std::size_t i = 0; i < w.size();) {
    const std::size_t length = CharLengthAt(w, i);
    const char c = w[i];
    if (length == 1 && IsNumberCharacter(c)) {
      out.push_back(c);
    } else if (length == 1 && c == '%' && run_begin < out.size()) {
      out.push_back('%');
      const Text value = PercentageValue(std::string_view(out).substr(run_begin));
      out.resize(run_begin);
      out.append(value);
      std::size_t tail = value.size();
      while (tail > 0 && IsNumberCharacter(value[tail - 1])) --tail;
      run_begin = out.size() - (value.size() - tail);
    } else {
      out.append(w.substr(i, length));
      run_begin = out.size();
    }
    i += length;
  }
  return out;
}

}  // namespace

const Text& ScientificShownCopy() { return shown_copy; }

void RestoreScientificShownCopy(std::string_view copy) { shown_copy.assign(copy); }

Text TranslateScientific(std::string_view line) {
  Text w = FoldDigitsAndOperators(line);
  w = TextToLower(w);
  for (const ScientificFunction& function : ScientificFunctionTable) {
    w = ReplaceWherePresent(std::move(w), function.name, function.placeholder);
  }
  Pattern filter;
  filter.Compile(ScientificFilterPattern);
  w = filter.ReplaceAll(w, "");
  for (const ScientificFunction& function : ScientificFunctionTable) {
    w = ReplaceWherePresent(std::move(w), function.placeholder, function.script_call);
  }
  w = RewritePercentages(w);
  shown_copy = w;
  w = ReplaceWherePresent(std::move(w), "\xA3\xA9", ")");  // ）
  w = ReplaceWherePresent(std::move(w), "\xA3\xA8", "(");  // （
  return w;
}

}  // namespace orlinde
