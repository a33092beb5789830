// The view's route-sheet commands: which routes to print, the print preview, the PDF file.
// Members of CTamsoView kept apart from the map, scrolling, painting and input of tamso_view.cpp.
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "routing/solution.h"
#include "ui/route_sheet_pages.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

const QString kNoPlanToPrint = QStringLiteral("There is no plan to print yet: run the Local Search first.");

// The plan positions of the drawn routes that pass the test.
template <class Test>
std::vector<std::size_t> drawnRoutes(const MapLayer& map, const Solution& plan, Test test) {
  std::vector<std::size_t> positions;
  for (const MapRoute& drawn : map.routes()) {
    if (drawn.route == nullptr || !test(drawn)) continue;
    for (std::size_t i = 0; i < plan.routes().size(); ++i) {
      if (&plan.routes()[i] == drawn.route) positions.push_back(i);
    }
  }
  return positions;
}

}  // namespace

std::vector<RouteSheet> CTamsoView::routeSheetsOf(const std::vector<std::size_t>& positions) {
  Solution* plan = map_.layer() ? map_.layer()->solution() : nullptr;
  if (plan == nullptr) return {};
  return routeSheets(*plan, positions);
}

std::optional<QString> CTamsoView::writeRouteSheetsTo(const QString& path) {
  if (map_.layer() == nullptr || map_.layer()->solution() == nullptr) return kNoPlanToPrint;
  return writeRouteSheetsPdf(path, routeSheetsOf(), inputFiles());
}

void CTamsoView::printRouteSheets() {
  MapLayer& map = layer();
  const Solution* plan = map.solution();
  if (plan == nullptr) {
    prompts_.message(this, kNoPlanToPrint);
    return;
  }
  QStringList choices{QStringLiteral("All routes"), QStringLiteral("Routes shown on the map")};
  if (map.selectedRoute() != nullptr) choices << QStringLiteral("Selected route");
  const int choice = prompts_.ask(this, QStringLiteral("Print the route sheets of:"), choices);
  std::vector<std::size_t> positions;
  if (choice == 1) positions = drawnRoutes(map, *plan, [](const MapRoute& r) { return r.shown; });
  if (choice == 2) positions = drawnRoutes(map, *plan, [](const MapRoute& r) { return r.selected; });
  const std::vector<RouteSheet> sheets = routeSheetsOf(positions);
  if (sheets.empty() || (choice > 0 && positions.empty())) {
    prompts_.message(this, QStringLiteral("There are no routes with stops to print."));
    return;
  }
  auto* printer = new QPrinter(QPrinter::HighResolution);
  printer->setPageOrientation(QPageLayout::Landscape);
  auto* preview = new QPrintPreviewDialog(printer, this);
  preview->setWindowTitle(QStringLiteral("Print Route Sheets"));
  preview->setAttribute(Qt::WA_DeleteOnClose);
  connect(preview, &QObject::destroyed, [printer] { delete printer; });
  connect(preview, &QPrintPreviewDialog::paintRequested, preview, [sheets](QPrinter* target) {
    QPainter painter(target);
    paintRouteSheets(painter, *target, sheets);
  });
  preview->open();
}

void CTamsoView::exportRouteSheets() {
  const std::optional<QString> path = prompts_.saveFile(
      this, QStringLiteral("Route Sheets as PDF"), QStringLiteral("PDF files (*.pdf)"), QStringLiteral("routes.pdf"));
  if (!path) return;
  if (const std::optional<QString> error = writeRouteSheetsTo(*path)) prompts_.message(this, *error);
}

}  // namespace tamso::ui
