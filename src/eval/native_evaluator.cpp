#include "eval/native_evaluator.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orlinde {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Deeper nesting than this is left to the engine, whose compiler refuses nesting somewhat deeper
// (a few hundred unary signs, a couple of thousand parentheses); the engine's answer decides.
constexpr int kMaxDepth = 100;

// A literal is read here only when no correctly rounded reading can differ from the engine's:
// the engine rounds exact halfway cases its own way, and those need at least 54 significant
// bits, which 15 significant digits below 10^15 never have.
constexpr int kMaxSignificantDigits = 15;
constexpr int kMaxLeadingExponent = 14;
constexpr int kMinLeadingExponent = -300;

// The engine's power: the library's pow, except that a not-a-number exponent and ±1 to an
// infinite power give not-a-number.
double EnginePow(double x, double y) {
  if (std::isnan(y)) return kNaN;
  if (std::fabs(x) == 1.0 && std::isinf(y)) return kNaN;
  return std::pow(x, y);
}

using MathFunction = double (*)(double);

double MathPowOfOne(double) { return kNaN; }  // Math.pow(x) is pow(x, undefined)

struct MathName {
  std::string_view name;
  MathFunction function;
};

// The Math calls the translation produces; each calls the same library function the engine does.
const std::array<MathName, 11> kMathNames{{
    {"pow", MathPowOfOne},
    {"sqrt", [](double x) { return std::sqrt(x); }},
    {"abs", [](double x) { return std::fabs(x); }},
    {"log", [](double x) { return std::log(x); }},
    {"exp", [](double x) { return std::exp(x); }},
    {"sin", [](double x) { return std::sin(x); }},
    {"cos", [](double x) { return std::cos(x); }},
    {"tan", [](double x) { return std::tan(x); }},
    {"asin", [](double x) { return std::asin(x); }},
    {"acos", [](double x) { return std::acos(x); }},
    {"atan", [](double x) { return std::atan(x); }},
}};

enum class Token {
  kNumber,
  kPlus,
  kMinus,
  kTimes,
  kPower,
  kDivide,
  kRemainder,
  kOpen,
  kClose,
  kMath,
  kEnd,
  kUnknown,  // anything this evaluator declines
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsIdentifierPart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_' || c == '$' ||
         c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) { Advance(); }

  NativeResult Evaluate() {
    const double value = Additive();
    // After a whole expression only the end may follow: a ")" too many, or an operand right
    // after an operand, is a syntax error of the engine too.
    if (!failed_ && token_ != Token::kEnd) EngineFails();
    if (!failed_) return {NativeResult::kValue, value};
    return {verdict_, 0};
  }

 private:
  // Reads the next token into token_ (and number_ or function_).
  void Advance() {
    if (i_ >= s_.size()) {
      token_ = Token::kEnd;
      return;
    }
    const char c = s_[i_];
    const char next = i_ + 1 < s_.size() ? s_[i_ + 1] : '\0';
    switch (c) {
      case '+':
      case '-':
        // "++" and "--" are the engine's increment and decrement, which Math's functions take.
        if (next == c) return Decline();
        token_ = c == '+' ? Token::kPlus : Token::kMinus;
        ++i_;
        return;
      case '*':
      case '^': {
        // "^" reaches the engine as "**", and the engine reads the longest operator: a run of
        // stars is "*" or "**" when it is one or two stars long, and a syntax error otherwise.
        int stars = 0;
        while (i_ < s_.size() && (s_[i_] == '*' || s_[i_] == '^')) stars += s_[i_++] == '^' ? 2 : 1;
        if (stars > 2) return EngineFails();
        token_ = stars == 1 ? Token::kTimes : Token::kPower;
        return;
      }
      case '/':
        if (next == '/' || next == '*') return Decline();  // a comment
        token_ = Token::kDivide;
        ++i_;
        return;
      case '%':
        token_ = Token::kRemainder;
        ++i_;
        return;
      case '(':
        token_ = Token::kOpen;
        ++i_;
        return;
      case ')':
        token_ = Token::kClose;
        ++i_;
        return;
      default: break;
    }
    if (IsDigit(c) || (c == '.' && IsDigit(next))) return Number();
    if (IsIdentifierPart(c)) return Identifier();
    Decline();
  }

  void Number() {
    const std::size_t begin = i_;
    // The significant digits as an integer (exact while there are at most 15 of them), how
    // many digits follow the point, and where the first significant digit stands.
    std::uint64_t mantissa = 0;
    int significant = 0;
    int integer_digits = 0;
    int fraction_digits = 0;
    int fraction_zeros = 0;
    bool in_fraction = false;
    for (; i_ < s_.size(); ++i_) {
      const char c = s_[i_];
      if (c == '.' && !in_fraction) {
        in_fraction = true;
        continue;
      }
      if (!IsDigit(c)) break;
      if (in_fraction) ++fraction_digits;
      if (significant == 0 && c == '0') {
        if (in_fraction) ++fraction_zeros;
        continue;
      }
      if (++significant <= kMaxSignificantDigits) mantissa = mantissa * 10 + (c - '0');
      if (!in_fraction) ++integer_digits;
    }
    int leading_exponent = integer_digits > 0 ? integer_digits - 1 : -(fraction_zeros + 1);
    const bool exponent_given = i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E');
    if (exponent_given) {
      std::size_t j = i_ + 1;
      bool negative = false;
      if (j < s_.size() && (s_[j] == '+' || s_[j] == '-')) negative = s_[j++] == '-';
      if (j >= s_.size() || !IsDigit(s_[j])) return EngineFails();  // «1e» is a syntax error
      int exponent = 0;
      for (; j < s_.size() && IsDigit(s_[j]); ++j) {
        if (exponent > 100000) return Decline();
        exponent = exponent * 10 + (s_[j] - '0');
      }
      leading_exponent += negative ? -exponent : exponent;
      i_ = j;
    }
    // An ASCII letter or digit right after a literal is a syntax error; a point starts a new
    // literal, which the grammar then refuses. (After other characters the engine may see white
    // space.)
    if (i_ < s_.size() && IsIdentifierPart(s_[i_])) {
      const char next = s_[i_];
      // «0x10», «0o17» and «0b1» are numbers in other bases.
      const bool radix =
          i_ - begin == 1 && s_[begin] == '0' &&
          (next == 'x' || next == 'X' || next == 'o' || next == 'O' || next == 'b' || next == 'B');
      return static_cast<unsigned char>(next) < 0x80 && !radix ? EngineFails() : Decline();
    }
    if (significant > 0 &&
        (significant > kMaxSignificantDigits || leading_exponent > kMaxLeadingExponent ||
         leading_exponent < kMinLeadingExponent)) {
      return Decline();
    }
    token_ = Token::kNumber;
    if (!exponent_given && fraction_digits <= 22) {
      // An integer below 2^53 divided by an exact power of ten: one correctly rounded division.
      number_ = static_cast<double>(mantissa) / kPowersOfTen[fraction_digits];
      return;
    }
    const char* first = s_.data() + begin;
    const char* last = s_.data() + i_;
    const auto result = std::from_chars(first, last, number_);
    if (result.ec != std::errc() || result.ptr != last) return Decline();
  }

  void Identifier() {
    const std::size_t begin = i_;
    while (i_ < s_.size() && IsIdentifierPart(s_[i_])) ++i_;
    const std::string_view word = s_.substr(begin, i_ - begin);
    if (word == "Infinity") {
      number_ = std::numeric_limits<double>::infinity();
      token_ = Token::kNumber;
      return;
    }
    if (word != "Math" || i_ >= s_.size() || s_[i_] != '.') return Decline();
    const std::size_t name_begin = ++i_;
    while (i_ < s_.size() && IsIdentifierPart(s_[i_])) ++i_;
    const std::string_view name = s_.substr(name_begin, i_ - name_begin);
    for (const MathName& entry : kMathNames) {
      if (entry.name == name) {
        function_ = entry.function;
        token_ = Token::kMath;
        return;
      }
    }
    Decline();
  }

  // Stops at the first thing this evaluator cannot answer for.
  void Stop(NativeResult::Kind verdict) {
    if (!failed_) verdict_ = verdict;
    failed_ = true;
    token_ = Token::kUnknown;
    i_ = s_.size();
  }
  // Something the engine may read in a way this evaluator does not know.
  void Decline() { Stop(NativeResult::kUnknown); }
  // Something the engine certainly refuses: every token so far was one this evaluator reads
  // exactly as the engine does, so the engine meets the same error at the same place.
  void EngineFails() { Stop(NativeResult::kEngineFails); }

  bool Enter() {
    if (++depth_ > kMaxDepth) Decline();
    return !failed_;
  }

  double Additive() {
    double value = Multiplicative();
    while (!failed_ && (token_ == Token::kPlus || token_ == Token::kMinus)) {
      const Token op = token_;
      Advance();
      const double right = Multiplicative();
      value = op == Token::kPlus ? value + right : value - right;
    }
    return value;
  }

  double Multiplicative() {
    double value = Unary();
    while (!failed_ &&
           (token_ == Token::kTimes || token_ == Token::kDivide || token_ == Token::kRemainder)) {
      const Token op = token_;
      Advance();
      const double right = Unary();
      if (op == Token::kTimes) {
        value = value * right;
      } else if (op == Token::kDivide) {
        value = value / right;
      } else {
        value = std::fmod(value, right);
      }
    }
    return value;
  }

  // The engine lets a sign stand before a power and binds the power tighter: «-2^2» is -4.
  double Unary() {
    if (token_ == Token::kPlus || token_ == Token::kMinus) {
      const bool negate = token_ == Token::kMinus;
      if (!Enter()) return 0;
      Advance();
      const double operand = Unary();
      --depth_;
      return negate ? -operand : operand;
    }
    return Power();
  }

  // Right-associative: «2^3^2» is 2^9.
  double Power() {
    const double base = Primary();
    if (failed_ || token_ != Token::kPower) return base;
    if (!Enter()) return 0;
    Advance();
    const double exponent = Unary();
    --depth_;
    return EnginePow(base, exponent);
  }

  double Primary() {
    double value = 0;
    if (token_ == Token::kNumber) {
      value = number_;
      Advance();
    } else if (token_ == Token::kOpen) {
      if (!Enter()) return 0;
      Advance();
      value = Additive();
      ExpectClose();
      --depth_;
      Advance();
    } else if (token_ == Token::kMath) {
      const MathFunction function = function_;
      Advance();
      if (token_ != Token::kOpen) {
        Decline();  // the function itself, which the engine writes as text
        return 0;
      }
      if (!Enter()) return 0;
      Advance();
      // A call without an argument passes undefined, which reads as not-a-number.
      double argument = kNaN;
      if (token_ != Token::kClose) argument = Additive();
      ExpectClose();
      --depth_;
      Advance();
      value = function(argument);
    } else if (token_ == Token::kDivide) {
      Decline();  // where an operand belongs, "/" starts a regular expression
    } else if (token_ != Token::kUnknown) {
      EngineFails();  // ")", "*", "**", "%" or the end where an operand belongs
    }
    // Calling a number is a run-time error of the engine.
    if (token_ == Token::kOpen) EngineFails();
    return value;
  }

  // After the inside of parentheses only ")" may follow: the end (an unclosed parenthesis) or
  // another operand is a syntax error.
  void ExpectClose() {
    if (!failed_ && token_ != Token::kClose) EngineFails();
  }

  std::string_view s_;
  std::size_t i_ = 0;
  Token token_ = Token::kEnd;
  double number_ = 0;
  MathFunction function_ = nullptr;
  int depth_ = 0;
  bool failed_ = false;
  NativeResult::Kind verdict_ = NativeResult::kUnknown;
};

}  // namespace

NativeResult EvaluateNatively(std::string_view expression) { return Parser(expression).Evaluate(); }

}  // namespace orlinde
