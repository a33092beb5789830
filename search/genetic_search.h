#pragma once
// GeneticSearch: a population of ten complete plans and the two evolutionary searches over
// it. Members are built by randomised first solutions and improved by local search; a child
// is rebuilt from the groups of orders that a route of one parent and a route of the other
// have in common. The genetic search draws parents by binary tournament and keeps its
// children apart; the hybrid search improves every child by local search and lets it replace
// the weakest member.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/random.h"
#include "problem/problem_data.h"
#include "report/search_trace.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

// What a run leaves besides the population itself.
struct EvolutionReport {
  std::vector<float> initialGains;                     // the members after improveAll
  std::vector<float> finalGains;                       // the members at the end of the run
  std::vector<std::vector<float>> generationChildren;  // genetic: the children's gains, per generation
  std::int32_t children = 0;                           // crossovers made
  bool stopped = false;                                // the observer ended the run early
  std::vector<std::string> dumpErrors;                 // one message per trace file that failed
};

// One binary tournament: the winning member and the second draw, the salt of the next draw.
struct TournamentResult {
  std::int32_t winner = 0;
  std::int32_t secondDraw = 0;
};

class GeneticSearch {
 public:
  static constexpr std::int32_t populationSize = 10;
  static constexpr std::int32_t generationCount = 40;  // genetic generations and hybrid iterations

  // Ten empty members built with the run's estimated-gain flag. The run's listings, parent
  // pairs and crossovers go to `trace` when one is given.
  GeneticSearch(const ProblemData& problem, bool estimatedGain, Random& random, EvolutionSink* trace = nullptr);
  virtual ~GeneticSearch();
  GeneticSearch(const GeneticSearch&) = delete;
  GeneticSearch& operator=(const GeneticSearch&) = delete;

  bool estimatedGain() const { return estimatedGain_; }
  // Generations of the genetic search and iterations of the hybrid one (generationCount
  // unless set).
  std::int32_t generations() const { return generations_; }
  void setGenerations(std::int32_t generations) { generations_ = generations; }
  Solution& member(std::int32_t i) { return members_[static_cast<std::size_t>(i)]; }
  const Solution& member(std::int32_t i) const { return members_[static_cast<std::size_t>(i)]; }
  const std::vector<Solution>& members() const { return members_; }
  // The child stored in an offspring slot by the genetic search, nullptr while empty.
  const Solution* offspring(std::int32_t slot) const { return offspring_[static_cast<std::size_t>(slot)].get(); }

  // Members start from this plan (its unplanned orders placed as a first solution places
  // them) instead of a first solution, and children keep its fixed stops; nullptr: first
  // solutions. The plan must outlive the search.
  void startFrom(const Solution* plan);

  // Builds every member afresh: first solution, then local search. False when stopped
  // (the members not reached stay empty, the one being improved stays valid).
  bool improveAll(RunObserver* observer = nullptr);

  // A new child of two members (or any solutions of the same problem); the parents are
  // left unchanged. The crossover is reported to the trace.
  std::unique_ptr<Solution> crossover(const Solution& first, const Solution& second);

  // Two draws a, b of members; b wins unless a has the strictly higher gain.
  TournamentResult tournament(std::int32_t salt);

  // The genetic search: improveAll, then generations() generations of 10 tournament pairs whose
  // children go to the offspring slots. After each generation the population becomes the
  // ten best plans of distinct gains among the members and that generation's children.
  EvolutionReport runGenetic(RunObserver* observer = nullptr);

  // The hybrid search: improveAll, a listing, generations() iterations of two uniform draws whose
  // locally improved child replaces the weakest member unless some member has its gain,
  // and a final listing.
  EvolutionReport runHybrid(RunObserver* observer = nullptr);

  // The member with the lowest gain; of equal lowest gains the lowest index.
  std::int32_t worstMember() const;
  // True when some member's gain equals the solution's gain exactly.
  bool hasGainTwin(const Solution& solution) const;
  // The hybrid replacement: a child whose gain no member has replaces the worst member,
  // even when it is worse still. Returns the index replaced, or -1 for a gain twin.
  std::int32_t admitChild(const Solution& child);
  // Reports a listing of the population to the trace.
  void dumpPopulation();

  // The best plan seen: the best member, or the best child made where that is better. Members
  // a stopped run never built do not count.
  Solution& bestSolution();
  // The highest gain among the members and the children made.
  float bestGain() const;

 private:
  // The crossover itself, its course written to `record`; safe to run for several pairs at once.
  std::unique_ptr<Solution> breed(const Solution& first, const Solution& second, CrossoverRecord& record) const;
  void rememberChild(const Solution& child);
  // The population after a generation: the ten best plans of distinct gains among the
  // members and the generation's children.
  void chooseSurvivors(const std::vector<const Solution*>& children);
  std::vector<float> memberGains() const;
  void finishReport(EvolutionReport& report);
  void report(RunObserver* observer, RunProgress::Phase phase, std::int32_t step, std::int32_t total) const;
  std::int32_t bestMember() const;

  const ProblemData& problem_;
  bool estimatedGain_;
  Random& random_;
  std::int32_t generations_ = generationCount;
  EvolutionSink* trace_;
  std::vector<Solution> members_;
  std::array<std::unique_ptr<Solution>, populationSize> offspring_;
  std::unique_ptr<Solution> bestChild_;
  // The members a stopped improveAll reached; the others are empty, not plans, and are never
  // the best plan.
  std::int32_t builtCount_ = populationSize;
  const Solution* start_ = nullptr;
  std::unique_ptr<Solution> frame_;  // the start's fixed stops, where children are bred
};

}  // namespace tamso
