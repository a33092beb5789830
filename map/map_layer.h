#pragma once
// Everything the map shows apart from the picture: the calibration, canvas size and zoom,
// the drawing settings, the projected locations, the drawn routes of the current plan and
// which route is selected. Drawing appends primitives to a list in paint order.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "map/map_params.h"
#include "map/primitives.h"

namespace tamso {

struct Place;
struct ProblemData;
class Route;
class Solution;

struct MapPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  const Place* place = nullptr;
  friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

struct MapRoute {
  Route* route = nullptr;
  std::vector<MapPoint> points;  // the vehicle's start place, then one point per stop
  Rgb colour;
  bool shown = true;
  bool selected = false;
};

enum class LocationShape : std::int32_t { Point = 0, Circle = 1, Rectangle = 2, Triangle = 3 };

// Outline and fill colour of the shapes that follow.
struct ShapeColours {
  Rgb outline;
  Rgb fill;
};

// Default colour of the drawn route at a position of the route list; positions past the
// table of 100 repeat it.
Rgb defaultRouteColour(std::int32_t position);
// The default colour, replaced by a stand-in when it equals `reserved` (the colour the
// location shapes are drawn in), so that a route never looks like a row of places.
Rgb defaultRouteColour(std::int32_t position, Rgb reserved);

// A box of canvas pixels, edges included.
struct CanvasBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const CanvasBox&, const CanvasBox&) = default;
};

class MapLayer {
 public:
  static constexpr std::int32_t defaultShape = 2;
  static constexpr std::int32_t defaultLocationSize = 10;
  static constexpr std::int32_t defaultSelectedLocationSize = 18;
  static constexpr std::int32_t defaultRouteWidth = 4;
  static constexpr std::int32_t defaultSelectedRouteWidth = 6;
  static constexpr const char* nothingHit = "NOTHING";

  // The canvas size at zoom 1.0 (the view's client size when the layer is made).
  MapLayer(std::int32_t width, std::int32_t height);
  ~MapLayer();
  MapLayer(const MapLayer&) = delete;
  MapLayer& operator=(const MapLayer&) = delete;

  // --- inputs -----------------------------------------------------------------------------
  // The problem whose places are drawn; not owned. Setting it clears both lists, which would
  // otherwise name places of the previous problem.
  void setProblem(const ProblemData* problem);
  const ProblemData* problem() const { return problem_; }
  // The plan whose routes are drawn; the layer keeps it. Replacing it clears the route list
  // and the selection (they named routes of the previous plan).
  void setSolution(std::unique_ptr<Solution> solution);
  Solution* solution() { return solution_.get(); }
  const Solution* solution() const { return solution_.get(); }

  MapParams& params() { return params_; }
  const MapParams& params() const { return params_; }

  // --- settings ---------------------------------------------------------------------------
  bool showLocations = false;
  bool showRoutes = false;
  bool backgroundShown = false;
  float zoom = 1.0f;
  std::int32_t width = 0;  // canvas size at zoom 1.0
  std::int32_t height = 0;
  std::int32_t shape = defaultShape;  // a LocationShape code; any other code draws nothing
  std::int32_t locationSize = defaultLocationSize;
  std::int32_t selectedLocationSize = defaultSelectedLocationSize;
  Rgb locationColour;  // colour of the Point shape
  std::int32_t routeWidth = defaultRouteWidth;
  std::int32_t selectedRouteWidth = defaultSelectedRouteWidth;
  // The part of the canvas a paint shows: shapes and route segments wholly outside it are
  // left out of the primitives (a map of a thousand routes, zoomed in, draws what is seen).
  // Nothing draws the whole canvas.
  std::optional<CanvasBox> visibleArea;

  ProjectionFrame frame() const { return {width, height, zoom, backgroundShown}; }
  IntPoint project(const Place& place) const;

  // --- lists ------------------------------------------------------------------------------
  // One point per loaded place, in load order, at its projected position.
  void rebuildLocations();
  // One drawn route per route of the plan that has stops, in vehicle order, coloured by its
  // position in the list; shown, not selected. Clears a selection that no longer names a route.
  // No default colour equals `reserved` when it is given.
  void buildRoutes(std::optional<Rgb> reserved = std::nullopt);
  // Gives every drawn route coloured `reserved` its stand-in colour instead.
  void recolourRoutesAwayFrom(Rgb reserved);
  // Projects every point of every drawn route again.
  void reprojectRoutes();
  // Empties both lists and the selection.
  void clearLists();

  // The box of every loaded place at the current projection, or at another zoom; nothing
  // without places.
  std::optional<CanvasBox> placesBox(std::optional<float> atZoom = std::nullopt) const;

  const std::vector<MapPoint>& locations() const { return locations_; }
  std::int32_t routeCount() const { return static_cast<std::int32_t>(routes_.size()); }
  MapRoute* mapRoute(std::int32_t index);  // the drawn route at a list position, or nullptr
  const MapRoute* mapRoute(std::int32_t index) const;
  const std::vector<MapRoute>& routes() const { return routes_; }
  std::int32_t selectedIndex() const { return selectedIndex_; }
  MapRoute* selectedRoute() { return mapRoute(selectedIndex_); }

  // --- hit tests and selection ------------------------------------------------------------
  // The name of the first location within locationSize pixels each way, or "NOTHING".
  std::string locationAt(std::int32_t x, std::int32_t y) const;
  // Position of the topmost shown drawn route with a segment under the point, or -1: the
  // selected route (drawn last), then the others from the end of the list.
  std::int32_t routeAt(std::int32_t x, std::int32_t y) const;
  // -1 selects nothing; an index that names no drawn route selects nothing as well.
  void selectRoute(std::int32_t index);

  // --- drawing ----------------------------------------------------------------------------
  void drawShape(PrimitiveList& canvas, const MapPoint& point, std::int32_t size, const ShapeColours& colours) const;
  // The band and arrows of every segment, then the stop shapes, outlined black and filled in
  // the route's colour; nothing when the route is not shown.
  void drawRoute(PrimitiveList& canvas, std::int32_t index) const;
  // Every location shape when show locations is set.
  void drawLocations(PrimitiveList& canvas, const ShapeColours& colours) const;
  // Locations, then the shown routes in list order (when their flags are set), the selected
  // route last over a white and black outline, so it is never hidden by another.
  void drawItems(PrimitiveList& canvas, const ShapeColours& locationColours) const;
  // The outline drawn under the selected route: a wide white and a narrower black line along
  // its points.
  void drawSelectionOutline(PrimitiveList& canvas, std::int32_t index) const;

 private:
  void drawSegment(PrimitiveList& canvas, IntPoint p, IntPoint q, std::int32_t w, const ShapeColours& colours) const;
  bool routeHit(std::int32_t index, std::int32_t x, std::int32_t y) const;
  // Whether the box spanned by a and b, widened by `margin` on every side, misses the
  // visible area.
  bool outsideView(IntPoint a, IntPoint b, std::int64_t margin) const;

  const ProblemData* problem_ = nullptr;
  std::unique_ptr<Solution> solution_;
  MapParams params_;
  std::vector<MapPoint> locations_;
  std::vector<MapRoute> routes_;
  std::int32_t selectedIndex_ = -1;
};

}  // namespace tamso
