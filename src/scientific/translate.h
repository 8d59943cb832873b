// Scientific translation: maps function names onto the engine's Math object, drops every
// character that cannot belong to such an expression, turns percentages into fractions and
// full-width parentheses into ASCII ones. It leaves the line's shown form, as it stands once the
// percentages are rewritten, in the one program-wide text ScientificShownCopy. "^" is left as it
// is: the evaluator reads it as the power sign.
#pragma once

#include <array>
#include <string_view>

#include "text/text.h"

namespace orlinde {

// A function the scientific mode knows: its lower-case name, the double-byte character that
// stands for it between the filter and the script calls, and the call the engine receives.
struct ScientificFunction {
  std::string_view name;
  std::string_view placeholder;
  std::string_view script_call;
};

// "asin", "atan" and "acos" come before "tan", "sin" and "cos", so that "asin" becomes one
// placeholder and never the letter a before the one of "sin". The placeholders are symbols of
// the code page (several with a trail byte that looks like an ASCII letter); one typed by the
// user acts as its name.
inline constexpr std::array<ScientificFunction, 11> ScientificFunctionTable{{
    {"pow", "\xA1\xEE", "Math.pow"},    // ☆
    {"sqrt", "\xA1\xCC", "Math.sqrt"},  // √
    {"abs", "\xA8\x55", "Math.abs"},    // ║
    {"log", "\xA9\x53", "Math.log"},    // ㏒
    {"exp", "\xA9\x52", "Math.exp"},    // ㏑
    {"asin", "\xA8\x64", "Math.asin"},  // ╠
    {"atan", "\xA8\x70", "Math.atan"},  // ╬
    {"acos", "\xA8\x67", "Math.acos"},  // ╣
    {"tan", "\xA8\x53", "Math.tan"},    // ⊿
    {"sin", "\xA8\x4E", "Math.sin"},    // ∟
    {"cos", "\xA1\xCF", "Math.cos"},    // ∠
}};

// The negated class of the characters a translated line may keep: ASCII digits, "(" ")" "+" "-"
// "*" "/" "^" "." "%", the full-width parentheses "（" "）" and the eleven placeholders.
inline constexpr std::string_view ScientificFilterPattern =
    "[^0-9"
    "\xA3\xA8"                                  // （
    "\xA1\xCC\xA1\xEE\xA8\x55\xA9\x53"          // √☆║㏒
    "\xA8\x53\xA8\x4E\xA1\xCF\xA8\x64\xA8\x67"  // ⊿∟∠╠╣
    "%"
    "\xA8\x70\xA9\x52"  // ╬㏑
    "\xA3\xA9"          // ）
    "()\\+\\-\\*/\\^\\.]";

// The expression for the evaluator. Also replaces ScientificShownCopy with the line's shown form.
Text TranslateScientific(std::string_view line);

// The shown form of the line translated last; empty until the first translation. Basic mode
// never changes it.
const Text& ScientificShownCopy();

// Puts back the shown form a translation of a line left, for a caller that remembers the
// translations of earlier runs instead of repeating them.
void RestoreScientificShownCopy(std::string_view copy);

}  // namespace orlinde
