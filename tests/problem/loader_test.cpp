#include "problem/loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <sys/stat.h>

#include "problem/text.h"
#include "tests/numbered_name.h"
#include "tests/problem/local_time.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

const char* const baseConfig =
    "[params]\npickupTime=30\nunloadTime=45\nminimalSat=0.5\ntravelTimeFuzzines=0.1\nplaceInPoland=WARSZAWA\n"
    "[files]\nvehicleTypes=types.txt\nvehicles=vehicles.txt\nclients=clients.txt\ncountries=countries.txt\n"
    "regions=regions.txt\nplaces=places.txt\norders=orders.txt\narticleTypes=articles.txt\n"
    "vehiclesPositions=positions.txt\n";

std::map<std::string, std::string> baseFiles() {
  return {
      {"types.txt", "Truck 2 cap 1 pallet 33 cap 1 weight 9\nVan 1 cap 1 pallet 8\n"},
      {"vehicles.txt", "V1 truck 14000\nV2 VAN 2000\n"},
      {"clients.txt", "Acme strategic\nBeta regular\n"},
      {"countries.txt", "Poland 200 1.0 0\nGermany 300 1.5 0\n"},
      {"regions.txt", "Mazowsze Warszawa Poland 90 300\nBerlin_R Berlin Germany 100 350\n"},
      {"places.txt",
       "Warszawa 52.2297 21.0122 Poland Mazowsze\nRadom 51.4 21.15 Poland Mazowsze\n"
       "Berlin 52.52 13.405 Germany Berlin_R\n"},
      {"orders.txt",
       "O1 Acme 1500 Warszawa Berlin \\\n"
       "  2024-03-04 08:00 2024-03-04 12:00 2024-03-04 14:00  2024-03-04 16:00 2024-03-04 22:00 2024-03-05 01:00 "
       "goods 1 pallet 10\n"
       "O2 Beta 500.5 Radom Warszawa 2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00  2024-03-04 09:00 "
       "2024-03-04 10:00 2024-03-04 11:00 goods 0\n"},
      {"articles.txt", "pallet 2 length 120 width 80\n"},
      {"positions.txt", "V1 2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00 Warszawa\n"},
  };
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::useCentralEuropeanTime();
    config_ = baseConfig;
    files_ = baseFiles();
  }

  // Replaces the first occurrence of `from` in the configuration.
  void editConfig(const std::string& from, const std::string& to) {
    const auto at = config_.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    config_.replace(at, from.size(), to);
  }

  std::optional<LoadError> load(ProblemData& problem) {
    std::ofstream(dir_ / "instance.cfg") << config_;
    for (const auto& [name, text] : files_) std::ofstream(dir_ / name) << text;
    LoadOptions options{dir_.string()};
    warnings_.clear();
    options.warn = [this](const LoadWarning& warning) {
      warnings_.push_back(warning.message + " @" + fs::path(warning.file).filename().string() + ":" +
                          std::to_string(warning.line));
    };
    return loadInstance((dir_ / "instance.cfg").string(), problem, options);
  }

  // Replaces the first occurrence of `from` in a data file.
  void editFile(const std::string& file, const std::string& from, const std::string& to) {
    const auto at = files_[file].find(from);
    ASSERT_NE(at, std::string::npos) << file << ": " << from;
    files_[file].replace(at, from.size(), to);
  }

  std::string loadMessage() {
    ProblemData problem;
    const auto error = load(problem);
    return error ? error->message : "(loaded)";
  }

  testing::TempFolder scratch_{"tamso-loader"};
  const fs::path dir_ = scratch_.path();
  std::string config_;
  std::map<std::string, std::string> files_;
  std::vector<std::string> warnings_;  // "message @file:line"
};

TEST_F(LoaderTest, LoadsRecordsLinksAndDerivedValues) {
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_EQ(problem.pickupTime, 30);
  EXPECT_EQ(problem.unloadTime, 45);
  EXPECT_DOUBLE_EQ(problem.minimalSat, 0.5);
  ASSERT_EQ(problem.vehicleTypes.size(), 2u);
  EXPECT_EQ(problem.vehicleTypes[0].listCount(), 1);                     // the repeated list name is left out
  EXPECT_EQ(problem.vehicles[0].vehicleType, &problem.vehicleTypes[0]);  // names match after upper-casing
  EXPECT_EQ(problem.clients[0].flag, 1);
  EXPECT_EQ(problem.clients[1].flag, 0);
  ASSERT_EQ(problem.places.size(), 3u);
  for (std::size_t i = 0; i < problem.places.size(); ++i) EXPECT_EQ(problem.places[i].index, static_cast<int>(i));
  EXPECT_EQ(problem.regions[0].representingPlace, &problem.places[0]);
  EXPECT_EQ(problem.homePlace, &problem.places[0]);
  const Order& o1 = problem.orders[0];
  EXPECT_EQ(o1.client, &problem.clients[0]);
  EXPECT_TRUE(o1.isPriority());
  EXPECT_EQ(o1.deliveryPlace, &problem.places[2]);
  EXPECT_EQ(o1.articles.quantityAt(0), 10.0f);
  EXPECT_FLOAT_EQ(problem.orders[1].price, 500.5f);
  EXPECT_EQ(problem.horizonEnd, o1.deliveryWindow.end);
  EXPECT_GT(problem.distance(problem.places[0], problem.places[2]), 400.0f);
  EXPECT_EQ(problem.travelTime(problem.places[2], problem.places[0]),
            problem.travelTime(problem.places[0], problem.places[2]));
  ASSERT_TRUE(problem.vehicles[0].startTime);
  EXPECT_EQ(problem.vehicles[0].startPlace, &problem.places[0]);
  EXPECT_FALSE(problem.vehicles[1].startTime);
  EXPECT_EQ(problem.articleTypes[0].name(), "PALLET");
}

TEST_F(LoaderTest, CapacityCheckIsSwitchedByTheParamsAndLoadsAreDerivedAfterTheArticleTypes) {
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_FALSE(problem.checkCapacity);  // absent: off
  // Articles are read after the orders, yet the order's load counts its pallets' lengths.
  files_["types.txt"] = "Truck 1 capacity 2 pallet 33 length 5000\nVan 0\n";
  editConfig("placeInPoland", "checkCapacity=1\nplaceInPoland");
  ASSERT_FALSE(load(problem));
  EXPECT_TRUE(problem.checkCapacity);
  EXPECT_EQ(problem.capacityKeys, (std::vector<std::string>{"PALLET", "LENGTH"}));
  EXPECT_EQ(problem.orders[0].capacityLoad, (std::vector<double>{10, 1200}));
  EXPECT_EQ(problem.orders[1].capacityLoad, (std::vector<double>{0, 0}));
  EXPECT_EQ(problem.vehicleTypes[0].capacityLimits, (std::vector<double>{33, 5000}));
  EXPECT_TRUE(problem.vehicleTypes[1].capacityLimits.empty());  // no CAPACITY list: no limit
  editConfig("checkCapacity=1", "checkCapacity=0");
  ASSERT_FALSE(load(problem));
  EXPECT_FALSE(problem.checkCapacity);
  editConfig("checkCapacity=0", "checkCapacity=yes");
  EXPECT_EQ(loadMessage(), "Wrong format of 'checkCapacity' field in 'params' section");
}

TEST_F(LoaderTest, DriverRulesAreOnlyOneOrOff) {
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_FALSE(problem.driverRules);  // absent: off
  const std::string refused = "Wrong format of 'driverRules' field in 'params' section";
  const std::vector<std::pair<std::string, std::string>> cases = {{"driverRules=1", "(loaded)"},
                                                                  {"driverRules=0", "(loaded)"},
                                                                  {"driverRules=2", refused},
                                                                  {"driverRules=-1", refused},
                                                                  {"driverRules=on", refused}};
  editConfig("placeInPoland", "driverRules=0\nplaceInPoland");
  std::string previous = "driverRules=0";
  for (const auto& [line, message] : cases) {
    editConfig(previous, line);
    previous = line;
    EXPECT_EQ(loadMessage(), message) << line;
    if (message == "(loaded)") {
      ASSERT_FALSE(load(problem));
      EXPECT_EQ(problem.driverRules, line == "driverRules=1") << line;
    }
  }
}

TEST_F(LoaderTest, LaterPositionsReplace) {
  files_["positions.txt"] += "V1 2024-03-05 06:00 2024-03-05 07:00 2024-03-05 08:00 Berlin\n";
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_EQ(problem.vehicles[0].startPlace, &problem.places[2]);
}

TEST_F(LoaderTest, EmptyOrdersFileLoadsWithZeroHorizon) {
  files_["orders.txt"] = "# nothing to carry\n";
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_TRUE(problem.orders.empty());
  EXPECT_EQ(problem.horizonEnd, 0);
}

struct ConfigCase {
  const char* from;
  const char* to;
  const char* message;
};

TEST_F(LoaderTest, ParameterAndFileKeyMessagesInTheirOrder) {
  const ConfigCase cases[] = {
      {"pickupTime=30", "pickupTime=abc", "Wrong format of 'pickupTime' field in 'params' section"},
      {"pickupTime=30", "pickupTime=-1",
       "There's no field called 'pickupTime' in 'params' section of configuration file"},
      {"pickupTime=30", "pickupTime = 30",
       "There's no field called 'pickupTime' in 'params' section of configuration file"},
      {"unloadTime=45", "unloadTime=x", "Wrong format of 'unloadTime' field in 'params' section"},
      {"unloadTime=45", "", "There's no field called 'unloadTime' in 'params' section of configuration file"},
      {"minimalSat=0.5", "minimalSat=.", "Wrong format of 'minimalSat' field in 'params' section"},
      {"minimalSat=0.5", "minimalSat=-1.0",
       "There's no field called 'minimalSat' in 'params' section of configuration file"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=none",
       "Wrong format of 'travelTimeFuzzines' field in 'params' section"},
      {"travelTimeFuzzines=0.1", "",
       "There's no field called 'travelTimeFuzzines' in 'params' section of configuration file"},
      {"placeInPoland=WARSZAWA", "",
       "There's no field called 'placeInPoland' in 'params' section of configuration file"},
      {"placeInPoland=WARSZAWA", "placeInPoland=Warszawa",
       "There's no place named 'Warszawa' required by placeInPoland"},
      {"vehicleTypes=types.txt", "", "There's no field called 'vehicleTypes' in 'files' section of configuration file"},
      {"vehicles=vehicles.txt", "", "There's no field called 'vehicles' in 'files' section of configuration file"},
      {"clients=clients.txt", "", "There's no field called 'clients' in 'files' section of configuration file"},
      {"countries=countries.txt", "", "There's no field called 'countries' in 'files' section of configuration file"},
      {"regions=regions.txt", "", "There's no field called 'regions' in 'files' section of configuration file"},
      {"places=places.txt", "", "There's no field called 'places' in 'files' section of configuration file"},
      {"orders=orders.txt", "", "There's no field called 'orders' in 'files' section of configuration file"},
      {"articleTypes=articles.txt", "",
       "There's no field called 'articleTypes' in 'files' section of configuration file"},
      {"vehiclesPositions=positions.txt", "",
       "There's no field called 'vehiclesPositions' in 'files' section of configuration file"},
      {"orders=orders.txt", "orders=absent.txt", "Can't open file 'absent.txt' for reading"},
      {"[params]", "[params", "Error reading configuration file in line 1"},
  };
  for (const ConfigCase& c : cases) {
    config_ = baseConfig;
    editConfig(c.from, c.to);
    EXPECT_EQ(loadMessage(), c.message) << c.from << " -> " << c.to;
  }
}

TEST_F(LoaderTest, ParametersAreCheckedBeforeAnyDataFile) {
  editConfig("unloadTime=45", "unloadTime=x");
  files_["types.txt"] = "broken 1\n";
  EXPECT_EQ(loadMessage(), "Wrong format of 'unloadTime' field in 'params' section");
}

TEST_F(LoaderTest, AMissingFileKeyIsReportedOnlyAfterTheFilesBeforeIt) {
  editConfig("orders=orders.txt", "");
  files_["places.txt"] += "Nowhere 1 1 Atlantis Mazowsze\n";
  EXPECT_EQ(loadMessage(), "Missing declaration of 'ATLANTIS' country in file 'places.txt'");
}

struct FileCase {
  const char* file;
  const char* text;
  const char* message;
};

TEST_F(LoaderTest, LinkAndGeographyMessages) {
  const FileCase cases[] = {
      {"vehicles.txt", "V1 Lorry 1\n", "Missing declaration of 'LORRY' vehicle type in file 'vehicles.txt'"},
      {"regions.txt", "R Warszawa Mars 1 1\n", "Missing declaration of 'MARS' country in file 'regions.txt'"},
      {"places.txt", "Warszawa 1 1 Poland Nowhere\n", "Missing declaration of 'NOWHERE' region in file 'places.txt'"},
      {"places.txt", "Warszawa 1 1 Germany Mazowsze\n",
       "Incoherent information about country in 'WARSZAWA' place and 'MAZOWSZE' region"},
      {"regions.txt", "Mazowsze Plock Poland 1 1\nBerlin_R Berlin Germany 1 1\n",
       "Missing declaration of 'PLOCK' place"},
      {"regions.txt", "Mazowsze Berlin Poland 1 1\nBerlin_R Berlin Germany 1 1\n",
       "Incoherent information about region in 'BERLIN' place and 'MAZOWSZE' region"},
      {"orders.txt",
       "O1 Nobody 1 Warszawa Berlin 2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 "
       "2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 g 0\n",
       "Missing declaration of 'NOBODY' client in file 'orders.txt'"},
      {"orders.txt",
       "O1 Acme 1 Paris Berlin 2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 "
       "2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 g 0\n",
       "Missing declaration of 'PARIS' place in file 'orders.txt'"},
      {"orders.txt",
       "O1 Acme 1 Berlin Paris 2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 "
       "2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 g 0\n",
       "Missing declaration of 'PARIS' place in file 'orders.txt'"},
      {"positions.txt", "V9 2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00 Warszawa\n",
       "Can't find vehicle 'V9' in file 'positions.txt'"},
      {"positions.txt", "V1 2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00 Paris\n",
       "Can't parse file 'positions.txt'"},
      {"positions.txt", "V1 2024-03-04 06:00 Warszawa\n", "Can't parse file 'positions.txt'"},
  };
  for (const FileCase& c : cases) {
    files_ = baseFiles();
    files_[c.file] = c.text;
    EXPECT_EQ(loadMessage(), c.message) << c.file << ": " << c.text;
  }
}

TEST_F(LoaderTest, RefusedRecordsFailTheLoadAtTheirLine) {
  const FileCase cases[] = {
      {"types.txt", "Truck 1 cap 2 pallet 1 pallet 2\n", "Can't parse file 'types.txt'"},
      {"types.txt", "Truck 2 cap 1 pallet 1\n", "Can't parse file 'types.txt'"},
      {"vehicles.txt", "V1 Truck\n", "Can't parse file 'vehicles.txt'"},
      {"clients.txt", "Acme\n", "Can't parse file 'clients.txt'"},
      {"countries.txt", "Poland 1 2\n", "Can't parse file 'countries.txt'"},
      {"places.txt", "Warszawa 52\n", "Can't parse file 'places.txt'"},
      {"orders.txt", "O1 Acme 1 Warszawa Berlin 2024-03-04 08:00 2024-03-04 08:00\n", "Can't parse file 'orders.txt'"},
      {"orders.txt",
       "O1 Acme 1 Warszawa Berlin 2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 "
       "2024-03-04 08:00 2024-03-04 08:00 2024-03-04 08:00 goods 2 a 1 a 2\n",
       "Can't parse file 'orders.txt'"},
      {"articles.txt", "pallet 3 length 1\n", "Can't parse file 'articles.txt'"},
  };
  for (const FileCase& c : cases) {
    files_ = baseFiles();
    files_[c.file] = std::string("# header\n\n") + c.text;
    ProblemData problem;
    const auto error = load(problem);
    ASSERT_TRUE(error) << c.text;
    EXPECT_EQ(error->message, c.message) << c.text;
    EXPECT_EQ(error->line, 3) << c.text;
    EXPECT_EQ(fs::path(error->file).filename(), c.file);
  }
}

TEST_F(LoaderTest, TooManyRecordsFailWithTheLimitAndWriteNothingPastIt) {
  std::string countries;
  for (int i = 0; i < ProblemData::maxCountries + 1; ++i) countries += testing::numberedName("C", i) + " 1 1 0\n";
  files_["countries.txt"] = countries;
  ProblemData problem;
  const auto error = load(problem);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "Too many records in file 'countries.txt': at most 500 are allowed");
  EXPECT_EQ(error->line, 501);
}

TEST_F(LoaderTest, AFailedLoadLeavesThePreviousProblemWhole) {
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  const Place* firstPlace = &problem.places[0];
  editConfig("pickupTime=30", "pickupTime=99");
  files_["regions.txt"] = "R Warszawa Mars 1 1\n";
  ASSERT_TRUE(load(problem));
  EXPECT_EQ(problem.pickupTime, 30);
  EXPECT_EQ(problem.regions.size(), 2u);
  EXPECT_EQ(&problem.places[0], firstPlace);
  EXPECT_EQ(problem.places[0].region, &problem.regions[0]);
  EXPECT_EQ(problem.orders[0].pickupPlace, firstPlace);
}

TEST_F(LoaderTest, ASuccessfulReloadReplacesEverything) {
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  editConfig("pickupTime=30", "pickupTime=99");
  files_["orders.txt"] = "";
  ASSERT_FALSE(load(problem));
  EXPECT_EQ(problem.pickupTime, 99);
  EXPECT_TRUE(problem.orders.empty());
  EXPECT_EQ(problem.orders.capacity(), static_cast<std::size_t>(ProblemData::maxOrders));
}

TEST_F(LoaderTest, ConfigReadErrorNamesItsLine) {
  config_ = "[params]\npickupTime=30\nno equals sign\n";
  ProblemData problem;
  const auto error = load(problem);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "Error reading configuration file in line 3");
  EXPECT_EQ(error->line, 3);
  EXPECT_EQ(loadInstance((dir_ / "missing.cfg").string(), problem)->message,
            "Error reading configuration file in line 0");
}

TEST_F(LoaderTest, DataPathsResolveAgainstTheDataDirectoryOrStandAsWritten) {
  editConfig("clients=clients.txt", "clients=" + (dir_ / "clients.txt").string());
  ProblemData problem;
  EXPECT_FALSE(load(problem));
  // Without a data directory relative names are taken from the current directory.
  std::ofstream(dir_ / "instance.cfg") << config_;
  const auto error = loadInstance((dir_ / "instance.cfg").string(), problem);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "Can't open file 'types.txt' for reading");
}

TEST_F(LoaderTest, ADirectoryIsNoDataFile) {
  fs::create_directories(dir_ / "folder");
  editConfig("vehicles=vehicles.txt", "vehicles=folder");
  EXPECT_EQ(loadMessage(), "Can't open file 'folder' for reading");
}

// Values no real problem has are refused when read, so every schedule built on a loaded
// problem stays far inside 32-bit minutes; the edges of what is accepted still load.
TEST_F(LoaderTest, ValuesNoRealProblemHasAreRefused) {
  const ConfigCase refused[] = {
      {"pickupTime=30", "pickupTime=2147483647", "Wrong format of 'pickupTime' field in 'params' section"},
      {"pickupTime=30", "pickupTime=10081", "Wrong format of 'pickupTime' field in 'params' section"},
      {"unloadTime=45", "unloadTime=99999999999", "Wrong format of 'unloadTime' field in 'params' section"},
      {"unloadTime=45", "unloadTime=-20", "Wrong format of 'unloadTime' field in 'params' section"},
      {"minimalSat=0.5", "minimalSat=nan", "Wrong format of 'minimalSat' field in 'params' section"},
      {"minimalSat=0.5", "minimalSat=-5", "Wrong format of 'minimalSat' field in 'params' section"},
      {"minimalSat=0.5", "minimalSat=2", "Wrong format of 'minimalSat' field in 'params' section"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=1e9",
       "Wrong format of 'travelTimeFuzzines' field in 'params' section"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=inf",
       "Wrong format of 'travelTimeFuzzines' field in 'params' section"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=nan",
       "Wrong format of 'travelTimeFuzzines' field in 'params' section"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=-0.1",
       "Wrong format of 'travelTimeFuzzines' field in 'params' section"},
      {"pickupTime=30", "pickupTime=10080", "(loaded)"},
      {"unloadTime=45", "unloadTime=0", "(loaded)"},
      {"minimalSat=0.5", "minimalSat=1", "(loaded)"},
      {"minimalSat=0.5", "minimalSat=0", "(loaded)"},
      {"travelTimeFuzzines=0.1", "travelTimeFuzzines=1", "(loaded)"},
  };
  for (const ConfigCase& c : refused) {
    config_ = baseConfig;
    editConfig(c.from, c.to);
    EXPECT_EQ(loadMessage(), c.message) << c.to;
  }
  config_ = baseConfig;
  const FileCase dates[] = {
      {"orders.txt", "2024-03-05 01:00", "Can't parse file 'orders.txt'"},
      {"positions.txt", "2024-03-04 08:00", "Can't parse file 'positions.txt'"},
  };
  for (const FileCase& c : dates) {
    const std::string original = files_[c.file];
    files_[c.file].replace(files_[c.file].find(c.text), 16, "6053-01-01 23:00");
    EXPECT_EQ(loadMessage(), c.message) << c.file;
    files_[c.file].replace(files_[c.file].find("6053-01-01 23:00"), 16, "2200-01-01 00:00");
    EXPECT_EQ(loadMessage(), c.message) << c.file;
    files_[c.file].replace(files_[c.file].find("2200-01-01 00:00"), 16, "2199-12-31 23:59");
    EXPECT_EQ(loadMessage(), "(loaded)") << c.file;
    files_[c.file] = original;
  }
}

// Names in UTF-8 are read as names and matched after Unicode upper-casing; byte-order
// marks of Windows editors are skipped in the configuration and in the data files.
TEST_F(LoaderTest, UnicodeNamesAndByteOrderMarks) {
  config_ = "\xEF\xBB\xBF" + config_;
  files_["places.txt"] =
      "\xEF\xBB\xBF"
      "# places\n" +
      files_["places.txt"];
  files_["places.txt"].replace(files_["places.txt"].find("Radom"), 5,
                               "\xC5\x81\xC3\xB3"
                               "d\xC5\xBA");
  files_["places.txt"] += "Krak\xC3\xB3w 50.06 19.94 Poland Mazowsze\n";
  files_["orders.txt"].replace(files_["orders.txt"].find("Radom"), 5,
                               "\"\xC5\x81\xC3\x93"
                               "D\xC5\xB9\"");
  ProblemData problem;
  const auto error = load(problem);
  ASSERT_FALSE(error) << error->message;
  ASSERT_EQ(problem.places.size(), 4u);
  EXPECT_EQ(problem.places[1].name,
            "\xC5\x81\xC3\x93"
            "D\xC5\xB9");
  EXPECT_EQ(problem.orders[1].pickupPlace, &problem.places[1]);
  EXPECT_EQ(problem.places[3].name, "KRAK\xC3\x93W");
  EXPECT_FLOAT_EQ(problem.places[3].longitude, 19.94f);
}

// What cannot be a data file or a configuration is refused at once with the reason, and a
// line beyond the limit is refused with its file and line, without reading it whole.
TEST_F(LoaderTest, FilesThatCannotBeReadSayWhy) {
  ProblemData problem;
  ASSERT_EQ(mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  struct Case {
    std::string config;  // the configuration file to load
    std::string edit;    // replaces "orders=orders.txt" when not empty
    std::string message;
    std::string reason;
  };
  const std::string cfg = (dir_ / "instance.cfg").string();
  const Case cases[] = {
      {(dir_ / "pipe").string(), "", "Error reading configuration file in line 0", "not a regular file"},
      {(dir_ / "absent.cfg").string(), "", "Error reading configuration file in line 0", "No such file or directory"},
      {"/dev/zero", "", "Error reading configuration file in line 0", "not a regular file"},
      {cfg, "orders=pipe", "Can't open file 'pipe' for reading", "not a regular file"},
      {cfg, "orders=/dev/zero", "Can't open file '/dev/zero' for reading", "not a regular file"},
      {cfg, "orders=.", "Can't open file '.' for reading", "Is a directory"},
  };
  for (const Case& c : cases) {
    config_ = baseConfig;
    if (!c.edit.empty()) editConfig("orders=orders.txt", c.edit);
    load(problem);
    const auto error = loadInstance(c.config, problem, LoadOptions{dir_.string()});
    ASSERT_TRUE(error) << c.config << " " << c.edit;
    EXPECT_EQ(error->message, c.message) << c.config << " " << c.edit;
    EXPECT_EQ(error->reason, c.reason) << c.config << " " << c.edit;
  }
  config_ = baseConfig;
  files_["places.txt"] += "Long " + std::string(maxRecordLineLength, 'x') + "\n";
  auto error = load(problem);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "Line too long in file 'places.txt': at most 1048576 characters are allowed");
  EXPECT_EQ(error->line, 4);
  EXPECT_EQ(error->file, (dir_ / "places.txt").string());
}

// A number misread would plan as another number: each is refused with the file, the line
// and a second line naming the field and the fault.
TEST_F(LoaderTest, NumbersThatWouldBeMisreadAreRefusedNamingTheFieldAndWhy) {
  struct Case {
    const char* file;
    const char* from;
    const char* to;
    int line;
    const char* reason;
  };
  const Case cases[] = {
      {"countries.txt", "Poland 200", "Poland -200", 1,
       "cost per day: '-200' is negative, and only 0 or more makes sense here"},
      {"vehicles.txt", "14000", "1e5", 1, "mass: '1E5' is in exponent notation, which is not accepted"},
      {"orders.txt", "1500", "4294967296", 1, "price: '4294967296' is too large: at most 2147483647 is accepted"},
      {"places.txt", "51.4", "nan", 2, "latitude: 'NAN' is not a number: it has no digit"},
      {"places.txt", "21.15", "-", 2, "longitude: '-' is not a number: it has no digit"},
      {"places.txt", "21.15", "21.15.3", 2, "longitude: '21.15.3' is not a number"},
      {"regions.txt", "90 300", "-90 300", 1,
       "average waiting time: '-90' is negative, and only 0 or more makes sense here"},
      {"types.txt", "pallet 33", "pallet -33", 1,
       "quantity of 'PALLET' in list 'CAP': '-33' is negative, and only 0 or more makes sense here"},
      {"types.txt", "Truck 2", "Truck 2.5", 1, "list count: '2.5' is not a whole number"},
      {"orders.txt", "pallet 10", "pallet 1e5", 1,
       "quantity of 'PALLET' in list 'GOODS': '1E5' is in exponent notation, which is not accepted"},
      {"articles.txt", "pallet 2", "pallet -2", 1,
       "pair count of list 'PALLET': '-2' is negative, and only 0 or more makes sense here"},
      {"articles.txt", "pallet 2", "pallet 3", 1, "list 'PALLET': 3 pairs announced, 2 found"},
      {"countries.txt", "Poland 200 1.0 0", "Poland 200", 1, "cost per km: missing"},
      {"orders.txt", "2024-03-04 08:00", "2024-03-04", 1, "pickup window: three valid date-times expected"},
      {"positions.txt", "Warszawa", "Paris", 1, "start place: no place is named 'PARIS'"},
  };
  for (const Case& c : cases) {
    files_ = baseFiles();
    editFile(c.file, c.from, c.to);
    ProblemData problem;
    const auto error = load(problem);
    ASSERT_TRUE(error) << c.to;
    EXPECT_EQ(error->message, "Can't parse file '" + std::string(c.file) + "'") << c.to;
    EXPECT_EQ(error->reason, c.reason) << c.to;
    EXPECT_EQ(error->line, c.line) << c.to;
  }
}

// What the data files deliberately accept still loads: a decimal comma, signed coordinates,
// a leading plus, lenient date separators.
TEST_F(LoaderTest, DecimalCommasSignedCoordinatesAndLenientDatesStillLoad) {
  editFile("places.txt", "51.4 21.15", "-51,4 -21,15");
  editFile("orders.txt", "500.5", "500,5");
  editFile("positions.txt", "2024-03-04 06:00", "2024/3/4 6.00");
  ProblemData problem;
  const auto error = load(problem);
  ASSERT_FALSE(error) << error->message << "\n" << error->reason;
  EXPECT_FLOAT_EQ(problem.places[1].latitude, -51.4f);
  EXPECT_FLOAT_EQ(problem.places[1].longitude, -21.15f);
  EXPECT_FLOAT_EQ(problem.orders[1].price, 500.5f);
  EXPECT_TRUE(warnings_.empty());
}

// Two records of one name contradict each other and fail the load naming both lines; the
// same record given twice is read once with a warning. An article type that contains itself
// is refused.
TEST_F(LoaderTest, RecordsThatContradictEachOtherAreRefused) {
  struct Case {
    const char* file;
    const char* added;
    const char* message;  // empty: loads, with the warning below
    const char* warning;
  };
  const Case cases[] = {
      {"types.txt", "van 0\n", "Duplicate declaration of 'VAN' vehicle type in file 'types.txt' in lines 2 and 3", ""},
      {"vehicles.txt", "V1 van 1\n", "Duplicate declaration of 'V1' vehicle in file 'vehicles.txt' in lines 1 and 3",
       ""},
      {"clients.txt", "acme regular\n", "Duplicate declaration of 'ACME' client in file 'clients.txt' in lines 1 and 3",
       ""},
      {"countries.txt", "Poland 1 1 0\n",
       "Duplicate declaration of 'POLAND' country in file 'countries.txt' in lines 1 and 3", ""},
      {"regions.txt", "Mazowsze Radom Poland 90 300\n",
       "Duplicate declaration of 'MAZOWSZE' region in file 'regions.txt' in lines 1 and 3", ""},
      {"places.txt", "Warszawa 10 10 Poland Mazowsze\n",
       "Duplicate declaration of 'WARSZAWA' place in file 'places.txt' in lines 1 and 4", ""},
      {"orders.txt",
       "O2 Beta 9 Radom Warszawa 2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00  2024-03-04 09:00 "
       "2024-03-04 10:00 2024-03-04 11:00 goods 0\n",
       "Duplicate declaration of 'O2' order in file 'orders.txt' in lines 3 and 4", ""},
      {"articles.txt", "pallet 0\n",
       "Duplicate declaration of 'PALLET' article type in file 'articles.txt' in lines 1 and 2", ""},
      {"articles.txt", "box 1 box 2\n", "Article type 'BOX' contains itself in file 'articles.txt'", ""},
      {"articles.txt", "box 1 crate 1\ncrate 2 lid 1 box 4\n",
       "Article type 'BOX' contains itself in file 'articles.txt'", ""},
      {"places.txt", "Warszawa   52.2297 21.0122\tPoland Mazowsze\n", "",
       "place 'WARSZAWA' in line 4 repeats line 1 exactly; it is read once @places.txt:4"},
      {"articles.txt", "box 1 pallet 4\n", "", ""},  // containing another type is fine
  };
  for (const Case& c : cases) {
    files_ = baseFiles();
    files_[c.file] += c.added;
    ProblemData problem;
    const auto error = load(problem);
    if (*c.message == '\0') {
      ASSERT_FALSE(error) << c.added << error->message;
      EXPECT_EQ(problem.places.size(), 3u);
      EXPECT_EQ(warnings_, (*c.warning == '\0' ? std::vector<std::string>{} : std::vector<std::string>{c.warning}));
      continue;
    }
    ASSERT_TRUE(error) << c.added;
    EXPECT_EQ(error->message, c.message) << c.added;
    EXPECT_GT(error->line, 0) << c.added;
  }
}

// Usable but suspicious data loads as before and is warned about on every load, with its
// file and line: a window out of order, a configuration key given twice.
TEST_F(LoaderTest, SuspiciousDataIsWarnedAboutWithItsLine) {
  editFile("orders.txt", "2024-03-04 06:00 2024-03-04 07:00 2024-03-04 08:00",
           "2024-03-04 08:00 2024-03-04 07:00 2024-03-04 06:00");
  editConfig("unloadTime=45\n", "unloadTime=45\nunloadTime=60\n");
  ProblemData problem;
  ASSERT_FALSE(load(problem));
  EXPECT_EQ(problem.unloadTime, 45);
  EXPECT_EQ(problem.orders[1].pickupWindow.end, problem.orders[1].pickupWindow.start);
  const std::vector<std::string> expected = {
      "key 'params.unloadTime' is given twice, in lines 3 and 4; the first value stays in force @instance.cfg:4",
      "order 'O2': pickup window: its three times are not in order; it is read as [ 2024-03-04 08:00; 2024-03-04 "
      "08:00 ] @orders.txt:3",
  };
  EXPECT_EQ(warnings_, expected);
  ASSERT_FALSE(load(problem));
  EXPECT_EQ(warnings_, expected);
}

}  // namespace
}  // namespace tamso
