// The figures, numbers, times, CSV report and file replacement behind the plan reports of
// the command line and the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <sstream>

#include "core/file_replace.h"
#include "report/plan_csv.h"
#include "report/plan_figures.h"
#include "report/report_numbers.h"
#include "report/utf8_text.h"
#include "report/zoned_time.h"
#include "routing/unplanned_reason.h"
#include "tests/cli/report_fixture.h"

namespace tamso {
namespace {

using testing::ScratchFolder;

TEST(ReportNumbers, TwoDecimalsRoundHalfAwayFromZeroOnTheShortestDecimal) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0.0, "0.00"},
      {-0.0, "0.00"},
      {0.5, "0.50"},
      {1.005, "1.01"},
      {-0.125, "-0.13"},
      {-0.004, "0.00"},
      {9.995, "10.00"},
      {999.999, "1000.00"},
      {12.345, "12.35"},
      {-3.5, "-3.50"},
      {1e9 + 0.125, "1000000000.13"},
      {7.0, "7.00"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(roundedTwoDecimals(value), text) << value;
  EXPECT_EQ(roundedTwoDecimals(decimalOf(1730.63525390625f)), "1730.64");
  EXPECT_EQ(roundedTwoDecimals(decimalOf(0.95f)), "0.95");  // stored as 0.949999988
  EXPECT_EQ(roundedToCents(decimalOf(9091.395f)), 9091.40);
  EXPECT_EQ(roundedTwoDecimals(std::nan("")), "nan");
}

TEST(ReportNumbers, RoundedCentsAgreeWithTheirTextForManyFloats) {
  std::uint32_t state = 12345;
  for (int i = 0; i < 5000; ++i) {
    state = state * 1664525u + 1013904223u;
    const float value = (static_cast<float>(state % 20000000u) - 10000000.0f) / 128.0f;
    const double cents = roundedToCents(decimalOf(value));
    EXPECT_EQ(roundedTwoDecimals(cents), roundedTwoDecimals(decimalOf(value))) << value;
    EXPECT_LE(std::fabs(cents - value), 0.005 + 1e-3) << value;
    EXPECT_NEAR(cents * 100.0, std::round(cents * 100.0), 1e-6) << value;
  }
}

TEST(Utf8Text, ValidTextStaysAndEveryStrayByteBecomesAReplacementCharacter) {
  const std::string r = "\xEF\xBF\xBD";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"KRAK\xC3\x93W", "KRAK\xC3\x93W"},                    // Ó in UTF-8
      {"KRAK\xD3W", "KRAK" + r + "W"},                       // Ó in Latin-1
      {"\xC0\xAF", r + r},                                   // overlong
      {"\xED\xA0\x80", r + r + r},                           // a surrogate
      {"\xE2\x82", r + r},                                   // cut short
      {"\xF0\x9F\x9A\x9A truck", "\xF0\x9F\x9A\x9A truck"},  // four bytes
      {"\xF4\x90\x80\x80", r + r + r + r},                   // above U+10FFFF
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(validUtf8(text), expected);
  // Whatever the bytes, the result is left unchanged by a second pass.
  std::uint32_t state = 7;
  for (int i = 0; i < 2000; ++i) {
    std::string bytes;
    for (int k = 0; k < 12; ++k) {
      state = state * 1664525u + 1013904223u;
      bytes += static_cast<char>(state >> 24);
    }
    const std::string once = validUtf8(bytes);
    EXPECT_EQ(validUtf8(once), once);
  }
}

TEST(ZonedTime, LocalTimeCarriesItsOffsetFromUtc) {
  const char* former = std::getenv("TZ");
  const std::string saved = former ? former : "";
  const auto minutesOf = [](int y, int mo, int d, int h, int mi) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_isdst = -1;
    return static_cast<std::int32_t>(std::mktime(&t) / 60);
  };
  const std::vector<std::tuple<const char*, std::string, std::string>> zones = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", "2024-03-04T08:00+01:00", "2024-07-04T08:00+02:00"},
      {"UTC0", "2024-03-04T08:00+00:00", "2024-07-04T08:00+00:00"},
      {"<-0330>3:30", "2024-03-04T08:00-03:30", "2024-07-04T08:00-03:30"},
  };
  for (const auto& [zone, winter, summer] : zones) {
    setenv("TZ", zone, 1);
    tzset();
    EXPECT_EQ(zonedDateTime(minutesOf(2024, 3, 4, 8, 0)), winter) << zone;
    EXPECT_EQ(zonedDateTime(minutesOf(2024, 7, 4, 8, 0)), summer) << zone;
    EXPECT_EQ(localTimeZoneName(), zone);
  }
  setenv("TZ", "", 1);
  EXPECT_EQ(localTimeZoneName(), "UTC");
  if (former) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

class PlanReport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new ScratchFolder("tamso-plan-report");
    example = testing::planExample(11, folder->path()).release();
    ASSERT_NE(example, nullptr);
  }
  static void TearDownTestSuite() {
    delete example;
    delete folder;
  }
  static ScratchFolder* folder;
  static testing::PlannedExample* example;
};

ScratchFolder* PlanReport::folder = nullptr;
testing::PlannedExample* PlanReport::example = nullptr;

TEST_F(PlanReport, RouteFiguresAddUpAlongEveryRoute) {
  Solution& plan = *example->plan;
  const ProblemData& problem = example->problem;
  const PlanFigures figures = planFigures(plan);
  double km = 0.0, revenue = 0.0, gains = 0.0;
  std::int32_t driving = 0;
  for (std::size_t r = 0; r < plan.routes().size(); ++r) {
    Route& route = plan.routes()[r];
    const RouteFigures& f = figures.routes[r];
    ASSERT_EQ(f.stops.size(), route.stops().size());
    gains += route.gain();
    km += f.km;
    driving += f.drivingMinutes;
    revenue += f.revenue;
    if (route.stops().empty()) {
      EXPECT_FALSE(f.end.has_value());
      continue;
    }
    // The vehicle is busy from its start to its last departure: driving, waiting, serving or
    // on a break or rest.
    ASSERT_TRUE(f.start && f.end);
    EXPECT_EQ(*f.end - *f.start,
              f.drivingMinutes + f.waitingMinutes + f.serviceMinutes + f.breakMinutes + f.restMinutes)
        << route.vehicle().name;
    const Place* previous = route.vehicle().startPlace;
    double legs = 0.0;
    for (std::size_t i = 0; i < route.stops().size(); ++i) {
      const RouteStop& stop = route.stops()[i];
      EXPECT_FLOAT_EQ(f.stops[i].legKm, problem.distanceTo(*previous, stop.place));
      EXPECT_GE(f.stops[i].departure.likely, stop.serviceStart.likely);
      legs += f.stops[i].legKm;
      previous = stop.place;
    }
    EXPECT_DOUBLE_EQ(f.km, legs);
  }
  const PlanSummary& s = figures.summary;
  EXPECT_DOUBLE_EQ(s.km, km);
  EXPECT_EQ(s.drivingMinutes, driving);
  EXPECT_DOUBLE_EQ(s.revenue, revenue);
  EXPECT_NEAR(s.costs, revenue - gains, 1e-6);
  EXPECT_EQ(s.planned + s.unplanned, static_cast<std::int32_t>(problem.orders.size()));
  EXPECT_GT(s.unplanned, 0);
  EXPECT_GT(s.km, 0.0);
}

TEST_F(PlanReport, LoadsComeOnAtPickupsAndGoOffAtDeliveries) {
  ProblemData& problem = example->problem;
  ASSERT_TRUE(problem.checkCapacity);  // the European example counts capacities
  ASSERT_FALSE(problem.capacityKeys.empty());
  std::size_t loadedStops = 0;
  for (Route& route : example->plan->routes()) {
    const RouteFigures f = routeFigures(route);
    const std::vector<double>& limits = route.vehicle().vehicleType->capacityLimits;
    std::vector<double> expected(problem.capacityKeys.size(), 0.0);
    for (std::size_t i = 0; i < route.stops().size(); ++i) {
      const RouteStop& stop = route.stops()[i];
      if (stop.order != nullptr) {
        for (std::size_t k = 0; k < expected.size(); ++k) {
          expected[k] += (stop.kind == StopKind::Pickup ? 1.0 : -1.0) * stop.order->capacityLoad[k];
        }
      }
      // Only the keys the vehicle's type limits are shown, each with what is on board.
      std::vector<KeyedLoad> shown;
      for (std::size_t k = 0; k < expected.size(); ++k) {
        if (k < limits.size() && std::isfinite(limits[k])) shown.push_back({problem.capacityKeys[k], expected[k]});
      }
      ASSERT_EQ(f.stops[i].load.size(), shown.size());
      for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_EQ(f.stops[i].load[k].key, shown[k].key);
        EXPECT_EQ(f.stops[i].load[k].quantity, shown[k].quantity);
      }
      loadedStops += std::any_of(expected.begin(), expected.end(), [](double q) { return q > 0; }) ? 1 : 0;
    }
    for (double quantity : expected) EXPECT_EQ(quantity, 0.0);  // everything picked up is delivered
  }
  EXPECT_GT(loadedStops, 0u);
  EXPECT_EQ(loadText({{"PALLET_EUR", 2.5}, {"WEIGHT", 24000}}), "PALLET_EUR 2.5 WEIGHT 24000");

  problem.checkCapacity = false;
  const RouteFigures without = routeFigures(example->plan->routes()[0]);
  problem.checkCapacity = true;
  for (const StopFigures& stop : without.stops) EXPECT_TRUE(stop.load.empty());
}

// The records of an RFC 4180 text, fields unquoted.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.back().push_back(field);
      field.clear();
      records.emplace_back();
      ++i;
    } else {
      field += c;
    }
  }
  records.pop_back();  // after the last line end
  return records;
}

TEST_F(PlanReport, CsvHasThreeTablesThatReadBackWithAwkwardNames) {
  // A client name with a comma, quotes and a line break must survive the round trip.
  ProblemData& problem = example->problem;
  const std::string awkward = "SMITH, \"JR\"\nAND SONS";
  const std::string formerName = problem.clients[0].name;
  problem.clients[0].name = awkward;
  std::ostringstream text;
  writePlanCsv(text, *example->plan);
  problem.clients[0].name = formerName;

  const auto records = parseCsv(text.str());
  Solution& plan = *example->plan;
  // The load when capacities count, the minutes of a break or rest under the driving times.
  const std::size_t columns = 16 + (problem.checkCapacity ? 1 : 0) + (plan.driverRules() ? 1 : 0);
  std::size_t at = 0;
  ASSERT_EQ(records[at].size(), columns);
  std::size_t stopRows = 0, startRows = 0, pauseRows = 0, awkwardRows = 0;
  for (++at; at < records.size() && records[at].size() > 1; ++at) {
    ASSERT_EQ(records[at].size(), columns) << at;
    const std::string& action = records[at][2];
    const bool pause = action == "BREAK" || action == "DAILY REST" || action == "WEEKLY REST";
    (action == "START" ? startRows : pause ? pauseRows : stopRows) += 1;
    awkwardRows += records[at][4] == awkward ? 1 : 0;
  }
  std::size_t stops = 0, usedRoutes = 0, pauses = 0;
  for (Route& route : plan.routes()) {
    stops += route.stops().size();
    usedRoutes += route.stops().empty() ? 0 : 1;
    for (const RouteActivity& a : routeActivities(route)) pauses += isBreakOrRest(a.kind) ? 1 : 0;
  }
  EXPECT_EQ(stopRows, stops);
  EXPECT_EQ(pauseRows, pauses);
  EXPECT_EQ(startRows, usedRoutes);

  ASSERT_EQ(records[at], std::vector<std::string>{""});  // the empty line between the tables
  const std::size_t totals = ++at;
  while (at < records.size() && records[at].size() > 1) ++at;
  EXPECT_EQ(at - totals, plan.routes().size() + 2);  // header, one row per vehicle, TOTAL
  EXPECT_EQ(records[at - 1][0], "TOTAL");
  EXPECT_EQ(records[at - 1][9], roundedTwoDecimals(decimalOf(plan.gain())));

  const std::vector<UnplannedReason> reasons = unplannedReasons(plan);
  ASSERT_EQ(records.size() - (at + 2), reasons.size());
  for (std::size_t i = 0; i < reasons.size(); ++i) {
    const auto& row = records[at + 2 + i];
    EXPECT_EQ(row[0], reasons[i].order->name);
    EXPECT_EQ(row[5], reasons[i].describe());
    if (reasons[i].order->client == &problem.clients[0]) ++awkwardRows;
  }
  EXPECT_GT(awkwardRows, 0u);
}

TEST(ReplaceFile, WritesWholeFilesAndLeavesNothingBehindOnFailure) {
  ScratchFolder folder("tamso-replace-file");
  const std::string target = (folder / "plan.json").string();
  ASSERT_FALSE(replaceFile(target, "first\n"));
  ASSERT_FALSE(replaceFile(target, "second\n"));
  EXPECT_EQ(testing::readFile(target), "second\n");

  std::filesystem::create_directory(folder / "a folder");
  const auto intoFolder = replaceFile((folder / "a folder").string(), "x");
  ASSERT_TRUE(intoFolder);
  EXPECT_EQ(intoFolder->rfind("Cannot write the file " + (folder / "a folder").string() + ": ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "a folder"));
  EXPECT_TRUE(replaceFile((folder / "missing" / "plan.json").string(), "x"));

  const auto full = replaceFile("/dev/full", "text");  // written in place, and it is full
  ASSERT_TRUE(full);
  EXPECT_NE(full->find("No space left on device"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++files;
  EXPECT_EQ(files, 2u);  // plan.json and the folder: no temporary files left
}

}  // namespace
}  // namespace tamso
