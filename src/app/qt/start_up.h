// What the program sets up before its window exists: the floating-point state and the font of
// the controls.
#pragma once

#include <QFont>
#include <QStringList>

namespace orlinde {

// Round to nearest with every floating-point exception masked, so that overflow and division
// by zero give infinities and not-a-numbers instead of traps.
void SetFloatingPointDefaults();

// The families tried in order for the controls' text: the Simplified Chinese sans-serif the
// window was designed with, then the one Debian ships in fonts-noto-cjk.
QStringList ControlFontFamilies();

// The controls' font, normal weight, at a character height of `pixel_size` pixels.
QFont ControlFont(int pixel_size);

}  // namespace orlinde
