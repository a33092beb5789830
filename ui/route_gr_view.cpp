#include "ui/route_gr_view.h"

#include <QPainter>
#include <QScrollBar>
#include <utility>

#include "ui/map_painter.h"

namespace tamso::ui {

namespace {

// The platform's fixed-pitch font at 10 points, the family the primitive painter writes
// text in, so the label metrics match what is drawn.
QFont fixedPitchLabelFont() {
  QFont font(QStringLiteral("Monospace"), 10);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

// The strip under the viewport that carries the time axis; the view paints it.
class AxisStrip final : public QWidget {
 public:
  AxisStrip(QWidget* parent, std::function<void(QWidget&)> paint) : QWidget(parent), paint_(std::move(paint)) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
  }

 protected:
  void paintEvent(QPaintEvent*) override { paint_(*this); }

 private:
  std::function<void(QWidget&)> paint_;
};

}  // namespace

RouteGrView::RouteGrView(QWidget* parent, std::function<TimelineElements()> elements)
    : QAbstractScrollArea(parent), elements_(std::move(elements)), labelFont_(fixedPitchLabelFont()) {
  setFrameShape(QFrame::Box);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  axisStrip_ = new AxisStrip(this, [this](QWidget& strip) { paintAxisStrip(strip); });
  setViewportMargins(0, 0, 0, RouteTimeline::timeAxisHeight(textMetrics()));
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, axisStrip_, qOverload<>(&QWidget::update));
}

PrimitiveList RouteGrView::timeAxis() const {
  if (!timeline_) return {};
  return timeline_->drawTimeAxis(textMetrics());
}

void RouteGrView::placeAxisStrip() {
  const QRect area = viewport()->geometry();
  axisStrip_->setGeometry(area.left(), area.bottom() + 1, area.width(), RouteTimeline::timeAxisHeight(textMetrics()));
}

void RouteGrView::paintAxisStrip(QWidget& strip) {
  QPainter painter(&strip);
  painter.translate(-horizontalScrollBar()->value(), 0);
  painter.setFont(labelFont_);
  MapPainter().paint(painter, timeAxis());
}

void RouteGrView::setRoute(TimelineRoute route) {
  timeline_.emplace(std::move(route));
  updateScrollBars();
  viewport()->update();
  axisStrip_->update();
}

void RouteGrView::zoomInX() {
  if (!timeline_) return;
  timeline_->zoomInX();
  zoomed();
}

void RouteGrView::zoomOutX() {
  if (!timeline_) return;
  timeline_->zoomOutX();
  zoomed();
}

void RouteGrView::zoomInY() {
  if (!timeline_) return;
  timeline_->zoomInY();
  zoomed();
}

void RouteGrView::zoomOutY() {
  if (!timeline_) return;
  timeline_->zoomOutY();
  zoomed();
}

void RouteGrView::zoomed() {
  updateScrollBars();
  viewport()->update();
  axisStrip_->update();
}

TextMetrics RouteGrView::textMetrics() const {
  const QFontMetrics metrics(labelFont_);
  return {metrics.horizontalAdvance(QLatin1Char('0')), metrics.height()};
}

PrimitiveList RouteGrView::drawing() const {
  if (!timeline_) return {};
  return timeline_->draw(elements_ ? elements_() : TimelineElements{}, textMetrics());
}

void RouteGrView::updateScrollBars() {
  const IntPoint size = timeline_ ? timeline_->scrollSize() : IntPoint{};
  const QSize page = viewport()->size();
  horizontalScrollBar()->setPageStep(page.width());
  horizontalScrollBar()->setSingleStep(20);
  horizontalScrollBar()->setRange(0, std::max(0, size.x - page.width()));
  verticalScrollBar()->setPageStep(page.height());
  verticalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setRange(0, std::max(0, size.y - page.height()));
}

void RouteGrView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
  placeAxisStrip();
}

void RouteGrView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter.setFont(labelFont_);
  MapPainter().paint(painter, drawing());
}

}  // namespace tamso::ui
