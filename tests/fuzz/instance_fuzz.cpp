// The whole instance loader: a small valid instance in which the input replaces one file.
// The first byte picks the file (0: the configuration, 1 to 9: the data files in loading
// order), the rest is its new content. A problem that loads is then planned once, so the
// schedule arithmetic runs on every value the loader lets through.
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/random.h"
#include "problem/loader.h"
#include "routing/first_solution.h"
#include "routing/solution.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

const std::array<const char*, 10> fileNames = {
    "tiny.cfg",    "vehicle_types.txt", "vehicles.txt", "clients.txt",       "countries.txt",
    "regions.txt", "places.txt",        "orders.txt",   "article_types.txt", "vehicle_positions.txt"};

std::string exampleFile(const char* name) {
  std::ifstream in(std::filesystem::path(TAMSO_EXAMPLES_DIR) / "tiny" / name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::string, 10> originals = [] {
    std::array<std::string, 10> texts;
    for (std::size_t i = 0; i < fileNames.size(); ++i) texts[i] = exampleFile(fileNames[i]);
    return texts;
  }();
  // The unchanged files are written once; only the file replaced last time is restored.
  static std::size_t lastReplaced = [] {
    for (std::size_t i = 0; i < fileNames.size(); ++i) tamso::fuzz::writeScratchFile(fileNames[i], originals[i]);
    return std::size_t{0};
  }();
  if (size == 0) return 0;
  const std::size_t replaced = data[0] % fileNames.size();
  if (lastReplaced != replaced) tamso::fuzz::writeScratchFile(fileNames[lastReplaced], originals[lastReplaced]);
  tamso::fuzz::writeScratchFile(fileNames[replaced], std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  lastReplaced = replaced;
  tamso::ProblemData problem;
  tamso::LoadOptions options;
  options.dataDirectory = tamso::fuzz::scratchFolder();
  const std::string config = (std::filesystem::path(tamso::fuzz::scratchFolder()) / fileNames[0]).string();
  if (tamso::loadInstance(config, problem, options)) return 0;
  tamso::Solution solution(problem, false);
  tamso::Random random = tamso::Random::seeded(1);
  tamso::buildFirstSolution(solution, random);
  return 0;
}
