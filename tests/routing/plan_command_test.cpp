// The plan and generate commands of tamso-cli, run through runCli with string streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "search/report_numbers.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

const std::string europe = std::string(TAMSO_SOURCE_DIR) + "/examples/europe/europe.cfg";

struct CliResult {
  int code;
  std::string out;
  std::string err;
};

CliResult run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = runCli(args, out, err);
  return {code, out.str(), err.str()};
}

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
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "total.dump"));
  const CliResult json = run({"plan", europe, "--seed", "3", "--json"});
  ASSERT_EQ(json.code, 0) << json.err;
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
  EXPECT_GT(planned, 2 * unplanned);
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
  ASSERT_EQ(json.code, 0) << json.err;
  const auto plan = nlohmann::json::parse(json.out);
  for (const auto& route : plan["routes"]) {
    ASSERT_FALSE(route["stops"].empty());
    EXPECT_EQ(route["stops"].back()["kind"], "WAITING");
    EXPECT_TRUE(route["stops"].back()["order"].is_null());
  }
}

TEST_F(PlanCommandTest, BadArgumentsAndLoadErrorsAreReported) {
  EXPECT_EQ(run({"plan"}).code, 2);
  EXPECT_EQ(run({"plan", europe, "--seed", "x"}).code, 2);
  EXPECT_EQ(run({"plan", europe, "--fast"}).code, 2);
  const CliResult plan = run({"plan", "missing.cfg"});
  const CliResult check = run({"check", "missing.cfg"});
  EXPECT_EQ(plan.code, 1);
  EXPECT_EQ(plan.err, check.err);
  EXPECT_TRUE(plan.out.empty());
}

TEST_F(PlanCommandTest, UnwritableDumpWarnsAndStillPrintsThePlan) {
  std::filesystem::create_directory(dir / "total.dump");  // a folder where the file should go
  std::ofstream(dir / "total.dump" / "keep") << "x";
  const CliResult text = run({"plan", europe, "--seed", "1"});
  EXPECT_EQ(text.code, 0);
  EXPECT_NE(text.err.find("total.dump"), std::string::npos);
  EXPECT_NE(text.out.find("Total gain: "), std::string::npos);
}

TEST_F(PlanCommandTest, GeneratedInstanceCanBePlanned) {
  EXPECT_EQ(run({"generate", "inst", "--places", "20", "--orders", "30"}).code, 2);
  EXPECT_EQ(run({"generate", "inst", "--places", "900", "--orders", "30", "--vehicles", "4"}).code, 1);
  const CliResult generated =
      run({"generate", "inst", "--places", "20", "--orders", "30", "--vehicles", "4", "--seed", "2"});
  ASSERT_EQ(generated.code, 0) << generated.err;
  EXPECT_EQ(run({"check", "inst/instance.cfg"}).code, 0);
  const CliResult plan = run({"plan", "inst/instance.cfg", "--seed", "2", "--json"});
  ASSERT_EQ(plan.code, 0) << plan.err;
  EXPECT_EQ(nlohmann::json::parse(plan.out)["routes"].size(), 4u);
}

}  // namespace
}  // namespace tamso
