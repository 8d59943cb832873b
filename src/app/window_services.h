// What the calculation driver and the window commands need of the main window: a few services
// on named controls. The Qt window implements them; the command-line tool and the tests use the
// in-memory window. Nothing here knows about a toolkit.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace orlinde {

// The controls of the main window, by the names the window also gives its widgets.
enum class Control {
  编辑框1,      // input box
  编辑框2,      // results box
  编辑框3,      // decimal places
  选择框1,      // always on top
  选择框2,      // scientific mode
  按钮1,        // calculate
  按钮2,        // copy results
  按钮3,        // clear input
  超级链接框1,  // about
  标签1,
  标签2,
  图片框1,
  图片框2,
  脚本组件2,
};

// The object name of a control's widget: its name as written above.
const char* ControlName(Control control);

// Modifier bits carried by key and mouse events.
using ModifierState = std::uint32_t;
inline constexpr ModifierState kModifierCtrl = 1;
inline constexpr ModifierState kModifierShift = 2;
inline constexpr ModifierState kModifierAlt = 4;

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  // The box's whole text; a line break in a multi-line box reads as "\r\n".
  virtual Text GetBoxText(Control box) = 0;
  // Replaces the box's whole text and then raises its text-changed event exactly once.
  virtual void SetBoxText(Control box, const Text& text) = 0;
  // Puts the text at the end of the box whatever the caret or selection was, leaves the caret
  // after it scrolled into view, and raises the box's text-changed event once.
  virtual void AppendBoxText(Control box, Text text) = 0;
  // Leaves the box as emptying it and appending the text would: the whole text replaced, the
  // caret after it scrolled into view, the text-changed event raised. A window may make it one
  // edit of only what differs from the text the box holds.
  virtual void ReplaceBoxText(Control box, Text text) = 0;
  virtual bool IsChecked(Control box) = 0;
  // Selects from `start` for `length` characters (an end beyond the text is its end), caret at
  // the selection's end, scrolled into view.
  virtual void SetBoxSelection(Control box, int start, int length) = 0;
  virtual void SetAlwaysOnTop(bool on_top) = 0;
  // Replaces the clipboard's contents with the text; false when the clipboard is not available.
  virtual bool SetClipboardText(const Text& text) = 0;
};

}  // namespace orlinde
