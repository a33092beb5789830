// The thorough search from the window: F5 asks for the time limit (refusing anything but a
// positive number), Stop ends the run early and keeps its best plan, which goes to the map
// and into "total.dump" like a Local Search plan.
#include <QLineEdit>
#include <QProgressDialog>
#include <QtTest>

#include "routing/solution.h"
#include "tests/ui/shell_fixture.h"
#include "ui/thorough_search_dialog.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

ThoroughSearchDialog* openDialog(Shell& shell) {
  shell.action(Command::ThoroughSearch)->trigger();
  return shell.view().findChild<ThoroughSearchDialog*>();
}

}  // namespace

class ThoroughSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogOffersThirtySecondsAndRefusesOthersThanPositive() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    QVERIFY(shell.enabled(Command::ThoroughSearch));
    ThoroughSearchDialog* dialog = openDialog(shell);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->edit()->text(), QString("30"));
    for (const char* bad : {"0", "-5", "soon"}) {
      dialog->edit()->setText(bad);
      dialog->accept();
      QVERIFY(dialog->isVisible());
      QCOMPARE(shell.prompts.lastMessage(), kEnterSecondsMessage);
    }
    dialog->reject();
    QVERIFY(!shell.view().running());
  }

  void stopKeepsTheBestPlanAndShowsIt() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.view().setSeed(4);
    shell.frame.show();
    QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
    ThoroughSearchDialog* dialog = openDialog(shell);
    QVERIFY(dialog != nullptr);
    dialog->edit()->setText("600");
    dialog->accept();
    QVERIFY(shell.view().running());
    QVERIFY(!shell.enabled(Command::ThoroughSearch));
    auto* progress = shell.view().findChild<QProgressDialog*>();
    QVERIFY(progress != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(progress->labelText().contains("elapsed: "), 60000);
    QVERIFY(progress->labelText().contains("best gain so far: "));
    shell.action(Command::Stop)->trigger();
    QVERIFY(finished.wait(120000));
    QVERIFY(shell.prompts.lastMessage().startsWith("Stopped\nbest gain: "));
    const Solution* plan = shell.view().layer().solution();
    QVERIFY(plan != nullptr);
    QVERIFY(shell.view().layer().showRoutes);  // its routes are shown at once
    QVERIFY(shell.enabled(Command::HideRoutes));
    QVERIFY(shell.enabled(Command::RouteInfos));
    const QByteArray dump = readAll(QDir::current().filePath("total.dump"));
    // The dump holds the gain as printed, to the single-precision resolution near it.
    QVERIFY(qAbs(dump.left(dump.indexOf('\n')).trimmed().toDouble() - static_cast<double>(plan->gain())) <= 1.0 / 64);
    // The dialog remembers the limit last confirmed.
    dialog = openDialog(shell);
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->edit()->text(), QString("600"));
    dialog->reject();
  }
};

QTEST_MAIN(ThoroughSearchTest)
#include "thorough_search_test.moc"
