// Conversions between texts and numbers, which decide what the user reads after "=".
// Numbers are written with 13 significant digits, a three-digit exponent and the special forms
// «1.#INF», «-1.#INF», «-1.#IND» (the not-a-number of an invalid operation), «1.#QNAN» and
// «1.#SNAN». Reading takes the longest numeric prefix after full-width folding and white space;
// a text without a number reads as 0. Nothing here fails.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace orlinde {

// The not-a-number that x86 arithmetic produces for an invalid operation such as 0/0.
double InvalidOperationNaN();

double TextToNumber(std::string_view text);
float TextToSingle(std::string_view text);
std::int32_t TextToInteger(std::string_view text);
Text NumberToText(double x);
double RoundToDecimals(double x, std::int32_t decimals);
Text FormatNumber(double x);
Text FormatNumber(double x, std::int32_t decimals);

// Decimals above this are treated as this many, so that one result line stays bounded.
inline constexpr std::int32_t kMaxFormatDecimals = 184;

}  // namespace orlinde
