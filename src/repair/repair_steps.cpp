#include "repair/repair_steps.h"

#include <algorithm>
#include <array>

namespace orlinde {

namespace {

// A set of one-byte characters, looked up by the byte, since every step asks about every byte.
class CharSet {
 public:
  constexpr explicit CharSet(std::string_view members) {
    for (char c : members) member_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(char c) const { return member_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> member_{};
};

constexpr CharSet kExpressionCharacters("0123456789+-*/^().");
constexpr CharSet kNumberSeparators("()+*-/^");
constexpr CharSet kOperators("+-*/^");
// A point after one of these gets a "0" before it.
constexpr CharSet kBeforeZeroPoint("()+*-/.^");
// A point before one of these is dropped. "^" is not among them, so «2.^3» keeps its point.
constexpr CharSet kAfterDroppedPoint("()+*-/.");

constexpr char kMarker = '#';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "×" and "÷" as the operators they stand for; every other character unchanged.
Text SignsToOperators(std::string_view text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const std::string_view character = text.substr(i, length);
    if (character == "\xA1\xC1") {
      result.push_back('*');
    } else if (character == "\xA1\xC2") {
      result.push_back('/');
    } else {
      result.append(character);
    }
    i += length;
  }
  return result;
}

// The text with every byte of `set` overwritten by the marker, so one comparison tests the class
// and positions stay one to one with the text.
Text MarkedShadow(std::string_view text, const CharSet& set) {
  Text shadow(text);
  for (char& c : shadow) c = set.Has(c) ? kMarker : c;
  return shadow;
}

}  // namespace

// The kinds of byte the quick check tells apart.
enum class Kind : unsigned char { kOther, kDigit, kPoint, kOperator, kMinus, kOpen, kClose };

constexpr std::array<Kind, 256> KindTable() {
  std::array<Kind, 256> kinds{};
  for (char c = '0'; c <= '9'; ++c) kinds[static_cast<unsigned char>(c)] = Kind::kDigit;
  kinds['.'] = Kind::kPoint;
  kinds['+'] = kinds['*'] = kinds['/'] = kinds['^'] = Kind::kOperator;
  kinds['-'] = Kind::kMinus;
  kinds['('] = Kind::kOpen;
  kinds[')'] = Kind::kClose;
  return kinds;
}
constexpr std::array<Kind, 256> kKinds = KindTable();

bool IsOperatorKind(Kind k) { return k == Kind::kOperator || k == Kind::kMinus; }

bool IsAlreadyRepaired(std::string_view line) {
  const std::size_t n = line.size();
  if (n == 0) return true;
  const auto kind = [&](std::size_t i) { return kKinds[static_cast<unsigned char>(line[i])]; };
  if (IsOperatorKind(kind(0)) || IsOperatorKind(kind(n - 1))) return false;  // end operators
  int depth = 0;
  bool point_in_number = false;
  Kind before = Kind::kOther;  // the start of the line is no digit and no ")"
  for (std::size_t i = 0; i < n; ++i) {
    const Kind k = kind(i);
    const Kind after = i + 1 < n ? kind(i + 1) : Kind::kOther;
    switch (k) {
      case Kind::kDigit: break;
      case Kind::kPoint:
        // One point per number, between a digit and a digit or "^".
        if (point_in_number || before != Kind::kDigit ||
            !(after == Kind::kDigit || (after == Kind::kOperator && line[i + 1] == '^'))) {
          return false;
        }
        point_in_number = true;
        break;
      case Kind::kOperator:
      case Kind::kMinus:
        point_in_number = false;
        // Two operators in a row stay only as "*", "/" or "^" followed by a lone minus sign.
        if (IsOperatorKind(after) &&
            (line[i] == '+' || k == Kind::kMinus || after != Kind::kMinus ||
             (i + 2 < n && IsOperatorKind(kind(i + 2))))) {
          return false;
        }
        break;
      case Kind::kOpen:
        point_in_number = false;
        ++depth;
        // No operator right after "(" and no implied multiplication before it.
        if (IsOperatorKind(after) || before == Kind::kDigit || before == Kind::kClose) return false;
        break;
      case Kind::kClose:
        point_in_number = false;
        // Parentheses that close before they open are left to the full repair to judge.
        if (--depth < 0 || after == Kind::kDigit || after == Kind::kOpen) return false;
        break;
      case Kind::kOther: return false;  // a character to fold, filter or remove
    }
    before = k;
  }
  return depth == 0;
}

RepairState Normalise(std::string_view line) {
  return {TextRemoveSpaces(SignsToOperators(TextToHalfWidth(line))), {}, {}};
}

RepairState Filter(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  next.shadow.reserve(working.size());
  // Walking by characters drops a two-byte character whole, even when its second byte looks like
  // one of the kept ASCII characters.
  for (std::size_t i = 0; i < working.size();) {
    const std::size_t length = CharLengthAt(working, i);
    if (length == 1 && kExpressionCharacters.Has(working[i])) next.shadow.push_back(working[i]);
    i += length;
  }
  next.working = next.shadow;
  return next;
}

RepairState EndPoints(const RepairState& state) {
  RepairState next;
  next.working = state.working;
  if (!next.working.empty() && next.working.front() == '.') next.working.insert(0, "0");
  // Only one trailing point goes here; a second one is the lone-point step's business.
  if (!next.working.empty() && next.working.back() == '.') next.working.pop_back();
  return next;
}

RepairState ExtraPoints(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  // Markers at both ends put every number between two markers: shadow position p is working
  // position p - 1.
  next.shadow = TextConcat("#", MarkedShadow(working, kNumberSeparators), "#");
  next.working.reserve(working.size());
  bool point_seen = false;
  for (std::size_t p = 1; p < next.shadow.size(); ++p) {
    if (next.shadow[p] == kMarker) {
      next.working += next.tail;
      next.tail.clear();
      point_seen = false;
      if (p <= working.size()) next.working.push_back(working[p - 1]);
      continue;
    }
    const char c = working[p - 1];
    if (c == '.') {
      if (point_seen) continue;
      point_seen = true;
    }
    next.tail.push_back(c);
  }
  return next;
}

RepairState LonePoints(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  next.shadow.reserve(working.size() + working.size() / 2);
  // Every decision reads the text as the step found it, so each point depends only on its two
  // neighbours there; the start and the end of the text count as members of both sets.
  for (std::size_t i = 0; i < working.size(); ++i) {
    const char c = working[i];
    if (c != '.') {
      next.shadow.push_back(c);
      continue;
    }
    const bool zero_before = i == 0 || kBeforeZeroPoint.Has(working[i - 1]);
    const bool dropped = i + 1 == working.size() || kAfterDroppedPoint.Has(working[i + 1]);
    if (zero_before) next.shadow.push_back('0');
    if (!dropped) next.shadow.push_back('.');
  }
  next.working = next.shadow;
  return next;
}

RepairState Parentheses(const RepairState& state) {
  RepairState next;
  next.working = state.working;
  const int first_open = TextFind(next.working, "(");
  const int first_close = TextFind(next.working, ")");
  if (first_open == -1 && first_close == -1) return next;
  if (first_open != -1 && first_close != -1 && first_close < first_open) {
    next.working[static_cast<std::size_t>(first_close) - 1] = '(';
  }
  const auto opens = std::count(next.working.begin(), next.working.end(), '(');
  const auto closes = std::count(next.working.begin(), next.working.end(), ')');
  // Only the counts are balanced; the nesting is left as it is.
  if (opens > closes) {
    next.working.append(static_cast<std::size_t>(opens - closes), ')');
  } else if (closes > opens) {
    next.working.insert(0, static_cast<std::size_t>(closes - opens), '(');
  }
  return next;
}

RepairState EndOperators(const RepairState& state) {
  RepairState next;
  next.working = state.working;
  // Both ends are tested on the text as it came in, so «+» becomes «0+0».
  const bool leading = !next.working.empty() && kOperators.Has(next.working.front());
  const bool trailing = !next.working.empty() && kOperators.Has(next.working.back());
  if (leading) next.working.insert(0, "0");
  if (trailing) next.working.push_back('0');
  return next;
}

RepairState OperatorAfterParenthesis(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  next.working.reserve(working.size() + working.size() / 2);
  for (std::size_t i = 0; i < working.size(); ++i) {
    next.working.push_back(working[i]);
    if (working[i] == '(' && i + 1 < working.size() && kOperators.Has(working[i + 1])) {
      next.working.push_back('0');
    }
  }
  return next;
}

RepairState OperatorRuns(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  next.shadow = MarkedShadow(working, kOperators);
  next.working.reserve(working.size());
  for (std::size_t i = 0; i < working.size();) {
    if (next.shadow[i] != kMarker) {
      next.working.push_back(working[i]);
      ++i;
      continue;
    }
    // The run keeps its first operator. Later operators that are all signs fold into one sign
    // after it, so «1*-2» keeps its negative number; any "*", "/" or "^" among them makes the
    // whole rest a typing slip that is dropped.
    const char first = working[i];
    bool only_signs = true;
    bool negative = false;
    std::size_t end = i + 1;
    for (; end < working.size() && next.shadow[end] == kMarker; ++end) {
      if (working[end] == '-') {
        negative = !negative;
      } else if (working[end] != '+') {
        only_signs = false;
      }
    }
    if (!only_signs || !negative) {
      next.working.push_back(first);
    } else if (first == '+') {
      next.working.push_back('-');
    } else if (first == '-') {
      next.working.push_back('+');
    } else {
      next.working.push_back(first);
      next.working.push_back('-');
    }
    i = end;
  }
  return next;
}

RepairState ImpliedMultiplication(const RepairState& state) {
  const Text& working = state.working;
  RepairState next;
  next.shadow.reserve(working.size() + working.size() / 2);
  for (std::size_t i = 0; i < working.size(); ++i) {
    const char c = working[i];
    if (i > 0) {
      const char before = working[i - 1];
      // ")(" needs one "*", not two, so the two cases are one condition.
      if ((c == '(' && (IsDigit(before) || before == ')')) ||
          (before == ')' && (IsDigit(c) || c == '('))) {
        next.shadow.push_back('*');
      }
    }
    next.shadow.push_back(c);
  }
  next.working = next.shadow;
  return next;
}

}  // namespace orlinde
