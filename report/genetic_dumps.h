#pragma once
// The trace files of an evolutionary run: "population.dump" (the population listings and
// the hybrid search's parent pairs) and "ordd.dump" (the latest crossover).
#include <string>
#include <vector>

#include "core/trace_file.h"
#include "report/search_trace.h"

namespace tamso {

// Where the trace files go.
struct GeneticDumpFiles {
  std::string population = "population.dump";
  std::string crossover = "ordd.dump";

  // Both files inside a folder ("" is the current directory).
  static GeneticDumpFiles in(const std::string& directory);
};

// Writes what an evolutionary run reports into its two files. The population dump is
// deleted and opened anew when the writer is made; the crossover dump is rewritten by every
// crossover. A file that cannot be written never stops the run; errors() names it.
class GeneticDumpWriter final : public EvolutionSink {
 public:
  explicit GeneticDumpWriter(GeneticDumpFiles files = {});

  void population(const std::vector<Solution>& members) override;
  void parentPair(std::int32_t first, std::int32_t second) override;
  void crossover(const CrossoverRecord& record) override;
  void flush() override;
  std::vector<std::string> errors() const override { return errors_; }

 private:
  void noteFailure(const TraceFile& file);

  GeneticDumpFiles files_;
  TraceFile populationDump_;
  std::vector<std::string> errors_;
};

}  // namespace tamso
