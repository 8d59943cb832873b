// Conversion between Text (code page 936) and Unicode, used only where text enters or leaves a box
// or a terminal. Decoding never fails: a byte sequence that is not code page 936 becomes U+FFFD.
// Encoding never produces the byte 0: a NUL, a character code page 936 cannot hold and a broken
// UTF-8 or UTF-16 sequence each become "?".
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace orlinde {

std::u16string TextToUtf16(std::string_view text);
Text Utf16ToText(std::u16string_view utf16);
std::string TextToUtf8(std::string_view text);
Text Utf8ToText(std::string_view utf8);

}  // namespace orlinde
