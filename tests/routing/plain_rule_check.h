#pragma once
// A plain checker of a driver's timeline against the driving and rest times, independent of
// the scheduler: it reads only the activities (kind, start, minutes) and names every rule
// broken. Any stretch that is neither driving nor service is idle; consecutive idle
// stretches make one stop, which counts as a break or rest by its length. A crew of two
// drivers makes no break stops, may drive 18 hours (20 on two days a week) between daily
// rests of 9 hours taken within 30 hours, and twice one driver's weekly driving.
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tamso::test {

struct Stretch {
  std::string kind;  // "drive", "service" or anything idle
  std::int32_t start;
  std::int32_t minutes;
};

class PlainRuleCheck {
 public:
  // Every rule the timeline breaks, by name: "timeline", "break", "work", "dailyDriving",
  // "longDays", "dailyRest", "weeklyDriving", "weeklyRest".
  static std::set<std::string> broken(std::int32_t routeStart, const std::vector<Stretch>& timeline, int drivers = 1) {
    PlainRuleCheck check(routeStart, drivers >= 2 ? crew : single);
    check.walk(timeline);
    return check.broken_;
  }

 private:
  struct Limits {
    bool breaks;  // break and working-time stops are needed
    std::int32_t day, longDay, rest, reducedRest, restWithin, week, twoWeeks;
  };
  static constexpr Limits single{true, 9 * 60, 10 * 60, 11 * 60, 9 * 60, 24 * 60, 56 * 60, 90 * 60};
  static constexpr Limits crew{false, 18 * 60, 20 * 60, 9 * 60, 9 * 60, 30 * 60, 112 * 60, 180 * 60};

  PlainRuleCheck(std::int32_t start, Limits limits) : limits_(limits), dutyStart_(start), weeklyEnd_(start) {}

  static std::int64_t weekOf(std::int64_t minute) {
    // 1970-01-01 was a Thursday: Monday 1969-12-29 00:00 is minute -4320.
    const std::int64_t sinceMonday = minute + 4320;
    return sinceMonday >= 0 ? sinceMonday / 10080 : -((-sinceMonday + 10079) / 10080);
  }

  void walk(const std::vector<Stretch>& timeline) {
    std::int32_t now = dutyStart_;
    std::int32_t idleStart = -1;
    for (const Stretch& s : timeline) {
      if (s.start != now || s.minutes < 0) broken_.insert("timeline");
      now = s.start + s.minutes;
      const bool working = s.kind == "drive" || s.kind == "service";
      if (!working) {
        if (idleStart < 0) idleStart = s.start;
        continue;
      }
      if (idleStart >= 0) stopped(idleStart, s.start - idleStart);
      idleStart = -1;
      worked(s);
    }
    if (idleStart >= 0) stopped(idleStart, now - idleStart);
    dayEnds();
    for (const auto& [week, days] : longDays_) {
      if (days > 2) broken_.insert("longDays");
    }
    for (const auto& [week, minutes] : weekDriving_) {
      if (minutes > limits_.week) broken_.insert("weeklyDriving");
      const auto before = weekDriving_.find(week - 1);
      if (before != weekDriving_.end() && before->second + minutes > limits_.twoWeeks) broken_.insert("weeklyDriving");
    }
  }

  void worked(const Stretch& s) {
    const bool driving = s.kind == "drive";
    const std::int32_t end = s.start + s.minutes;
    workSinceBreak_ += s.minutes;
    if (limits_.breaks && workSinceBreak_ > 360) broken_.insert("work");
    if (!driving && s.minutes > 360) broken_.insert("work");  // one service, whoever serves
    // The rest that is due must still start in time after this stretch.
    const std::int32_t rest = restPiece_ || reduced_ < 3 ? limits_.reducedRest : limits_.rest;
    if (end + rest > dutyStart_ + limits_.restWithin) broken_.insert("dailyRest");
    if (end > weeklyEnd_ + 144 * 60) broken_.insert("weeklyRest");
    if (!driving) return;
    drivingSinceBreak_ += s.minutes;
    if (limits_.breaks && drivingSinceBreak_ > 270) broken_.insert("break");
    dutyDriving_ += s.minutes;
    for (std::int64_t minute = s.start; minute < end; ++minute) ++weekDriving_[weekOf(minute)];
  }

  void stopped(std::int32_t start, std::int32_t length) {
    const std::int32_t withinDay = std::min(length, dutyStart_ + limits_.restWithin - start);
    const bool dailyRest =
        withinDay >= limits_.rest || (withinDay >= limits_.reducedRest && (restPiece_ || reduced_ < 3));
    if (dailyRest) {
      const bool weekly =
          start <= weeklyEnd_ + 144 * 60 && (length >= 45 * 60 || (length >= 24 * 60 && !weeklyReduced_));
      if (!(withinDay >= limits_.rest) && !restPiece_) ++reduced_;
      dayEnds();
      dutyStart_ = start + length;
      if (weekly) {
        weeklyEnd_ = start + length;
        weeklyReduced_ = length < 45 * 60;
        reduced_ = 0;
      }
      return;
    }
    if (length >= 3 * 60) restPiece_ = true;
    if (length >= 45 || (length >= 30 && breakPiece_)) {
      drivingSinceBreak_ = 0;
      breakPiece_ = false;
    } else if (length >= 15) {
      breakPiece_ = true;
    }
    if (length >= 15) workBreak_ += length;
    if (workBreak_ >= 30) {
      workSinceBreak_ = 0;
      workBreak_ = 0;
    }
  }

  void dayEnds() {
    if (dutyDriving_ > limits_.longDay) broken_.insert("dailyDriving");
    if (dutyDriving_ > limits_.day) ++longDays_[weekOf(dutyStart_)];
    dutyDriving_ = 0;
    drivingSinceBreak_ = 0;
    breakPiece_ = false;
    workSinceBreak_ = 0;
    workBreak_ = 0;
    restPiece_ = false;
  }

  Limits limits_;
  std::set<std::string> broken_;
  std::int32_t dutyStart_;
  std::int32_t weeklyEnd_;
  bool weeklyReduced_ = false;
  std::int32_t reduced_ = 0;
  bool restPiece_ = false;
  std::int32_t dutyDriving_ = 0;
  std::int32_t drivingSinceBreak_ = 0;
  bool breakPiece_ = false;
  std::int32_t workSinceBreak_ = 0;
  std::int32_t workBreak_ = 0;
  std::map<std::int64_t, std::int32_t> weekDriving_;
  std::map<std::int64_t, std::int32_t> longDays_;
};

}  // namespace tamso::test
