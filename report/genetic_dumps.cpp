#include "report/genetic_dumps.h"

#include <algorithm>

#include "report/crossover_dump.h"
#include "report/population_dump.h"

namespace tamso {

namespace {

std::string inDirectory(const std::string& directory, const char* name) {
  if (directory.empty()) return name;
  return directory.back() == '/' ? directory + name : directory + "/" + name;
}

}  // namespace

GeneticDumpFiles GeneticDumpFiles::in(const std::string& directory) {
  return {inDirectory(directory, "population.dump"), inDirectory(directory, "ordd.dump")};
}

GeneticDumpWriter::GeneticDumpWriter(GeneticDumpFiles files) : files_(std::move(files)) {
  populationDump_.open(files_.population);
  if (populationDump_.failed()) noteFailure(populationDump_);
}

void GeneticDumpWriter::population(const std::vector<Solution>& members) {
  writePopulationListing(populationDump_.out(), members);
}

void GeneticDumpWriter::parentPair(std::int32_t first, std::int32_t second) {
  writeParentPair(populationDump_.out(), first, second);
}

void GeneticDumpWriter::crossover(const CrossoverRecord& record) {
  TraceFile file(files_.crossover);
  writeCrossover(file.out(), record);
  if (!file.close()) noteFailure(file);
}

void GeneticDumpWriter::flush() {
  if (!populationDump_.flush()) noteFailure(populationDump_);
}

void GeneticDumpWriter::noteFailure(const TraceFile& file) {
  const std::string message = file.failureMessage();
  if (std::find(errors_.begin(), errors_.end(), message) == errors_.end()) errors_.push_back(message);
}

}  // namespace tamso
