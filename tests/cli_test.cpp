// orlinde-cli as a user runs it: arguments, standard input, options and exit status.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace orlinde::testing {
namespace {

TEST(Cli, PrintsTheResultsOfItsArguments) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"1/3"}, "1/3=0.3333333333333\n"},
      {{"--decimals", "2", "1/3"}, "1/3=0.33\n"},
      {{"--decimals=2", "1/3"}, "1/3=0.33\n"},
      {{"1/0"}, "1/0=1.#INF\n"},
      {{"1+1", "2*3"}, "1+1=2\n2*3=6\n"},
      {{"-5+1"}, "0-5+1=-4\n"},  // a single dash starts a line, not an option
      {{"--", "--1"}, "0+1=1\n"},
      {{"--decimals", "-", "2.5"}, "2.5=3\n"},
      {{"", "1"}, "=0\n1=1\n"},
      {{"一共 1,000 元"}, "1000=1000\n"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    const CliResult run = RunCli(c.args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out) << (c.args.empty() ? "" : c.args.back());
    EXPECT_EQ(run.err, "");
  }
}

TEST(Cli, ReadsStandardInputWithEitherLineBreak) {
  struct Case {
    std::string input, out;
  } cases[] = {
      {"1+1\r\n2*3\r\n", "1+1=2\n2*3=6\n"},
      {"1+1\n2*3", "1+1=2\n2*3=6\n"},
      {"1\n\n2\n", "1=1\n=0\n2=2\n"},
      {"１２３．５＋1\n", "123.5+1=124.5\n"},
      {"", ""},
      {"1\r2\n", "12=12\n"},  // a lone carriage return stays inside its line
  };
  for (const Case& c : cases) {
    const CliResult run = RunCli({}, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out) << c.input;
  }
}

TEST(Cli, BadUsageExitsWithStatusTwoAndTheUsage) {
  const std::vector<std::string> bad[] = {
      {"--frobnicate"}, {"--decimals"}, {"--scientific", "--x", "1"}};
  for (const auto& args : bad) {
    const CliResult run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args.front();
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("orlinde-cli: "), std::string::npos);
    EXPECT_NE(run.err.find("Usage: orlinde-cli"), std::string::npos);
  }
}

TEST(Cli, AnswersHelpAndVersion) {
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: orlinde-cli", 0), 0u);
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "orlinde-cli " ORLINDE_VERSION "\n");
}

}  // namespace
}  // namespace orlinde::testing
