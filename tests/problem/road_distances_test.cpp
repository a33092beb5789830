// Road distances: the great-circle rule lengthened and slowed by the configuration, and the
// distances file that replaces it pair by pair, each direction on its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "problem/distances.h"
#include "problem/loader.h"
#include "tests/problem/local_time.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

class RoadDistances : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::useCentralEuropeanTime();
    fs::copy(fs::path(TAMSO_EXAMPLES_DIR) / "tiny", dir_);
    std::ifstream in(dir_ / "tiny.cfg");
    std::ostringstream text;
    text << in.rdbuf();
    config_ = text.str();
  }

  // Loads tiny with `params` lines added and, when `distances` is given, that distances file.
  std::optional<LoadError> load(ProblemData& problem, const std::string& params,
                                const std::optional<std::string>& distances = std::nullopt) {
    std::string config = config_;
    config.insert(config.find("[params]\n") + 9, params);
    if (distances) {
      config += "distances=distances.txt\n";
      std::ofstream(dir_ / "distances.txt") << *distances;
    }
    std::ofstream(dir_ / "tiny.cfg") << config;
    return loadInstance((dir_ / "tiny.cfg").string(), problem, LoadOptions{dir_.string()});
  }

  std::string message(const std::string& params, const std::optional<std::string>& distances = std::nullopt) {
    ProblemData problem;
    const auto error = load(problem, params, distances);
    return error ? error->message + " @" + std::to_string(error->line) : "(loaded)";
  }

  testing::TempFolder scratch_{"tamso-roads"};
  const fs::path dir_ = scratch_.path();
  std::string config_;
};

TEST_F(RoadDistances, ParametersOutsideTheirRangeAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"detourFactor=0.99\n", "Wrong format of 'detourFactor' field in 'params' section @0"},
      {"detourFactor=3.01\n", "Wrong format of 'detourFactor' field in 'params' section @0"},
      {"detourFactor=nan\n", "Wrong format of 'detourFactor' field in 'params' section @0"},
      {"detourFactor=far\n", "Wrong format of 'detourFactor' field in 'params' section @0"},
      {"averageSpeed=9.9\n", "Wrong format of 'averageSpeed' field in 'params' section @0"},
      {"averageSpeed=131\n", "Wrong format of 'averageSpeed' field in 'params' section @0"},
      {"averageSpeed=-1\n", "Wrong format of 'averageSpeed' field in 'params' section @0"},
      {"detourFactor=1\ndetourFactor=9\naverageSpeed=10\n", "(loaded)"},  // the first of a key counts
      {"detourFactor=3\naverageSpeed=130\n", "(loaded)"},
  };
  for (const auto& [params, expected] : cases) EXPECT_EQ(message(params), expected) << params;
}

// Without parameters every leg is what it always was; with them it is the great circle
// lengthened by the factor and driven at the speed, the same both ways.
TEST_F(RoadDistances, TheGreatCircleRuleLengthensAndSlowsEveryLeg) {
  ProblemData flat, road;
  ASSERT_FALSE(load(flat, ""));
  ASSERT_FALSE(load(road, "detourFactor=1.3\naverageSpeed=70\n"));
  EXPECT_EQ(road.roadPairsFromFile, 0);
  for (const Place& p : flat.places) {
    for (const Place& q : flat.places) {
      EXPECT_EQ(flat.distance(p, q), sphericalDistance(p, &q));
      EXPECT_EQ(flat.travelTime(p, q), fuzzyTravelTime(p, q, 0.1));
      const Place& a = road.places[p.index];
      const Place& b = road.places[q.index];
      const float km = static_cast<float>(static_cast<double>(sphericalDistance(a, &b)) * 1.3);
      const double minutes = km / (70.0 / 60.0);
      EXPECT_EQ(road.distance(a, b), km);
      EXPECT_EQ(road.travelTime(a, b),
                FuzzyTime(static_cast<std::int32_t>(minutes * 0.9), static_cast<std::int32_t>(minutes),
                          static_cast<std::int32_t>(minutes * 1.1)));
    }
  }
}

TEST_F(RoadDistances, TheFileGivesEachDirectionAndOtherPairsFallBack) {
  ProblemData problem;
  const auto error = load(problem, "detourFactor=1.2\n",
                          "# from to km minutes\nPOZNAN BERLIN 268.4 172\n"
                          "berlin poznan \\\n  291.7 214.5\n\"FRANKFURT ODER\" BERLIN 0 0\n");
  ASSERT_FALSE(error) << error->message;
  const Place& poznan = *problem.findPlace("POZNAN");
  const Place& berlin = *problem.findPlace("BERLIN");
  const Place& frankfurt = *problem.findPlace("FRANKFURT ODER");
  EXPECT_EQ(problem.distance(poznan, berlin), 268.4f);
  EXPECT_EQ(problem.distance(berlin, poznan), 291.7f);
  EXPECT_EQ(problem.travelTime(poznan, berlin), FuzzyTime(154, 172, 189));
  EXPECT_EQ(problem.travelTime(berlin, poznan), FuzzyTime(193, 214, 235));
  EXPECT_EQ(problem.distance(frankfurt, berlin), 0.0f);
  EXPECT_EQ(problem.travelTime(frankfurt, berlin), FuzzyTime(0, 0, 0));
  const float back = static_cast<float>(static_cast<double>(sphericalDistance(berlin, &frankfurt)) * 1.2);
  EXPECT_EQ(problem.distance(berlin, frankfurt), back);
  EXPECT_EQ(problem.roadPairsFromFile, 3);
  EXPECT_EQ(problem.placePairs(), 20);
}

TEST_F(RoadDistances, AFaultyRecordNamesTheFileAndLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"POZNAN BERLIN 268 172\nPOZNAN BERLIN 270 170\n",
       "Distance from 'POZNAN' to 'BERLIN' given twice in file 'distances.txt' @2"},
      {"# header\nPOZNAN PARIS 1000 600\n", "Missing declaration of 'PARIS' place in file 'distances.txt' @2"},
      {"POZNAN BERLIN -3 172\n", "Negative value '-3' in file 'distances.txt' @1"},
      {"POZNAN BERLIN 268km 172\n", "Not a number: '268KM' in file 'distances.txt' @1"},
      {"POZNAN BERLIN 268 inf\n", "Not a number: 'INF' in file 'distances.txt' @1"},
      {"POZNAN BERLIN 268 1e9\n", "Value too large: '1E9' in file 'distances.txt' @1"},
      {"POZNAN BERLIN 268\n", "Can't parse file 'distances.txt' @1"},
      {"KALISZ KALISZ 0 0\n", "Distance from 'KALISZ' to itself in file 'distances.txt' @1"},
  };
  for (const auto& [records, expected] : cases) EXPECT_EQ(message("", records), expected) << records;
}

}  // namespace
}  // namespace tamso
