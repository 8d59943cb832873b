#include "app/commands.h"

#include <cstdint>
#include <limits>

#include "text/codec.h"

namespace orlinde {

namespace {

// The scientific-mode examples that both the about text and the tooltip list, under their own
// heading line. The sources are UTF-8; the texts are converted once, on first use.
constexpr std::string_view kExamples =
    "\r\n平方：2^2 \r\n平方根：sqrt(4) \r\n绝对值：abs(-2)\r\nＬＯＧ：log(8)\r\n指数函数：exp(2)"
    "\r\n三角函数：tan(2)+sin(2)+cos(2)\r\n反三角函数：asin(2) + atan(2)+ acos(2)";

// Lines 2 and 3 carry no digit, so that their result lines read «=0» and add nothing.
constexpr std::string_view kAboutHead =
    " Orlinde v1.6（160507）\r\n"
    "版权所有：Orlinde 开发者\r\n"
    "联系方式：请在本项目的问题跟踪器中留言\r\n"
    "科学计算示例";

constexpr std::string_view kTooltipHead = "是否支持科学计算";

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

const Text& AboutText() {
  static const Text text = Utf8ToText(TextConcat(kAboutHead, kExamples));
  return text;
}

const Text& ScientificTooltipText() {
  static const Text text = Utf8ToText(TextConcat(kTooltipHead, kExamples));
  return text;
}

void ShowAbout(WindowServices& window) {
  window.SetBoxText(Control::编辑框1, TextConcat(AboutText(), window.GetBoxText(Control::编辑框1)));
}

void CopyResults(WindowServices& window) {
  if (TextEquals(window.GetBoxText(Control::编辑框2), "")) return;
  window.SetClipboardText(window.GetBoxText(Control::编辑框2));
}

void ClearInput(WindowServices& window) { window.SetBoxText(Control::编辑框1, ""); }

void ToggleAlwaysOnTop(WindowServices& window) {
  window.SetAlwaysOnTop(window.IsChecked(Control::选择框1));
}

void SelectAllOnCtrlA(WindowServices& window, Control box, int virtual_key,
                      ModifierState modifiers) {
  if (virtual_key != kVirtualKeyA || modifiers != kModifierCtrl) return;
  // The byte length is never smaller than the number of characters, and the box takes an end
  // beyond its text as the text's end, so this selects everything.
  window.SetBoxSelection(box, 0, TextLength(window.GetBoxText(box)));
}

Text DecimalsBoxNormalise(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // The magnitude saturates just past the range, so that any number of digits reads safely.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max())
    value = std::numeric_limits<std::int32_t>::max();
  if (value == 0) return "";
  return std::to_string(value);
}

}  // namespace orlinde
