#pragma once
// The modal "Route Info" dialog with the time line of one route: the view, the check boxes
// that choose the shapes of the stop rows, and the horizontal and vertical zoom buttons.
#include <QDialog>

#include "map/route_timeline.h"

class QCheckBox;
class QPushButton;

namespace tamso::ui {

class RouteGrView;

class RouteGraphDialog : public QDialog {
  Q_OBJECT

 public:
  RouteGraphDialog(QWidget* parent, TimelineRoute route);

  RouteGrView* view() const { return view_; }
  TimelineElements elements() const;

  QCheckBox* timeWindowsBox() const { return timeWindows_; }
  QCheckBox* arrivalTimesBox() const { return arrivalTimes_; }
  QCheckBox* serviceTimesBox() const { return serviceTimes_; }
  QPushButton* zoomOutXButton() const { return zoomOutX_; }
  QPushButton* zoomInXButton() const { return zoomInX_; }
  QPushButton* zoomInYButton() const { return zoomInY_; }
  QPushButton* zoomOutYButton() const { return zoomOutY_; }

 private:
  QCheckBox* timeWindows_;
  QCheckBox* arrivalTimes_;
  QCheckBox* serviceTimes_;
  QPushButton* zoomOutX_;
  QPushButton* zoomInX_;
  QPushButton* zoomInY_;
  QPushButton* zoomOutY_;
  RouteGrView* view_;
};

}  // namespace tamso::ui
