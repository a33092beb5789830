// Every optimiser respects the vehicles' capacities on a generated instance where they bind,
// as a plain check of every route's loads confirms; without the check the same runs overload.
#include <gtest/gtest.h>

#include <memory>

#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "search/genetic_search.h"
#include "search/local_search_run.h"
#include "tests/routing/plain_capacity.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using testing::plainOverload;
using testing::ScratchFolder;

class CapacityRespected : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new ScratchFolder("capacity");
    const std::string instance = folder_->file("instance");
    ASSERT_FALSE(generateInstance(instance, GeneratorSettings{24, 70, 5, 11, true}));
    for (bool check : {false, true}) {
      auto& problem = check ? on_ : off_;
      problem = new ProblemData;
      const auto error = loadInstance(instance + "/instance.cfg", *problem, LoadOptions{instance});
      ASSERT_FALSE(error) << error->message;
      ASSERT_TRUE(problem->checkCapacity);  // the generator switches it on
      problem->checkCapacity = check;
    }
  }
  static void TearDownTestSuite() {
    delete on_;
    delete off_;
    delete folder_;
  }

  // The overloads of the plan, one line each.
  static std::string overloads(const Solution& solution) {
    std::string found;
    for (const Route& route : solution.routes()) {
      const std::string overload = plainOverload(route);
      if (!overload.empty()) found += overload + "\n";
    }
    return found;
  }
  static std::string populationOverloads(GeneticSearch& search) {
    std::string found;
    for (std::int32_t i = 0; i < GeneticSearch::populationSize; ++i) found += overloads(search.member(i));
    return found + overloads(search.bestSolution());
  }

  static ScratchFolder* folder_;
  static ProblemData* on_;
  static ProblemData* off_;
};
ScratchFolder* CapacityRespected::folder_ = nullptr;
ProblemData* CapacityRespected::on_ = nullptr;
ProblemData* CapacityRespected::off_ = nullptr;

TEST_F(CapacityRespected, LocalSearchWithAndWithoutEstimatedGain) {
  for (bool estimate : {false, true}) {
    Random random = Random::seeded(5);
    const LocalSearchRun run = runLocalSearch(*on_, estimate, random);
    EXPECT_EQ(overloads(*run.solution), "") << estimate;
    EXPECT_LT(run.solution->unplanned().size(), on_->orders.size());
  }
  Random random = Random::seeded(5);
  const LocalSearchRun unchecked = runLocalSearch(*off_, false, random);
  EXPECT_NE(overloads(*unchecked.solution), "") << "the instance does not make capacities bind";
}

TEST_F(CapacityRespected, GeneticAndHybridPopulations) {
  for (bool hybrid : {false, true}) {
    Random random = Random::seeded(7);
    GeneticSearch search(*on_, false, random);
    if (hybrid) {
      search.runHybrid();
    } else {
      search.runGenetic();
    }
    EXPECT_EQ(populationOverloads(search), "") << (hybrid ? "hybrid" : "genetic");
  }
}

}  // namespace
}  // namespace tamso
