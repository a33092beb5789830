#include "problem/instance_generator.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/random.h"
#include "problem/distances.h"
#include "problem/entities.h"
#include "problem/problem_data.h"

namespace tamso {

namespace {

constexpr int pickupMinutes = 30;
constexpr int unloadMinutes = 45;
constexpr double fuzziness = 0.1;
constexpr int hour = 60;
constexpr int day = 1440;
// Goods of instances whose capacities bind: a full truck takes 33 pallets or 24 t.
constexpr int palletKilograms = 600;
constexpr int boxKilograms = 25;
constexpr int boxesPerDraw = 4;

// Whole-number draws from the repeatable source, each salted by the previous one.
class Draws {
 public:
  explicit Draws(std::uint32_t seed) : random_(Random::seeded(seed)), salt_(static_cast<std::int32_t>(seed % 1000)) {}
  // A value in [low, high].
  int between(int low, int high) {
    const std::int32_t value = random_.index(high - low + 1, salt_);
    // Kept small: the draw adds the salt to the clock reading.
    salt_ = static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(salt_) * 31u + static_cast<std::uint32_t>(value) + 7u) % 1000003u);
    return low + value;
  }

 private:
  Random random_;
  std::int32_t salt_;
};

// Times are written as calendar text counted from the first Monday of March 2024, so the
// files read the same in every time zone.
std::string calendarText(int minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "2024-03-%02d %02d:%02d", 4 + minutes / day, (minutes % day) / hour, minutes % hour);
  return text;
}

std::string numbered(const char* prefix, int i) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%03d", prefix, i + 1);
  return text;
}

struct GeneratedPlace {
  Place place;
  int region = 0;
};

struct Instance {
  std::ostringstream config, vehicleTypes, vehicles, clients, countries, regions, places, orders, articleTypes,
      positions;
};

int countryCount(const GeneratorSettings& s) { return s.places < 10 ? 1 : 5; }
int regionCount(const GeneratorSettings& s) { return s.places < 5 ? 1 : s.places / 5; }

void writeFixedTables(const GeneratorSettings& s, Draws& draws, Instance& out) {
  out.vehicleTypes << "# name  list-count  lists\n"
                   << (s.crews ? "TRUCK 2 CAPACITY 2 PALLET 33 WEIGHT 24000 CREW 1 DRIVERS 2\n"
                               : "TRUCK 1 CAPACITY 2 PALLET 33 WEIGHT 24000\n")
                   << "VAN 1 CAPACITY 2 PALLET 8 WEIGHT 1200\n";
  out.articleTypes << "# name  pair-count  key quantity ...\n";
  if (s.capacity) {
    out.articleTypes << "PALLET 4 LENGTH 120 WIDTH 80 HEIGHT 150 WEIGHT " << palletKilograms << "\n"
                     << "BOX 4 LENGTH 60 WIDTH 40 HEIGHT 40 WEIGHT " << boxKilograms << "\n";
  } else {
    out.articleTypes << "PALLET 3 LENGTH 120 WIDTH 80 HEIGHT 150\n"
                     << "BOX 3 LENGTH 60 WIDTH 40 HEIGHT 40\n";
  }
  out.clients << "# name  kind (strategic clients' orders are planned first)\n";
  for (int i = 0; i < 20; ++i) out.clients << numbered("CLIENT", i) << (i % 5 == 0 ? " strategic\n" : " regular\n");
  out.countries << "# name  cost-per-day  cost-per-km  third\n";
  for (int i = 0; i < countryCount(s); ++i) {
    out.countries << numbered("LAND", i) << ' ' << draws.between(150, 350) << ".00 1." << draws.between(10, 60)
                  << " 0\n";
  }
}

std::vector<GeneratedPlace> writePlaces(const GeneratorSettings& s, Draws& draws, Instance& out) {
  const int regions = regionCount(s);
  std::vector<GeneratedPlace> places(static_cast<std::size_t>(s.places));
  out.places << "# name  latitude  longitude  country  region\n";
  for (int i = 0; i < s.places; ++i) {
    GeneratedPlace& generated = places[static_cast<std::size_t>(i)];
    generated.place.name = numbered("P", i);
    generated.place.latitude = static_cast<float>(draws.between(46000, 54000)) / 1000.0f;
    generated.place.longitude = static_cast<float>(draws.between(5000, 23000)) / 1000.0f;
    generated.region = i % regions;
    char line[128];
    std::snprintf(line, sizeof line, "%s %.3f %.3f %s %s\n", generated.place.name.c_str(),
                  static_cast<double>(generated.place.latitude), static_cast<double>(generated.place.longitude),
                  numbered("LAND", generated.region % countryCount(s)).c_str(),
                  numbered("REGION", generated.region).c_str());
    out.places << line;
  }
  // The first place of every region represents it.
  out.regions << "# name  representing-place  country  average-waiting  average-profit\n";
  for (int r = 0; r < regions; ++r) {
    out.regions << numbered("REGION", r) << ' ' << numbered("P", r) << ' ' << numbered("LAND", r % countryCount(s))
                << ' ' << draws.between(60, 120) << ' ' << draws.between(200, 400) << '\n';
  }
  return places;
}

void writeVehicles(const GeneratorSettings& s, Draws& draws, Instance& out) {
  out.vehicles << "# name  vehicle-type  mass\n";
  out.positions << "# vehicle  start: earliest likely latest  start-place\n";
  for (int i = 0; i < s.vehicles; ++i) {
    const std::string name = numbered("V", i);
    out.vehicles << name << (i % 4 == 3 ? " VAN " : " TRUCK ") << draws.between(3000, 15000) << '\n';
    const int likely = draws.between(5 * hour, 9 * hour);
    out.positions << name << ' ' << calendarText(likely - 30) << ' ' << calendarText(likely) << ' '
                  << calendarText(likely + 30) << ' ' << numbered("P", draws.between(0, s.places - 1)) << '\n';
  }
}

// Every other order carries pallets, the others boxes; with capacities binding, boxes come
// by the dozen so that their weight counts.
std::string goods(const GeneratorSettings& s, int order, int quantity) {
  if (order % 2) return "PALLET " + std::to_string(quantity);
  return "BOX " + std::to_string(s.capacity ? quantity * boxesPerDraw : quantity);
}

// Pickups open from the second day on, late enough for a vehicle from anywhere in the
// area; the delivery window leaves room for the drive with its spread and the loading.
void writeOrders(const GeneratorSettings& s, Draws& draws, const std::vector<GeneratedPlace>& places, Instance& out) {
  out.orders << "# name client price pickup delivery pickup-window delivery-window goods\n";
  for (int i = 0; i < s.orders; ++i) {
    const int from = draws.between(0, s.places - 1);
    int to = draws.between(0, s.places - 2);
    if (to >= from) ++to;
    const Place& p = places[static_cast<std::size_t>(from)].place;
    const Place& q = places[static_cast<std::size_t>(to)].place;
    const double km = sphericalDistance(p, &q);
    const int drive = static_cast<int>(km / averageSpeedKmPerMinute * (1.0 + fuzziness)) + 1;
    const int pickupStart = day + draws.between(0, 3 * day);
    const int pickupFull = pickupStart + draws.between(3, 8) * hour;
    const int pickupEnd = pickupFull + 2 * hour;
    const int deliveryStart = pickupStart + drive;
    const int deliveryFull = pickupFull + pickupMinutes + drive + draws.between(4, 12) * hour;
    const int deliveryEnd = deliveryFull + 3 * hour;
    const int price = 250 + static_cast<int>(km * 2.5) + draws.between(0, 400);
    out.orders << numbered("O", i) << ' ' << numbered("CLIENT", draws.between(0, 19)) << ' ' << price << ".00 "
               << p.name << ' ' << q.name << " \\\n    " << calendarText(pickupStart) << ' ' << calendarText(pickupFull)
               << ' ' << calendarText(pickupEnd) << "  " << calendarText(deliveryStart) << ' '
               << calendarText(deliveryFull) << ' ' << calendarText(deliveryEnd) << "  GOODS 1 "
               << goods(s, i, draws.between(1, 30)) << '\n';
  }
}

void writeConfig(const GeneratorSettings& s, Instance& out) {
  out.config << "# A generated instance.\n[params]\n"
             << (s.capacity ? "checkCapacity=1\n" : "") << (s.driverRules ? "driverRules=1\n" : "")
             << "pickupTime=" << pickupMinutes << "\nunloadTime=" << unloadMinutes
             << "\nminimalSat=0.5\ntravelTimeFuzzines=" << fuzziness << "\nplaceInPoland=P001\n\n[files]\n"
             << "vehicleTypes=vehicle_types.txt\nvehicles=vehicles.txt\nclients=clients.txt\n"
             << "countries=countries.txt\nregions=regions.txt\nplaces=places.txt\norders=orders.txt\n"
             << "articleTypes=article_types.txt\nvehiclesPositions=vehicle_positions.txt\n";
}

std::optional<std::string> checkSettings(const GeneratorSettings& s) {
  if (s.places < 2 || s.places > ProblemData::maxPlaces) {
    return "The number of places must be between 2 and " + std::to_string(ProblemData::maxPlaces);
  }
  if (s.orders < 0 || s.orders > ProblemData::maxOrders) {
    return "The number of orders must be between 0 and " + std::to_string(ProblemData::maxOrders);
  }
  if (s.vehicles < 0 || s.vehicles > ProblemData::maxVehicles) {
    return "The number of vehicles must be between 0 and " + std::to_string(ProblemData::maxVehicles);
  }
  return std::nullopt;
}

std::optional<std::string> writeFile(const std::filesystem::path& path, const std::ostringstream& text) {
  std::ofstream file(path, std::ios::trunc);
  file << "# Generated by tamso-cli generate.\n" << text.str();
  file.close();
  if (!file) return "Can't write file '" + path.string() + "'";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> generateInstance(const std::string& directory, const GeneratorSettings& settings) {
  if (auto error = checkSettings(settings)) return error;
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  if (ec) return "Can't create directory '" + directory + "'";

  Draws draws(settings.seed);
  Instance out;
  writeFixedTables(settings, draws, out);
  const std::vector<GeneratedPlace> places = writePlaces(settings, draws, out);
  writeVehicles(settings, draws, out);
  writeOrders(settings, draws, places, out);
  writeConfig(settings, out);

  const std::filesystem::path dir(directory);
  const std::pair<const char*, const std::ostringstream*> files[] = {
      {"instance.cfg", &out.config},
      {"vehicle_types.txt", &out.vehicleTypes},
      {"vehicles.txt", &out.vehicles},
      {"clients.txt", &out.clients},
      {"countries.txt", &out.countries},
      {"regions.txt", &out.regions},
      {"places.txt", &out.places},
      {"orders.txt", &out.orders},
      {"article_types.txt", &out.articleTypes},
      {"vehicle_positions.txt", &out.positions},
  };
  for (const auto& [name, text] : files) {
    if (auto error = writeFile(dir / name, *text)) return error;
  }
  return std::nullopt;
}

}  // namespace tamso
