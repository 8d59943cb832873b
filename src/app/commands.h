// The main window's small commands, each bound to one event of one control, written against the
// window services so that they run the same in the Qt window and in memory. Two of them replace
// the input box's text and so, through its text-changed event, recalculate everything before
// they return.
#pragma once

#include <string_view>

#include "app/window_services.h"
#include "text/text.h"

namespace orlinde {

// The about text that ShowAbout puts in front of the input: a title line, who made the program
// and how to reach them, then the scientific-mode examples; eleven lines joined by "\r\n", with
// no line break after the last one.
const Text& AboutText();

// The tooltip of the scientific-mode check box: its eight lines joined by "\r\n".
const Text& ScientificTooltipText();

// Puts AboutText directly in front of the input box's text (no line break between).
void ShowAbout(WindowServices& window);

// Copies the whole results box to the clipboard; an empty box leaves the clipboard as it was.
void CopyResults(WindowServices& window);

// Empties the input box.
void ClearInput(WindowServices& window);

// Keeps the window above other windows while the always-on-top box is ticked.
void ToggleAlwaysOnTop(WindowServices& window);

// The virtual key code of the A key.
inline constexpr int kVirtualKeyA = 65;

// Selects the box's whole text when the key is A with Ctrl alone held.
void SelectAllOnCtrlA(WindowServices& window, Control box, int virtual_key,
                      ModifierState modifiers);

// The decimals box's text read as a whole number when the box loses the focus: leading white
// space, an optional sign, the digits up to the first other character (none reads as 0), clamped
// to a 32-bit integer and written back in decimal, with 0 written as the empty text.
Text DecimalsBoxNormalise(std::string_view text);

}  // namespace orlinde
