// Scientific translation: maps function names onto the engine's Math object, drops every
// character that cannot belong to such an expression, turns percentages into fractions and
// full-width parentheses into ASCII ones. It leaves the line's shown form, as it stands once the
// percentages are rewritten, in the one program-wide text ScientificShownCopy.
#pragma once

#include <string_view>

#include "text/text.h"

namespace orlinde {

Text TranslateScientific(std::string_view line);

// The shown form of the line translated last; empty until the first translation.
const Text& ScientificShownCopy();

}  // namespace orlinde
