#pragma once
// A seeded Local Search plan of the European example, planned once per test program, and
// a working folder of the test's own for the files the commands write.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "cli/instance.h"
#include "report/dump_files.h"
#include "search/local_search_run.h"
#include "tests/cli/cli_run.h"

namespace tamso::testing {

struct PlannedExample {
  ProblemData problem;
  std::unique_ptr<Solution> plan;
};

// Plans the European example with the seed; the dump goes into `folder`.
inline std::unique_ptr<PlannedExample> planExample(std::uint32_t seed, const std::filesystem::path& folder) {
  auto example = std::make_unique<PlannedExample>();
  if (cli::loadForCommand(testing::example("europe"), example->problem)) return nullptr;
  Random random = Random::seeded(seed);
  TotalDumpFile dump((folder / "total.dump").string());
  LocalSearchRun run = runLocalSearch(example->problem, false, random, nullptr, &dump);
  example->plan = std::move(run.solution);
  return example;
}

// A fresh folder under the system's temporary folder, removed again at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace tamso::testing
