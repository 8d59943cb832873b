// Helpers shared by the repair tests: a run of steps recorded one by one, the shipped steps so
// recorded, and a readable form of a code page 936 text for failure messages.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "repair/repair_steps.h"
#include "text/codec.h"
#include "text/text.h"

namespace orlinde::testing {

constexpr std::size_t kRepairStepCount = 1 + kRepairStepsAfterNormalise.size();

constexpr std::array<const char*, kRepairStepCount> kRepairStepNames = {
    "Normalise",    "Filter",
    "EndPoints",    "ExtraPoints",
    "LonePoints",   "Parentheses",
    "EndOperators", "OperatorAfterParenthesis",
    "OperatorRuns", "ImpliedMultiplication"};

// The working text of the first state and after each of the steps that follow it, in order.
template <typename Steps>
std::array<Text, kRepairStepCount> WorkingAfterEachStep(RepairState s, const Steps& steps) {
  static_assert(std::tuple_size_v<Steps> + 1 == kRepairStepCount);
  std::array<Text, kRepairStepCount> after;
  after[0] = s.working;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    s = steps[i](s);
    after[i + 1] = s.working;
  }
  return after;
}

// The working text after each of the shipped steps, in order.
inline std::array<Text, kRepairStepCount> ShippedRepairSteps(std::string_view line) {
  return WorkingAfterEachStep(Normalise(line), kRepairStepsAfterNormalise);
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
