#include "search/ruin_recreate_walk.h"

#include <algorithm>
#include <cmath>

#include "routing/order_moves.h"
#include "search/ruin_recreate_improvement.h"

namespace tamso {

namespace {

// Scores of a step for its two operators: a new best plan, a better current plan, or a
// worse plan that was accepted and had not been seen before.
constexpr double kNewBest = 33.0;
constexpr double kBetter = 9.0;
constexpr double kAcceptedWorse = 13.0;
constexpr double kReaction = 0.1;            // how fast weights follow the scores
constexpr std::int32_t kSegmentSteps = 100;  // steps between weight updates
// A plan this much worse than the start (as a share of its gain) is accepted at first with
// even chance; the temperature falls to this share of its start by the end of the run.
constexpr double kStartWorse = 0.005;
constexpr double kEndTemperature = 0.002;

double startTemperatureFor(float gain) {
  return kStartWorse * std::max(1.0, std::fabs(static_cast<double>(gain))) / std::log(2.0);
}

}  // namespace

std::int32_t unplannedPriorityOrders(const Solution& solution) {
  return static_cast<std::int32_t>(std::count_if(solution.unplanned().begin(), solution.unplanned().end(),
                                                 [](const Order* order) { return order->isPriority(); }));
}

bool betterPlan(const Solution& a, const Solution& b) {
  const std::int32_t missingA = unplannedPriorityOrders(a);
  const std::int32_t missingB = unplannedPriorityOrders(b);
  if (missingA != missingB) return missingA < missingB;
  return a.gain() > b.gain();
}

RepairChoice insertionChoice(std::int32_t index) { return RepairChoice{index % 3 + 1, index >= 3}; }

RuinAndRecreate::RuinAndRecreate(const Solution& start, Random& random)
    : draws_(random),
      estimatedGain_(start.estimatedGain()),
      current_(start),
      best_(start),
      startTemperature_(startTemperatureFor(start.gain())) {
  removalWeights_.fill(1.0);
  insertionWeights_.fill(1.0);
}

void RuinAndRecreate::adopt(const Solution& plan) {
  current_ = plan;
  best_ = plan;
}

std::int32_t RuinAndRecreate::drawIndex(const double* weights, std::int32_t count) {
  double total = 0.0;
  for (std::int32_t k = 0; k < count; ++k) total += weights[k];
  double at = draws_.fraction() * total;
  for (std::int32_t k = 0; k < count; ++k) {
    if (at < weights[k]) return k;
    at -= weights[k];
  }
  return count - 1;
}

std::int32_t RuinAndRecreate::removalCount() {
  std::int32_t planned = 0;
  for (const Route& route : current_.routes()) planned += route.orderCount();
  const std::int32_t most = std::clamp(planned * 15 / 100, 4, 30);
  return 2 + draws_.below(most - 1);
}

// Up to `count` unplanned orders, drawn at random and taken out of the pool.
std::vector<const Order*> RuinAndRecreate::drawFromPool(Solution& plan, std::int32_t count) {
  std::vector<const Order*> drawn;
  std::vector<const Order*>& pool = plan.unplanned();
  while (!pool.empty() && static_cast<std::int32_t>(drawn.size()) < count) {
    const auto at = static_cast<std::size_t>(draws_.below(static_cast<std::int32_t>(pool.size())));
    drawn.push_back(pool[at]);
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return drawn;
}

bool RuinAndRecreate::accept(float candidate, double progress) {
  const double change = static_cast<double>(candidate) - static_cast<double>(current_.gain());
  if (change > 0.0) return true;
  const double temperature = startTemperature_ * std::pow(kEndTemperature, std::clamp(progress, 0.0, 1.0));
  return draws_.fraction() < std::exp(change / temperature);
}

void RuinAndRecreate::reward(std::int32_t removal, std::int32_t insertion, double score) {
  removalScores_[static_cast<std::size_t>(removal)] += score;
  ++removalUses_[static_cast<std::size_t>(removal)];
  insertionScores_[static_cast<std::size_t>(insertion)] += score;
  ++insertionUses_[static_cast<std::size_t>(insertion)];
  if (++stepsInSegment_ < kSegmentSteps) return;
  updateWeights();
}

void RuinAndRecreate::updateWeights() {
  const auto update = [](auto& weights, auto& scores, auto& uses) {
    for (std::size_t k = 0; k < weights.size(); ++k) {
      if (uses[k] > 0) {
        weights[k] = std::max(0.05, weights[k] * (1.0 - kReaction) + kReaction * scores[k] / uses[k]);
      }
      scores[k] = 0.0;
      uses[k] = 0;
    }
  };
  update(removalWeights_, removalScores_, removalUses_);
  update(insertionWeights_, insertionScores_, insertionUses_);
  stepsInSegment_ = 0;
}

// A plan better than the current one is improved locally before it is judged.
void RuinAndRecreate::finishPlan(Solution& plan, Solution& before) {
  plan.setGain(plan.totalGain(estimatedGain_));
  if (!(plan.gain() > before.gain())) return;
  std::vector<std::int32_t> changed;
  for (std::int32_t r = 0; r < plan.routeCount(); ++r) {
    if (plan.route(r)->gain() != before.route(r)->gain()) changed.push_back(r);
  }
  improvePlan(plan, changed, draws_);
  plan.setGain(plan.totalGain(estimatedGain_));
}

void RuinAndRecreate::step(double progress) {
  const std::int32_t removal = drawIndex(removalWeights_.data(), kRemovalKinds);
  const std::int32_t insertion = drawIndex(insertionWeights_.data(), kInsertionKinds);
  Solution candidate = current_;
  const std::int32_t count = removalCount();
  std::vector<const Order*> pending = removeOrders(candidate, static_cast<Removal>(removal), count, draws_);
  for (const Order* order : drawFromPool(candidate, count)) pending.push_back(order);
  repairPlan(candidate, std::move(pending), insertionChoice(insertion), draws_);
  finishPlan(candidate, current_);

  if (unplannedPriorityOrders(candidate) > unplannedPriorityOrders(current_) || !accept(candidate.gain(), progress)) {
    reward(removal, insertion, 0.0);
    return;
  }
  double score = 0.0;
  if (betterPlan(candidate, best_)) {
    if (estimatedGain_) {
      while (moveWaitingPlace(candidate)) {
      }
      candidate.setGain(candidate.totalGain(true));
    }
    best_ = candidate;
    score = kNewBest;
  } else if (candidate.gain() > current_.gain()) {
    score = kBetter;
  } else if (acceptedGains_.insert(candidate.gain()).second) {
    score = kAcceptedWorse;
  }
  current_ = std::move(candidate);
  reward(removal, insertion, score);
}

}  // namespace tamso
