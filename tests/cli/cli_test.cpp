#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "tests/cli/cli_run.h"

namespace tamso {
namespace {

using testing::runTool;

TEST(Cli, HelpGoesToStandardOutput) {
  for (const auto& args : {std::vector<std::string>{"--help"}, {"check", "--help"}}) {
    const auto run = runTool(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("check CONFIG"), std::string::npos);
    EXPECT_TRUE(run.err.empty());
  }
}

TEST(Cli, VersionIsTheProjectVersion) {
  const auto run = runTool({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, std::string("tamso-cli ") + TAMSO_VERSION + "\n");
  EXPECT_TRUE(run.err.empty());
}

TEST(Cli, UsageMistakesExitWithTwoAndTheUsageText) {
  const std::vector<std::vector<std::string>> mistakes = {
      {}, {"frobnicate"}, {"check"}, {"check", "a.cfg", "b.cfg"}, {"check", "a.cfg", "--jsn"}};
  for (const auto& args : mistakes) {
    const auto run = runTool(args);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
    EXPECT_NE(run.err.find("Usage: tamso-cli"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
}

TEST(CommandLine, SplitsPositionalsFlagsAndValuedOptions) {
  std::string problem;
  const auto line = cli::parseCommandLine({"a.cfg", "--json", "--seed", "7", "--map=m.txt", "b"}, {"--json"},
                                          {"--seed", "--map"}, problem);
  ASSERT_TRUE(line) << problem;
  EXPECT_EQ(line->positionals, (std::vector<std::string>{"a.cfg", "b"}));
  EXPECT_TRUE(line->has("--json"));
  EXPECT_EQ(line->option("--seed"), "7");
  EXPECT_EQ(line->option("--map"), "m.txt");
  EXPECT_FALSE(line->option("--frame"));
  EXPECT_FALSE(cli::parseCommandLine({"--seed"}, {}, {"--seed"}, problem));
  EXPECT_EQ(problem, "option --seed needs a value");
  EXPECT_FALSE(cli::parseCommandLine({"--json=1"}, {"--json"}, {}, problem));
}

}  // namespace
}  // namespace tamso
