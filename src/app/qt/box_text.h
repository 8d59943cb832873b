// The edges between the window's widgets and the program's texts: a box's QString and its Text
// (code page 936, line breaks "\r\n"), selection positions, and key events as virtual key codes
// and modifier states.
#pragma once

#include <QString>
#include <Qt>
#include <string_view>

#include "app/window_services.h"
#include "text/text.h"

namespace orlinde {

// A box's plain text as a Text: each "\n" becomes "\r\n".
Text BoxStringToText(const QString& box_string);

// A Text as a box's plain text: each "\r\n" becomes "\n".
QString TextToBoxString(std::string_view text);

// The position in `box_string` of the character that starts at byte `offset` of its Text,
// clamped to 0 and to the end. Selections are given in the Text's bytes, so that a selection of
// the Text's whole length covers the box's whole text even where characters outside the code
// page (read as one "?") take two positions in the box.
int BoxPositionOfTextOffset(const QString& box_string, int offset);

// What differs between two box strings: `current` from `from` up to `to` is to become `wanted`
// from `from` up to `to_wanted`, the rest being the same in both. No surrogate pair is cut.
struct Stretch {
  int from;
  int to;
  int to_wanted;
};
Stretch ChangedStretch(const QString& current, const QString& wanted);

// The text for the clipboard: the platform's line break "\n" in place of "\r\n".
QString ClipboardString(std::string_view text);

ModifierState ModifierStateOf(Qt::KeyboardModifiers modifiers);

// The virtual key code of a key: letters and digits have their capital ASCII code, a few
// control keys their usual codes; other keys give 0.
int VirtualKeyOf(int qt_key);

// Whether the decimals box refuses a key's text as typed: printable characters other than "-"
// and the digits, unless Ctrl makes the key a shortcut. Control characters always pass.
bool DecimalsBoxRefusesTypedText(const QString& text, Qt::KeyboardModifiers modifiers);

}  // namespace orlinde
