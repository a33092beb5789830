#include "ui/route_graph_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "ui/dialog_units.h"
#include "ui/route_gr_view.h"

namespace tamso::ui {

namespace {

QCheckBox* tickedBox(const QString& text, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setChecked(true);
  return box;
}

QPushButton* zoomButton(const QString& text, const QString& tip, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

RouteGraphDialog::RouteGraphDialog(QWidget* parent, TimelineRoute route)
    : QDialog(parent),
      timeWindows_(tickedBox(QStringLiteral("Time Windows"), this)),
      arrivalTimes_(tickedBox(QStringLiteral("Arrival Times"), this)),
      serviceTimes_(tickedBox(QStringLiteral("Service Times"), this)),
      zoomOutX_(zoomButton(QStringLiteral("--"), QStringLiteral("Horizontal zoom out"), this)),
      zoomInX_(zoomButton(QStringLiteral("+"), QStringLiteral("Horizontal zoom in"), this)),
      zoomInY_(zoomButton(QStringLiteral("+"), QStringLiteral("Vertical zoom in"), this)),
      zoomOutY_(zoomButton(QStringLiteral("--"), QStringLiteral("Vertical zoom out"), this)),
      view_(new RouteGrView(this, [this] { return elements(); })) {
  const QString vehicle = QString::fromStdString(route.vehicleName);
  setWindowTitle(vehicle.isEmpty() ? QStringLiteral("Route Info") : QStringLiteral("Route Info - ") + vehicle);
  setModal(true);

  auto* group = new QGroupBox(QStringLiteral("Graph elements"), this);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(timeWindows_);
  groupLayout->addWidget(arrivalTimes_);
  groupLayout->addWidget(serviceTimes_);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  // The horizontal zoom buttons sit under the time line, the vertical ones beside it.
  auto* horizontal = new QHBoxLayout;
  horizontal->addWidget(zoomOutX_);
  horizontal->addWidget(zoomInX_);
  horizontal->addStretch();
  auto* vertical = new QVBoxLayout;
  vertical->addWidget(zoomInY_);
  vertical->addWidget(zoomOutY_);
  vertical->addStretch();
  auto* side = new QVBoxLayout;
  side->addWidget(group);
  side->addStretch();
  side->addWidget(close);

  auto* grid = new QGridLayout(this);
  grid->addWidget(view_, 0, 0);
  grid->addLayout(vertical, 0, 1);
  grid->addLayout(horizontal, 1, 0);
  grid->addLayout(side, 0, 2, 2, 1);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(0, 1);
  resize(DialogUnits(*this).size(548, 330));

  for (QCheckBox* box : {timeWindows_, arrivalTimes_, serviceTimes_}) {
    connect(box, &QCheckBox::toggled, view_->viewport(), qOverload<>(&QWidget::update));
  }
  connect(zoomOutX_, &QPushButton::clicked, view_, &RouteGrView::zoomOutX);
  connect(zoomInX_, &QPushButton::clicked, view_, &RouteGrView::zoomInX);
  connect(zoomInY_, &QPushButton::clicked, view_, &RouteGrView::zoomInY);
  connect(zoomOutY_, &QPushButton::clicked, view_, &RouteGrView::zoomOutY);

  view_->setRoute(std::move(route));
}

TimelineElements RouteGraphDialog::elements() const {
  return {timeWindows_->isChecked(), arrivalTimes_->isChecked(), serviceTimes_->isChecked()};
}

}  // namespace tamso::ui
