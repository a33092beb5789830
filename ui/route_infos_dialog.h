#pragma once
// "Route Infos": picks a vehicle of the plan and shows its route in a stop-list window that
// the dialog keeps (refilled while open, made again after it was closed) and closes with it.
#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;

namespace tamso {
class Solution;
}

namespace tamso::ui {

class RouteInfoWindow;

class RouteInfosDialog : public QDialog {
  Q_OBJECT

 public:
  // Without a plan the list is empty and "Show Route Info" does nothing.
  RouteInfosDialog(QWidget* parent, const Solution* solution);

  QComboBox* vehicleList() const { return vehicles_; }
  QPushButton* showButton() const { return show_; }
  RouteInfoWindow* stopListWindow() const { return window_; }
  void showRouteInfo();

 private:
  const Solution* solution_;
  QComboBox* vehicles_;
  QPushButton* show_;
  QPointer<RouteInfoWindow> window_;
};

}  // namespace tamso::ui
