// orlinde-cli: the whole calculation without a window. The lines go into an input box held in
// memory, the driver runs once, and the results box is printed.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"
#include "text/codec.h"

namespace {

constexpr char kUsage[] =
    "Usage: orlinde-cli [--scientific] [--decimals TEXT] [--] [LINE ...]\n"
    "\n"
    "Calculates each LINE as the Orlinde window would and prints «expression=value» for each.\n"
    "Without LINE arguments, standard input is read as UTF-8, one calculation per line.\n"
    "\n"
    "  --scientific      scientific mode: function names, percentages and powers\n"
    "  --decimals TEXT   round the results as if TEXT were typed into the decimals box\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "  --                treat every later argument as a line, even if it starts with --\n"
    "\n"
    "Examples:\n"
    "  orlinde-cli \"2(3+.5)\"                 2*(3+0.5)=7\n"
    "  orlinde-cli --decimals 2 \"1/3\"        1/3=0.33\n"
    "  orlinde-cli --scientific \"sqrt(4)+50%\"  sqrt(4)+0.5=2.5\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "orlinde-cli: %s\n\n%s", message.c_str(), kUsage);
  return 2;
}

std::string ReadAll(std::FILE* stream) {
  std::string data;
  // A file on standard input says how big it is, which saves growing the text again and again.
  struct stat info {};
  if (fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    data.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) data.append(buffer, got);
  return data;
}

// Lines separated by LF or CRLF become the input box's text, whose line break is CRLF.
orlinde::Text InputBoxText(std::string_view utf8) {
  orlinde::Text text = orlinde::Utf8ToText(utf8);
  const auto lone_feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  orlinde::Text joined;
  joined.reserve(text.size() + lone_feeds);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) joined += '\r';
    joined += text[i];
  }
  return joined;
}

}  // namespace

int main(int argc, char** argv) {
  bool scientific = false;
  std::string decimals;
  std::vector<std::string> lines;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options_done || arg.size() < 2 || arg.substr(0, 2) != "--") {
      lines.emplace_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--version") {
      std::printf("orlinde-cli %s\n", ORLINDE_VERSION);
      return 0;
    } else if (arg == "--scientific") {
      scientific = true;
    } else if (arg == "--decimals") {
      if (i + 1 >= argc) return UsageError("--decimals needs a value");
      decimals = argv[++i];
    } else if (arg.substr(0, 11) == "--decimals=") {
      decimals = std::string(arg.substr(11));
    } else {
      return UsageError("unknown option " + std::string(arg));
    }
  }

  std::string input;
  if (lines.empty()) {
    input = ReadAll(stdin);
  } else {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) input += '\n';
      input += lines[i];
    }
  }

  orlinde::MemoryWindow window;
  window.PutBoxText(orlinde::Control::编辑框1, InputBoxText(input));
  input = std::string();
  window.PutBoxText(orlinde::Control::编辑框3, orlinde::Utf8ToText(decimals));
  window.SetChecked(orlinde::Control::选择框2, scientific);
  orlinde::Evaluator evaluator;
  orlinde::CalculationDriver driver(window, evaluator, {.remember_results = false});
  driver.CalculateAll();

  // The results box's line breaks are written as LF.
  std::string out = orlinde::TextToUtf8(window.TakeBoxText(orlinde::Control::编辑框2));
  std::size_t kept = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
    out[kept++] = out[i];
  }
  out.resize(kept);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
