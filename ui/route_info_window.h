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

class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tamso {
class Route;
struct Order;
}  // namespace tamso

namespace tamso::ui {

class PlanEditor;
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

  // With an editor, a stop's context menu moves its order to another route or removes it.
  void setEditor(PlanEditor* editor) { editor_ = editor; }
  // The commands on the order of the stop list's row (shown order); nullptr for a row without
  // an order or without an editor. The menu is the window's child.
  QMenu* orderMenu(int row);

  // The order of a stop row of another Route Info window's list dropped here: it moves to
  // this window's route (the same move as "Move order to route..."). False when nothing moved.
  bool dropOrderFrom(const ReportList* source);

  // Opens the time line of the route shown, modally; the dialog deletes itself when closed.
  RouteGraphDialog* openGraphical();

 protected:
  // Stop rows dragged from another Route Info window are dropped here.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The order of the current row of a stop list of another Route Info window; nullptr when
  // there is none or no editor.
  const Order* draggedOrder(const QObject* source) const;

  QLineEdit* vehicle_;
  QLineEdit* gain_;
  ReportList* stops_;
  QPushButton* graphical_;
  TimelineRoute shown_;
  PlanEditor* editor_ = nullptr;
};

}  // namespace tamso::ui
