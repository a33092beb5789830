// The planning commands as scripts use them: options, help, the output file, standard
// output that cannot be written, the seed, the time limit and the plan document.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <streambuf>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli/run_control.h"
#include "cli/run_options.h"
#include "report/report_numbers.h"
#include "tests/cli/report_fixture.h"

namespace tamso {
namespace {

using nlohmann::json;
using testing::readFile;
using testing::runTool;
using testing::ScratchFolder;

TEST(RunOptions, ValuesAreCheckedAndEachCommandTakesOnlyItsOwn) {
  struct Case {
    std::vector<std::string> args;
    cli::RunOptionSet set;
    bool accepted;
  };
  const cli::RunOptionSet plain{}, plan{false, true}, evolution{true, false};
  const std::vector<Case> cases = {
      {{"a.cfg", "-o", "x.json", "--time-limit", "2.5"}, plain, true},
      {{"a.cfg", "--output=x.json", "--time-limit=30"}, plain, true},
      {{"a.cfg", "--time-limit", "0"}, plain, false},
      {{"a.cfg", "--time-limit", "-1"}, plain, false},
      {{"a.cfg", "--time-limit", "1e3"}, plain, false},
      {{"a.cfg", "--time-limit", "3."}, plain, false},
      {{"a.cfg", "--time-limit", ".5"}, plain, true},
      {{"a.cfg", "-o"}, plain, false},
      {{"a.cfg", "--output="}, plain, false},
      {{"a.cfg", "--generations", "7"}, plain, false},
      {{"a.cfg", "--generations", "7"}, evolution, true},
      {{"a.cfg", "--generations", "0"}, evolution, true},
      {{"a.cfg", "--generations", "1000001"}, evolution, false},
      {{"a.cfg", "--csv", "p.csv"}, evolution, false},
      {{"a.cfg", "--csv", "p.csv"}, plan, true},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(cli::parseRunOptions("plan", c.args, c.set, problem).has_value(), c.accepted)
        << ::testing::PrintToString(c.args) << ": " << problem;
  }
  std::string problem;
  const auto options = cli::parseRunOptions("ga", {"a.cfg", "-o", "x", "--time-limit", "0.25", "--generations", "3"},
                                            evolution, problem);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->outputPath, "x");
  EXPECT_EQ(options->timeLimitSeconds, 0.25);
  EXPECT_EQ(options->generations, 3);
  EXPECT_EQ(cli::parseRunOptions("ga", {"a.cfg"}, evolution, problem)->generations, 40);
}

// The option names ("-o", "--time-limit") in a text; with `standalone`, only those that
// start the text or follow a blank or "[", as in a synopsis.
std::vector<std::string> optionNames(const std::string& text, bool standalone) {
  std::vector<std::string> names;
  const auto nameChar = [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0 || c == '-'; };
  for (std::size_t i = 0; i < text.size();) {
    const bool starts = !standalone || i == 0 || text[i - 1] == ' ' || text[i - 1] == '[';
    std::size_t end = i + (text.compare(i, 2, "--") == 0 ? 2 : 1);
    if (text[i] != '-' || !starts || end >= text.size() || !std::islower(static_cast<unsigned char>(text[end]))) {
      ++i;
      continue;
    }
    while (end < text.size() && nameChar(text[end])) ++end;
    names.push_back(text.substr(i, end - i));
    i = end;
  }
  return names;
}

// The text reads like "2024-03-04T08:00+01:00".
bool isZonedTime(const std::string& text) {
  const std::string shape = "dddd-dd-ddTdd:dd+dd:dd";
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool ok = shape[i] == 'd'   ? std::isdigit(static_cast<unsigned char>(text[i])) != 0
                    : shape[i] == '+' ? text[i] == '+' || text[i] == '-'
                                      : text[i] == shape[i];
    if (!ok) return false;
  }
  return true;
}

TEST(RunOptions, HelpOfEveryCommandExplainsEveryOptionAndTheExitStatuses) {
  for (const cli::Command& command : cli::commands()) {
    const auto help = runTool({command.name, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    std::set<std::string> explained;
    for (const cli::OptionHelp& option : command.options) {
      EXPECT_NE(help.out.find(option.option), std::string::npos) << command.name;
      for (const std::string& name : optionNames(option.option, false)) explained.insert(name);
    }
    for (const std::string& name : optionNames(command.synopsis, true)) {
      EXPECT_EQ(explained.count(name), 1u) << command.name << " " << name;
    }
    for (const char* status : {"  0 ", "  1 ", "  2 ", "  130 "}) {
      EXPECT_NE(help.out.find(status), std::string::npos) << command.name;
    }
  }
}

TEST(RunControl, StopsAtTheTimeLimitOnTheClockItIsGiven) {
  SteppingClock clock(1000);  // one millisecond per reading
  cli::RunControl control(clock, 0.005);
  int checks = 0;
  while (!control.stopRequested()) ++checks;
  EXPECT_EQ(checks, 4);
  EXPECT_EQ(control.stopReason(), "time limit");
  EXPECT_TRUE(control.stopRequested());  // a stopped run stays stopped

  SteppingClock other(1000);
  cli::RunControl unlimited(other, std::nullopt);
  for (int i = 0; i < 1000; ++i) ASSERT_FALSE(unlimited.stopRequested());
  EXPECT_FALSE(unlimited.stopReason());
}

// A stream whose every write fails, as standard output on a full disk.
class FullStreamBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

class RunCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
  }
  void TearDown() override { std::filesystem::current_path(home); }
  ScratchFolder folder{"tamso-run-command"};
  std::filesystem::path home;
  const std::string europe = testing::example("europe");
};

TEST_F(RunCommand, OutputFileHoldsWhatStandardOutputWouldAndFailuresExitWithOne) {
  const auto printed = runTool({"plan", europe, "--seed", "2", "--json"});
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  const auto written = runTool({"plan", europe, "--seed", "2", "--json", "-o", "plan.json"});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_TRUE(written.out.empty());
  EXPECT_EQ(readFile(folder / "plan.json"), printed.out);

  const auto missing = runTool({"plan", europe, "--seed", "2", "-o", "no/such/folder/plan.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Cannot write the file no/such/folder/plan.txt"), std::string::npos);
  EXPECT_EQ(runTool({"plan", europe, "--seed", "2", "--output", "/dev/full"}).exitCode, 1);

  FullStreamBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(cli::runCli({"plan", europe, "--seed", "2"}, out, err), 1);
  EXPECT_NE(err.str().find("cannot write the plan to standard output"), std::string::npos);
}

TEST_F(RunCommand, AnUnseededRunPrintsItsSeedAndRepeatsWithIt) {
  const auto unseeded = runTool({"plan", europe, "--json"});
  ASSERT_EQ(unseeded.exitCode, 0) << unseeded.err;
  const json first = json::parse(unseeded.out);
  const auto seed = std::to_string(first["seed"].get<std::uint32_t>());
  EXPECT_EQ(runTool({"plan", europe, "--json", "--seed", seed}).out, unseeded.out);
  const auto text = runTool({"plan", europe, "--seed", seed});
  EXPECT_EQ(text.out.rfind("Command: plan\nSeed: " + seed + "\n", 0), 0u) << text.out.substr(0, 80);
}

// The keys of a document, nested keys as "a.b", array members merged.
void collectKeys(const json& value, const std::string& prefix, std::set<std::string>& keys) {
  if (value.is_object()) {
    for (const auto& [key, member] : value.items()) {
      keys.insert(prefix + key);
      collectKeys(member, prefix + key + ".", keys);
    }
  } else if (value.is_array()) {
    for (const auto& member : value) collectKeys(member, prefix, keys);
  }
}

TEST_F(RunCommand, EveryCommandWritesOneDocumentShapeWithReadableTimesAndCents) {
  const json plan = json::parse(runTool({"plan", europe, "--seed", "4", "--json"}).out);
  const auto ga = runTool({"ga", europe, "--seed", "4", "--json", "--generations", "2"});
  ASSERT_EQ(ga.exitCode, 0) << ga.err;
  const json evolution = json::parse(ga.out);

  std::set<std::string> planKeys, bestKeys, topKeys;
  collectKeys(plan, "", planKeys);
  collectKeys(evolution["best"], "", bestKeys);
  collectKeys(evolution, "", topKeys);
  EXPECT_EQ(bestKeys, planKeys);
  for (const std::string& key : planKeys) EXPECT_EQ(topKeys.count(key), 1u) << key;
  EXPECT_EQ(evolution["generations"], 2);
  EXPECT_EQ(plan["schemaVersion"], 1);
  EXPECT_EQ(plan["command"], "plan");
  EXPECT_EQ(evolution["command"], "ga");
  EXPECT_TRUE(plan["stopped"].is_null());
  EXPECT_TRUE(plan["timeZone"].is_string());

  const auto isCents = [](const json& v) {
    return std::fabs(v.get<double>() * 100 - std::round(v.get<double>() * 100)) < 1e-6;
  };
  EXPECT_TRUE(isCents(plan["gain"]));
  EXPECT_EQ(plan["summary"]["gain"], plan["gain"]);
  for (const json& route : plan["routes"]) {
    EXPECT_TRUE(isCents(route["gain"]));
    for (const json& stop : route["stops"]) {
      for (const char* time : {"arrival", "serviceStart", "shownArrival", "departure"}) {
        EXPECT_TRUE(isZonedTime(stop[std::string(time) + "Local"].get<std::string>()));
      }
      EXPECT_GE(stop["departure"][1], stop["serviceStart"][1]);
    }
  }
  ASSERT_FALSE(plan["unplanned"].empty());
  for (const json& order : plan["unplanned"]) {
    EXPECT_TRUE(isCents(order["price"]));
    EXPECT_FALSE(order["reason"].get<std::string>().empty());
    EXPECT_TRUE(order["client"].is_string());
  }
}

TEST_F(RunCommand, TextEndsWithTheUnplannedOrdersAndCsvAgreesWithTheDocument) {
  const auto text = runTool({"plan", europe, "--seed", "6", "--csv", "plan.csv"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  const json plan = json::parse(runTool({"plan", europe, "--seed", "6", "--json"}).out);
  const std::size_t count = plan["unplanned"].size();
  std::string expectedTail = "Unplanned orders (" + std::to_string(count) + "):\n";
  for (const json& order : plan["unplanned"]) {
    expectedTail += "  " + order["order"].get<std::string>() + " (client " + order["client"].get<std::string>() +
                    ", price " + roundedTwoDecimals(order["price"].get<double>()) +
                    "): " + order["reason"].get<std::string>() + "\n";
  }
  ASSERT_GE(text.out.size(), expectedTail.size());
  EXPECT_EQ(text.out.substr(text.out.size() - expectedTail.size()), expectedTail);

  const std::string csv = readFile(folder / "plan.csv");
  for (const json& route : plan["routes"]) {
    const std::string row = route["vehicle"].get<std::string>() + "," + std::to_string(route["orders"].get<int>()) +
                            "," + roundedTwoDecimals(route["km"].get<double>()) + ",";
    const std::size_t at = csv.find("\r\n" + row);
    ASSERT_NE(at, std::string::npos) << row;
    const std::string line = csv.substr(at + 2, csv.find("\r\n", at + 2) - at - 2);
    EXPECT_EQ(line.substr(line.rfind(',') + 1), roundedTwoDecimals(route["gain"].get<double>()));
  }
  for (const json& order : plan["unplanned"]) {
    EXPECT_NE(csv.find("\r\n" + order["order"].get<std::string>() + "," + order["client"].get<std::string>() + "," +
                       roundedTwoDecimals(order["price"].get<double>()) + ","),
              std::string::npos);
  }
  EXPECT_EQ(runTool({"plan", europe, "--seed", "6", "--csv", "no/folder/plan.csv"}).exitCode, 1);
}

TEST_F(RunCommand, TimeLimitStopsTheRunAndStillPrintsTheBestPlan) {
  const auto made = runTool({"generate", "big", "--places", "150", "--orders", "300", "--vehicles", "60"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const auto run = runTool({"hga", "big/instance.cfg", "--seed", "1", "--json", "--time-limit", "0.05"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json document = json::parse(run.out);
  EXPECT_EQ(document["stopped"], "time limit");
  EXPECT_EQ(document["best"]["stopped"], "time limit");
  EXPECT_EQ(document["summary"]["orders"], 300);
  EXPECT_NE(readFile(folder / "population.dump").find("Ende der Nacht"), std::string::npos);
}

}  // namespace
}  // namespace tamso
