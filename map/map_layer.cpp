#include "map/map_layer.h"

#include <algorithm>

#include "problem/problem_data.h"
#include "routing/solution.h"

namespace tamso {
namespace {

// Map points stay within this distance of the origin, so that the integer geometry of bands,
// arrows and hit tests never overflows; such points lie far off any canvas either way.
constexpr std::int32_t coordinateLimit = 1 << 28;

IntPoint keepInRange(IntPoint p) {
  return {std::clamp(p.x, -coordinateLimit, coordinateLimit), std::clamp(p.y, -coordinateLimit, coordinateLimit)};
}

}  // namespace

MapLayer::MapLayer(std::int32_t canvasWidth, std::int32_t canvasHeight) : width(canvasWidth), height(canvasHeight) {}

MapLayer::~MapLayer() = default;

void MapLayer::setProblem(const ProblemData* problem) {
  problem_ = problem;
  clearLists();
}

void MapLayer::setSolution(std::unique_ptr<Solution> solution) {
  routes_.clear();
  selectedIndex_ = -1;
  solution_ = std::move(solution);
}

IntPoint MapLayer::project(const Place& place) const { return keepInRange(params_.project(place, frame())); }

void MapLayer::rebuildLocations() {
  locations_.clear();
  if (problem_ == nullptr) return;
  locations_.reserve(problem_->places.size());
  for (const Place& place : problem_->places) {
    const IntPoint p = project(place);
    locations_.push_back({p.x, p.y, &place});
  }
}

std::optional<CanvasBox> MapLayer::placesBox(std::optional<float> atZoom) const {
  if (problem_ == nullptr || problem_->places.empty()) return std::nullopt;
  ProjectionFrame projection = frame();
  if (atZoom) projection.zoom = *atZoom;
  std::optional<CanvasBox> box;
  for (const Place& place : problem_->places) {
    const IntPoint p = keepInRange(params_.project(place, projection));
    if (!box) {
      box = CanvasBox{p.x, p.y, p.x, p.y};
      continue;
    }
    box->left = std::min(box->left, p.x);
    box->top = std::min(box->top, p.y);
    box->right = std::max(box->right, p.x);
    box->bottom = std::max(box->bottom, p.y);
  }
  return box;
}

void MapLayer::recolourRoutesAwayFrom(Rgb reserved) {
  for (std::size_t i = 0; i < routes_.size(); ++i) {
    if (routes_[i].colour == reserved) routes_[i].colour = defaultRouteColour(static_cast<std::int32_t>(i), reserved);
  }
}

void MapLayer::buildRoutes(std::optional<Rgb> reserved) {
  routes_.clear();
  if (solution_ != nullptr) {
    for (Route& route : solution_->routes()) {
      if (route.stops().empty()) continue;
      MapRoute drawn;
      drawn.route = &route;
      drawn.colour = reserved ? defaultRouteColour(routeCount(), *reserved) : defaultRouteColour(routeCount());
      if (route.vehicle().startPlace != nullptr) drawn.points.push_back({0, 0, route.vehicle().startPlace});
      for (const RouteStop& stop : route.stops()) {
        if (stop.place != nullptr) drawn.points.push_back({0, 0, stop.place});
      }
      routes_.push_back(std::move(drawn));
    }
  }
  // The selection survives a rebuild only while its position still names a drawn route.
  if (mapRoute(selectedIndex_) == nullptr) {
    selectedIndex_ = -1;
  } else {
    routes_[static_cast<std::size_t>(selectedIndex_)].selected = true;
  }
  reprojectRoutes();
}

void MapLayer::reprojectRoutes() {
  for (MapRoute& drawn : routes_) {
    for (MapPoint& point : drawn.points) {
      const IntPoint p = project(*point.place);
      point.x = p.x;
      point.y = p.y;
    }
  }
}

void MapLayer::clearLists() {
  locations_.clear();
  routes_.clear();
  selectedIndex_ = -1;
}

MapRoute* MapLayer::mapRoute(std::int32_t index) {
  if (index < 0 || index >= routeCount()) return nullptr;
  return &routes_[static_cast<std::size_t>(index)];
}

const MapRoute* MapLayer::mapRoute(std::int32_t index) const {
  if (index < 0 || index >= routeCount()) return nullptr;
  return &routes_[static_cast<std::size_t>(index)];
}

void MapLayer::selectRoute(std::int32_t index) {
  if (MapRoute* previous = mapRoute(selectedIndex_)) previous->selected = false;
  MapRoute* next = mapRoute(index);
  if (next != nullptr) next->selected = true;
  selectedIndex_ = next != nullptr ? index : -1;
}

}  // namespace tamso
