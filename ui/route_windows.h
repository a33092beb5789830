#pragma once
// Entry points of the route-inspection windows, the map actions and the data dialogs,
// called by the main window and the map view.
#include <QColor>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace tamso {
struct ProblemData;
class MapLayer;
class Solution;
}  // namespace tamso

namespace tamso::ui {

class PlanEditor;
class RouteInfoWindow;
class ShortInfoWindow;
class UserPrompts;

// The modal data dialogs of the "&Data" menu; with no problem loaded they open empty.
void openVehiclesDialog(QWidget* parent, const ProblemData* problem);
void openVehicleTypesDialog(QWidget* parent, const ProblemData* problem);
void openCountriesDialog(QWidget* parent, const ProblemData* problem);
void openRegionsDialog(QWidget* parent, const ProblemData* problem);
void openPlacesDialog(QWidget* parent, const ProblemData* problem);
void openOrdersDialog(QWidget* parent, const ProblemData* problem);
void openClientsDialog(QWidget* parent, const ProblemData* problem);
void openArticleTypesDialog(QWidget* parent, const ProblemData* problem);

// "Se&lect Route": modal; the caller repaints the map afterwards, whichever button closed it.
void openSelectRouteDialog(QWidget* parent, MapLayer& layer);
// "Route &Infos": modal, picks a vehicle of the layer's solution and opens its stop list.
void openRouteInfosDialog(QWidget* parent, MapLayer& layer);
// "Unplanned orders": the plan's unplanned orders and why each was left out; with an editor,
// "Insert into route..." takes the selected order into a route.
void openUnplannedOrdersDialog(QWidget* parent, const Solution& solution, PlanEditor* editor);

// Mouse and keyboard actions on the map. The view forwards its events in map coordinates
// (client position plus the real scroll position).
class MapActions {
 public:
  struct Host {
    QWidget* view = nullptr;                            // parent of the windows and menus
    std::function<MapLayer*()> layer;                   // the map layer, or nullptr before the first paint
    std::function<void(const QString&)> setStatusText;  // the status bar's message pane
    std::function<void()> repaint;                      // repaint the whole map
    UserPrompts* prompts = nullptr;                     // colour chooser; the real dialogs when null
    PlanEditor* editor = nullptr;                       // changes of the plan by hand; none when null
  };

  explicit MapActions(Host host);
  ~MapActions();
  MapActions(const MapActions&) = delete;
  MapActions& operator=(const MapActions&) = delete;

  void leftButtonDown(QPoint mapPosition);
  void leftButtonDoubleClick(QPoint mapPosition);
  // globalPosition: where the context menu opens.
  void rightButtonDown(QPoint mapPosition, QPoint globalPosition);
  // The four commands of the route context menu (Delete runs hideRoute).
  void hideRoute();
  void changeColor();
  void routeInfo();
  void shortInfo();
  // "Lock route" or "Unlock route" on the selected route.
  void toggleLock();
  // Closes every Route Info and Short Info window opened from the map: they show routes of a
  // problem or plan that has just been replaced.
  void closeRouteWindows();

  // The last window of each kind, nullptr once it was closed; the open context menu.
  RouteInfoWindow* routeInfoWindow() const;
  ShortInfoWindow* shortInfoWindow() const;
  QMenu* contextMenu() const;

 private:
  UserPrompts& prompts();
  // The context menu's items for the selected route and, when one was hit, its stop.
  void fillContextMenu(QMenu& menu, std::int32_t stop);

  struct Windows;
  Host host_;
  Windows* windows_;
};

}  // namespace tamso::ui
