// The expression shown before "=" in a result line: the prepared expression in basic mode, the
// scientific shown copy in scientific mode, with the engine's Math. calls shortened to the plain
// function names in both.
#pragma once

#include <string_view>

#include "text/text.h"

namespace orlinde {

Text BuildShownExpression(std::string_view prepared, bool scientific);

}  // namespace orlinde
