#include "ui/menu_states.h"

namespace tamso::ui {

MenuStates::MenuStates() {
  table_.fill(true);
  set({},
      {Command::HideBackground, Command::ShowLocations, Command::HideLocations, Command::ShowRoutes,
       Command::HideRoutes, Command::SelectRoute, Command::RouteInfos, Command::UnplannedOrders, Command::LocalSearch,
       Command::Stop, Command::HybridGenetic, Command::Genetic, Command::ThoroughSearch, Command::ZoomIn,
       Command::ZoomOut, Command::ZoomToFit, Command::Find, Command::PrintRouteSheets, Command::ExportRouteSheets});
}

void MenuStates::set(std::initializer_list<Command> enabled, std::initializer_list<Command> disabled) {
  for (Command c : enabled) table_[index(c)] = true;
  for (Command c : disabled) table_[index(c)] = false;
}

void MenuStates::apply(MenuEvent event) {
  using C = Command;
  switch (event) {
    case MenuEvent::DataLoaded:
      set({C::LocalSearch, C::HybridGenetic, C::Genetic, C::ThoroughSearch, C::ShowLocations, C::Find}, {});
      break;
    case MenuEvent::MapLoaded:
    case MenuEvent::BackgroundShown:
      set({C::HideBackground}, {C::ShowBackground});
      break;
    case MenuEvent::BackgroundHidden:
      set({C::ShowBackground}, {C::HideBackground});
      break;
    case MenuEvent::LocationsShown:
      set({C::HideLocations}, {C::ShowLocations});
      break;
    case MenuEvent::LocationsHidden:
      set({C::ShowLocations}, {C::HideLocations});
      break;
    case MenuEvent::RoutesShown:
      set({C::HideRoutes, C::SelectRoute}, {C::ShowRoutes});
      break;
    case MenuEvent::RoutesHidden:
      set({C::ShowRoutes}, {C::HideRoutes, C::SelectRoute});
      break;
    case MenuEvent::LocalSearchFinished:
      set({C::ShowRoutes, C::RouteInfos, C::UnplannedOrders, C::PrintRouteSheets, C::ExportRouteSheets}, {});
      break;
    case MenuEvent::PlanCleared:
      set({}, {C::ShowRoutes, C::HideRoutes, C::SelectRoute, C::RouteInfos, C::UnplannedOrders, C::PrintRouteSheets,
               C::ExportRouteSheets});
      break;
  }
}

void MenuStates::setZoomButton(Command command, bool enabled) {
  if (command == Command::ZoomIn || command == Command::ZoomOut || command == Command::ZoomToFit)
    table_[index(command)] = enabled;
}

bool MenuStates::blockedWhileRunning(Command command) {
  switch (command) {
    case Command::OpenDataFile:
    case Command::RecentFiles:
    case Command::LocalSearch:
    case Command::HybridGenetic:
    case Command::Genetic:
    case Command::ThoroughSearch:
    case Command::ReplanFrom:
    case Command::OpenPlan:
      return true;
    default:
      return false;
  }
}

bool MenuStates::isEnabled(Command command) const {
  if (command == Command::Stop) return running_;
  if (running_ && blockedWhileRunning(command)) return false;
  return table_[index(command)];
}

}  // namespace tamso::ui
