// Basic-mode repair: turns one line of free text into an arithmetic expression made only of
// digits, ".", "+", "-", "*", "/", "^" and parentheses. It never rejects a line; whatever is
// still not a valid expression afterwards is left to the evaluator.
#pragma once

#include <string_view>

#include "text/text.h"

namespace orlinde {

Text RepairExpression(std::string_view line);

}  // namespace orlinde
