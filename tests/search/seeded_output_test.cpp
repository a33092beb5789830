// Seeded runs of the planner are a contract: the same data and seed give the same printed
// plan and the same dump files, byte for byte, whatever the routing core does to get there
// faster. Each row runs one command in a scratch folder and compares fingerprints of its
// output and dump files with those recorded when the row was added.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "report/json_text.h"
#include "tests/problem/local_time.h"

namespace tamso {
namespace {

// 64-bit FNV-1a: stable across machines and library versions.
std::uint64_t fingerprint(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// The fingerprint of a file, 0 when the command did not write it.
std::uint64_t fileFingerprint(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return fingerprint(bytes.str());
}

// The printed result without the line that reports the run's duration.
std::string withoutRunTime(const std::string& output) {
  std::istringstream in(output);
  std::string kept;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("run time: ", 0) != 0) kept += line + "\n";
  }
  return kept;
}

// The route timelines and the break and rest minutes, wherever a plan appears in the document.
void eraseTimelines(nlohmann::json& value) {
  if (value.is_object()) {
    for (const char* key : {"activities", "breakMinutes", "restMinutes"}) value.erase(key);
  }
  if (value.is_structured()) {
    for (nlohmann::json& inner : value) eraseTimelines(inner);
  }
}

// A plan document without the route timelines and the break and rest minutes, which came
// after the runs were recorded: they add keys to the document and change nothing else in it.
std::string withoutTimelines(const std::string& output) {
  if (output.empty() || output.front() != '{') return output;
  nlohmann::json document = nlohmann::json::parse(output);
  eraseTimelines(document);
  return jsonText(document) + "\n";
}

std::string hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(value));
  return text;
}

struct SeededRun {
  const char* name;
  const char* instance;  // "europe-2026", "europe-roads", "roads" or a generated folder made in SetUpTestSuite
  std::vector<std::string> arguments;
  std::uint64_t output, total, population, crossover;
};

void PrintTo(const SeededRun& run, std::ostream* out) { *out << run.name; }

class SeededOutput : public ::testing::TestWithParam<SeededRun> {
 protected:
  static void SetUpTestSuite() {
    testing::useCentralEuropeanTime();
    instances = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                          ("tamso-seeded-instances-" + std::to_string(::getpid())));
    generate("small", {"--places", "30", "--orders", "60", "--vehicles", "10", "--seed", "5"});
    generate("medium", {"--places", "60", "--orders", "120", "--vehicles", "20", "--seed", "3"});
    generate("loaded", {"--places", "30", "--orders", "60", "--vehicles", "10", "--seed", "5", "--capacity"});
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*instances);
    delete instances;
  }
  static void generate(const std::string& name, std::vector<std::string> sizes) {
    std::vector<std::string> args = {"generate", (*instances / name).string()};
    args.insert(args.end(), sizes.begin(), sizes.end());
    std::ostringstream out, err;
    ASSERT_EQ(runCli(args, out, err), 0) << err.str();
  }
  static std::string config(const std::string& instance) {
    // The European week as it was before it drove on road distances keeps guarding the
    // plans recorded on it.
    if (instance == "europe-2026") return std::string(TAMSO_SOURCE_DIR) + "/tests/data/europe-2026/europe.cfg";
    // And the week on roads as it was before it kept the driving and rest times.
    if (instance == "europe-roads") return std::string(TAMSO_SOURCE_DIR) + "/tests/data/europe-roads/europe.cfg";
    if (instance == "roads") {
      return std::string(TAMSO_SOURCE_DIR) + "/examples/" + instance + "/" + instance + ".cfg";
    }
    return (*instances / instance / "instance.cfg").string();
  }

  void SetUp() override {
    home = std::filesystem::current_path();
    dir = std::filesystem::temp_directory_path() / ("tamso-seeded-run-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
  }
  void TearDown() override {
    std::filesystem::current_path(home);
    std::filesystem::remove_all(dir);
  }

  static std::filesystem::path* instances;
  std::filesystem::path home, dir;
};

std::filesystem::path* SeededOutput::instances = nullptr;

TEST_P(SeededOutput, OutputAndDumpFilesMatchTheRecordedRun) {
  const SeededRun& run = GetParam();
  std::vector<std::string> args = {run.arguments.front(), config(run.instance)};
  args.insert(args.end(), run.arguments.begin() + 1, run.arguments.end());
  std::ostringstream out, err;
  ASSERT_EQ(runCli(args, out, err), 0) << err.str();
  EXPECT_EQ(hex(fingerprint(withoutTimelines(withoutRunTime(out.str())))), hex(run.output)) << "printed result";
  EXPECT_EQ(hex(fileFingerprint(dir / "total.dump")), hex(run.total)) << "total.dump";
  EXPECT_EQ(hex(fileFingerprint(dir / "population.dump")), hex(run.population)) << "population.dump";
  EXPECT_EQ(hex(fileFingerprint(dir / "ordd.dump")), hex(run.crossover)) << "ordd.dump";
}

// The dump files were recorded with the plain evaluation (every trial route applied,
// evaluated in full and undone); the printed results since the plan document got its
// run header and rounded figures.
// The ga rows were recorded again when each generation's best children began to join the
// population.
const SeededRun recordedRuns[] = {
    {"SmallPlan", "small", {"plan", "--seed", "7"}, 0x25cae439c71b5b1dull, 0x446a6d2a9faab494ull, 0, 0},
    {"SmallPlanEstimatedJson",
     "small",
     {"plan", "--seed", "7", "--estimated-gain", "--json"},
     0x3667113a4509ed0aull,
     0xa0e1a4544624ad00ull,
     0,
     0},
    {"SmallGeneticJson",
     "small",
     {"ga", "--seed", "7", "--json"},
     0xedea248c1e30c92bull,
     0,
     0xcbf29ce484222325ull,
     0x55d61b6f0be8ca62ull},
    {"SmallGeneticEstimated",
     "small",
     {"ga", "--seed", "8", "--estimated-gain"},
     0xff0247dca73ac7ccull,
     0,
     0xcbf29ce484222325ull,
     0xcd3ab333a6722df8ull},
    {"SmallHybrid",
     "small",
     {"hga", "--seed", "7"},
     0xdcccc86654459207ull,
     0,
     0x359384939f4af9abull,
     0x348bce86eeddef80ull},
    {"SmallHybridEstimatedJson",
     "small",
     {"hga", "--seed", "9", "--estimated-gain", "--json"},
     0x44f8c36f7b24114aull,
     0,
     0x943e24d2dc3879b8ull,
     0x86c5589801bc4cfaull},
    {"MediumPlanJson", "medium", {"plan", "--seed", "1", "--json"}, 0x953569984d0ae20bull, 0x94e2f3f3c635b5e4ull, 0, 0},
    {"MediumPlanEstimated",
     "medium",
     {"plan", "--seed", "2", "--estimated-gain"},
     0x6f1905c42d824527ull,
     0xd806b0e03ebd91e1ull,
     0,
     0},
    {"MediumHybridJson",
     "medium",
     {"hga", "--seed", "3", "--json"},
     0x75b6b7130e94e1d5ull,
     0,
     0x37c17d88179dc52bull,
     0xc5a8ab6efa035102ull},
    // The European week checks capacities; without the check it plans as it always did.
    {"EuropePlan",
     "europe-2026",
     {"plan", "--seed", "7", "--no-capacity"},
     0x920cff12dd1a04b9ull,
     0x88e944e8e3d805e2ull,
     0,
     0},
    {"EuropePlanEstimatedJson",
     "europe-2026",
     {"plan", "--seed", "4", "--estimated-gain", "--json", "--no-capacity"},
     0x455c2be73a104efeull,
     0x7a4d011a50191d37ull,
     0,
     0},
    {"EuropeHybridJson",
     "europe-2026",
     {"hga", "--seed", "7", "--json", "--no-capacity"},
     0x90064defb175df82ull,
     0,
     0x48371c757d517263ull,
     0x5dd9d552be95e847ull},
    // Recorded when routes began to respect capacities.
    {"EuropePlanCapacity", "europe-2026", {"plan", "--seed", "7"}, 0x9c0d2f4bf359ac0aull, 0x645bd6809e55ac11ull, 0, 0},
    {"EuropePlanCapacityEstimatedJson",
     "europe-2026",
     {"plan", "--seed", "4", "--estimated-gain", "--json"},
     0x3712a372a4b4ef76ull,
     0xd2c95210d55a02ecull,
     0,
     0},
    {"EuropeHybridCapacityJson",
     "europe-2026",
     {"hga", "--seed", "7", "--json"},
     0x0f285f561e1b29b6ull,
     0,
     0xbad1404022962ba5ull,
     0xc0ea4d3dae92f925ull},
    // Recorded when the European week began to drive on roads, and on the small instance
    // whose distances file gives the two directions of a pair apart.
    {"EuropeRoadsPlan", "europe-roads", {"plan", "--seed", "7"}, 0x5e2a927a97c796f0ull, 0x2b8c7bed97d73313ull, 0, 0},
    {"RoadsPlanJson", "roads", {"plan", "--seed", "3", "--json"}, 0x667c381b424028a0ull, 0xbf60ed64a8ed41bcull, 0, 0},
    {"RoadsHybrid",
     "roads",
     {"hga", "--seed", "7"},
     0xd787f7f2e18270b6ull,
     0,
     0xcfb5d7543c1be987ull,
     0x153b55822de9d0a4ull},
    {"LoadedGeneticJson",
     "loaded",
     {"ga", "--seed", "7", "--json"},
     0xf7d837397f09aa28ull,
     0,
     0xcbf29ce484222325ull,
     0x107dea2a8e4c74b0ull},
    {"LoadedHybrid",
     "loaded",
     {"hga", "--seed", "7"},
     0xc15e34a2b32e44d4ull,
     0,
     0x7561bb44492d42f5ull,
     0x277a6f2a7d55b588ull},
    // Only the goods differ from the small instance: without the check it plans the same.
    {"LoadedPlanWithoutCapacity",
     "loaded",
     {"plan", "--seed", "7", "--no-capacity"},
     0x25cae439c71b5b1dull,
     0x446a6d2a9faab494ull,
     0,
     0},
};

INSTANTIATE_TEST_SUITE_P(Recorded, SeededOutput, ::testing::ValuesIn(recordedRuns),
                         [](const ::testing::TestParamInfo<SeededRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamso
