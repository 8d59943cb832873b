// Scientific lines given as arguments of orlinde-cli, the way the usage text shows them.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace orlinde::testing {
namespace {

TEST(ScientificCli, CalculatesLinesGivenAsArguments) {
  const CliResult run = RunCli({"--scientific", "sqrt(4)+50%", "2^10", "（1+2）*3"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "sqrt(4)+0.5=2.5\n2^10=1024\n（1+2）*3=9\n");
}

}  // namespace
}  // namespace orlinde::testing
