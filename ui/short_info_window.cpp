#include "ui/short_info_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <utility>

#include "map/map_layer.h"
#include "routing/route.h"
#include "ui/dialog_units.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

ColourSample::ColourSample(QWidget* parent, std::function<QColor()> colour)
    : QFrame(parent), colour_(std::move(colour)) {
  setFrameShape(QFrame::Box);
  setMinimumSize(12, 12);
}

void ColourSample::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(contentsRect(), colour_());
}

ShortInfoWindow::ShortInfoWindow(QWidget* parent, MapLayer& layer, UserPrompts& prompts,
                                 std::function<void()> repaintMap)
    : QDialog(parent),
      layer_(layer),
      prompts_(prompts),
      repaintMap_(std::move(repaintMap)),
      vehicle_(new QLineEdit(this)),
      sample_(new ColourSample(this, [this] { return sampleColour(); })),
      change_(new QPushButton(QStringLiteral("Change..."), this)) {
  setWindowTitle(QStringLiteral("Short Info"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  vehicle_->setReadOnly(true);
  change_->setAutoDefault(false);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setAutoDefault(false);
  connect(change_, &QPushButton::clicked, this, &ShortInfoWindow::changeColour);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Vehicle name:"), this), 0, 0);
  grid->addWidget(vehicle_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Route color:"), this), 1, 0);
  grid->addWidget(sample_, 1, 1);
  grid->addWidget(change_, 1, 2);
  grid->addWidget(close, 2, 2);
  resize(DialogUnits(*this).size(195, 95));
}

void ShortInfoWindow::setRoute(int index) {
  index_ = index;
  const MapRoute* route = layer_.mapRoute(index_);
  vehicle_->setText(route && route->route ? QString::fromStdString(route->route->vehicle().name) : QString());
  refresh();
}

void ShortInfoWindow::refresh() { sample_->update(); }

QString ShortInfoWindow::vehicleName() const { return vehicle_->text(); }

QColor ShortInfoWindow::sampleColour() const {
  const MapRoute* route = layer_.mapRoute(index_);
  if (!route) return Qt::black;
  return {route->colour.r, route->colour.g, route->colour.b};
}

void ShortInfoWindow::changeColour() {
  MapRoute* route = layer_.mapRoute(index_);
  if (!route) return;
  const std::optional<QColor> chosen = prompts_.chooseColor(this, sampleColour());
  if (!chosen) return;
  // The route may have gone while the chooser was open.
  route = layer_.mapRoute(index_);
  if (!route) return;
  route->colour = {static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
                   static_cast<std::uint8_t>(chosen->blue())};
  refresh();
  if (repaintMap_) repaintMap_();
}

}  // namespace tamso::ui
