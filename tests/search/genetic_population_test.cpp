#include <gtest/gtest.h>

#include <cmath>

#include "report/genetic_dumps.h"
#include "search/genetic_search.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using testing::makeLineProblem;
using testing::planOrders;
using testing::readWholeFile;
using testing::ScratchFolder;

class Population : public ::testing::Test {
 protected:
  Population() : problem(makeLineProblem({4, 2, 0.0f, 0.0f, {{"O1", 0, 1}, {"O2", 1, 2}, {"O3", 2, 3}}})) {}

  GeneticSearch& makeSearch() {
    dumps = std::make_unique<GeneticDumpWriter>(GeneticDumpFiles::in(folder.path().string()));
    search = std::make_unique<GeneticSearch>(*problem, false, random, dumps.get());
    return *search;
  }
  void setGains(const std::vector<float>& gains) {
    for (std::size_t i = 0; i < gains.size(); ++i) search->member(static_cast<std::int32_t>(i)).setGain(gains[i]);
  }
  Solution planWithGain(float gain) const {
    Solution plan(*problem, false);
    plan.setGain(gain);
    return plan;
  }

  ScratchFolder folder{"population"};
  Random random = Random::seeded(3);
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<GeneticDumpWriter> dumps;
  std::unique_ptr<GeneticSearch> search;
};

TEST_F(Population, ListingHasEveryMemberWithItsRouteLinesAndTheEndMarker) {
  {
    std::ofstream(folder.file("population.dump")) << "left from an earlier run\n";
    GeneticSearch& s = makeSearch();
    for (std::int32_t i = 0; i < GeneticSearch::populationSize; ++i) s.member(i).setGain(static_cast<float>(i) - 0.25f);
    planOrders(s.member(2), 1, {"O2", "O3"});
    planOrders(s.member(9), 0, {"O1"});
    s.dumpPopulation();
    search.reset();
    dumps.reset();
  }
  std::string expected;
  for (int i = 0; i < 10; ++i) {
    char gain[32];
    std::snprintf(gain, sizeof gain, "%f", i - 0.25);
    expected += "maxGain: " + std::string(gain) + "\n-- vehicles: 2\n";
    expected += i == 2 ? "0 \n2 O3 O2 \n" : i == 9 ? "1 O1 \n0 \n" : "0 \n0 \n";
  }
  expected += "Ende der Nacht\n\n\n";
  EXPECT_EQ(readWholeFile(folder.file("population.dump")), expected);
  EXPECT_NE(expected.find("maxGain: 1.750000\n"), std::string::npos);
}

TEST_F(Population, MembersStartEmptyWithTheRunsFlag) {
  GeneticSearch withEstimate(*problem, true, random);
  for (const Solution& m : withEstimate.members()) {
    EXPECT_TRUE(m.estimatedGain());
    for (const Route& route : m.routes()) EXPECT_EQ(route.stopCount(), 0);
    EXPECT_TRUE(m.unplanned().empty());
  }
  for (std::int32_t slot = 0; slot < GeneticSearch::populationSize; ++slot)
    EXPECT_EQ(withEstimate.offspring(slot), nullptr);
}

TEST_F(Population, WorstMemberIsTheLowestGainAndTheLowestIndexOfEqualOnes) {
  makeSearch();
  setGains({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
  EXPECT_EQ(search->worstMember(), 0);
  setGains({5, 3, 7, 1, 9, 1, 4, 1, 8, 2});
  EXPECT_EQ(search->worstMember(), 3);
  setGains({-1, 3, 7, 1, 9, 1, 4, 1, 8, -2});
  EXPECT_EQ(search->worstMember(), 9);
}

TEST_F(Population, GainTwinIsAnExactSinglePrecisionMatch) {
  makeSearch();
  setGains({10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
  EXPECT_TRUE(search->hasGainTwin(planWithGain(70.0f)));
  EXPECT_FALSE(search->hasGainTwin(planWithGain(std::nextafter(70.0f, 71.0f))));
  EXPECT_FALSE(search->hasGainTwin(planWithGain(5.0f)));
}

TEST_F(Population, ChildReplacesTheWorstUnlessSomeMemberHasItsGain) {
  makeSearch();
  setGains({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
  EXPECT_EQ(search->admitChild(planWithGain(6.0f)), 0);  // all equal: member 0 goes
  EXPECT_EQ(search->member(0).gain(), 6.0f);

  setGains({5, 3, 7, 1, 9, 2, 4, 6, 8, 10});
  EXPECT_EQ(search->admitChild(planWithGain(1.0f)), -1);  // twin of the worst itself
  EXPECT_EQ(search->admitChild(planWithGain(9.0f)), -1);  // twin of another member
  EXPECT_EQ(search->member(3).gain(), 1.0f);

  EXPECT_EQ(search->admitChild(planWithGain(-50.0f)), 3);  // worse than all, still enters
  EXPECT_EQ(search->member(3).gain(), -50.0f);
  EXPECT_EQ(search->admitChild(planWithGain(0.5f)), 3);
  EXPECT_EQ(search->member(3).gain(), 0.5f);
}

TEST_F(Population, TournamentDrawsTwiceAndPrefersTheSecondDrawOnTies) {
  makeSearch();
  Random twin = Random::seeded(3);  // same seed: the same draws as the search's source
  setGains({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  std::int32_t salt = 0;
  bool sawDistinctDraws = false;
  for (int t = 0; t < 30; ++t) {
    const std::int32_t a = twin.index(10, salt);
    const std::int32_t b = twin.index(10, a);
    const TournamentResult result = search->tournament(salt);
    EXPECT_EQ(result.secondDraw, b);
    EXPECT_EQ(result.winner, std::max(a, b));
    sawDistinctDraws = sawDistinctDraws || a != b;
    salt = result.secondDraw;
  }
  EXPECT_TRUE(sawDistinctDraws);

  setGains({4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
  for (std::int32_t t = 0; t < 10; ++t) {
    const TournamentResult result = search->tournament(t);
    EXPECT_EQ(result.winner, result.secondDraw);
  }
}

}  // namespace
}  // namespace tamso
