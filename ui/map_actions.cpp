// Mouse actions on the map: naming locations, selecting routes, the route context menu
// and its four commands.
#include <QMenu>
#include <QPointer>
#include <vector>

#include "map/map_layer.h"
#include "map/stop_hit.h"
#include "routing/route.h"
#include "ui/plan_editor.h"
#include "ui/route_info_window.h"
#include "ui/route_windows.h"
#include "ui/short_info_window.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

struct MapActions::Windows {
  QPointer<RouteInfoWindow> routeInfo;
  QPointer<ShortInfoWindow> shortInfo;
  QPointer<QMenu> menu;
  DialogPrompts dialogs;
  // Every route window opened so far that may still be open, not only the last of each kind.
  std::vector<QPointer<QDialog>> opened;

  void track(QDialog* window) {
    std::erase_if(opened, [](const QPointer<QDialog>& w) { return w.isNull(); });
    opened.emplace_back(window);
  }
};

namespace {

QString vehicleNameOf(const MapRoute& route) {
  return route.route ? QString::fromStdString(route.route->vehicle().name) : QString();
}

QColor qColourOf(Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }

}  // namespace

MapActions::MapActions(Host host) : host_(std::move(host)), windows_(new Windows) {}

MapActions::~MapActions() {
  // The menu's commands call back into this object.
  delete windows_->menu.data();
  delete windows_;
}

UserPrompts& MapActions::prompts() { return host_.prompts ? *host_.prompts : windows_->dialogs; }

RouteInfoWindow* MapActions::routeInfoWindow() const { return windows_->routeInfo.data(); }
ShortInfoWindow* MapActions::shortInfoWindow() const { return windows_->shortInfo.data(); }
QMenu* MapActions::contextMenu() const { return windows_->menu.data(); }

void MapActions::leftButtonDown(QPoint mapPosition) {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (!layer || (!layer->showLocations && !layer->showRoutes)) return;
  const std::string location = layer->locationAt(mapPosition.x(), mapPosition.y());
  QString text = location == MapLayer::nothingHit ? QString() : QString::fromStdString(location);
  if (layer->showRoutes) {
    const std::int32_t hit = layer->routeAt(mapPosition.x(), mapPosition.y());
    if (hit != -1 && hit != layer->selectedIndex()) {
      const MapRoute& route = *layer->mapRoute(hit);
      text = vehicleNameOf(route);
      layer->selectRoute(hit);
      if (windows_->routeInfo && route.route) windows_->routeInfo->showRoute(*route.route);
      if (windows_->shortInfo) windows_->shortInfo->setRoute(hit);
      if (host_.repaint) host_.repaint();
    } else if (hit == -1 && layer->selectedIndex() != -1) {
      layer->selectRoute(-1);
      if (host_.repaint) host_.repaint();
    }
  }
  if (host_.setStatusText) host_.setStatusText(text);
}

void MapActions::leftButtonDoubleClick(QPoint mapPosition) {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (!layer || !layer->showRoutes) return;
  const std::int32_t hit = layer->routeAt(mapPosition.x(), mapPosition.y());
  if (hit == -1) return;
  layer->selectRoute(hit);
  routeInfo();
}

void MapActions::rightButtonDown(QPoint mapPosition, QPoint globalPosition) {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (!layer || !layer->showRoutes) return;
  const std::int32_t hit = layer->routeAt(mapPosition.x(), mapPosition.y());
  if (hit == -1) return;
  if (hit != layer->selectedIndex()) {
    layer->selectRoute(hit);
    const MapRoute& route = *layer->mapRoute(hit);
    if (windows_->routeInfo && route.route) windows_->routeInfo->showRoute(*route.route);
    if (host_.repaint) host_.repaint();
  }
  if (!windows_->menu) windows_->menu = new QMenu(host_.view);
  windows_->menu->clear();
  const MapRoute& drawn = *layer->mapRoute(hit);
  fillContextMenu(*windows_->menu, stopAt(drawn, mapPosition.x(), mapPosition.y(), layer->selectedLocationSize));
  windows_->menu->popup(globalPosition);
}

void MapActions::fillContextMenu(QMenu& menu, std::int32_t stop) {
  QObject::connect(menu.addAction(QStringLiteral("&Hide Route")), &QAction::triggered, &menu, [this] { hideRoute(); });
  QObject::connect(menu.addAction(QStringLiteral("&Change Color")), &QAction::triggered, &menu,
                   [this] { changeColor(); });
  QObject::connect(menu.addAction(QStringLiteral("&Route Info")), &QAction::triggered, &menu, [this] { routeInfo(); });
  QObject::connect(menu.addAction(QStringLiteral("&Short Info")), &QAction::triggered, &menu, [this] { shortInfo(); });
  PlanEditor* editor = host_.editor;
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (editor == nullptr || layer == nullptr || layer->selectedRoute() == nullptr) return;
  menu.addSeparator();
  const bool locked = editor->routeLocked(layer->selectedIndex());
  QObject::connect(menu.addAction(locked ? QStringLiteral("Unlock route") : QStringLiteral("Lock route")),
                   &QAction::triggered, &menu, [this] { toggleLock(); });
  const Route* route = layer->selectedRoute()->route;
  const RouteStop* hit = route ? route->stopAt(stop) : nullptr;
  if (hit == nullptr || hit->order == nullptr) return;
  const Order* order = editor->orderNamed(QString::fromStdString(hit->order->name));
  if (order == nullptr) return;
  menu.addSeparator();
  QObject::connect(menu.addAction(QStringLiteral("Move order to route...")), &QAction::triggered, &menu,
                   [editor, order] { editor->chooseRouteFor(*order); });
  QObject::connect(menu.addAction(QStringLiteral("Remove order from route")), &QAction::triggered, &menu,
                   [editor, order] { editor->removeOrder(*order); });
}

void MapActions::toggleLock() {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (host_.editor == nullptr || layer == nullptr || layer->selectedRoute() == nullptr) return;
  const std::int32_t index = layer->selectedIndex();
  host_.editor->setLocked(index, !host_.editor->routeLocked(index));
  // The plan on the map was replaced: select the same route again.
  if (MapLayer* shown = host_.layer()) shown->selectRoute(index);
  if (host_.repaint) host_.repaint();
}

void MapActions::hideRoute() {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  MapRoute* route = layer ? layer->selectedRoute() : nullptr;
  if (!route) return;
  route->shown = false;
  if (host_.repaint) host_.repaint();
}

void MapActions::changeColor() {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (!layer || !layer->selectedRoute()) return;
  const std::int32_t index = layer->selectedIndex();
  const std::optional<QColor> chosen = prompts().chooseColor(host_.view, qColourOf(Rgb{}));
  // The plan may have been replaced while the chooser was open.
  MapRoute* route = layer->mapRoute(index);
  if (chosen && route) {
    route->colour = {static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                     static_cast<std::uint8_t>(chosen->blue())};
    if (windows_->shortInfo) windows_->shortInfo->refresh();
  }
  if (host_.repaint) host_.repaint();
}

void MapActions::routeInfo() {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  const MapRoute* route = layer ? layer->selectedRoute() : nullptr;
  if (!route || !route->route) return;
  auto* window = new RouteInfoWindow(host_.view);
  window->setEditor(host_.editor);
  windows_->routeInfo = window;
  windows_->track(window);
  window->showRoute(*route->route);
}

void MapActions::shortInfo() {
  MapLayer* layer = host_.layer ? host_.layer() : nullptr;
  if (!layer || !layer->selectedRoute()) return;
  auto* window = new ShortInfoWindow(host_.view, *layer, prompts(), host_.repaint);
  windows_->shortInfo = window;
  windows_->track(window);
  window->setRoute(layer->selectedIndex());
  window->show();
}

void MapActions::closeRouteWindows() {
  // Forgotten first: a closed window is deleted only later, and a click on the map must not
  // refill it meanwhile.
  windows_->routeInfo.clear();
  windows_->shortInfo.clear();
  std::vector<QPointer<QDialog>> open;
  open.swap(windows_->opened);
  for (const QPointer<QDialog>& window : open) {
    if (window) window->close();
  }
}

}  // namespace tamso::ui
