// The map as a picture: the command-line export, location shapes at the pixels the map core
// projects, the fill rules and boxes handed to QPainter, and the bitmap converted once.
#include <QPainter>
#include <QtTest>

#include "map/map_params.h"
#include "map/map_params_file.h"
#include "problem/loader.h"
#include "tests/ui/shell_fixture.h"
#include "ui/map_painter.h"
#include "ui/tamso_app.h"

using namespace tamso;
using namespace tamso::ui;

namespace {

const QRgb kRed = qRgb(0xFF, 0, 0);

ProblemData loadedEurope() {
  ProblemData problem;
  const std::string config = shelltest::sourcePath("examples/europe/europe.cfg").toStdString();
  LoadOptions options;
  options.dataDirectory = shelltest::sourcePath("examples/europe").toStdString();
  const auto error = loadInstance(config, problem, options);
  if (error) qWarning("%s", error->message.c_str());
  return problem;
}

StartOptions europeOptions(const QString& png) {
  StartOptions options;
  options.config = shelltest::sourcePath("examples/europe/europe.cfg");
  options.exportPng = png;
  options.size = QSize(800, 600);
  return options;
}

Primitive polygon(std::vector<IntPoint> points, FillRule rule) {
  Primitive p;
  p.kind = Primitive::Kind::Polygon;
  p.points = std::move(points);
  p.outline = Rgb::fromHex(0x000000);
  p.fill = Rgb::fromHex(0x00FF00);
  p.fillRule = rule;
  return p;
}

QImage paintAlone(const Primitive& primitive) {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  MapPainter().paint(painter, primitive);
  return image;
}

}  // namespace

class MapExportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { startDirectory_ = QDir::currentPath(); }
  void cleanup() { QDir::setCurrent(startDirectory_); }

  void exportedLocationsLieWhereTheFixedFrameProjects() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString png = dir.filePath("fixed.png");
    QCOMPARE(exportStartFiles(europeOptions(png), imageLoadLibrary()), 0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(800, 600));
    const ProblemData problem = loadedEurope();
    QVERIFY(!problem.places.empty());
    for (const Place& place : problem.places) {
      const IntPoint at = MapParams::projectFixedFrame(place.longitude, place.latitude, 800, 600, 1.0f);
      if (!image.rect().contains(at.x, at.y)) continue;
      QVERIFY2(image.pixel(at.x, at.y) == kRed, place.name.c_str());
    }
    QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
  }

  void exportedLocationsLieWhereTheCalibrationProjects() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    StartOptions options = europeOptions(dir.filePath("calibrated.png"));
    options.mapParams = shelltest::sourcePath("examples/europe/map/europe.map");
    options.localSearch = false;
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 0);
    const QImage image(options.exportPng);

    // The same calibration, read the way the window reads it.
    MapParams params;
    MapImage picture;
    const MapParamsFileResult read =
        readMapParamsFile(options.mapParams.toStdString(), params, picture, imageLoadLibrary());
    QVERIFY(read.ok());
    QCOMPARE(image.size(), QSize(picture.width(), picture.height()));
    const ProblemData problem = loadedEurope();
    int inside = 0;
    for (const Place& place : problem.places) {
      const IntPoint at = params.projectCalibrated(place.longitude, place.latitude, 1.0f);
      if (!image.rect().contains(at.x, at.y)) continue;
      ++inside;
      QVERIFY2(image.pixel(at.x, at.y) == kRed, place.name.c_str());
    }
    QVERIFY(inside > 0);
  }

  void exportWithLocalSearchDrawsRoutesAndWritesTheDump() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    StartOptions options = europeOptions(dir.filePath("routes.png"));
    options.localSearch = true;
    options.seed = 1;
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 0);
    QVERIFY(QFile::exists(dir.filePath("total.dump")));
    const QImage withRoutes(options.exportPng);
    options.localSearch = false;
    options.exportPng = dir.filePath("plain.png");
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 0);
    QVERIFY(QImage(options.exportPng) != withRoutes);
  }

  void exportFailsWhenAFileFails() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    StartOptions options = europeOptions(dir.filePath("x.png"));
    options.config = dir.filePath("missing.cfg");
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    options = europeOptions(dir.filePath("x.png"));
    options.mapParams = dir.filePath("missing.map");
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    options = europeOptions(dir.filePath("no/folder/x.png"));
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    QVERIFY(!QFile::exists(dir.filePath("x.png")));
    // A full device fails the export; so does a picture that would replace an input, which
    // stays as it was.
    options = europeOptions(QStringLiteral("/dev/full"));
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    options = europeOptions({});
    options.config = shelltest::tinyCopy(dir);
    options.mapParams = shelltest::pictureMap(dir, 40, 30);
    const QString orders = dir.filePath(QStringLiteral("tiny/orders.txt"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("tiny/sub")));
    QFile before(orders);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray text = before.readAll();
    for (const QString& input : {dir.filePath(QStringLiteral("tiny/sub/../orders.txt")), options.mapParams}) {
      options.exportPng = input;
      QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    }
    // With Local Search, the picture or a dump file that is an input is refused before the run.
    options.localSearch = true;
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    QVERIFY(QFile::link(orders, dir.filePath(QStringLiteral("total.dump"))));
    options.exportPng = dir.filePath(QStringLiteral("routes.png"));
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
    QVERIFY(!QFile::exists(options.exportPng));
    QFile after(orders);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), text);
  }

  // The exported file is the canvas painted whole on white: with the picture held packed or
  // laid out for drawing, kept or given up to the export, at zoom 1 and zoomed.
  void exportIsTheCanvasPaintedWhole() {
    for (const PictureLayout layout : {PictureLayout::Packed, PictureLayout::Drawing}) {
      for (const int zoomSteps : {0, 2}) {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        StartOptions options = europeOptions({});
        options.mapParams = shelltest::pictureMap(dir, 700, 1600, QStringLiteral("png"));
        options.localSearch = true;
        options.seed = 1;
        shelltest::ScriptedPrompts prompts;
        CTamsoView view(prompts, imageLoadLibrary(layout));
        view.setFixedClientSize(QSize(400, 300));
        view.setFitOnLoad(false);
        QVERIFY(view.startUp(options, false));
        for (int i = 0; i < zoomSteps; ++i) view.zoomIn();
        const QImage canvas = view.renderCanvas();
        for (const bool release : {false, true}) {
          QVERIFY(!view.exportMapPictureTo(QStringLiteral("map.png"), release));
          QVERIFY(QImage(QStringLiteral("map.png")).convertToFormat(QImage::Format_RGB32) == canvas);
        }
      }
    }
  }

  void fillRulesFollowThePrimitive() {
    // A pentagram: its centre is wound twice, so odd-even leaves it empty and winding fills it.
    const std::vector<IntPoint> star{{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    const QImage alternate = paintAlone(polygon(star, FillRule::Alternate));
    const QImage winding = paintAlone(polygon(star, FillRule::Winding));
    QCOMPARE(alternate.pixel(20, 20), qRgb(255, 255, 255));
    QCOMPARE(winding.pixel(20, 20), qRgb(0, 255, 0));
    QCOMPARE(alternate.pixel(20, 8), qRgb(0, 255, 0));
  }

  void boxesLeaveOutTheirRightAndBottomEdges() {
    Primitive box;
    box.kind = Primitive::Kind::Rectangle;
    box.points = {{10, 10}, {20, 20}};
    box.outline = Rgb::fromHex(0x000000);
    box.fill = Rgb::fromHex(0xFF0000);
    const QImage image = paintAlone(box);
    QCOMPARE(image.pixel(10, 10), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(19, 19), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(15, 15), kRed);
    QCOMPARE(image.pixel(20, 20), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(20, 15), qRgb(255, 255, 255));
  }

  void theBackgroundIsConvertedOncePerBitmap() {
    shelltest::Shell shell;
    shell.openMap(shelltest::pictureMap(shell.dir, 600, 600));
    QVERIFY(shell.prompts.messages.empty());
    const QImage first = shell.view().renderCanvas();
    QCOMPARE(first.pixel(300, 300), qRgb(0x20, 0x60, 0xA0));
    shell.view().renderCanvas();
    QCOMPARE(shell.view().painter().conversions(), 1);
    shell.action(Command::ZoomIn)->trigger();
    shell.view().renderCanvas();
    shell.view().renderCanvas();
    // A zoom converts nothing new: the loaded picture is drawn scaled.
    QCOMPARE(shell.view().painter().conversions(), 1);
  }

  void pictureRowsComeOutTopFirst() {
    std::vector<std::uint8_t> block = makeBitmapBlock(2, 2, 24);
    MapImage picture;
    QVERIFY(picture.adopt(block, 1, "two.bmp"));
    // Bottom row first in memory: make the top-left pixel blue (B, G, R order).
    std::vector<std::uint8_t> edited = picture.bitmap();
    const std::size_t topRow = picture.pixelOffset() + picture.rowStride();
    edited[topRow] = 0xFF;
    QVERIFY(picture.adopt(edited, 1, "two.bmp"));
    const QImage image = toQImage(picture);
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0xFF));
    QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 0));
  }

 private:
  QString startDirectory_;
};

QTEST_MAIN(MapExportTest)
#include "map_export_test.moc"
