#pragma once
// The map view's state and rules without a window: the layer, the picture as loaded, the zoom
// factor with its fit floor and upper bound, fitting the data into the window, and the paint
// of the whole map as a list of primitives. The window forwards its commands here and paints
// the result; it keeps the scroll position, which the zoom helpers below compute for it.
#include <cstdint>
#include <memory>
#include <optional>

#include "map/map_image.h"
#include "map/map_layer.h"
#include "map/primitives.h"

namespace tamso {

struct ScrollRange {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// 0 without a picture; otherwise the zoom at which the picture just covers the client area.
float fitZoom(const MapImage& picture, std::int32_t clientWidth, std::int32_t clientHeight);

// The scroll position that keeps the map under the client point `anchor` in place when the
// zoom changes from `before` to `after` (canvas positions grow in proportion to the zoom).
IntPoint scrollKeeping(IntPoint scroll, IntPoint anchor, float before, float after);

class MapView {
 public:
  static constexpr float zoomStep = 0.1f;
  // No zoom command goes beyond this factor.
  static constexpr float maxZoom = 8.0f;
  // Share of the client area that the places fill after a fit, leaving a margin around them.
  static constexpr float fitMargin = 0.9f;

  // The layer exists from the first paint on; before it the commands only change the zoom.
  MapLayer* layer() { return layer_.get(); }
  const MapLayer* layer() const { return layer_.get(); }
  // Makes the layer with the client size (the first paint does this when needed).
  MapLayer& createLayer(std::int32_t clientWidth, std::int32_t clientHeight);

  float zoom() const { return zoom_; }
  ScrollRange scrollRange() const { return scrollRange_; }
  bool zoomOutEnabled() const { return zoomOutEnabled_; }
  Rgb locationColour = Rgb::fromHex(0xFF0000);  // outline and fill of the location shapes

  // The picture as loaded (reused by every map-parameters file).
  MapImage& picture() { return picture_; }
  const MapImage& picture() const { return picture_; }
  // The picture resampled to the current zoom, made when first asked for after a zoom change.
  // Painting does not use it: it draws the visible part of the loaded picture scaled.
  const MapImage& zoomedCopy() const;
  bool hasPicture() const { return picture_.hasBitmap(); }

  // After a picture loaded, or Show Background with a picture: zoom 1.0, canvas and scroll
  // range the picture's size, background shown, locations and routes projected again.
  // False (nothing changed) without a picture.
  bool showBackground();
  // Canvas and scroll range the client size, fixed-frame projection, zoom kept.
  void hideBackground(std::int32_t clientWidth, std::int32_t clientHeight);

  // One step of 0.1 in or out; zoom in stops at maxZoom.
  void zoomIn(std::int32_t clientWidth, std::int32_t clientHeight);
  void zoomOut(std::int32_t clientWidth, std::int32_t clientHeight);
  // Any zoom, held between the lower rules (the fit floor with a picture, 0.1 without) and
  // maxZoom.
  void zoomTo(float zoom, std::int32_t clientWidth, std::int32_t clientHeight);
  // Fits the data into the client area: with the background shown the picture at its fit
  // floor, otherwise the box of the places with a margin. Returns the canvas point to centre
  // the view on: the middle of the places (or of the picture when there are none).
  IntPoint zoomToFit(std::int32_t clientWidth, std::int32_t clientHeight);
  // Applies the zoom: scroll range, layer zoom, locations and routes projected again, and a
  // new zoomed copy of the picture while the background is shown.
  void rescale();

  // The whole map in paint order: picture (raising the zoom to the fit floor first), location
  // shapes, routes. Makes the layer at the first paint.
  PrimitiveList paint(std::int32_t clientWidth, std::int32_t clientHeight);

 private:
  void setZoom(float zoom, std::int32_t clientWidth, std::int32_t clientHeight);
  Primitive scaledPicture() const;

  std::unique_ptr<MapLayer> layer_;
  MapImage picture_;
  mutable MapImage zoomedCopy_;
  mutable bool zoomedCopyCurrent_ = false;
  float zoom_ = 1.0f;
  ScrollRange scrollRange_;
  bool zoomOutEnabled_ = false;
};

}  // namespace tamso
