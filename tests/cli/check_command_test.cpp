#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::example;
using testing::runTool;

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
};

TEST_F(CheckCommand, SummaryHasEveryTableAndTheParameters) {
  const auto run = runTool({"check", example("tiny")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  for (const char* line : {"vehicleTypes: 2\n", "vehicles: 2\n", "clients: 2\n", "countries: 2\n", "regions: 3\n",
                           "places: 5\n", "orders: 4\n", "articleTypes: 2\n", "pickupTime: 30\n", "unloadTime: 45\n",
                           "minimalSat: 0.5\n", "travelTimeFuzzines: 0.1\n", "checkCapacity: 1\n",
                           "placeInPoland: POZNAN\n", "horizonEnd: 28494600 (2024-03-05 23:00)\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

TEST_F(CheckCommand, JsonHasRecordsLinksAndTablesByPlaceIndex) {
  const auto run = runTool({"check", example("tiny"), "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json doc = json::parse(run.out);
  EXPECT_EQ(doc["pickupTime"], 30);
  EXPECT_EQ(doc["minimalSat"], 0.5);
  EXPECT_EQ(doc["horizonEnd"], 28494600);
  EXPECT_EQ(doc["vehicleTypes"][0]["quantityLists"][0]["keys"], json({"PALLET_EUR", "WEIGHT"}));
  EXPECT_EQ(doc["vehicles"][1]["vehicleType"], "VAN_3_5T");
  EXPECT_EQ(doc["vehicles"][0]["startPlace"], "POZNAN");
  EXPECT_EQ(doc["vehicles"][0]["startTime"].size(), 3u);
  EXPECT_EQ(doc["clients"][0]["flag"], 1);
  EXPECT_EQ(doc["countries"][0]["costPerKm"], 0.95);  // single precision shown as written
  EXPECT_EQ(doc["regions"][2]["representingPlace"], "BERLIN");
  const json& places = doc["places"];
  ASSERT_EQ(places.size(), 5u);
  EXPECT_EQ(places[3]["name"], "BERLIN");
  EXPECT_EQ(places[3]["index"], 3);
  EXPECT_EQ(places[3]["region"], "BERLIN_BRANDENBURG");
  EXPECT_EQ(places[0]["latitude"], 52.4064);
  const json& order = doc["orders"][0];
  EXPECT_EQ(order["client"], "POLMLEK");
  EXPECT_EQ(order["pickupPlace"], "POZNAN");
  EXPECT_EQ(order["deliveryPlace"], "BERLIN");
  EXPECT_EQ(order["price"], 1450);
  EXPECT_EQ(order["pickupWindow"], json({28492260, 28492500, 28492620}));
  EXPECT_EQ(order["articles"]["quantities"], json({20}));
  const json& distances = doc["distanceTable"];
  const json& times = doc["travelTimeTable"];
  ASSERT_EQ(distances.size(), 5u);
  ASSERT_EQ(times.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    ASSERT_EQ(distances[i].size(), 5u);
    EXPECT_EQ(distances[i][i], 0);
    for (std::size_t j = 0; j < 5; ++j) EXPECT_EQ(distances[i][j], distances[j][i]);
  }
  const json leg = times[0][3];
  EXPECT_LT(leg[0].get<int>(), leg[1].get<int>());
  EXPECT_LT(leg[1].get<int>(), leg[2].get<int>());
  EXPECT_EQ(doc["articleTypes"][1]["name"], "BOX");
  EXPECT_EQ(doc["checkCapacity"], true);
  EXPECT_EQ(doc["vehicleTypes"][1]["capacity"], json({{"PALLET_EUR", 8}, {"WEIGHT", 1200}}));
  // 6 pallets of 400 kg and 30 boxes of 15 kg, with the article types' sizes multiplied out.
  EXPECT_EQ(
      doc["orders"][2]["load"],
      json({{"PALLET_EUR", 6}, {"BOX", 30}, {"WEIGHT", 2850}, {"LENGTH", 2520}, {"WIDTH", 1680}, {"HEIGHT", 2100}}));
}

TEST_F(CheckCommand, EuropeLoadsFromAnyWorkingDirectory) {
  const auto run = runTool({"check", example("europe")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("placeInPoland: WARSZAWA\n"), std::string::npos);
  // The one order no vehicle type can carry is named, and the load still succeeds.
  EXPECT_EQ(run.err, "tamso-cli: warning: order O057 is larger than every vehicle type\n");
}

class CheckFailure : public CheckCommand {
 protected:
  void SetUp() override {
    CheckCommand::SetUp();
    fs::copy(fs::path(example("tiny")).parent_path(), dir_);
  }
  std::string config() const { return (dir_ / "tiny.cfg").string(); }
  testing::TempFolder scratch_{"tamso-check"};
  const fs::path dir_ = scratch_.path();
};

TEST_F(CheckFailure, TheLoaderMessageIsTheOnlyLineOfStandardError) {
  std::ifstream original(config());
  const auto lines = std::count(std::istreambuf_iterator<char>(original), {}, '\n');
  original.close();
  std::ofstream(dir_ / "tiny.cfg", std::ios::app) << "[files]\nbroken line\n";
  const auto run = runTool({"check", config()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.empty());
  const std::string broken = std::to_string(lines + 2);
  EXPECT_EQ(run.err, "Error reading configuration file in line " + broken + "\nat " + config() + ":" + broken + "\n");
  const auto missing = runTool({"check", (dir_ / "absent.cfg").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Error reading configuration file in line 0\nat " + (dir_ / "absent.cfg").string() +
                             ": No such file or directory\n");
}

TEST_F(CheckFailure, ARefusedRecordNamesItsFileAndLine) {
  std::ofstream(dir_ / "clients.txt", std::ios::app) << "LONELY\n";
  const auto run = runTool({"check", config(), "--json"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err, "Can't parse file 'clients.txt'\nat " + (dir_ / "clients.txt").string() + ":4\n");
}

// A number that cannot be what it says fails with its field and why on the second line;
// data that loads but looks wrong is warned about with its file and line, and still loads.
TEST_F(CheckFailure, WrongNumbersAreRefusedAndSuspiciousDataIsWarnedAbout) {
  const std::string countries = (dir_ / "countries.txt").string();
  std::ofstream(countries, std::ios::app) << "MARS 1e3 1 0\n";
  auto run = runTool({"check", config()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Can't parse file 'countries.txt'\nat " + countries +
                         ":4: cost per day: '1E3' is in exponent notation, which is not accepted\n");
  fs::copy_file(fs::path(example("tiny")).parent_path() / "countries.txt", countries,
                fs::copy_options::overwrite_existing);
  std::ofstream(countries, std::ios::app) << "POLAND   210.00 0.95 0\n";
  run = runTool({"check", config()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "tamso-cli: warning: country 'POLAND' in line 4 repeats line 2 exactly; it is read once\nat " +
                         countries + ":4\n");
}

// A place name in Windows-1250 (not UTF-8) is kept as read; every JSON output shows it with
// the replacement character instead of stopping the program.
TEST_F(CheckFailure, NamesThatAreNotUtf8StillGiveJson) {
  fs::path places = dir_ / "places.txt";
  std::ifstream in(places);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::string from = "KALISZ 51.7611";
  text.replace(text.find(from), from.size(), "\"Kali\xB9z\" 51.7611");
  for (const char* name : {"regions.txt", "orders.txt"}) {
    std::ifstream data(dir_ / name);
    std::string records((std::istreambuf_iterator<char>(data)), std::istreambuf_iterator<char>());
    for (std::size_t at; (at = records.find("KALISZ")) != std::string::npos;) records.replace(at, 6, "\"KALI\xB9Z\"");
    std::ofstream(dir_ / name) << records;
  }
  std::ofstream(places) << text;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"check", config(), "--json"},
                                               std::vector<std::string>{"plan", config(), "--seed", "3", "--json"}}) {
    const auto run = runTool(args);
    ASSERT_EQ(run.exitCode, 0) << args[0] << ": " << run.err;
    EXPECT_NE(run.out.find("KALI\xEF\xBF\xBDZ"), std::string::npos) << args[0];
    EXPECT_TRUE(json::accept(run.out)) << args[0];
  }
}

}  // namespace
}  // namespace tamso
