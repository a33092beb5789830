#pragma once
// The modeless "Route Info" window, titled with the vehicle: a route's vehicle, its gain (two
// decimals) and its stops one by one (order, client, place, action, window, arrival, departure,
// km of the leg, satisfaction, load), after a first row for the vehicle's start; under
// the driving and rest times a BREAK or REST row (its start and end) before the stop it
// precedes. The
// window keeps what it shows as plain values, so it stays valid when the plan on the map is
// replaced by a later run. "Graphical" opens the route's time line.
#include <QDialog>
#include <QPointer>

#include "map/route_timeline.h"

class QLineEdit;
class QPushButton;

namespace tamso {
class Route;
}

namespace tamso::ui {

class ReportList;
class RouteGraphDialog;

class RouteInfoWindow : public QDialog {
  Q_OBJECT

 public:
  // Deleted when closed (Close, the close box or Escape), so a QPointer to it tells whether
  // it is still open.
  explicit RouteInfoWindow(QWidget* parent);

  // Fills the window for the route and shows it (raising it when it was already shown).
  void showRoute(const Route& route);
  void fill(const Route& route);

  QString vehicleName() const;
  QString routeGain() const;
  ReportList* stopList() const { return stops_; }
  QPushButton* graphicalButton() const { return graphical_; }

  // Opens the time line of the route shown, modally; the dialog deletes itself when closed.
  RouteGraphDialog* openGraphical();

 private:
  QLineEdit* vehicle_;
  QLineEdit* gain_;
  ReportList* stops_;
  QPushButton* graphical_;
  TimelineRoute shown_;
};

}  // namespace tamso::ui
