// Helpers shared by the repair tests: the shipped steps run one by one, and a readable form of a
// code page 936 text for failure messages.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "repair/repair_steps.h"
#include "text/codec.h"
#include "text/text.h"

namespace orlinde::testing {

constexpr std::array<const char*, 10> kRepairStepNames = {
    "Normalise",    "Filter",
    "EndPoints",    "ExtraPoints",
    "LonePoints",   "Parentheses",
    "EndOperators", "OperatorAfterParenthesis",
    "OperatorRuns", "ImpliedMultiplication"};

// The working text after each of the shipped steps, in order.
inline std::array<Text, 10> ShippedRepairSteps(std::string_view line) {
  std::array<Text, 10> after;
  RepairState s = Normalise(line);
  after[0] = s.working;
  s = Filter(s);
  after[1] = s.working;
  s = EndPoints(s);
  after[2] = s.working;
  s = ExtraPoints(s);
  after[3] = s.working;
  s = LonePoints(s);
  after[4] = s.working;
  s = Parentheses(s);
  after[5] = s.working;
  s = EndOperators(s);
  after[6] = s.working;
  s = OperatorAfterParenthesis(s);
  after[7] = s.working;
  s = OperatorRuns(s);
  after[8] = s.working;
  s = ImpliedMultiplication(s);
  after[9] = s.working;
  return after;
}

// «text as UTF-8» followed by its bytes in hex, since a lone or odd byte does not show in UTF-8.
inline std::string ShowText(std::string_view text) {
  std::string shown = "«" + TextToUtf8(text) + "» [";
  for (std::size_t i = 0; i < text.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(text[i]));
    if (i > 0) shown += ' ';
    shown += hex;
  }
  return shown + "]";
}

}  // namespace orlinde::testing
