// Whole lines through orlinde-cli, from the files in tests/golden/. Each case is one line
//   input<TAB>expected result line
// and a line "@options ..." sets the command-line options for the cases after it. "#" starts a
// comment line. Inputs and results may use the escapes \t, \\ and \xHH (one UTF-8 byte).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli_runner.h"

namespace orlinde::testing {
namespace {

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i];
    } else if (s[i + 1] == 't') {
      out += '\t', ++i;
    } else if (s[i + 1] == '\\') {
      out += '\\', ++i;
    } else if (s[i + 1] == 'x' && i + 3 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16)), i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string> SplitWords(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

struct Group {
  std::vector<std::string> options;
  std::vector<std::string> inputs, expected;
  std::vector<int> source_lines;
};

std::vector<Group> ReadGroups(const std::filesystem::path& path) {
  std::vector<Group> groups(1);
  std::istringstream in(ReadFile(path.string()));
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("@options", 0) == 0) {
      groups.push_back({SplitWords(line.substr(8)), {}, {}, {}});
      continue;
    }
    const std::size_t tab = line.find('\t');
    EXPECT_NE(tab, std::string::npos)
        << path << ":" << number << ": no tab between input and result";
    if (tab == std::string::npos) continue;
    groups.back().inputs.push_back(Unescape(line.substr(0, tab)));
    groups.back().expected.push_back(Unescape(line.substr(tab + 1)));
    groups.back().source_lines.push_back(number);
  }
  return groups;
}

TEST(GoldenLines, EveryFileGivesItsResults) {
  const std::filesystem::path dir = std::filesystem::path(ORLINDE_TEST_DATA_DIR) / "golden";
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".txt") continue;
    for (const Group& group : ReadGroups(entry.path())) {
      if (group.inputs.empty()) continue;
      std::string input;
      for (const std::string& line : group.inputs) input += line + "\n";
      const CliResult run = RunCli(group.options, input);
      ASSERT_EQ(run.status, 0) << entry.path() << ": " << run.err;
      std::vector<std::string> got;
      std::istringstream out(run.out);
      for (std::string line; std::getline(out, line);) got.push_back(line);
      ASSERT_EQ(got.size(), group.inputs.size()) << entry.path() << "\n" << run.out;
      for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i], group.expected[i])
            << entry.path().filename().string() << ":" << group.source_lines[i] << " input «"
            << group.inputs[i] << "»";
        ++cases;
      }
    }
  }
  EXPECT_GT(cases, 0);
}

}  // namespace
}  // namespace orlinde::testing
