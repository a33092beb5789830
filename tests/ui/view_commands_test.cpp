// The map view's commands: opening data and map files, what the map shows, zoom, and the
// settings dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tests/ui/shell_fixture.h"
#include "ui/about_dialog.h"
#include "ui/iterations_dialog.h"
#include "ui/optimization_options_dialog.h"
#include "ui/visualization_dialog.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

template <typename Dialog>
Dialog* openDialog(Shell& shell, Command command) {
  shell.action(command)->trigger();
  auto* dialog = shell.frame.findChild<Dialog*>();
  if (dialog != nullptr) QTest::qWait(0);
  return dialog;
}

void closeAndDelete(QDialog* dialog, bool accept) {
  if (accept)
    dialog->accept();
  else
    dialog->reject();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class ViewCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void openingTheExampleEnablesRunsAndShowsLocations() {
    Shell shell;
    const QString config = shelltest::europeCopy(shell.dir);
    shell.openData(config);
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    QCOMPARE(shell.prompts.filters.back(), QString("All files (*.*)"));
    QCOMPARE(QDir::currentPath(), QFileInfo(config).absolutePath());
    QVERIFY(shell.view().problemLoaded());
    for (Command c : {Command::LocalSearch, Command::HybridGenetic, Command::Genetic}) QVERIFY(shell.enabled(c));
    QVERIFY(!shell.enabled(Command::ShowRoutes));
    QCOMPARE(shell.frame.recentFileActions().size(), 1);
    QCOMPARE(shell.frame.recentFileActions()[0]->data().toString(), QFileInfo(config).absoluteFilePath());

    // The places are shown at once, as if Show Locations had been chosen.
    const MapLayer& layer = shell.view().layer();
    QCOMPARE(layer.locations().size(), shell.view().problem().places.size());
    QVERIFY(!layer.locations().empty());
    // Without a map the fixed frame is stretched over the client area.
    QCOMPARE(shell.view().scrollRange(), QSize(500, 500));
    QCOMPARE(layer.width, 500);
    QVERIFY(shell.enabled(Command::HideLocations));
    QVERIFY(!shell.enabled(Command::ShowLocations));
    QVERIFY(shell.enabled(Command::ZoomIn));

    shell.action(Command::HideLocations)->trigger();
    QVERIFY(!shell.view().layer().showLocations);
    QVERIFY(shell.enabled(Command::ShowLocations));
  }

  void aFailedLoadShowsTheLoaderMessageAndChangesNothing() {
    Shell shell;
    shell.openData(shell.dir.filePath("missing.cfg"));
    QCOMPARE(shell.prompts.messages.size(), std::size_t{1});
    QVERIFY(!shell.prompts.lastMessage().isEmpty());
    QVERIFY(!shell.view().problemLoaded());
    QVERIFY(!shell.enabled(Command::LocalSearch));
    QVERIFY(shell.frame.recentFileActions().isEmpty());
    // Cancel in the file dialog does nothing at all.
    shell.openData(QString());
    QCOMPARE(shell.prompts.messages.size(), std::size_t{1});
  }

  void showBackgroundWithoutAPictureOnlyTells() {
    Shell shell;
    shell.action(Command::ShowBackground)->trigger();
    QCOMPARE(shell.prompts.lastMessage(), QString("No image loaded.\nUse option File\\Open map parameters"));
    QVERIFY(shell.enabled(Command::ShowBackground));
    QVERIFY(!shell.enabled(Command::HideBackground));
    QVERIFY(!shell.view().layer().backgroundShown);
  }

  void zoomWithoutAPictureStopsBelowOneTenth() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.action(Command::ShowLocations)->trigger();
    const int firstX = shell.view().layer().locations().front().x;
    shell.action(Command::ZoomIn)->trigger();
    QCOMPARE(shell.view().zoom(), 1.1f);
    QCOMPARE(shell.view().scrollRange(), QSize(550, 550));
    QVERIFY(shell.view().layer().locations().front().x != firstX);  // projected again
    float last = shell.view().zoom();
    bool fellBelow = false;
    for (int i = 0; i < 20; ++i) {
      shell.action(Command::ZoomOut)->trigger();
      const float now = shell.view().zoom();
      if (fellBelow) QCOMPARE(now, last);
      if (static_cast<double>(now) < 0.1) fellBelow = true;
      last = now;
    }
    QVERIFY(fellBelow);
    QVERIFY(!shell.view().renderCanvas().isNull());
  }

  void zoomWithAPictureKeepsItCoveringTheClient() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.action(Command::ShowLocations)->trigger();
    shell.openMap(shelltest::pictureMap(shell.dir, 1000, 800));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    QVERIFY(shell.view().layer().backgroundShown);
    QCOMPARE(shell.view().zoom(), 1.0f);
    QCOMPARE(shell.view().scrollRange(), QSize(1000, 800));
    QVERIFY(shell.enabled(Command::HideBackground));
    QVERIFY(!shell.enabled(Command::ShowBackground));

    // 1000 x 800 in 500 x 500: the fit zoom is 0.625.
    for (int i = 0; i < 6; ++i) shell.action(Command::ZoomOut)->trigger();
    QCOMPARE(shell.view().zoom(), 0.625f);
    QCOMPARE(shell.view().scrollRange(), QSize(625, 500));
    const QImage canvas = shell.view().renderCanvas();
    QCOMPARE(canvas.size(), QSize(625, 500));
    QVERIFY(!shell.enabled(Command::ZoomOut));
    shell.action(Command::ZoomIn)->trigger();
    QCOMPARE(shell.view().zoom(), 0.725f);
    shell.view().renderCanvas();
    QVERIFY(shell.enabled(Command::ZoomOut));

    shell.action(Command::HideBackground)->trigger();
    QCOMPARE(shell.view().scrollRange(), QSize(500, 500));
    QCOMPARE(shell.view().zoom(), 0.725f);
    QVERIFY(shell.enabled(Command::ShowBackground));
    QVERIFY(!shell.view().layer().backgroundShown);

    shell.action(Command::ShowBackground)->trigger();
    QCOMPARE(shell.view().zoom(), 1.0f);
    QCOMPARE(shell.view().scrollRange(), QSize(1000, 800));
    QVERIFY(shell.prompts.messages.empty());
  }

  void mapFileFaultsAreReportedAndKeepTheMenus() {
    Shell shell;
    shell.openMap(shell.dir.filePath("none.map"));
    QCOMPARE(shell.prompts.lastMessage(),
             QString("Error reading configuration file in line 0\nNo such file or directory"));
    QFile broken(shell.dir.filePath("nopicture.map"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("mapfilename=absent.jpg\n");
    broken.close();
    shell.openMap(broken.fileName());
    QCOMPARE(shell.prompts.lastMessage(), QString("Error loading image\nthe file cannot be read"));
    QVERIFY(shell.enabled(Command::ShowBackground));
    QVERIFY(!shell.enabled(Command::HideBackground));
    shell.action(Command::ShowBackground)->trigger();
    QCOMPARE(shell.prompts.lastMessage(), QString("No image loaded.\nUse option File\\Open map parameters"));
  }

  void visualizationOkAppliesEverySetting() {
    Shell shell;
    auto* dialog = openDialog<CVisualizationDlg>(shell, Command::Visualization);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Visualization"));
    QCOMPARE(dialog->shapeBox()->count(), 4);
    QCOMPARE(dialog->shapeBox()->currentText(), QString("Rectangle"));
    QCOMPARE(dialog->routeWidthEdit()->text(), QString("4"));
    QCOMPARE(dialog->selectedRouteWidthEdit()->text(), QString("6"));
    QCOMPARE(dialog->locationSizeEdit()->text(), QString("10"));
    QCOMPARE(dialog->selectedLocationSizeEdit()->text(), QString("18"));
    for (const char* caption : {"Locations' shape", "Locations' color", "Route width", "Selected route width",
                                "Locations' size", "Selected locations' size"}) {
      bool found = false;
      for (auto* box : dialog->findChildren<QGroupBox*>()) found = found || box->title() == caption;
      QVERIFY2(found, caption);
    }

    shell.prompts.colourAnswer = QColor(0, 0, 255);
    dialog->changeButton()->click();
    QCOMPARE(shell.prompts.colourStarts.back(), QColor(Qt::black));
    dialog->shapeBox()->setCurrentIndex(0);
    dialog->routeWidthEdit()->setText("0");
    dialog->selectedRouteWidthEdit()->setText(" -3 ");
    dialog->locationSizeEdit()->setText("7");
    dialog->selectedLocationSizeEdit()->setText("99");
    closeAndDelete(dialog, true);

    const MapLayer& layer = shell.view().layer();
    QCOMPARE(layer.shape, 0);
    QCOMPARE(layer.routeWidth, 0);
    QCOMPARE(layer.selectedRouteWidth, -3);
    QCOMPARE(layer.locationSize, 7);
    QCOMPARE(layer.selectedLocationSize, 99);
    QCOMPARE(layer.locationColour, Rgb::fromHex(0x0000FF));
    QCOMPARE(shell.view().map().locationColour, Rgb::fromHex(0x0000FF));
  }

  void visualizationCancelAndRefusals() {
    Shell shell;
    auto* dialog = openDialog<CVisualizationDlg>(shell, Command::Visualization);
    shell.prompts.colourAnswer = QColor(0, 255, 0);
    dialog->changeButton()->click();
    dialog->locationSizeEdit()->setText("3");
    closeAndDelete(dialog, false);
    QCOMPARE(shell.view().layer().locationSize, 10);
    QCOMPARE(shell.view().map().locationColour, Rgb::fromHex(0xFF0000));
    QCOMPARE(shell.view().layer().locationColour, Rgb());

    dialog = openDialog<CVisualizationDlg>(shell, Command::Visualization);
    dialog->routeWidthEdit()->setText("wide");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(shell.prompts.lastMessage(), QString("Please enter an integer."));
    dialog->routeWidthEdit()->setText("5");
    // The box takes no typing, so a shape is always chosen and the places stay visible.
    QVERIFY(!dialog->shapeBox()->isEditable());
    dialog->shapeBox()->setEditText("Hexagon");
    closeAndDelete(dialog, true);
    QCOMPARE(shell.view().layer().routeWidth, 5);
    QCOMPARE(shell.view().layer().shape, 2);  // the shape in force, Rectangle
  }

  void iterationsDialogShowsTheRestartsInForce() {
    Shell shell;
    auto* dialog = openDialog<IterationsDialog>(shell, Command::NumberOfIterations);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Dialog"));
    QCOMPARE(dialog->edit()->text(), QString("1"));
    dialog->edit()->setText("5");
    closeAndDelete(dialog, true);
    QCOMPARE(shell.view().iterationCount(), 5);

    dialog = openDialog<IterationsDialog>(shell, Command::NumberOfIterations);
    QCOMPARE(dialog->edit()->text(), QString("5"));
    dialog->edit()->setText("12x");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(shell.prompts.lastMessage(), QString("Please enter an integer."));
    closeAndDelete(dialog, false);
    QCOMPARE(shell.view().iterationCount(), 5);
  }

  void optimizationOptionsToggleTheEstimatedGain() {
    Shell shell;
    auto* dialog = openDialog<OptimizationOptionsDialog>(shell, Command::OptimizationOptions);
    QCOMPARE(dialog->windowTitle(), QString("Optimization"));
    QCOMPARE(dialog->checkBox()->text(), QString("Include Estimated Gain in calculations"));
    QVERIFY(!dialog->checkBox()->isChecked());
    dialog->checkBox()->click();
    closeAndDelete(dialog, true);
    QVERIFY(shell.view().estimatedGain());

    dialog = openDialog<OptimizationOptionsDialog>(shell, Command::OptimizationOptions);
    QVERIFY(dialog->checkBox()->isChecked());
    dialog->checkBox()->click();
    closeAndDelete(dialog, false);
    QVERIFY(shell.view().estimatedGain());
  }

  void respectingCapacitiesAndDrivingTimesFollowEachLoadedConfigurationUntilChanged() {
    Shell shell;
    shell.openData(shelltest::sourcePath("examples/tiny/tiny.cfg"));  // checkCapacity=1
    QVERIFY(shell.view().respectCapacities());
    auto* dialog = openDialog<OptimizationOptionsDialog>(shell, Command::OptimizationOptions);
    QCOMPARE(dialog->capacityCheckBox()->text(), QString("Respect vehicle capacities"));
    QVERIFY(dialog->capacityCheckBox()->isChecked());
    dialog->capacityCheckBox()->click();
    closeAndDelete(dialog, true);
    QVERIFY(!shell.view().respectCapacities());
    shell.openData(shelltest::sourcePath("examples/tiny/tiny.cfg"));
    QVERIFY(shell.view().respectCapacities());
    // The driving and rest times likewise (tiny leaves driverRules out: off).
    QVERIFY(!shell.view().respectDrivingTimes());
    dialog = openDialog<OptimizationOptionsDialog>(shell, Command::OptimizationOptions);
    QCOMPARE(dialog->drivingTimesCheckBox()->text(), QString("Respect driving and rest times"));
    dialog->drivingTimesCheckBox()->click();
    closeAndDelete(dialog, true);
    QVERIFY(shell.view().respectDrivingTimes());
    shell.openData(shelltest::sourcePath("examples/tiny/tiny.cfg"));
    QVERIFY(!shell.view().respectDrivingTimes());
  }

  void aboutShowsTheAboutDialogOnly() {
    Shell shell;
    shell.action(Command::About)->trigger();
    const QList<QDialog*> dialogs = shell.frame.findChildren<QDialog*>();
    QCOMPARE(dialogs.size(), 1);
    auto* about = qobject_cast<CAboutDlg*>(dialogs.front());
    QVERIFY(about != nullptr);
    QCOMPARE(about->windowTitle(), QString("About Tamso"));
    bool versionShown = false;
    for (QLabel* label : about->findChildren<QLabel*>())
      versionShown = versionShown || label->text() == "Tamso Version 1.0";
    QVERIFY(versionShown);
    closeAndDelete(about, true);
    QVERIFY(shell.frame.findChildren<QDialog*>().isEmpty());
  }
};

QTEST_MAIN(ViewCommandsTest)
#include "view_commands_test.moc"
