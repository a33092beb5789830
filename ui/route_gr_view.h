#pragma once
// The scrolling view that draws a route's time line. The drawing itself comes as primitives
// from RouteTimeline; the view only scrolls, zooms and paints them, labels in a fixed-pitch
// font.
#include <QAbstractScrollArea>
#include <QFont>
#include <functional>
#include <optional>

#include "map/route_timeline.h"

namespace tamso::ui {

class RouteGrView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // `elements` tells, at every paint, which shapes of the stop rows to draw.
  RouteGrView(QWidget* parent, std::function<TimelineElements()> elements);

  // Hands over the route to draw: computes its time range and the scroll size.
  void setRoute(TimelineRoute route);
  const RouteTimeline* timeline() const { return timeline_ ? &*timeline_ : nullptr; }

  void zoomInX();
  void zoomOutX();
  void zoomInY();
  void zoomOutY();

  // The drawing as painted now; empty before a route was given.
  PrimitiveList drawing() const;
  // The time axis as painted in the strip under the rows, which scrolls sideways only.
  PrimitiveList timeAxis() const;
  QWidget* timeAxisStrip() const { return axisStrip_; }
  TextMetrics textMetrics() const;
  const QFont& labelFont() const { return labelFont_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void zoomed();
  void updateScrollBars();
  void placeAxisStrip();
  void paintAxisStrip(QWidget& strip);

  std::function<TimelineElements()> elements_;
  std::optional<RouteTimeline> timeline_;
  QFont labelFont_;
  QWidget* axisStrip_ = nullptr;
};

}  // namespace tamso::ui
