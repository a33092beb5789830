// tamso-cli solve: the plan in JSON with the steps and time used, "total.dump" of the plan
// found, and clear messages for bad limits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "report/report_numbers.h"
#include "tests/cli/cli_run.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using CliResult = testing::CliRun;
using testing::runTool;

class SolveCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const CliResult made = runTool({"generate", "instance", "--places", "20", "--orders", "30", "--vehicles", "5"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
  }
  void TearDown() override { std::filesystem::current_path(home); }

  testing::ScratchFolder folder{"solve"};
  std::filesystem::path home;
};

TEST_F(SolveCommand, PrintsThePlanWithStepsAndTimeAndDumpsIt) {
  const CliResult json = runTool({"solve", "instance/instance.cfg", "--iterations", "40", "--seed", "3", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto plan = nlohmann::json::parse(json.out);
  EXPECT_EQ(plan["iterations"], 40);
  EXPECT_TRUE(plan["seconds"].is_number());
  EXPECT_EQ(plan["routes"].size(), 5u);
  const std::string dump = testing::readWholeFile("total.dump");
  EXPECT_EQ(roundedToCents(decimalOf(std::stof(dump))), plan["gain"].get<double>());

  const CliResult text = runTool({"solve", "instance/instance.cfg", "--iterations=40", "--seed", "3"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("Iterations: 40\n"), std::string::npos);
  EXPECT_NE(text.out.find("Time used: "), std::string::npos);
  EXPECT_EQ(testing::readWholeFile("total.dump"), dump);
}

TEST_F(SolveCommand, RefusesBadLimits) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--time-limit", "0"},
                                               {"--time-limit", "soon"},
                                               {"--iterations", "-3"},
                                               {"--iterations", "0"},
                                               {"--time-limit"}}) {
    std::vector<std::string> line = {"solve", "instance/instance.cfg"};
    line.insert(line.end(), args.begin(), args.end());
    const CliResult result = runTool(line);
    EXPECT_EQ(result.exitCode, 2) << args[0];
    EXPECT_NE(result.err.find(args[0]), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace tamso
