#include "map/map_view.h"

#include <algorithm>
#include <cmath>

namespace tamso {

float fitZoom(const MapImage& picture, std::int32_t clientWidth, std::int32_t clientHeight) {
  if (!picture.hasBitmap() || picture.width() <= 0 || picture.height() <= 0) return 0.0f;
  const float byWidth = static_cast<float>(clientWidth) / static_cast<float>(picture.width());
  const float byHeight = static_cast<float>(clientHeight) / static_cast<float>(picture.height());
  return std::max(byWidth, byHeight);
}

IntPoint scrollKeeping(IntPoint scroll, IntPoint anchor, float before, float after) {
  if (before <= 0.0f) return scroll;
  const double ratio = static_cast<double>(after) / static_cast<double>(before);
  const auto keep = [ratio](std::int32_t position, std::int32_t at) {
    return truncToInt(std::round((static_cast<double>(position) + at) * ratio - at));
  };
  return {keep(scroll.x, anchor.x), keep(scroll.y, anchor.y)};
}

MapLayer& MapView::createLayer(std::int32_t clientWidth, std::int32_t clientHeight) {
  layer_ = std::make_unique<MapLayer>(clientWidth, clientHeight);
  layer_->zoom = zoom_;
  scrollRange_ = {clientWidth, clientHeight};
  return *layer_;
}

bool MapView::showBackground() {
  if (!hasPicture() || layer_ == nullptr) return false;
  zoom_ = 1.0f;
  layer_->zoom = 1.0f;
  layer_->width = picture_.width();
  layer_->height = picture_.height();
  scrollRange_ = {picture_.width(), picture_.height()};
  layer_->backgroundShown = true;
  if (layer_->showLocations) layer_->rebuildLocations();
  if (layer_->showRoutes) layer_->reprojectRoutes();
  zoomOutEnabled_ = true;
  return true;
}

void MapView::hideBackground(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (layer_ == nullptr) return;
  layer_->width = clientWidth;
  layer_->height = clientHeight;
  scrollRange_ = {clientWidth, clientHeight};
  layer_->backgroundShown = false;
  if (layer_->showLocations) layer_->rebuildLocations();
  if (layer_->showRoutes) layer_->reprojectRoutes();
}

// A new zoom takes effect only when it differs; with the background shown it never falls
// below the zoom at which the picture covers the client area.
void MapView::setZoom(float zoom, std::int32_t clientWidth, std::int32_t clientHeight) {
  const bool background = layer_ != nullptr && layer_->backgroundShown;
  if (background) {
    zoom = std::max(zoom, fitZoom(picture_, clientWidth, clientHeight));
    if (zoom == zoom_) return;
  }
  zoom_ = zoom;
  rescale();
}

void MapView::zoomIn(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (zoom_ >= maxZoom) return;
  setZoom(std::min(zoom_ + zoomStep, maxZoom), clientWidth, clientHeight);
}

void MapView::zoomOut(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (static_cast<double>(zoom_) < 0.1) return;
  setZoom(zoom_ - zoomStep, clientWidth, clientHeight);
}

void MapView::zoomTo(float zoom, std::int32_t clientWidth, std::int32_t clientHeight) {
  if (!std::isfinite(zoom)) return;
  zoom = std::clamp(zoom, zoomStep, maxZoom);
  if (zoom == zoom_) return;
  setZoom(zoom, clientWidth, clientHeight);
}

IntPoint MapView::zoomToFit(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (layer_ == nullptr) return {};
  if (layer_->backgroundShown && hasPicture()) {
    setZoom(fitZoom(picture_, clientWidth, clientHeight), clientWidth, clientHeight);
  } else if (const std::optional<CanvasBox> box = layer_->placesBox(1.0f)) {
    // Canvas positions grow in proportion to the zoom: the box at zoom 1 gives the factor.
    const double width = std::max(1.0, static_cast<double>(box->right - box->left));
    const double height = std::max(1.0, static_cast<double>(box->bottom - box->top));
    const double fit = std::min(clientWidth * fitMargin / width, clientHeight * fitMargin / height);
    zoomTo(static_cast<float>(fit), clientWidth, clientHeight);
  }
  if (const std::optional<CanvasBox> box = layer_->placesBox()) {
    return {static_cast<std::int32_t>((std::int64_t{box->left} + box->right) / 2),
            static_cast<std::int32_t>((std::int64_t{box->top} + box->bottom) / 2)};
  }
  return {scrollRange_.width / 2, scrollRange_.height / 2};
}

const MapImage& MapView::zoomedCopy() const {
  if (!zoomedCopyCurrent_ && layer_ != nullptr && layer_->backgroundShown && hasPicture() && zoom_ != 1.0f) {
    zoomedCopy_.copyFrom(picture_);
    zoomedCopy_.resample(truncToInt(static_cast<double>(picture_.width()) * zoom_),
                         truncToInt(static_cast<double>(picture_.height()) * zoom_));
    zoomedCopyCurrent_ = true;
  }
  return zoomedCopy_;
}

void MapView::rescale() {
  if (layer_ == nullptr) return;
  scrollRange_ = {truncToInt(static_cast<double>(layer_->width) * zoom_),
                  truncToInt(static_cast<double>(layer_->height) * zoom_)};
  layer_->zoom = zoom_;
  if (layer_->showLocations) layer_->rebuildLocations();
  if (layer_->showRoutes) layer_->reprojectRoutes();
  zoomedCopyCurrent_ = false;
}

// The loaded picture stretched over its size at the current zoom; the window draws only the
// part it shows, so a zoom step costs the same at any zoom.
Primitive MapView::scaledPicture() const {
  Primitive primitive;
  primitive.kind = Primitive::Kind::ScaledPicture;
  primitive.points = {{picture_.drawX(), picture_.drawY()},
                      {truncToInt(static_cast<double>(picture_.width()) * zoom_),
                       truncToInt(static_cast<double>(picture_.height()) * zoom_)}};
  primitive.picture = &picture_;
  primitive.pictureVersion = picture_.version();
  return primitive;
}

PrimitiveList MapView::paint(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (layer_ == nullptr) createLayer(clientWidth, clientHeight);
  PrimitiveList canvas;
  if (layer_->backgroundShown) {
    const float fit = fitZoom(picture_, clientWidth, clientHeight);
    if (zoom_ < fit) {
      zoom_ = fit;
      rescale();
    }
    zoomOutEnabled_ = zoom_ != fit;
    if (zoom_ == 1.0f) {
      picture_.draw(canvas);
    } else {
      canvas.push_back(scaledPicture());
    }
  }
  layer_->drawItems(canvas, {locationColour, locationColour});
  return canvas;
}

}  // namespace tamso
