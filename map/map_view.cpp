#include "map/map_view.h"

#include <algorithm>

namespace tamso {

float fitZoom(const MapImage& picture, std::int32_t clientWidth, std::int32_t clientHeight) {
  if (!picture.hasBitmap() || picture.width() <= 0 || picture.height() <= 0) return 0.0f;
  const float byWidth = static_cast<float>(clientWidth) / static_cast<float>(picture.width());
  const float byHeight = static_cast<float>(clientHeight) / static_cast<float>(picture.height());
  return std::max(byWidth, byHeight);
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
  setZoom(zoom_ + zoomStep, clientWidth, clientHeight);
}

void MapView::zoomOut(std::int32_t clientWidth, std::int32_t clientHeight) {
  if (static_cast<double>(zoom_) < 0.1) return;
  setZoom(zoom_ - zoomStep, clientWidth, clientHeight);
}

void MapView::rescale() {
  if (layer_ == nullptr) return;
  scrollRange_ = {truncToInt(static_cast<double>(layer_->width) * zoom_),
                  truncToInt(static_cast<double>(layer_->height) * zoom_)};
  layer_->zoom = zoom_;
  if (layer_->showLocations) layer_->rebuildLocations();
  if (layer_->showRoutes) layer_->reprojectRoutes();
  if (layer_->backgroundShown && hasPicture()) {
    zoomedCopy_.copyFrom(picture_);
    zoomedCopy_.resample(truncToInt(static_cast<double>(picture_.width()) * zoom_),
                         truncToInt(static_cast<double>(picture_.height()) * zoom_));
  }
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
      zoomedCopy_.draw(canvas);
    }
  }
  layer_->drawItems(canvas, {locationColour, locationColour});
  return canvas;
}

}  // namespace tamso
