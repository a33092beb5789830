#include "problem/loader.h"

#include <filesystem>
#include <functional>
#include <iostream>

#include "problem/article_cycles.h"
#include "problem/capacity.h"
#include "problem/config_file.h"
#include "problem/crew.h"
#include "problem/distances.h"
#include "problem/distances_file.h"
#include "problem/input_file.h"
#include "problem/local_clock.h"
#include "problem/number_field.h"
#include "problem/repeated_records.h"
#include "problem/text.h"

namespace tamso {

namespace {

// A service of more than a week belongs to no real problem; together with the calendar
// range of the dates (see parseDateTime) this keeps every schedule within 32-bit minutes.
constexpr std::int32_t maxServiceMinutes = 7 * minutesPerDay;

std::string argText(const std::string& s) { return s; }
std::string argText(const char* s) { return s; }
std::string argText(int n) { return std::to_string(n); }

// The message pattern with each "%s" or "%d" replaced by the next argument.
template <class... Args>
std::string format(const char* pattern, const Args&... args) {
  const std::string values[] = {argText(args)..., std::string()};
  std::string text;
  std::size_t next = 0;
  for (const char* c = pattern; *c != '\0'; ++c) {
    if (c[0] == '%' && (c[1] == 's' || c[1] == 'd') && next < sizeof...(Args)) {
      text += values[next++];
      ++c;
    } else {
      text += *c;
    }
  }
  return text;
}

template <class Record>
Record* findByName(std::vector<Record>& table, const std::string& name) {
  for (Record& record : table) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

// One record line being read field by field. The first field that does not read keeps its
// reason; a field read but doubtful leaves a notice.
class Fields {
 public:
  explicit Fields(const std::string& line) : line_(line) {}

  // A name; empty text when the line has run out.
  std::string name() { return nextToken(line_, pos_); }
  // A real written as one token; nothing when the line has run out or the token is no number
  // that the field can take.
  std::optional<float> real(const char* field, NumberSign sign) {
    const std::string token = nextToken(line_, pos_);
    std::string why = "missing";
    const auto value = token.empty() ? std::nullopt : readStrictReal(token, sign, why);
    if (!value) return refuse(field, why);
    return static_cast<float>(*value);
  }
  // A whole number written as one token.
  std::optional<std::int32_t> wholeNumber(const char* field) {
    const std::string token = nextToken(line_, pos_);
    std::string why = "missing";
    const auto value = token.empty() ? std::nullopt : readWholeNumber(token, why);
    if (!value) return refuse(field, why);
    return value;
  }
  std::optional<FuzzyWindow> window(const char* field) {
    bool inOrder = true;
    auto window = readWindow(line_, pos_, &inOrder);
    if (!window) return refuse(field, "three valid date-times expected");
    if (!inOrder) {
      notices_.push_back(std::string(field) + ": its three times are not in order; it is read as " + window->format(0));
    }
    return window;
  }
  std::optional<FuzzyTime> fuzzyTime(const char* field) {
    auto time = readFuzzyTime(line_, pos_);
    if (!time) return refuse(field, "three valid date-times expected");
    return time;
  }
  // A quantity list with a name; nothing when it does not parse or the line has run out.
  std::optional<QuantityList> quantityList() {
    std::string why;
    auto list = readQuantityList(line_, pos_, why);
    if (list && list->name().empty()) return refuse("quantity list", "missing");
    if (!list) return refuse(nullptr, why);
    return list;
  }

  // Why the record was refused ("price: ..."), empty when no field failed.
  const std::string& fault() const { return fault_; }
  const std::vector<std::string>& notices() const { return notices_; }

 private:
  std::nullopt_t refuse(const char* field, const std::string& why) {
    if (fault_.empty()) fault_ = field == nullptr ? why : std::string(field) + ": " + why;
    return std::nullopt;
  }

  const std::string& line_;
  std::size_t pos_ = 0;
  std::string fault_;
  std::vector<std::string> notices_;
};

std::optional<VehicleType> parseVehicleType(Fields& fields) {
  VehicleType type;
  type.name = fields.name();
  const auto listCount = fields.wholeNumber("list count");
  if (type.name.empty() || !listCount) return std::nullopt;
  for (std::int32_t i = 0; i < *listCount; ++i) {
    auto list = fields.quantityList();
    if (!list) return std::nullopt;
    type.addList(std::move(*list));  // a list named like an earlier one is left out
  }
  return type;
}

std::optional<Vehicle> parseVehicle(Fields& fields) {
  Vehicle vehicle;
  vehicle.name = fields.name();
  vehicle.vehicleTypeNameAsRead = fields.name();
  if (vehicle.name.empty() || vehicle.vehicleTypeNameAsRead.empty()) return std::nullopt;
  const auto mass = fields.real("mass", NumberSign::NonNegative);
  if (!mass) return std::nullopt;
  vehicle.mass = *mass;
  return vehicle;
}

std::optional<Client> parseClient(Fields& fields) {
  Client client;
  client.name = fields.name();
  const std::string kind = fields.name();
  if (client.name.empty() || kind.empty()) return std::nullopt;
  client.flag = kind[0] == 'S' ? 1 : 0;  // tokens are upper case already
  return client;
}

std::optional<Country> parseCountry(Fields& fields) {
  Country country;
  country.name = fields.name();
  const auto perDay = fields.real("cost per day", NumberSign::NonNegative);
  const auto perKm = perDay ? fields.real("cost per km", NumberSign::NonNegative) : std::nullopt;
  const auto third = perKm ? fields.real("third figure", NumberSign::Signed) : std::nullopt;
  if (country.name.empty() || !third) return std::nullopt;
  country.costPerDay = *perDay;
  country.costPerKm = *perKm;
  country.thirdCost = *third;
  return country;
}

std::optional<Region> parseRegion(Fields& fields) {
  Region region;
  region.name = fields.name();
  region.representingPlaceNameAsRead = fields.name();
  region.countryNameAsRead = fields.name();
  if (region.name.empty() || region.representingPlaceNameAsRead.empty() || region.countryNameAsRead.empty()) {
    return std::nullopt;
  }
  const auto waiting = fields.real("average waiting time", NumberSign::NonNegative);
  const auto profit = waiting ? fields.real("average profit", NumberSign::Signed) : std::nullopt;
  if (!profit) return std::nullopt;
  region.averageWaitingTime = *waiting;
  region.averageProfit = *profit;
  return region;
}

std::optional<Place> parsePlace(Fields& fields) {
  Place place;
  place.name = fields.name();
  const auto latitude = fields.real("latitude", NumberSign::Signed);
  const auto longitude = latitude ? fields.real("longitude", NumberSign::Signed) : std::nullopt;
  place.countryNameAsRead = fields.name();
  place.regionNameAsRead = fields.name();
  if (place.name.empty() || !longitude || place.countryNameAsRead.empty() || place.regionNameAsRead.empty()) {
    return std::nullopt;
  }
  place.latitude = *latitude;
  place.longitude = *longitude;
  return place;
}

std::optional<Order> parseOrder(Fields& fields) {
  Order order;
  order.name = fields.name();
  order.clientNameAsRead = fields.name();
  const auto price = fields.real("price", NumberSign::NonNegative);
  if (order.name.empty() || order.clientNameAsRead.empty() || !price) return std::nullopt;
  order.pickupPlaceNameAsRead = fields.name();
  order.deliveryPlaceNameAsRead = fields.name();
  const auto pickup = fields.window("pickup window");
  const auto delivery = pickup ? fields.window("delivery window") : std::nullopt;
  auto articles = delivery ? fields.quantityList() : std::nullopt;
  if (order.pickupPlaceNameAsRead.empty() || order.deliveryPlaceNameAsRead.empty() || !articles) return std::nullopt;
  order.price = *price;
  order.pickupWindow = *pickup;
  order.deliveryWindow = *delivery;
  order.articles = std::move(*articles);
  return order;
}

std::optional<ArticleType> parseArticleType(Fields& fields) { return fields.quantityList(); }

const std::string& recordName(const ArticleType& type) { return type.name(); }
template <class Record>
const std::string& recordName(const Record& record) {
  return record.name;
}

class InstanceLoader {
 public:
  InstanceLoader(ProblemData& problem, const LoadOptions& options) : problem_(problem), options_(options) {}

  std::optional<LoadError> run(const std::string& configPath);

 private:
  // Checks a record once it is parsed; an error ends the load.
  template <class Record>
  using Linker = std::function<std::optional<std::string>(Record&)>;

  std::optional<LoadError> readParameters();
  std::optional<LoadError> readIntParameter(const char* name, std::int32_t& target);
  std::optional<LoadError> readRealParameter(const char* name, double& target);

  // How one table is read: its file key, the word for its records in messages, its parser.
  template <class Record>
  struct TableFile {
    const char* key;
    const char* kind;
    std::optional<Record> (*parse)(Fields&);
  };

  template <class Record>
  std::optional<LoadError> loadTable(const TableFile<Record>& file, std::vector<Record>& table, std::int32_t capacity,
                                     Linker<Record> link);
  // Reads one record line; nothing with `skip` set for an exact repeat of an earlier record.
  template <class Record>
  std::optional<Record> readRecord(const TableFile<Record>& file, const std::string& line, int lineNumber,
                                   RecordNames& names, std::optional<LoadError>& failure);
  void warnAboutRepeatedKeys();
  std::optional<LoadError> checkArticleTypes(const RecordNames& names);
  std::optional<LoadError> loadAllTables();
  std::optional<LoadError> completePlaces();
  std::optional<LoadError> loadPositions();
  std::optional<LoadError> loadRoadDistances();

  // Looks up a data-file key; the path as written, or the missing-field error.
  std::optional<LoadError> dataFilePath(const char* key, std::string& path) const;
  std::string resolved(const std::string& path) const;
  std::optional<LoadError> open(const std::string& path, InputFile& in) const;
  std::optional<LoadError> readError(int status, const RecordReader& reader) const;
  LoadError error(std::string message, int line = 0) const { return {std::move(message), currentFile_, line, {}}; }
  void warn(std::string message, const std::string& file, int line) const;

  // Links `target` to the first record of `table` named `name`, or gives the message of a
  // missing declaration of that kind of record.
  template <class Record>
  std::optional<std::string> linkByName(const Record*& target, std::vector<Record>& table, const std::string& name,
                                        const char* kind) const;
  std::optional<std::string> linkVehicle(Vehicle& vehicle);
  std::optional<std::string> linkRegion(Region& region);
  std::optional<std::string> linkPlace(Place& place);
  std::optional<std::string> linkOrder(Order& order);

  ProblemData& problem_;
  const LoadOptions& options_;
  ConfigFile config_;
  std::string configPath_;
  std::string currentPath_;  // the data file being read, as written in the configuration
  std::string currentFile_;  // the same, resolved
  std::vector<int> regionLines_;
  RecordNames articleTypeNames_;
};

void InstanceLoader::warn(std::string message, const std::string& file, int line) const {
  const LoadWarning warning{std::move(message), file, line};
  if (options_.warn) {
    options_.warn(warning);
  } else {
    std::cerr << warningText(warning) << "\n";
  }
}

void InstanceLoader::warnAboutRepeatedKeys() {
  for (LoadWarning& repeat : repeatedKeyWarnings(config_)) warn(std::move(repeat.message), repeat.file, repeat.line);
}

std::optional<LoadError> InstanceLoader::run(const std::string& configPath) {
  configPath_ = configPath;
  currentFile_ = configPath;
  if (!configPath.empty()) problem_.inputFiles.push_back(std::filesystem::absolute(configPath).string());
  if (!config_.read(configPath)) {
    LoadError failure =
        error(format("Error reading configuration file in line %d", config_.lineNumber()), config_.lineNumber());
    failure.reason = config_.failure();
    return failure;
  }
  warnAboutRepeatedKeys();
  if (auto failure = readParameters()) return failure;
  if (auto failure = loadAllTables()) return failure;
  if (auto failure = loadPositions()) return failure;
  return loadRoadDistances();
}

std::optional<LoadError> InstanceLoader::readIntParameter(const char* name, std::int32_t& target) {
  std::int32_t value = -1;
  const bool number = config_.getInt(std::string("params.") + name, -1, value);
  if (number && value == -1) {
    return error(format("There's no field called '%s' in 'params' section of configuration file", name));
  }
  if (!number || value < 0 || value > maxServiceMinutes) {
    return error(format("Wrong format of '%s' field in 'params' section", name));
  }
  target = value;
  return std::nullopt;
}

std::optional<LoadError> InstanceLoader::readRealParameter(const char* name, double& target) {
  double value = -1.0;
  const bool number = config_.getReal(std::string("params.") + name, -1.0, value);
  if (number && value == -1.0) {
    return error(format("There's no field called '%s' in 'params' section of configuration file", name));
  }
  // Written this way round so that nan is refused too.
  if (!number || !(value >= 0.0 && value <= 1.0)) {
    return error(format("Wrong format of '%s' field in 'params' section", name));
  }
  target = value;
  return std::nullopt;
}

std::optional<LoadError> InstanceLoader::readParameters() {
  if (auto failure = readIntParameter("pickupTime", problem_.pickupTime)) return failure;
  if (auto failure = readIntParameter("unloadTime", problem_.unloadTime)) return failure;
  if (auto failure = readRealParameter("minimalSat", problem_.minimalSat)) return failure;
  if (auto failure = readRealParameter("travelTimeFuzzines", problem_.travelTimeFuzzines)) return failure;
  if (!config_.lookup("params.placeInPoland")) {
    return error("There's no field called 'placeInPoland' in 'params' section of configuration file");
  }
  std::int32_t checkCapacity = 0;  // absent: routes ignore capacities
  if (!config_.getInt("params.checkCapacity", 0, checkCapacity)) {
    return error("Wrong format of 'checkCapacity' field in 'params' section");
  }
  problem_.checkCapacity = checkCapacity != 0;
  std::int32_t driverRules = 0;  // absent: driving and rest times are not planned
  if (!config_.getInt("params.driverRules", 0, driverRules) || (driverRules != 0 && driverRules != 1)) {
    return error("Wrong format of 'driverRules' field in 'params' section");
  }
  problem_.driverRules = driverRules == 1;
  if (auto wrong = readRoadParameters(config_, problem_)) return error(std::move(*wrong));
  return std::nullopt;
}

std::optional<LoadError> InstanceLoader::dataFilePath(const char* key, std::string& path) const {
  const auto value = config_.lookup(std::string("files.") + key);
  if (!value) {
    return LoadError{
        format("There's no field called '%s' in 'files' section of configuration file", key), configPath_, 0, {}};
  }
  path = *value;
  return std::nullopt;
}

std::string InstanceLoader::resolved(const std::string& path) const {
  if (options_.dataDirectory.empty() || std::filesystem::path(path).is_absolute()) return path;
  return (std::filesystem::path(options_.dataDirectory) / path).string();
}

std::optional<LoadError> InstanceLoader::open(const std::string& path, InputFile& in) const {
  if (in.open(currentFile_)) {
    problem_.inputFiles.push_back(std::filesystem::absolute(currentFile_).string());
    return std::nullopt;
  }
  LoadError failure = error(format("Can't open file '%s' for reading", path));
  failure.reason = in.failure();
  return failure;
}

// The error of a record reader that stopped before the end of the file.
std::optional<LoadError> InstanceLoader::readError(int status, const RecordReader& reader) const {
  if (status == RecordReader::lineTooLong) {
    return error(format("Line too long in file '%s': at most %d characters are allowed", currentPath_,
                        static_cast<int>(maxRecordLineLength)),
                 reader.recordLine());
  }
  if (status < 0) return error(format("Can't parse file '%s'", currentPath_));
  return std::nullopt;
}

template <class Record>
std::optional<Record> InstanceLoader::readRecord(const TableFile<Record>& file, const std::string& line, int lineNumber,
                                                 RecordNames& names, std::optional<LoadError>& failure) {
  Fields fields(line);
  auto record = file.parse(fields);
  if (!record) {
    failure = error(format("Can't parse file '%s'", currentPath_), lineNumber);
    failure->reason = fields.fault();
    return std::nullopt;
  }
  const std::string& name = recordName(*record);
  switch (names.note(name, lineNumber, line)) {
    case RecordNames::Seen::New:
      break;
    case RecordNames::Seen::Repeat:
      warn(format("%s '%s' in line %d repeats line %d exactly; it is read once", file.kind, name, lineNumber,
                  names.lineOf(name)),
           currentFile_, lineNumber);
      return std::nullopt;
    case RecordNames::Seen::Conflict:
      failure = error(format("Duplicate declaration of '%s' %s in file '%s' in lines %d and %d", name, file.kind,
                             currentPath_, names.lineOf(name), lineNumber),
                      lineNumber);
      return std::nullopt;
  }
  for (const std::string& notice : fields.notices()) {
    warn(format("%s '%s': %s", file.kind, name, notice), currentFile_, lineNumber);
  }
  return record;
}

template <class Record>
std::optional<LoadError> InstanceLoader::loadTable(const TableFile<Record>& file, std::vector<Record>& table,
                                                   std::int32_t capacity, Linker<Record> link) {
  table.clear();
  if (auto failure = dataFilePath(file.key, currentPath_)) return failure;
  currentFile_ = resolved(currentPath_);
  InputFile in;
  if (auto failure = open(currentPath_, in)) return failure;
  RecordReader reader(in.stream());
  RecordNames localNames;
  RecordNames& names = std::is_same_v<Record, ArticleType> ? articleTypeNames_ : localNames;
  std::string line;
  int status = 0;
  while ((status = reader.next(line)) == 1) {
    const int lineNumber = reader.recordLine();
    std::optional<LoadError> failure;
    auto record = readRecord(file, line, lineNumber, names, failure);
    if (failure) return failure;
    if (!record) continue;  // an exact repeat
    if (static_cast<std::int32_t>(table.size()) >= capacity) {
      return error(format("Too many records in file '%s': at most %d are allowed", currentPath_, capacity), lineNumber);
    }
    if (link) {
      if (auto message = link(*record)) return error(std::move(*message), lineNumber);
    }
    table.push_back(std::move(*record));
    if constexpr (std::is_same_v<Record, Region>) regionLines_.push_back(lineNumber);
  }
  return readError(status, reader);
}

template <class Record>
std::optional<std::string> InstanceLoader::linkByName(const Record*& target, std::vector<Record>& table,
                                                      const std::string& name, const char* kind) const {
  target = findByName(table, name);
  if (target) return std::nullopt;
  const std::string pattern = std::string("Missing declaration of '%s' ") + kind + " in file '%s'";
  return format(pattern.c_str(), name, currentPath_);
}

std::optional<std::string> InstanceLoader::linkVehicle(Vehicle& vehicle) {
  return linkByName(vehicle.vehicleType, problem_.vehicleTypes, vehicle.vehicleTypeNameAsRead, "vehicle type");
}

std::optional<std::string> InstanceLoader::linkRegion(Region& region) {
  return linkByName(region.country, problem_.countries, region.countryNameAsRead, "country");
}

std::optional<std::string> InstanceLoader::linkPlace(Place& place) {
  if (auto missing = linkByName(place.country, problem_.countries, place.countryNameAsRead, "country")) return missing;
  if (auto missing = linkByName(place.region, problem_.regions, place.regionNameAsRead, "region")) return missing;
  if (place.region->countryName() != place.countryName()) {
    return format("Incoherent information about country in '%s' place and '%s' region", place.name, place.region->name);
  }
  return std::nullopt;
}

std::optional<std::string> InstanceLoader::linkOrder(Order& order) {
  if (auto missing = linkByName(order.client, problem_.clients, order.clientNameAsRead, "client")) return missing;
  if (auto missing = linkByName(order.pickupPlace, problem_.places, order.pickupPlaceNameAsRead, "place")) {
    return missing;
  }
  if (auto missing = linkByName(order.deliveryPlace, problem_.places, order.deliveryPlaceNameAsRead, "place")) {
    return missing;
  }
  problem_.horizonEnd = std::max(problem_.horizonEnd, order.deliveryWindow.end);
  return std::nullopt;
}

std::optional<LoadError> InstanceLoader::loadAllTables() {
  ProblemData& p = problem_;
  if (auto f = loadTable<VehicleType>({"vehicleTypes", "vehicle type", parseVehicleType}, p.vehicleTypes,
                                      p.maxVehicleTypes, {}))
    return f;
  if (auto f = loadTable<Vehicle>({"vehicles", "vehicle", parseVehicle}, p.vehicles, p.maxVehicles,
                                  [this](Vehicle& v) { return linkVehicle(v); }))
    return f;
  if (auto f = loadTable<Client>({"clients", "client", parseClient}, p.clients, p.maxClients, {})) return f;
  if (auto f = loadTable<Country>({"countries", "country", parseCountry}, p.countries, p.maxCountries, {})) return f;
  if (auto f = loadTable<Region>({"regions", "region", parseRegion}, p.regions, p.maxRegions,
                                 [this](Region& r) { return linkRegion(r); }))
    return f;
  if (auto f = loadTable<Place>({"places", "place", parsePlace}, p.places, p.maxPlaces,
                                [this](Place& place) { return linkPlace(place); }))
    return f;
  if (auto f = completePlaces()) return f;
  if (auto f = loadTable<Order>({"orders", "order", parseOrder}, p.orders, p.maxOrders,
                                [this](Order& o) { return linkOrder(o); }))
    return f;
  if (auto f = loadTable<ArticleType>({"articleTypes", "article type", parseArticleType}, p.articleTypes,
                                      p.maxArticleTypes, {}))
    return f;
  if (auto f = checkArticleTypes(articleTypeNames_)) return f;
  deriveCapacities(p);
  deriveCrews(p);
  return std::nullopt;
}

// An article type that contains itself would count its own load again and again.
std::optional<LoadError> InstanceLoader::checkArticleTypes(const RecordNames& names) {
  const auto looping = selfContainingArticleType(problem_.articleTypes);
  if (!looping) return std::nullopt;
  const std::string& name = problem_.articleTypes[*looping].name();
  return error(format("Article type '%s' contains itself in file '%s'", name, currentPath_), names.lineOf(name));
}

std::optional<LoadError> InstanceLoader::completePlaces() {
  const std::string regionsFile = resolved(*config_.lookup("files.regions"));
  for (std::size_t i = 0; i < problem_.regions.size(); ++i) {
    Region& region = problem_.regions[i];
    const Place* place = problem_.findPlace(region.representingPlaceNameAsRead);
    if (!place) {
      return LoadError{format("Missing declaration of '%s' place", region.representingPlaceNameAsRead),
                       regionsFile,
                       regionLines_[i],
                       {}};
    }
    if (place->regionName() != region.name) {
      return LoadError{
          format("Incoherent information about region in '%s' place and '%s' region", place->name, region.name),
          regionsFile,
          regionLines_[i],
          {}};
    }
    region.representingPlace = place;
  }
  const std::string home = *config_.lookup("params.placeInPoland");
  problem_.homePlace = problem_.findPlace(home);
  if (!problem_.homePlace) {
    return LoadError{format("There's no place named '%s' required by placeInPoland", home), configPath_, 0, {}};
  }
  for (std::size_t i = 0; i < problem_.places.size(); ++i) problem_.places[i].index = static_cast<std::int32_t>(i);
  fillDistanceTables(problem_);
  problem_.horizonEnd = 0;
  return std::nullopt;
}

std::optional<LoadError> InstanceLoader::loadPositions() {
  if (auto failure = dataFilePath("vehiclesPositions", currentPath_)) return failure;
  currentFile_ = resolved(currentPath_);
  InputFile in;
  if (auto failure = open(currentPath_, in)) return failure;
  RecordReader reader(in.stream());
  std::string line;
  int status = 0;
  while ((status = reader.next(line)) == 1) {
    Fields fields(line);
    const std::string vehicleName = fields.name();
    Vehicle* vehicle = findByName(problem_.vehicles, vehicleName);
    if (!vehicle) {
      return error(format("Can't find vehicle '%s' in file '%s'", vehicleName, currentPath_), reader.recordLine());
    }
    const auto start = fields.fuzzyTime("start time");
    const std::string placeName = start ? fields.name() : std::string();
    const Place* place = problem_.findPlace(placeName);
    if (!place) {
      LoadError failure = error(format("Can't parse file '%s'", currentPath_), reader.recordLine());
      failure.reason = !start              ? fields.fault()
                       : placeName.empty() ? std::string("start place: missing")
                                           : format("start place: no place is named '%s'", placeName);
      return failure;
    }
    vehicle->startTime = *start;
    vehicle->startPlace = place;
  }
  return readError(status, reader);
}

// The optional tenth data file: road legs that replace the great-circle rule.
std::optional<LoadError> InstanceLoader::loadRoadDistances() {
  const auto path = config_.lookup("files.distances");
  if (!path) return std::nullopt;
  currentPath_ = *path;
  currentFile_ = resolved(currentPath_);
  // An input like the other data files: no output may replace it.
  problem_.inputFiles.push_back(std::filesystem::absolute(currentFile_).string());
  return readDistancesFile(currentPath_, currentFile_, problem_);
}

}  // namespace

std::vector<LoadWarning> repeatedKeyWarnings(const ConfigFile& file) {
  std::vector<LoadWarning> warnings;
  for (const ConfigFile::RepeatedKey& repeat : file.repeatedKeys()) {
    warnings.push_back({format("key '%s' is given twice, in lines %d and %d; the first value stays in force",
                               repeat.key, repeat.firstLine, repeat.line),
                        file.path(), repeat.line});
  }
  return warnings;
}

std::string warningText(const LoadWarning& warning) {
  std::string text = "warning: " + warning.message;
  if (!warning.file.empty())
    text += "\nat " + warning.file + (warning.line > 0 ? ":" + std::to_string(warning.line) : "");
  return text;
}

std::optional<LoadError> loadInstance(const std::string& configPath, ProblemData& problem, const LoadOptions& options) {
  // The zone is read once per load; every date of the load is converted in it.
  refreshLocalTimeZone();
  ProblemData fresh;
  if (auto failure = InstanceLoader(fresh, options).run(configPath)) return failure;
  problem = std::move(fresh);
  return std::nullopt;
}

}  // namespace tamso
