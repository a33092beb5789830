// The installed program: its examples found beside it wherever the package was unpacked,
// the open-file chooser starting there only for a user without recent files, and --version.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <variant>

#include "ui/bundled_examples.h"
#include "ui/start_options.h"

using namespace tamso::ui;

class InstalledLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void examplesAreFoundRelativeToTheProgram() {
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString program = prefix.filePath("bin");
    QVERIFY(QDir().mkpath(program));
    QCOMPARE(bundledExamplesFolder(program), QString());  // nothing installed yet
    QCOMPARE(bundledExamplesFolder(QString()), QString());

    const QString examples = QDir::cleanPath(QDir(program).absoluteFilePath(TAMSO_EXAMPLES_FROM_BINDIR));
    QVERIFY(examples.startsWith(prefix.path() + "/"));
    QVERIFY(QDir().mkpath(examples));
    QCOMPARE(bundledExamplesFolder(program), examples);
    QCOMPARE(bundledExamplesFolder(program + "/"), examples);

    QCOMPARE(firstOpenFolder({}, program), examples);
    QCOMPARE(firstOpenFolder({"/data/week.cfg"}, program), QString());
  }

  void versionIsAnOptionOfItsOwn() {
    const auto parsed = parseStartOptions({"--version"});
    QVERIFY(std::holds_alternative<StartOptions>(parsed));
    QVERIFY(std::get<StartOptions>(parsed).version);
    QVERIFY(!std::get<StartOptions>(parseStartOptions({"x.cfg"})).version);
  }
};

QTEST_MAIN(InstalledLayoutTest)
#include "installed_layout_test.moc"
