#include <gtest/gtest.h>

#include <set>

#include <algorithm>
#include <cstdio>

#include "report/genetic_dumps.h"
#include "search/genetic_search.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using testing::LineSettings;
using testing::makeLineProblem;
using testing::numberedName;
using testing::readWholeFile;
using testing::routeOrderNames;
using testing::ScratchFolder;

LineSettings busyLine() {
  LineSettings settings{6, 3, 0.5f, 200.0f, {}};
  const std::int32_t ends[][2] = {{0, 2}, {1, 3}, {2, 5}, {3, 4}, {5, 1}, {4, 0}, {1, 5}, {2, 4}, {0, 5}, {3, 1}};
  float price = 60.0f;
  for (const auto& e : ends) {
    const auto number = static_cast<std::int64_t>(settings.orders.size() + 1);
    settings.orders.push_back({numberedName("O", number), e[0], e[1], price});
    price += 15.0f;
  }
  return settings;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    result.push_back(text.substr(start, end - start));
  }
  return result;
}

std::string gainText(float gain) {
  char text[48];
  std::snprintf(text, sizeof text, "maxGain: %f", static_cast<double>(gain));
  return text;
}

std::string routeLine(const Route& route) {
  std::string line = std::to_string(route.orderCount()) + " ";
  for (const std::string& name : routeOrderNames(route)) line += name + " ";
  return line;
}

// One listing as the population dump holds it, line by line.
std::vector<std::string> expectedListing(const std::vector<Solution>& members) {
  std::vector<std::string> listing;
  for (const Solution& m : members) {
    listing.push_back(gainText(m.gain()));
    listing.push_back("-- vehicles: " + std::to_string(m.routeCount()));
    for (const Route& route : m.routes()) listing.push_back(routeLine(route));
  }
  listing.insert(listing.end(), {"Ende der Nacht", "", ""});
  return listing;
}

class Recorder final : public RunObserver {
 public:
  explicit Recorder(RunProgress::Phase stopAt = RunProgress::Phase::FirstSolution, std::int32_t stopStep = 0)
      : stopAt_(stopAt), stopStep_(stopStep) {}
  void progress(const RunProgress& p) override {
    seen.push_back(p);
    if (stopStep_ > 0 && p.phase == stopAt_ && p.step == stopStep_) stop_ = true;
  }
  bool stopRequested() override { return stop_; }
  std::vector<RunProgress> seen;

 private:
  RunProgress::Phase stopAt_;
  std::int32_t stopStep_;
  bool stop_ = false;
};

struct HybridOutcome {
  EvolutionReport report;
  std::string population;
  std::string crossover;
  std::vector<Solution> finalMembers;
};

class Runs : public ::testing::Test {
 protected:
  Runs() : problem(makeLineProblem(busyLine())) {}

  HybridOutcome runHybrid(const ScratchFolder& where, std::uint32_t seed, bool estimate = false,
                          RunObserver* observer = nullptr) {
    Random random = Random::seeded(seed);
    HybridOutcome outcome;
    {
      GeneticDumpWriter dumps(GeneticDumpFiles::in(where.path().string()));
      GeneticSearch search(*problem, estimate, random, &dumps);
      outcome.report = search.runHybrid(observer);
      outcome.finalMembers = search.members();
    }
    outcome.population = readWholeFile(where.file("population.dump"));
    outcome.crossover = readWholeFile(where.file("ordd.dump"));
    return outcome;
  }

  std::unique_ptr<ProblemData> problem;
};

TEST_F(Runs, SeededHybridRunRepeatsAndItsDumpMatchesTheFinalPopulation) {
  ScratchFolder one("hybrid-one");
  ScratchFolder two("hybrid-two");
  Recorder recorder;
  const HybridOutcome first = runHybrid(one, 21, false, &recorder);
  const HybridOutcome second = runHybrid(two, 21);

  EXPECT_EQ(first.population, second.population);
  EXPECT_EQ(first.crossover, second.crossover);
  EXPECT_EQ(first.report.finalGains, second.report.finalGains);
  EXPECT_FALSE(first.report.stopped);
  EXPECT_TRUE(first.report.dumpErrors.empty());
  ASSERT_EQ(first.report.initialGains.size(), 10u);
  ASSERT_EQ(first.report.finalGains.size(), 10u);

  // First listing, 40 parent pairs, final listing; the final one names exactly the
  // orders routed by the members that the run ended with.
  const std::vector<std::string> dump = lines(first.population);
  const std::vector<std::string> finalListing = expectedListing(first.finalMembers);
  const std::size_t listingSize = finalListing.size();
  ASSERT_EQ(dump.size(), 2 * listingSize + 40);
  for (std::size_t i = 0; i < 40; ++i) {
    int a = -1;
    int b = -1;
    char rest = 0;
    EXPECT_EQ(std::sscanf(dump[listingSize + i].c_str(), "%d %d%c", &a, &b, &rest), 2) << dump[listingSize + i];
    EXPECT_TRUE(a >= 0 && a < 10 && b >= 0 && b < 10);
  }
  EXPECT_TRUE(std::equal(finalListing.begin(), finalListing.end(), dump.end() - static_cast<long>(listingSize)));
  for (std::size_t m = 0; m < 10; ++m) {
    EXPECT_EQ(dump[m * (2 + 3)], gainText(first.report.initialGains[m]));
  }

  // Best gain never falls, and the steps come in order: ten members, then 40 iterations.
  ASSERT_EQ(recorder.seen.size(), 50u);
  for (std::size_t i = 0; i < recorder.seen.size(); ++i) {
    const RunProgress& p = recorder.seen[i];
    EXPECT_EQ(p.phase, i < 10 ? RunProgress::Phase::BuildingMember : RunProgress::Phase::Iteration);
    EXPECT_EQ(p.step, static_cast<std::int32_t>(i < 10 ? i + 1 : i - 9));
    if (i > 10) {
      EXPECT_GE(p.gain, recorder.seen[i - 1].gain);
    }
  }
}

TEST_F(Runs, HybridRunNeverLosesItsBestMember) {
  ScratchFolder where("hybrid-best");
  const HybridOutcome outcome = runHybrid(where, 4);
  // Children replace the worst member only, so the best gain cannot drop.
  const float bestBefore = *std::max_element(outcome.report.initialGains.begin(), outcome.report.initialGains.end());
  const float bestAfter = *std::max_element(outcome.report.finalGains.begin(), outcome.report.finalGains.end());
  EXPECT_GE(bestAfter, bestBefore);
}

TEST_F(Runs, GeneticRunKeepsTheBestDistinctPlansAndStoresItsChildren) {
  ScratchFolder where("genetic");
  Random random = Random::seeded(8);
  auto dumps = std::make_unique<GeneticDumpWriter>(GeneticDumpFiles::in(where.path().string()));
  auto search = std::make_unique<GeneticSearch>(*problem, false, random, dumps.get());
  const EvolutionReport report = search->runGenetic();

  ASSERT_EQ(report.generationChildren.size(), 40u);
  std::int32_t made = 0;
  float bestChild = -1e30f;
  for (const std::vector<float>& generation : report.generationChildren) {
    EXPECT_LE(generation.size(), 10u);
    made += static_cast<std::int32_t>(generation.size());
    for (float gain : generation) bestChild = std::max(bestChild, gain);
  }
  EXPECT_EQ(report.children, made);
  ASSERT_GT(made, 0);
  std::int32_t filledSlots = 0;
  for (std::int32_t slot = 0; slot < 10; ++slot) filledSlots += search->offspring(slot) != nullptr ? 1 : 0;
  EXPECT_GT(filledSlots, 0);

  // The best child survives its generation: the best member at the end is the best plan
  // seen. The population is ordered best first, and its gains are distinct while enough
  // distinct gains were seen.
  const float bestStart = *std::max_element(report.initialGains.begin(), report.initialGains.end());
  ASSERT_EQ(report.finalGains.size(), 10u);
  EXPECT_EQ(report.finalGains.front(), std::max(bestStart, bestChild));
  EXPECT_TRUE(std::is_sorted(report.finalGains.rbegin(), report.finalGains.rend()));
  std::set<float> seen(report.initialGains.begin(), report.initialGains.end());
  for (const std::vector<float>& generation : report.generationChildren)
    seen.insert(generation.begin(), generation.end());
  if (seen.size() >= 10u) {
    EXPECT_EQ(std::set<float>(report.finalGains.begin(), report.finalGains.end()).size(), 10u);
  }
  EXPECT_EQ(search->bestSolution().gain(), std::max(bestStart, bestChild));
  EXPECT_EQ(search->bestGain(), std::max(bestStart, bestChild));

  dumps.reset();  // closes the population dump
  EXPECT_EQ(readWholeFile(where.file("population.dump")), "");
  EXPECT_FALSE(readWholeFile(where.file("ordd.dump")).empty());
}

TEST_F(Runs, StoppedRunEndsCleanlyAndClosesItsDump) {
  ScratchFolder where("stopped");
  Recorder stopper(RunProgress::Phase::Iteration, 3);
  const HybridOutcome outcome = runHybrid(where, 21, false, &stopper);
  EXPECT_TRUE(outcome.report.stopped);
  EXPECT_EQ(stopper.seen.back().phase, RunProgress::Phase::Iteration);
  EXPECT_EQ(stopper.seen.back().step, 3);

  // Both listings are written whole around the pairs drawn before the stop.
  const std::vector<std::string> dump = lines(outcome.population);
  const std::size_t listingSize = expectedListing(outcome.finalMembers).size();
  ASSERT_GE(dump.size(), 2 * listingSize);
  const std::size_t pairs = dump.size() - 2 * listingSize;
  EXPECT_GE(pairs, 2u);
  EXPECT_LE(pairs, 3u);
  EXPECT_EQ(dump.back(), "");
  EXPECT_EQ(dump[dump.size() - 3], "Ende der Nacht");

  Recorder early(RunProgress::Phase::BuildingMember, 2);
  ScratchFolder elsewhere("stopped-early");
  const HybridOutcome cut = runHybrid(elsewhere, 21, false, &early);
  EXPECT_TRUE(cut.report.stopped);
  EXPECT_EQ(cut.report.children, 0);
  for (std::size_t m = 2; m < 10; ++m) {
    for (const Route& route : cut.finalMembers[m].routes()) EXPECT_EQ(route.orderCount(), 0);
  }
}

TEST_F(Runs, UnwritableDumpsDoNotChangeTheRunAndAreNamed) {
  ScratchFolder writable("writable");
  ScratchFolder parent("unwritable");
  const std::string missing = parent.file("no-such-folder");

  Random random = Random::seeded(21);
  EvolutionReport report;
  {
    GeneticDumpWriter dumps(GeneticDumpFiles::in(missing));
    GeneticSearch search(*problem, false, random, &dumps);
    report = search.runHybrid();
  }
  const HybridOutcome reference = runHybrid(writable, 21);
  EXPECT_EQ(report.finalGains, reference.report.finalGains);
  ASSERT_EQ(report.dumpErrors.size(), 2u);
  EXPECT_EQ(report.dumpErrors[0], "Can't write dump file '" + missing + "/population.dump'");
  EXPECT_EQ(report.dumpErrors[1], "Can't write dump file '" + missing + "/ordd.dump'");
}

TEST_F(Runs, EstimatedGainRunsBuildAndSearchEveryPlanWithTheFlag) {
  ScratchFolder where("estimate");
  const HybridOutcome outcome = runHybrid(where, 13, true);
  for (const Solution& m : outcome.finalMembers) {
    EXPECT_TRUE(m.estimatedGain());
    for (const Route& route : m.routes()) {
      ASSERT_GT(route.stopCount(), 0);
      EXPECT_EQ(route.stops().back().kind, StopKind::Waiting);
    }
  }
}

}  // namespace
}  // namespace tamso
