// One zoom step at about 4x on the European example, with the places shown, in a window of
// 1000 x 700 pixels: the whole step from the command to the painted window.
//   BM_ZoomStepResampling: the picture resampled to the new zoom, converted and blitted.
//   BM_ZoomStepScaledPart: the visible part of the loaded picture drawn scaled.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "imageload/picture_library_glue.h"
#include "map/map_params_file.h"
#include "map/map_view.h"
#include "problem/loader.h"
#include "ui/map_painter.h"

namespace {

using namespace tamso;

constexpr int clientWidth = 1000;
constexpr int clientHeight = 700;
constexpr float startZoom = 4.0f;

struct Europe {
  Europe() {
    const std::string folder = std::string(TAMSO_EXAMPLES_DIR) + "/europe";
    LoadOptions options;
    options.dataDirectory = folder;
    if (loadInstance(folder + "/europe.cfg", problem, options)) std::abort();
    MapLayer& layer = view.createLayer(clientWidth, clientHeight);
    layer.setProblem(&problem);
    if (!readMapParamsFile(folder + "/map/europe.map", layer.params(), view.picture(), imageLoadLibrary()).ok())
      std::abort();
    view.showBackground();
    layer.showLocations = true;
    layer.rebuildLocations();
  }
  ProblemData problem;
  MapView view;
};

Europe& europe() {
  static Europe data;
  return data;
}

// The window's part of the canvas, around the middle of the map.
void paintWindow(ui::MapPainter& painter, const PrimitiveList& list, const ScrollRange& range) {
  QImage window(clientWidth, clientHeight, QImage::Format_RGB32);
  QPainter on(&window);
  on.translate(-(range.width - clientWidth) / 2, -(range.height - clientHeight) / 2);
  painter.paint(on, list);
  benchmark::DoNotOptimize(window.bits());
}

void BM_ZoomStepResampling(benchmark::State& state) {
  Europe& data = europe();
  MapView& view = data.view;
  for (auto _ : state) {
    view.zoomTo(startZoom, clientWidth, clientHeight);
    view.zoomIn(clientWidth, clientHeight);
    // What the window did before: a resampled copy of the whole picture, converted for the
    // painter and blitted unscaled.
    MapImage zoomed;
    zoomed.copyFrom(view.picture());
    zoomed.resample(truncToInt(view.picture().width() * static_cast<double>(view.zoom())),
                    truncToInt(view.picture().height() * static_cast<double>(view.zoom())));
    PrimitiveList list;
    zoomed.draw(list);
    view.layer()->drawItems(list, {view.locationColour, view.locationColour});
    ui::MapPainter painter;
    paintWindow(painter, list, view.scrollRange());
  }
}
BENCHMARK(BM_ZoomStepResampling)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ZoomStepScaledPart(benchmark::State& state) {
  Europe& data = europe();
  MapView& view = data.view;
  ui::MapPainter painter;  // the window keeps its painter, and so its converted picture
  paintWindow(painter, view.paint(clientWidth, clientHeight), view.scrollRange());
  for (auto _ : state) {
    view.zoomTo(startZoom, clientWidth, clientHeight);
    view.zoomIn(clientWidth, clientHeight);
    paintWindow(painter, view.paint(clientWidth, clientHeight), view.scrollRange());
  }
}
BENCHMARK(BM_ZoomStepScaledPart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
