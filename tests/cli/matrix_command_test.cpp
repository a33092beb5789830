// Road distances from a routing engine: the table request, the import of OSRM and Valhalla
// answers into a distances file, the coverage `check` reports, and plans that drive each
// leg in its own direction.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/problem/local_time.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::example;
using testing::runTool;

const char* const tinyPlaces[] = {"POZNAN", "KALISZ", "WROCLAW", "BERLIN", "FRANKFURT ODER"};

// Seconds and metres from row to column; Kalisz cannot reach Frankfurt (Oder).
const double seconds[5][5] = {{0, 7080, 8280, 10320, 7260},
                              {7260, 0, 6720, 14400, -1},
                              {7860, 6540, 0, 13560, 12000},
                              {12840, 14100, 13140, 0, 4260},
                              {8520, 11100, 11460, 4440, 0}};
const double metres[5][5] = {{0, 131500, 178200, 268400, 174600},
                             {131900, 0, 126300, 390100, -1},
                             {181000, 124700, 0, 344800, 260300},
                             {291700, 389000, 346200, 0, 98900},
                             {176300, 298600, 262000, 99400, 0}};

json cell(double value) { return value < 0 ? json(nullptr) : json(value); }

json osrmResponse() {
  json durations = json::array(), distances = json::array();
  for (int i = 0; i < 5; ++i) {
    durations.push_back(json::array());
    distances.push_back(json::array());
    for (int j = 0; j < 5; ++j) {
      durations[i].push_back(cell(seconds[i][j]));
      distances[i].push_back(cell(metres[i][j]));
    }
  }
  return {{"code", "Ok"}, {"durations", durations}, {"distances", distances}};
}

// The same legs as Valhalla answers them: kilometres, or miles when asked.
json valhallaResponse(bool miles) {
  json rows = json::array();
  for (int i = 0; i < 5; ++i) {
    rows.push_back(json::array());
    for (int j = 0; j < 5; ++j) {
      const double distance = metres[i][j] < 0 ? -1 : metres[i][j] / 1000.0 / (miles ? 1.609344 : 1.0);
      rows[i].push_back(
          {{"from_index", i}, {"to_index", j}, {"time", cell(seconds[i][j])}, {"distance", cell(distance)}});
    }
  }
  return {{"sources_to_targets", rows}, {"units", miles ? "miles" : "kilometers"}};
}

class MatrixCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::useCentralEuropeanTime();
    fs::copy(fs::path(example("tiny")).parent_path(), dir_);
    home_ = fs::current_path();
    fs::current_path(dir_);  // plans write their dump files here
  }
  void TearDown() override { fs::current_path(home_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name) << text;
    return path(name);
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  testing::TempFolder scratch_{"tamso-matrix"};
  const fs::path dir_ = scratch_.path();
  fs::path home_;
};

TEST_F(MatrixCommand, RequestListsLongitudeLatitudeInPlaceOrderWithTheNamesBeside) {
  const auto run = runTool({"matrix", "request", path("tiny.cfg")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "16.9252,52.4064;18.091,51.7611;17.0385,51.1079;13.405,52.52;14.5506,52.3471\n");
  EXPECT_EQ(run.err, "POZNAN\nKALISZ\nWROCLAW\nBERLIN\nFRANKFURT ODER\n");
}

// OSRM and Valhalla (in kilometres or miles) give the same file, the pair without a route
// left out; loading it gives every leg of the answer in its own direction.
TEST_F(MatrixCommand, ImportedAnswersGiveTheSameFileAndLoadAsAnswered) {
  const std::pair<const char*, json> answers[] = {{"osrm.json", osrmResponse()},
                                                  {"valhalla.json", valhallaResponse(false)},
                                                  {"miles.json", valhallaResponse(true)}};
  for (const auto& [name, answer] : answers) {
    const auto run = runTool(
        {"matrix", "import", path("tiny.cfg"), write(name, answer.dump()), "-o", path(std::string(name) + ".txt")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Wrote " + path(std::string(name) + ".txt") +
                           " with 19 pairs of places; left out 1 pairs without a route\n");
    EXPECT_EQ(read(std::string(name) + ".txt"), read("osrm.json.txt")) << name;
  }
  std::ofstream(dir_ / "tiny.cfg", std::ios::app) << "distances=osrm.json.txt\n";
  const auto check = runTool({"check", path("tiny.cfg"), "--json"});
  ASSERT_EQ(check.exitCode, 0) << check.err;
  const json problem = json::parse(check.out);
  EXPECT_EQ(problem["roadDistances"], json({{"fromFile", 19}, {"greatCircle", 1}}));
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      if (i == j || metres[i][j] < 0) continue;
      EXPECT_FLOAT_EQ(problem["distanceTable"][i][j].get<float>(), static_cast<float>(metres[i][j] / 1000));
      EXPECT_EQ(problem["travelTimeTable"][i][j][1], static_cast<int>(seconds[i][j] / 60)) << i << " " << j;
    }
  }
  EXPECT_GT(problem["distanceTable"][1][4].get<float>(), 0.0f);  // by the great-circle rule
  const auto text = runTool({"check", path("tiny.cfg")});
  EXPECT_NE(text.out.find("roadDistances: 19 pairs from the distances file, 1 by the great-circle rule\n"),
            std::string::npos);
}

TEST_F(MatrixCommand, BadAnswersAndOutputsOverInputsAreRefused) {
  json durationsOnly = osrmResponse();
  durationsOnly.erase("distances");
  json tooSmall = osrmResponse();
  tooSmall["durations"].erase(4);
  json negative = valhallaResponse(false);
  negative["sources_to_targets"][1][2]["time"] = -5;
  const std::pair<std::string, std::string> cases[] = {
      {durationsOnly.dump(), "lacks durations or distances"},
      {tooSmall.dump(), "no table of 5 x 5 places"},
      {negative.dump(), "no leg between two of the instance's 5 places"},
      {R"({"code":"NoTable","message":"too many"})", "the engine answered \"NoTable\""},
      {"[1, 2", "is no JSON document"},
  };
  for (const auto& [answer, expected] : cases) {
    const auto run = runTool({"matrix", "import", path("tiny.cfg"), write("answer.json", answer), "-o", path("d.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir_ / "d.txt"));
  }
  const std::string places = read("places.txt");
  const std::string answer = write("answer.json", osrmResponse().dump());
  for (const std::string& output : {path("places.txt"), answer, path("tiny.cfg")}) {
    EXPECT_EQ(runTool({"matrix", "import", path("tiny.cfg"), answer, "-o", output}).exitCode, 1) << output;
  }
  EXPECT_EQ(read("places.txt"), places);
  EXPECT_EQ(runTool({"matrix", "import", path("tiny.cfg"), answer}).exitCode, 2);
  EXPECT_EQ(runTool({"matrix", "send", path("tiny.cfg")}).exitCode, 2);
}

// Every leg of a plan on the roads example has the kilometres and the likely minutes of the
// loaded table cell for its own direction, which differs from the way back.
TEST_F(MatrixCommand, EveryLegOfAPlanOnRoadsDrivesItsOwnDirection) {
  const std::string config = example("roads");
  const json problem = json::parse(runTool({"check", config, "--json"}).out);
  EXPECT_EQ(problem["roadDistances"], json({{"fromFile", 14}, {"greatCircle", 6}}));
  std::map<std::string, int> index;
  for (const json& place : problem["places"]) index[place["name"]] = place["index"];
  const json plan = json::parse(runTool({"plan", config, "--seed", "3", "--json"}).out);
  int legs = 0;
  for (const json& route : plan["routes"]) {
    int from = index.at(route["startPlace"]);
    int departure = route["start"];
    for (const json& stop : route["stops"]) {
      const int to = index.at(stop["place"]);
      const float km = problem["distanceTable"][from][to];
      EXPECT_NEAR(stop["legKm"].get<double>(), km, 0.005) << from << " " << to;
      EXPECT_EQ(stop["arrival"][1], departure + problem["travelTimeTable"][from][to][1].get<int>());
      legs += from != to && km != problem["distanceTable"][to][from].get<float>() ? 1 : 0;
      from = to;
      departure = stop["departure"][1];
    }
  }
  EXPECT_GE(legs, 4);
}

}  // namespace
}  // namespace tamso
