// The ga and hga commands of tamso-cli, run through runCli with string streams in a
// working directory of their own, since the searches write their dumps there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "problem/text.h"
#include "report/report_numbers.h"
#include "tests/cli/cli_run.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using testing::readWholeFile;

using CliResult = testing::CliRun;
CliResult run(const std::vector<std::string>& args) { return testing::runTool(args); }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The gain of a "maxGain: %f" line as the plan document writes gains: rounded to cents.
double dumpedGain(const std::string& line) {
  float gain = 0.0f;
  EXPECT_EQ(std::sscanf(line.c_str(), "maxGain: %f", &gain), 1) << line;
  return roundedToCents(decimalOf(gain));
}

class GeneticCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    instanceDir = new testing::TempFolder("tamso-ga-instance");
    const CliResult made = run({"generate", instanceDir->path().string(), "--places", "30", "--orders", "40",
                                "--vehicles", "6", "--seed", "2"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
  }
  static void TearDownTestSuite() {
    delete instanceDir;
    instanceDir = nullptr;
  }
  void SetUp() override { std::filesystem::current_path(dir); }
  void TearDown() override { std::filesystem::current_path(home); }
  static std::string config() { return (*instanceDir / "instance.cfg").string(); }

  static testing::TempFolder* instanceDir;
  const std::filesystem::path home = std::filesystem::current_path();
  testing::TempFolder scratch{"tamso-ga-run"};
  const std::filesystem::path dir = scratch.path();
};

testing::TempFolder* GeneticCommand::instanceDir = nullptr;

TEST_F(GeneticCommand, SeededHybridRepeatsAndItsDumpAgreesWithThePrintedResult) {
  const CliResult first = run({"hga", config(), "--seed", "4", "--json"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const std::string population = readWholeFile(dir / "population.dump");
  const std::string crossover = readWholeFile(dir / "ordd.dump");
  const CliResult second = run({"hga", config(), "--json", "--seed", "4"});
  EXPECT_EQ(second.out, first.out);
  EXPECT_EQ(readWholeFile(dir / "population.dump"), population);
  EXPECT_EQ(readWholeFile(dir / "ordd.dump"), crossover);

  const auto result = nlohmann::json::parse(first.out);
  const std::vector<double> initial = result["initialPopulation"].get<std::vector<double>>();
  const std::vector<double> final = result["finalPopulation"].get<std::vector<double>>();
  ASSERT_EQ(initial.size(), 10u);
  ASSERT_EQ(final.size(), 10u);
  EXPECT_LE(result["children"].get<int>(), 40);

  const std::vector<std::string> dump = lines(population);
  const std::size_t vehicles = 6;
  const std::size_t listing = 10 * (2 + vehicles) + 3;
  ASSERT_EQ(dump.size(), 2 * listing + 40);
  const std::size_t finalStart = listing + 40;
  for (std::size_t m = 0; m < 10; ++m) {
    EXPECT_EQ(dumpedGain(dump[m * (2 + vehicles)]), initial[m]);
    EXPECT_EQ(dumpedGain(dump[finalStart + m * (2 + vehicles)]), final[m]);
    EXPECT_EQ(dump[finalStart + m * (2 + vehicles) + 1], "-- vehicles: 6");
  }

  // The best plan printed is the best final member: its route lines name its orders.
  std::size_t best = 0;
  for (std::size_t m = 1; m < 10; ++m) {
    if (final[m] > final[best]) best = m;
  }
  const auto& plan = result["best"];
  EXPECT_EQ(plan["gain"].get<double>(), final[best]);
  ASSERT_EQ(plan["routes"].size(), vehicles);
  for (std::size_t r = 0; r < vehicles; ++r) {
    std::vector<std::string> pickups;
    for (const auto& stop : plan["routes"][r]["stops"]) {
      if (stop["kind"] == "PICKUP") pickups.push_back(stop["order"].get<std::string>());
    }
    std::string line = std::to_string(pickups.size()) + " ";
    for (const std::string& name : pickups) line += name + " ";
    EXPECT_EQ(dump[finalStart + best * (2 + vehicles) + 2 + r], line);
  }
}

TEST_F(GeneticCommand, GeneticRunPrintsChildrenPerGenerationAndLeavesThePopulationDumpEmpty) {
  const CliResult text = run({"ga", config(), "--seed", "6"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  const CliResult json = run({"ga", config(), "--seed", "6", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(readWholeFile(dir / "population.dump"), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "ordd.dump"));

  int generations = 0;
  int children = 0;
  for (const std::string& line : lines(text.out)) {
    int g = 0;
    int n = 0;
    if (std::sscanf(line.c_str(), "generation %d: %d", &g, &n) == 2) {
      EXPECT_EQ(g, ++generations);
      children += n;
    }
  }
  EXPECT_EQ(generations, 40);
  const auto result = nlohmann::json::parse(json.out);
  EXPECT_EQ(result["children"].get<int>(), children);
  // The final population is the best of all: its best member is the best plan.
  const double bestGain = result["best"]["gain"].get<double>();
  const auto initial = result["initialPopulation"].get<std::vector<double>>();
  const auto final = result["finalPopulation"].get<std::vector<double>>();
  ASSERT_EQ(final.size(), initial.size());
  EXPECT_NEAR(final.front(), bestGain, 0.01);
  EXPECT_GE(final.back(), *std::min_element(initial.begin(), initial.end()));
  EXPECT_NE(text.out.find(", gain " + roundedTwoDecimals(bestGain) + "\n"), std::string::npos);
  EXPECT_NE(text.out.find("Total gain: " + roundedTwoDecimals(bestGain) + "\n"), std::string::npos);
  EXPECT_NE(text.out.find("run time: "), std::string::npos);
}

TEST_F(GeneticCommand, BadArgumentsAndBadDataFailWithoutRunning) {
  EXPECT_EQ(run({"ga"}).exitCode, cli::exitUsage);
  EXPECT_EQ(run({"hga", config(), "--seed", "-1"}).exitCode, cli::exitUsage);
  EXPECT_EQ(run({"hga", config(), "--generations", "x"}).exitCode, cli::exitUsage);
  EXPECT_EQ(run({"plan", config(), "--generations", "3"}).exitCode, cli::exitUsage);
  EXPECT_EQ(run({"ga", config(), config()}).exitCode, cli::exitUsage);
  const CliResult missing = run({"hga", (dir / "missing.cfg").string()});
  EXPECT_EQ(missing.exitCode, cli::exitFailure);
  EXPECT_FALSE(missing.err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "population.dump"));
}

TEST_F(GeneticCommand, UnwritableDumpsAreWarnedAboutAndTheRunStillSucceeds) {
  // A folder in the dump's place can be neither deleted nor opened as a file.
  std::filesystem::create_directories(dir / "population.dump" / "keep");
  std::filesystem::create_directories(dir / "ordd.dump" / "keep");
  const CliResult result = run({"hga", config(), "--seed", "4", "--json"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.err.find("warning: Can't write dump file 'population.dump'"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("warning: Can't write dump file 'ordd.dump'"), std::string::npos) << result.err;
  EXPECT_TRUE(nlohmann::json::accept(result.out));
}

}  // namespace
}  // namespace tamso
