#include "scientific/shown.h"

#include <array>
#include <utility>

#include "scientific/translate.h"

namespace orlinde {

Text BuildShownExpression(std::string_view prepared, bool scientific) {
  // "Math.tan", "Math.sin" and "Math.cos" come before their arc forms, which none of them
  // occurs inside, so the order cannot change the result.
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kShortening{{
      {"Math.pow", "pow"},
      {"Math.sqrt", "sqrt"},
      {"Math.abs", "abs"},
      {"Math.log", "log"},
      {"Math.exp", "exp"},
      {"Math.tan", "tan"},
      {"Math.sin", "sin"},
      {"Math.cos", "cos"},
      {"Math.asin", "asin"},
      {"Math.atan", "atan"},
      {"Math.acos", "acos"},
  }};
  Text shown = scientific ? ScientificShownCopy() : Text(prepared);
  if (shown.find("Math.") == Text::npos) return shown;  // the common case: nothing to shorten
  for (const auto& [full, short_name] : kShortening) {
    if (shown.find(full) != Text::npos) shown = TextReplace(shown, full, short_name);
  }
  return shown;
}

}  // namespace orlinde
