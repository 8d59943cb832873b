// What the harnesses share: stopping with a readable message when an invariant breaks, and
// comparing numbers the way results are compared.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orlinde::fuzz {

// Prints what broke and a printable excerpt of the text involved, then aborts, which libFuzzer
// reports as a crash and saves the input for.
[[noreturn]] inline void Broken(const char* invariant, std::string_view text) {
  std::fprintf(stderr, "invariant broken: %s\n  text (%zu bytes): «", invariant, text.size());
  for (std::size_t i = 0; i < text.size() && i < 400; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      std::fputc(c, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", c);
    }
  }
  std::fprintf(stderr, "%s»\n", text.size() > 400 ? "..." : "");
  std::abort();
}

inline void Check(bool holds, const char* invariant, std::string_view text) {
  if (!holds) Broken(invariant, text);
}

// The same double bit for bit, any two not-a-numbers counting as the same.
inline bool SameNumber(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace orlinde::fuzz
