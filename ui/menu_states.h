#pragma once
// Which commands of the main window are enabled. The menus never enable themselves:
// each command sets exactly the items its event names, and a running optimisation
// blocks the commands that would change the problem or start another run.
#include <array>
#include <cstddef>
#include <initializer_list>

namespace tamso::ui {

enum class Command : std::size_t {
  OpenDataFile,
  OpenMapParams,
  OpenPlan,
  SavePlan,
  SavePlanAs,
  Save,
  SaveAs,
  SaveReport,
  ExportMapPicture,
  PrintRouteSheets,
  ExportRouteSheets,
  RecentFiles,
  Exit,
  Toolbar,
  StatusBar,
  ShowBackground,
  HideBackground,
  ShowLocations,
  HideLocations,
  ShowRoutes,
  HideRoutes,
  SelectRoute,
  RouteInfos,
  UnplannedOrders,
  Vehicles,
  VehicleTypes,
  Countries,
  Regions,
  Places,
  Orders,
  Clients,
  ArticleTypes,
  Find,
  LocalSearch,
  Stop,
  NumberOfIterations,
  HybridGenetic,
  Genetic,
  ThoroughSearch,
  ReplanFrom,
  Visualization,
  OptimizationOptions,
  About,
  ZoomIn,
  ZoomOut,
  ZoomToFit,
  Count
};

enum class MenuEvent {
  DataLoaded,
  MapLoaded,        // map parameters read and their picture loaded
  BackgroundShown,  // "Show Background" with a picture
  BackgroundHidden,
  LocationsShown,
  LocationsHidden,
  RoutesShown,
  RoutesHidden,
  LocalSearchFinished,
  PlanCleared,  // a new problem was loaded over a plan: the route items have nothing to show
};

class MenuStates {
 public:
  MenuStates();

  // The state the event table gives, ignoring a running optimisation.
  bool tableState(Command command) const { return table_[index(command)]; }
  // What the user can use right now.
  bool isEnabled(Command command) const;

  void apply(MenuEvent event);
  void setRunning(bool running) { running_ = running; }
  bool running() const { return running_; }
  // The zoom buttons (and Zoom to Fit) follow their own rules (first paint, map shown, fit zoom).
  void setZoomButton(Command command, bool enabled);

  static bool blockedWhileRunning(Command command);

 private:
  static constexpr std::size_t index(Command command) { return static_cast<std::size_t>(command); }
  void set(std::initializer_list<Command> enabled, std::initializer_list<Command> disabled);

  std::array<bool, static_cast<std::size_t>(Command::Count)> table_{};
  bool running_ = false;
};

}  // namespace tamso::ui
