// Placeholder bodies until the inspection windows are built; replaced file by file.
#include "ui/inspection.h"

namespace tamso::ui {

void openVehiclesDialog(QWidget*, const ProblemData*) {}
void openVehicleTypesDialog(QWidget*, const ProblemData*) {}
void openCountriesDialog(QWidget*, const ProblemData*) {}
void openRegionsDialog(QWidget*, const ProblemData*) {}
void openPlacesDialog(QWidget*, const ProblemData*) {}
void openSelectRouteDialog(QWidget*, MapLayer&) {}
void openRouteInfosDialog(QWidget*, MapLayer&) {}
void openUnplannedOrdersDialog(QWidget*, const ProblemData&, const Solution&) {}

struct MapActions::Windows {};
MapActions::MapActions(Host host) : host_(std::move(host)), windows_(new Windows) {}
MapActions::~MapActions() { delete windows_; }
void MapActions::leftButtonDown(QPoint) {}
void MapActions::leftButtonDoubleClick(QPoint) {}
void MapActions::rightButtonDown(QPoint, QPoint) {}
void MapActions::hideRoute() {}
void MapActions::changeColor() {}
void MapActions::routeInfo() {}
void MapActions::shortInfo() {}

}  // namespace tamso::ui
