// Input texts for the benchmarks.
#pragma once

#include <string>

#include "text/codec.h"

namespace orlinde::bench {

// N input lines of the kinds users paste, each a little different, joined by "\r\n".
inline Text MixedLines(int count) {
  const std::string kinds[] = {"12.5*(3+4)/7", "(1+2)3",        "一共 1,000 元 + 20%",
                               "2^10-1",       "3.14.15+2.7.1", "1/3"};
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += "\r\n";
    text += kinds[i % 6] + "+" + std::to_string(i);
  }
  return Utf8ToText(text);
}

}  // namespace orlinde::bench
