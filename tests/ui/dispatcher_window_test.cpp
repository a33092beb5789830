// The window as a dispatcher uses it all day: the problem in view on loading, zooming that
// keeps the place of interest in view, the status field, the best evolutionary plan, lists
// shown whole, remembered window settings and files dropped on the window.
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include "routing/solution.h"
#include "tests/ui/shell_fixture.h"
#include "ui/data_dialogs.h"
#include "ui/recent_files.h"
#include "ui/route_windows.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

// A shown window whose map area is the real viewport, not a fixed client size.
void showForReal(Shell& shell) {
  shell.view().setFixedClientSize(std::nullopt);
  shell.view().setFitOnLoad(true);
  shell.frame.resize(1000, 750);
  shell.frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&shell.frame));
}

// The map position (at zoom 1) under a point of the client area.
QPointF mapPointUnder(CTamsoView& view, QPoint client) {
  return QPointF(view.scrollPosition() + client) / static_cast<double>(view.zoom());
}

}  // namespace

class DispatcherWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void loadingShowsEveryPlaceCentredWithTheProblemFigures() {
    Shell shell;
    showForReal(shell);
    shell.openData(shelltest::europeCopy(shell.dir));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    CTamsoView& view = shell.view();
    QVERIFY(view.layer().showLocations);
    QVERIFY(view.zoom() > 1.0f);
    const QRect client(QPoint(0, 0), view.viewport()->size());
    QRect placed;
    for (const MapPoint& place : view.layer().locations()) {
      const QPoint at = QPoint(place.x, place.y) - view.scrollPosition();
      QVERIFY2(client.contains(at), place.place->name.c_str());
      placed |= QRect(at, QSize(1, 1));
    }
    QVERIFY(qAbs(placed.center().x() - client.center().x()) <= 2);
    QVERIFY(qAbs(placed.center().y() - client.center().y()) <= 2);
    QCOMPARE(shell.frame.summaryText(), QString("180 orders, 52 vehicles, 101 places"));
    QVERIFY(shell.enabled(Command::ZoomToFit));
    QCOMPARE(shell.action(Command::ZoomToFit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    QCOMPARE(shell.action(Command::Exit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  }

  void zoomStepsAndTheWheelKeepTheirPointInPlace() {
    Shell shell;
    showForReal(shell);
    shell.openData(shelltest::europeCopy(shell.dir));
    CTamsoView& view = shell.view();
    const float fitted = view.zoom();
    const QPoint middle(view.viewport()->width() / 2, view.viewport()->height() / 2);
    const QPointF centre = mapPointUnder(view, middle);
    for (Command step : {Command::ZoomIn, Command::ZoomIn, Command::ZoomIn, Command::ZoomOut}) {
      shell.action(step)->trigger();
      const QPointF now = mapPointUnder(view, middle);
      QVERIFY2(qAbs(now.x() - centre.x()) <= 1.0 && qAbs(now.y() - centre.y()) <= 1.0,
               qPrintable(QString("%1,%2 moved to %3,%4").arg(centre.x()).arg(centre.y()).arg(now.x()).arg(now.y())));
    }
    // Ctrl and the wheel zoom around the mouse, not the middle.
    const QPoint mouse(middle.x() / 2, middle.y() / 2);
    const QPointF underMouse = mapPointUnder(view, mouse);
    const float zoomBefore = view.zoom();
    QWheelEvent wheel(mouse, view.viewport()->mapToGlobal(mouse), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    QVERIFY(view.zoom() > zoomBefore);
    const QPointF after = mapPointUnder(view, mouse);
    QVERIFY(qAbs(after.x() - underMouse.x()) <= 1.0 && qAbs(after.y() - underMouse.y()) <= 1.0);
    // Zoom to Fit brings every place back after zooming far in.
    for (int i = 0; i < 200; ++i) shell.action(Command::ZoomIn)->trigger();
    QCOMPARE(view.zoom(), MapView::maxZoom);
    shell.action(Command::ZoomToFit)->trigger();
    QCOMPARE(view.zoom(), fitted);
  }

  void theBestHybridPlanGoesToTheMapOnlyWhenAskedFor() {
    Shell shell;
    shell.openData(shelltest::tinyCopy(shell.dir));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    shell.view().setSeed(3);
    // "OK": the map keeps having no plan, as before.
    QVERIFY(shell.runAndWait(Command::HybridGenetic));
    QVERIFY(shell.prompts.lastMessage().startsWith("finished\nbest gain: "));
    QVERIFY(shell.view().layer().solution() == nullptr);
    QVERIFY(!shell.enabled(Command::RouteInfos));

    shell.prompts.askAnswers.push_back(1);
    QVERIFY(shell.runAndWait(Command::HybridGenetic));
    const QString message = shell.prompts.lastMessage();
    const Solution* plan = shell.view().layer().solution();
    QVERIFY(plan != nullptr);
    QCOMPARE(message, QString("finished\nbest gain: %1").arg(static_cast<double>(plan->gain()), 0, 'f', 2));
    QVERIFY(shell.view().layer().showRoutes);
    QVERIFY(shell.view().layer().routeCount() > 0);
    QVERIFY(shell.enabled(Command::RouteInfos) && shell.enabled(Command::HideRoutes));
    const std::size_t orders = shell.view().problem().orders.size();
    QVERIFY(shell.frame.summaryText().endsWith(QString("; gain %1, %2 of %3 planned")
                                                   .arg(static_cast<double>(plan->gain()), 0, 'f', 2)
                                                   .arg(orders - plan->unplanned().size())
                                                   .arg(orders)));
  }

  void vehiclesListShowsEveryRowAndColumnOnAThousandPixelScreen() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    VehiclesDialog dialog(&shell.frame, &shell.view().problem());
    QCOMPARE(dialog.list()->rowCount(), 52);
    const QSize size = dialog.preferredSize(QSize(1600, 1000));
    QVERIFY(size.height() < 1000);
    dialog.setFixedSize(size);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ReportList& list = *dialog.list();
    const QRect shown = list.viewport()->rect();
    const QModelIndex last = list.model()->index(35, list.columnCount() - 1);
    QVERIFY(shown.contains(list.visualRect(last)));
    for (int row = 0; row < 36; ++row) {
      const QString name = list.cellText(row, 0);
      QVERIFY(list.columnWidth(0) > list.fontMetrics().horizontalAdvance(name));
    }
  }

  void windowSettingsAndTheFormerRecentListAreKept() {
    QTemporaryDir dir;
    QSettings former(dir.filePath("former.ini"), QSettings::IniFormat);
    RecentFiles(former).add(dir.filePath("old.cfg"));
    QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
    RecentFiles(settings).adoptFormerList(former);
    QCOMPARE(RecentFiles(settings).files(), QStringList{QFileInfo(dir.filePath("old.cfg")).absoluteFilePath()});
    RecentFiles(settings).remove(dir.filePath("old.cfg"));
    RecentFiles(settings).adoptFormerList(former);  // read once only
    QVERIFY(RecentFiles(settings).files().isEmpty());

    DialogPrompts prompts;
    {
      CMainFrame frame(prompts, settings, imageLoadLibrary());
      frame.resize(640, 480);
      frame.show();
      QVERIFY(QTest::qWaitForWindowExposed(&frame));
      frame.close();
    }
    CMainFrame again(prompts, settings, imageLoadLibrary());
    QCOMPARE(again.size(), QSize(640, 480));
  }

  void aDroppedFileOpensAsMapOrAsData() {
    Shell shell;
    shell.view().setFitOnLoad(true);
    shell.view().openDroppedFile(shelltest::pictureMap(shell.dir, 600, 600));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    QVERIFY(shell.view().layer().backgroundShown);
    shell.view().openDroppedFile(shelltest::tinyCopy(shell.dir));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    QVERIFY(shell.view().problemLoaded());
  }
};

QTEST_MAIN(DispatcherWindowTest)
#include "dispatcher_window_test.moc"
