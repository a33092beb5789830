// The plan and generate commands of tamso-cli, run through runCli with string streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "report/report_numbers.h"
#include "tests/cli/cli_run.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

const std::string europe = std::string(TAMSO_SOURCE_DIR) + "/examples/europe/europe.cfg";

using CliResult = testing::CliRun;
CliResult run(const std::vector<std::string>& args) { return testing::runTool(args); }

// Runs every test in a fresh working directory, since the planner writes its dump there.
class PlanCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(dir); }
  void TearDown() override { std::filesystem::current_path(home); }
  const std::filesystem::path home = std::filesystem::current_path();
  testing::TempFolder scratch{"tamso-plan"};
  const std::filesystem::path dir = scratch.path();
};

TEST_F(PlanCommandTest, SeededPlanRepeatsAndItsJsonAgreesWithTheText) {
  const CliResult text = run({"plan", europe, "--seed", "3"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "total.dump"));
  const CliResult json = run({"plan", europe, "--seed", "3", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(run({"plan", europe, "--json", "--seed", "3"}).out, json.out);

  const auto plan = nlohmann::json::parse(json.out);
  const double gain = plan["gain"].get<double>();
  EXPECT_GT(gain, 0.0);
  EXPECT_NE(text.out.find("Total gain: " + roundedTwoDecimals(gain) + "\n"), std::string::npos);
  std::size_t planned = 0;
  for (const auto& route : plan["routes"]) {
    const std::string vehicle = route["vehicle"].get<std::string>();
    EXPECT_NE(text.out.find("vehicle " + vehicle + ", gain " + roundedTwoDecimals(route["gain"].get<double>())),
              std::string::npos)
        << vehicle;
    for (const auto& stop : route["stops"]) {
      planned += stop["kind"] == "PICKUP" ? 1 : 0;
      EXPECT_EQ(stop["arrival"].size(), 3u);
    }
  }
  const std::size_t unplanned = plan["unplanned"].size();
  EXPECT_GT(planned, unplanned);
  std::string names;
  for (const auto& order : plan["unplanned"]) {
    names += "  ";
    names += order["order"].get<std::string>();
    names += " (client ";
  }
  const std::size_t listed = text.out.find("Unplanned orders (" + std::to_string(unplanned) + "):\n");
  ASSERT_NE(listed, std::string::npos);
  std::string listedNames;
  std::istringstream rest(text.out.substr(listed));
  std::string line;
  std::getline(rest, line);
  while (std::getline(rest, line)) listedNames += line.substr(0, line.find(" (client ") + 9);
  EXPECT_EQ(listedNames, names);
}

TEST_F(PlanCommandTest, EstimatedGainPlanEndsEveryRouteWithAWaitingStop) {
  const CliResult json = run({"plan", europe, "--seed", "5", "--estimated-gain", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto plan = nlohmann::json::parse(json.out);
  for (const auto& route : plan["routes"]) {
    ASSERT_FALSE(route["stops"].empty());
    EXPECT_EQ(route["stops"].back()["kind"], "WAITING");
    EXPECT_TRUE(route["stops"].back()["order"].is_null());
  }
}

TEST_F(PlanCommandTest, BadArgumentsAndLoadErrorsAreReported) {
  EXPECT_EQ(run({"plan"}).exitCode, 2);
  EXPECT_EQ(run({"plan", europe, "--seed", "x"}).exitCode, 2);
  EXPECT_EQ(run({"plan", europe, "--fast"}).exitCode, 2);
  const CliResult plan = run({"plan", "missing.cfg"});
  const CliResult check = run({"check", "missing.cfg"});
  EXPECT_EQ(plan.exitCode, 1);
  EXPECT_EQ(plan.err, check.err);
  EXPECT_TRUE(plan.out.empty());
}

TEST_F(PlanCommandTest, UnwritableDumpWarnsAndStillPrintsThePlan) {
  std::filesystem::create_directory(dir / "total.dump");  // a folder where the file should go
  std::ofstream(dir / "total.dump" / "keep") << "x";
  const CliResult text = run({"plan", europe, "--seed", "1"});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(text.err.find("total.dump"), std::string::npos);
  EXPECT_NE(text.out.find("Total gain: "), std::string::npos);
}

// The gains of total.dump's records: the lines that start with a blank.
std::vector<double> dumpedGains(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<double> gains;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] == ' ') gains.push_back(std::stod(line));
  }
  return gains;
}

// Restarts go on with the one-plan run's random draws, so the first record is that run's
// plan; each later plan with a new gain is appended, and the plan printed is the best.
TEST_F(PlanCommandTest, RestartsKeepTheBestPlanAndDumpEveryNewGain) {
  ASSERT_EQ(run({"plan", europe, "--seed", "4"}).exitCode, 0);
  const std::vector<double> single = dumpedGains(dir / "total.dump");
  const CliResult many = run({"plan", europe, "--seed", "4", "--json", "--restarts", "3"});
  ASSERT_EQ(many.exitCode, 0) << many.err;
  const std::vector<double> gains = dumpedGains(dir / "total.dump");
  ASSERT_EQ(single.size(), 1u);
  ASSERT_FALSE(gains.empty());
  EXPECT_LE(gains.size(), 3u);
  EXPECT_EQ(gains.front(), single.front());
  EXPECT_EQ(std::set<double>(gains.begin(), gains.end()).size(), gains.size());
  const double best = *std::max_element(gains.begin(), gains.end());
  // The dump keeps the single-precision gain: near 250000 it is good to 1/64 only.
  EXPECT_NEAR(nlohmann::json::parse(many.out)["gain"].get<double>(), best, 0.02);
  for (const char* bad : {"0", "1001", "x"}) EXPECT_EQ(run({"plan", europe, "--restarts", bad}).exitCode, 2) << bad;
}

TEST_F(PlanCommandTest, GeneratedInstanceCanBePlanned) {
  EXPECT_EQ(run({"generate", "inst", "--places", "20", "--orders", "30"}).exitCode, 2);
  EXPECT_EQ(run({"generate", "inst", "--places", "2001", "--orders", "30", "--vehicles", "4"}).exitCode, 1);
  const CliResult generated =
      run({"generate", "inst", "--places", "20", "--orders", "30", "--vehicles", "4", "--seed", "2"});
  ASSERT_EQ(generated.exitCode, 0) << generated.err;
  EXPECT_EQ(run({"check", "inst/instance.cfg"}).exitCode, 0);
  const CliResult plan = run({"plan", "inst/instance.cfg", "--seed", "2", "--json"});
  ASSERT_EQ(plan.exitCode, 0) << plan.err;
  EXPECT_EQ(nlohmann::json::parse(plan.out)["routes"].size(), 4u);
}

}  // namespace
}  // namespace tamso
