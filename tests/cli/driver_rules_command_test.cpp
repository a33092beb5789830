// With the driving and rest times kept, no plan of any optimiser breaks a rule: a plain
// checker reads only each route's activities in the plan document and the travel-time table.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "problem/loader.h"
#include "tests/cli/cli_run.h"
#include "tests/routing/plain_rule_check.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using nlohmann::json;
using testing::runTool;

ProblemData load(const std::string& config) {
  ProblemData problem;
  const auto error = loadInstance(config, problem, LoadOptions{std::filesystem::path(config).parent_path().string()});
  EXPECT_FALSE(error) << error->message;
  return problem;
}

class DriverRulesCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    for (const std::string name : {"plain", "ruled", "crewed"}) {
      std::vector<std::string> args = {"generate", name, "--places", "30", "--orders", "60", "--vehicles", "10"};
      if (name != "plain") args.push_back(name == "ruled" ? "--driver-rules" : "--crews");
      const testing::CliRun made = runTool(args);
      ASSERT_EQ(made.exitCode, 0) << made.err;
    }
  }
  void TearDown() override { std::filesystem::current_path(home); }

 public:
  static json plan(const std::vector<std::string>& args) {
    const testing::CliRun run = runTool(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::parse(run.out);
  }

 protected:
  testing::ScratchFolder folder{"driver-rules"};
  std::filesystem::path home;
};

// Every route keeps every rule, its timeline runs from its start to its end, and the driving
// before each stop is the travel time from the place before; a crew keeps a crew's rules.
// Returns the break and rest minutes.
std::int32_t expectLegalPlan(const json& document, const ProblemData& problem, const std::string& what) {
  std::int32_t pauses = 0;
  for (const json& route : document["routes"]) {
    const json& activities = route["activities"];
    if (route["stops"].empty()) {
      EXPECT_TRUE(activities.empty()) << what;
      continue;
    }
    std::vector<test::Stretch> timeline;
    for (const json& a : activities) timeline.push_back({a["kind"], a["start"], a["minutes"]});
    EXPECT_EQ(test::PlainRuleCheck::broken(route["start"], timeline, route.value("drivers", 1)),
              std::set<std::string>{})
        << what << " " << route["vehicle"];
    EXPECT_EQ(timeline.back().start + timeline.back().minutes, route["end"].get<std::int32_t>()) << what;
    const Place* from = problem.findPlace(route["startPlace"]);
    std::int32_t leave = route["start"];
    for (const json& stop : route["stops"]) {
      const Place* to = problem.findPlace(stop["place"]);
      const std::int32_t serviceStart = stop["serviceStart"][1];
      std::int32_t driven = 0;
      for (const test::Stretch& s : timeline) {
        if (s.kind == "drive" && s.start >= leave && s.start < serviceStart) driven += s.minutes;
      }
      EXPECT_EQ(driven, problem.travelTime(*from, *to).likely) << what << " " << stop["place"];
      from = to;
      leave = stop["departure"][1];
    }
    pauses += route["breakMinutes"].get<std::int32_t>() + route["restMinutes"].get<std::int32_t>();
  }
  return pauses;
}

// The breaks and rests of every optimiser's plan of the instance, each plan checked.
std::int32_t pausesOfLegalPlans(const std::string& config) {
  const ProblemData problem = load(config);
  const std::vector<std::vector<std::string>> runs = {
      {"plan", "--seed", "3"},
      {"ga", "--seed", "3", "--generations", "4"},
      {"hga", "--seed", "3", "--generations", "3"},
      {"solve", "--seed", "3", "--iterations", "30"},
  };
  std::int32_t pauses = 0;
  for (std::vector<std::string> args : runs) {
    const std::string what = args[0];
    args.insert(args.begin() + 1, config);
    args.insert(args.end(), {"--json", "--driver-rules"});
    pauses += expectLegalPlan(DriverRulesCommand::plan(args), problem, what);
  }
  return pauses;
}

// With one driver in every vehicle, and with crews of two in the trucks.
TEST_F(DriverRulesCommand, NoOptimiserBreaksARule) {
  EXPECT_GT(pausesOfLegalPlans("plain/instance.cfg"), 0);
  EXPECT_GT(pausesOfLegalPlans("crewed/instance.cfg"), 0);
}

TEST_F(DriverRulesCommand, TheDataSwitchesTheRulesAsTheOptionDoes) {
  const json byData = plan({"plan", "ruled/instance.cfg", "--seed", "5", "--json"});
  const json byOption = plan({"plan", "plain/instance.cfg", "--seed", "5", "--json", "--driver-rules"});
  EXPECT_EQ(byData["routes"], byOption["routes"]);
  const json off = plan({"plan", "ruled/instance.cfg", "--seed", "5", "--json", "--no-driver-rules"});
  EXPECT_EQ(off["routes"], plan({"plan", "plain/instance.cfg", "--seed", "5", "--json"})["routes"]);
  EXPECT_EQ(off["summary"]["breakMinutes"], 0);
  EXPECT_EQ(runTool({"plan", "plain/instance.cfg", "--driver-rules", "--no-driver-rules"}).exitCode, 2);
}

TEST(DriverRulesExample, TheEuropeanWeekPlansLegally) {
  const std::string config = testing::example("europe");
  const ProblemData problem = load(config);
  const testing::CliRun run = runTool({"plan", config, "--seed", "7", "--json", "--driver-rules"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GT(expectLegalPlan(json::parse(run.out), problem, "europe"), 0);
}

}  // namespace
}  // namespace tamso
