// The five lists of the loaded data, filled from the tiny example and from hand-made tables.
#include <QHeaderView>
#include <QTreeWidget>
#include <QtTest>

#include "problem/loader.h"
#include "ui/data_dialogs.h"

using namespace tamso;
using namespace tamso::ui;

namespace {

QStringList headings(const ReportList& list) {
  QStringList texts;
  for (int c = 0; c < list.columnCount(); ++c) texts << list.headingText(c);
  return texts;
}

QStringList rowOf(const ReportList& list, int row) {
  QStringList cells;
  for (int c = 0; c < list.columnCount(); ++c) cells << list.cellText(row, c);
  return cells;
}

void expectColumnWidths(const ReportList& list) {
  for (int c = 0; c < list.columnCount(); ++c) QVERIFY(list.header()->sectionSize(c) >= 140);
}

}  // namespace

class DataDialogsTest : public QObject {
  Q_OBJECT

 private:
  ProblemData tiny;

 private slots:
  void initTestCase() {
    LoadOptions options;
    options.dataDirectory = TAMSO_SOURCE_DIR "/examples/tiny";
    const auto error = loadInstance(TAMSO_SOURCE_DIR "/examples/tiny/tiny.cfg", tiny, options);
    QVERIFY2(!error, error ? error->message.c_str() : "");
  }

  void withoutProblemOnlyHeadingsShow() {
    VehiclesDialog vehicles(nullptr, nullptr);
    CountriesDialog countries(nullptr, nullptr);
    RegionsDialog regions(nullptr, nullptr);
    PlacesDialog places(nullptr, nullptr);
    VehicleTypesDialog types(nullptr, nullptr);
    for (DataListDialog* dialog : std::initializer_list<DataListDialog*>{&vehicles, &countries, &regions, &places}) {
      QCOMPARE(dialog->list()->rowCount(), 0);
      QVERIFY(dialog->list()->columnCount() >= 3);
    }
    QCOMPARE(types.tree()->topLevelItemCount(), 0);
  }

  void vehicles() {
    VehiclesDialog dialog(nullptr, &tiny);
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vehicles"));
    const ReportList& list = *dialog.list();
    QCOMPARE(headings(list), (QStringList{"Vehicle Name", "Category", "Mass"}));
    expectColumnWidths(list);
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(rowOf(list, 0), (QStringList{"POZ-01", "TRUCK_40T", "14500.00"}));
    QCOMPARE(rowOf(list, 1), (QStringList{"BER-02", "VAN_3_5T", "2200.00"}));
    dialog.close();
  }

  void countriesAndPlaces() {
    CountriesDialog countries(nullptr, &tiny);
    QCOMPARE(countries.windowTitle(), QStringLiteral("Countries"));
    QCOMPARE(headings(*countries.list()), (QStringList{"Name", "Cost per day", "Cost per km"}));
    expectColumnWidths(*countries.list());
    QCOMPARE(rowOf(*countries.list(), 0), (QStringList{"POLAND", "210.00", ".95"}));
    QCOMPARE(rowOf(*countries.list(), 1), (QStringList{"GERMANY", "340.00", "1.35"}));

    PlacesDialog places(nullptr, &tiny);
    QCOMPARE(places.windowTitle(), QStringLiteral("Places"));
    QCOMPARE(headings(*places.list()), (QStringList{"Name", "Longitude", "Latitude", "Country", "Region"}));
    QCOMPARE(places.list()->rowCount(), 5);
    // The places file gives the latitude first; the list shows the longitude first.
    QCOMPARE(rowOf(*places.list(), 0), (QStringList{"POZNAN", "16.92", "52.40", "POLAND", "WIELKOPOLSKIE"}));
    QCOMPARE(places.list()->cellText(4, 0), QStringLiteral("FRANKFURT ODER"));
  }

  void regionsIsSizable() {
    RegionsDialog regions(nullptr, &tiny);
    QCOMPARE(regions.windowTitle(), QStringLiteral("Regions"));
    QCOMPARE(headings(*regions.list()),
             (QStringList{"Name", "Average waiting time", "Average profit", "Country", "Representing location"}));
    QCOMPARE(rowOf(*regions.list(), 2), (QStringList{"BERLIN_BRANDENBURG", "105.00", "350.00", "GERMANY", "BERLIN"}));
    QVERIFY(regions.minimumSize() != regions.maximumSize());
    PlacesDialog places(nullptr, &tiny);
    QCOMPARE(places.minimumSize(), places.maximumSize());
  }

  void vehicleTypesTree() {
    VehicleTypesDialog dialog(nullptr, &tiny);
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vehicle Types"));
    QTreeWidget& tree = *dialog.tree();
    QCOMPARE(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* truck = tree.topLevelItem(0);
    QCOMPARE(truck->text(0), QStringLiteral("TRUCK_40T"));
    QCOMPARE(truck->childCount(), 2);
    QCOMPARE(truck->child(0)->text(0), QStringLiteral("CAPACITY"));
    QCOMPARE(truck->child(0)->childCount(), 2);
    QCOMPARE(truck->child(0)->child(0)->text(0), QStringLiteral("PALLET_EUR 33.00"));
    QCOMPARE(truck->child(0)->child(1)->text(0), QStringLiteral("WEIGHT 24000.00"));
    QCOMPARE(truck->child(1)->text(0), QStringLiteral("EQUIPMENT"));
    QVERIFY(!truck->isExpanded());
    QVERIFY(tree.rootIsDecorated());
    dialog.close();
  }

  void treeTakesAnyNumberOfNodesAndEmptyLists() {
    ProblemData problem;
    for (int t = 0; t < 20; ++t) {
      VehicleType type;
      type.name = "TYPE" + std::to_string(t);
      QuantityList list("LIST");
      for (int k = 0; k < 5; ++k) list.add("KEY" + std::to_string(k), static_cast<float>(k));
      type.addList(list);
      type.addList(QuantityList("EMPTY"));
      problem.vehicleTypes.push_back(type);
    }
    problem.vehicleTypes.push_back(VehicleType{"BARE", {}, {}, {}});
    VehicleTypesDialog dialog(nullptr, &problem);
    QTreeWidget& tree = *dialog.tree();
    QCOMPARE(tree.topLevelItemCount(), 21);
    QTreeWidgetItem* last = tree.topLevelItem(19);
    QCOMPARE(last->text(0), QStringLiteral("TYPE19"));
    QCOMPARE(last->child(0)->child(4)->text(0), QStringLiteral("KEY4 4.00"));
    QCOMPARE(last->child(1)->text(0), QStringLiteral("EMPTY"));
    QCOMPARE(last->child(1)->childCount(), 0);
    QCOMPARE(tree.topLevelItem(20)->childCount(), 0);
  }

  void unresolvedLinksShowTheNameAsReadAndNumbersSortByValue() {
    ProblemData problem;
    problem.countries.push_back(Country{"BIG", 100.5f, 1.0f, 0.0f});
    problem.countries.push_back(Country{"MID", 20.0f, -3.5f, 0.0f});
    problem.countries.push_back(Country{"SMALL", 3.0f, 0.05f, 0.0f});
    Region region;
    region.name = "LOOSE";
    region.countryNameAsRead = "NOWHERE";
    region.representingPlaceNameAsRead = "NOPLACE";
    problem.regions.push_back(region);

    RegionsDialog regions(nullptr, &problem);
    QCOMPARE(regions.list()->cellText(0, 3), QStringLiteral("NOWHERE"));
    QCOMPARE(regions.list()->cellText(0, 4), QStringLiteral("NOPLACE"));

    CountriesDialog countries(nullptr, &problem);
    ReportList& list = *countries.list();
    QCOMPARE(list.cellText(1, 2), QStringLiteral("-3.50"));
    QCOMPARE(list.cellText(2, 2), QStringLiteral(".05"));
    list.sortByColumn(1, Qt::AscendingOrder);
    QCOMPARE(list.cellText(0, 0), QStringLiteral("SMALL"));
    QCOMPARE(list.cellText(1, 0), QStringLiteral("MID"));
    QCOMPARE(list.cellText(2, 0), QStringLiteral("BIG"));
    list.sortByColumn(2, Qt::AscendingOrder);
    QCOMPARE(list.cellText(0, 0), QStringLiteral("MID"));
  }
};

QTEST_MAIN(DataDialogsTest)
#include "data_dialogs_test.moc"
