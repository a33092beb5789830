#include "search/genetic_search.h"

#include <algorithm>
#include <unordered_set>

#include "routing/first_solution.h"
#include "routing/insertion.h"
#include "routing/local_search.h"
#include "routing/plan_rebuild.h"
#include "search/order_groups.h"
#include "search/worker_threads.h"

namespace tamso {

namespace {

// Lets the inner first-solution and local-search runs stop when the outer run is asked to,
// without mixing their pass-by-pass progress into the population's progress.
class StopRelay final : public RunObserver {
 public:
  explicit StopRelay(RunObserver* outer) : outer_(outer) {}
  bool stopRequested() override { return outer_ != nullptr && outer_->stopRequested(); }

 private:
  RunObserver* outer_;
};

bool stopRequested(RunObserver* observer) { return observer != nullptr && observer->stopRequested(); }

// Places a group only where every order fits and the whole group strictly raises the
// child's gain; bestGroupInsertion then leaves the winning total as the child's gain.
// A group that fits nowhere, or only where it lowers the gain, is dropped.
void placeGroup(Solution& child, const OrderList& group) {
  const std::int32_t v = bestGroupInsertion(child, group, child.gain());
  if (v < 0) return;
  Route& route = *child.route(v);
  for (const Order* order : group) route.insertOrder(*order);
}

// Every order of the table that no route of the child serves, in table order.
void addUnroutedOrders(Solution& child) {
  std::unordered_set<const Order*> routed;
  for (const Route& route : child.routes()) {
    for (const RouteStop& stop : route.stops()) routed.insert(stop.order);
  }
  for (const Order& order : child.problem().orders) {
    if (routed.count(&order) == 0) child.unplanned().push_back(&order);
  }
}

}  // namespace

GeneticSearch::GeneticSearch(const ProblemData& problem, bool estimatedGain, Random& random, EvolutionSink* trace)
    : problem_(problem), estimatedGain_(estimatedGain), random_(random), trace_(trace) {
  members_.reserve(populationSize);
  for (std::int32_t i = 0; i < populationSize; ++i) members_.emplace_back(problem_, estimatedGain_);
}

GeneticSearch::~GeneticSearch() = default;

void GeneticSearch::startFrom(const Solution* plan) {
  start_ = plan;
  frame_.reset();
  if (plan != nullptr && hasFixedStops(*plan)) frame_ = std::make_unique<Solution>(fixedPart(*plan));
}

bool GeneticSearch::improveAll(RunObserver* observer) {
  StopRelay relay(observer);
  RunObserver* inner = observer != nullptr ? &relay : nullptr;
  builtCount_ = populationSize;
  for (std::int32_t i = 0; i < populationSize; ++i) {
    if (stopRequested(observer)) {
      builtCount_ = i;
      return false;
    }
    report(observer, RunProgress::Phase::BuildingMember, i + 1, populationSize);
    Solution& built = member(i);
    // A member cut short stays a valid plan: the orders not reached are unplanned.
    bool complete = true;
    if (start_ != nullptr) {
      built = *start_;
      complete = placeUnplanned(built, random_, inner);
    } else {
      built = Solution(problem_, estimatedGain_);
      complete = buildFirstSolution(built, random_, inner);
    }
    if (!complete || !localSearch(built, estimatedGain_, random_, inner)) {
      builtCount_ = i + 1;
      return false;
    }
  }
  return true;
}

std::unique_ptr<Solution> GeneticSearch::crossover(const Solution& first, const Solution& second) {
  CrossoverRecord record;
  std::unique_ptr<Solution> child = breed(first, second, record);
  if (trace_ != nullptr) trace_->crossover(record);
  return child;
}

std::unique_ptr<Solution> GeneticSearch::breed(const Solution& first, const Solution& second,
                                               CrossoverRecord& record) const {
  record.firstLeftovers = routeOrderLists(first);
  record.secondLeftovers = routeOrderLists(second);
  auto child = frame_ ? std::make_unique<Solution>(*frame_) : std::make_unique<Solution>(problem_, estimatedGain_);
  record.groups = takeSharedGroups(record.firstLeftovers, record.secondLeftovers);
  sortGroupsBySize(record.groups);
  for (const OrderList& group : record.groups) placeGroup(*child, group);
  addUnroutedOrders(*child);
  return child;
}

TournamentResult GeneticSearch::tournament(std::int32_t salt) {
  const std::int32_t a = random_.index(populationSize, salt);
  const std::int32_t b = random_.index(populationSize, a);
  const std::int32_t winner = member(b).gain() >= member(a).gain() ? b : a;
  return {winner, b};
}

namespace {

// One slot of a generation: the two tournament winners and, once bred, their child and the
// record of its crossover.
struct Mating {
  std::int32_t slot = 0;
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::unique_ptr<Solution> child;
  CrossoverRecord record;
};

}  // namespace

EvolutionReport GeneticSearch::runGenetic(RunObserver* observer) {
  EvolutionReport result;
  result.stopped = !improveAll(observer);
  result.initialGains = memberGains();
  for (std::int32_t g = 0; g < generations_ && !result.stopped; ++g) {
    report(observer, RunProgress::Phase::Generation, g + 1, generations_);
    std::vector<float>& children = result.generationChildren.emplace_back();
    std::vector<const Solution*> generation;
    // The parents of the whole generation are drawn first, in slot order: the crossovers draw
    // nothing and leave the members as they are, so they can run side by side.
    if (stopRequested(observer)) {
      result.stopped = true;
      break;
    }
    std::vector<Mating> matings;
    for (std::int32_t slot = 0; slot < populationSize; ++slot) {
      const TournamentResult firstParent = tournament(g);
      const TournamentResult secondParent = tournament(firstParent.secondDraw);
      if (firstParent.winner == secondParent.winner) continue;
      Mating& mating = matings.emplace_back();
      mating.slot = slot;
      mating.first = firstParent.winner;
      mating.second = secondParent.winner;
    }
    const std::size_t bred = runInParallel(
        matings.size(),
        [&](std::size_t i) {
          matings[i].child = breed(member(matings[i].first), member(matings[i].second), matings[i].record);
        },
        [&] { return !stopRequested(observer); });
    if (bred < matings.size()) result.stopped = true;
    for (std::size_t i = 0; i < bred; ++i) {
      Mating& mating = matings[i];
      if (trace_ != nullptr) trace_->crossover(mating.record);
      children.push_back(mating.child->gain());
      ++result.children;
      rememberChild(*mating.child);
      offspring_[static_cast<std::size_t>(mating.slot)] = std::move(mating.child);
      generation.push_back(offspring_[static_cast<std::size_t>(mating.slot)].get());
    }
    chooseSurvivors(generation);
  }
  finishReport(result);
  return result;
}

EvolutionReport GeneticSearch::runHybrid(RunObserver* observer) {
  EvolutionReport result;
  StopRelay relay(observer);
  RunObserver* inner = observer != nullptr ? &relay : nullptr;
  result.stopped = !improveAll(observer);
  result.initialGains = memberGains();
  dumpPopulation();
  for (std::int32_t g = 0; g < generations_ && !result.stopped; ++g) {
    if (stopRequested(observer)) {
      result.stopped = true;
      break;
    }
    report(observer, RunProgress::Phase::Iteration, g + 1, generations_);
    const std::int32_t a = random_.index(populationSize, g);
    const std::int32_t b = random_.index(populationSize, a);
    if (trace_ != nullptr) trace_->parentPair(a, b);
    if (a == b) continue;
    std::unique_ptr<Solution> child = crossover(member(a), member(b));
    ++result.children;
    if (!localSearch(*child, estimatedGain_, random_, inner)) {
      // A child cut short by a stop is not a finished child: it does not enter.
      result.stopped = true;
      break;
    }
    rememberChild(*child);
    admitChild(*child);
  }
  dumpPopulation();
  finishReport(result);
  return result;
}

std::int32_t GeneticSearch::worstMember() const {
  std::int32_t worst = 0;
  for (std::int32_t i = 1; i < populationSize; ++i) {
    if (member(i).gain() < member(worst).gain()) worst = i;
  }
  return worst;
}

bool GeneticSearch::hasGainTwin(const Solution& solution) const {
  return std::any_of(members_.begin(), members_.end(),
                     [&solution](const Solution& m) { return m.gain() == solution.gain(); });
}

std::int32_t GeneticSearch::admitChild(const Solution& child) {
  if (hasGainTwin(child)) return -1;
  const std::int32_t worst = worstMember();
  member(worst) = child;
  return worst;
}

void GeneticSearch::dumpPopulation() {
  if (trace_ != nullptr) trace_->population(members_);
}

std::int32_t GeneticSearch::bestMember() const {
  std::int32_t best = 0;
  for (std::int32_t i = 1; i < builtCount_; ++i) {
    if (member(i).gain() > member(best).gain()) best = i;
  }
  return best;
}

Solution& GeneticSearch::bestSolution() {
  Solution& best = member(bestMember());
  if (bestChild_ && bestChild_->gain() > best.gain()) return *bestChild_;
  return best;
}

float GeneticSearch::bestGain() const {
  const float memberBest = member(bestMember()).gain();
  return bestChild_ ? std::max(memberBest, bestChild_->gain()) : memberBest;
}

void GeneticSearch::rememberChild(const Solution& child) {
  if (!bestChild_) {
    bestChild_ = std::make_unique<Solution>(child);
  } else if (child.gain() > bestChild_->gain()) {
    *bestChild_ = child;
  }
}

void GeneticSearch::chooseSurvivors(const std::vector<const Solution*>& children) {
  std::vector<const Solution*> candidates;
  for (const Solution& m : members_) candidates.push_back(&m);
  candidates.insert(candidates.end(), children.begin(), children.end());
  // Highest gain first; of equal gains the earlier candidate (members before children).
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Solution* a, const Solution* b) { return a->gain() > b->gain(); });
  std::vector<const Solution*> chosen;
  std::vector<const Solution*> repeats;
  for (const Solution* candidate : candidates) {
    const bool repeat = !chosen.empty() && chosen.back()->gain() == candidate->gain();
    (repeat ? repeats : chosen).push_back(candidate);
  }
  // Fewer distinct gains than members: the best repeated plans fill the population.
  for (const Solution* candidate : repeats) {
    if (chosen.size() >= members_.size()) break;
    chosen.push_back(candidate);
  }
  chosen.resize(members_.size());
  std::vector<Solution> survivors;
  survivors.reserve(members_.size());
  for (const Solution* plan : chosen) survivors.push_back(*plan);
  members_ = std::move(survivors);
}

std::vector<float> GeneticSearch::memberGains() const {
  std::vector<float> gains;
  for (const Solution& m : members_) gains.push_back(m.gain());
  return gains;
}

void GeneticSearch::finishReport(EvolutionReport& result) {
  result.finalGains = memberGains();
  if (trace_ == nullptr) return;
  trace_->flush();
  result.dumpErrors = trace_->errors();
}

void GeneticSearch::report(RunObserver* observer, RunProgress::Phase phase, std::int32_t step,
                           std::int32_t total) const {
  if (observer == nullptr) return;
  RunProgress progress;
  progress.phase = phase;
  progress.step = step;
  progress.total = total;
  progress.gain = bestGain();
  observer->progress(progress);
}

}  // namespace tamso
