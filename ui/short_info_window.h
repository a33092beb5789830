#pragma once
// The modeless "Short Info" window of one drawn route: its vehicle's name and a sample of
// its colour, with "Change..." to pick a new colour through the prompts seam.
#include <QDialog>
#include <QFrame>
#include <functional>

class QLineEdit;
class QPushButton;

namespace tamso {
class MapLayer;
}

namespace tamso::ui {

class UserPrompts;

// A swatch: a box filled with the colour.
class ColourSample : public QFrame {
  Q_OBJECT
 public:
  ColourSample(QWidget* parent, std::function<QColor()> colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<QColor()> colour_;
};

class ShortInfoWindow : public QDialog {
  Q_OBJECT

 public:
  // Deleted when closed, so a QPointer to it tells whether it is still open. `repaintMap`
  // redraws the map after a colour change.
  ShortInfoWindow(QWidget* parent, MapLayer& layer, UserPrompts& prompts, std::function<void()> repaintMap);

  // Shows the drawn route at a position of the layer's route list.
  void setRoute(int index);
  int routeIndex() const { return index_; }
  // Repaints the colour sample after the route's colour changed elsewhere.
  void refresh();
  // "Change...": asks for a colour; on OK the route takes it and sample and map are redrawn.
  void changeColour();

  QString vehicleName() const;
  QColor sampleColour() const;
  ColourSample* sample() const { return sample_; }
  QPushButton* changeButton() const { return change_; }

 private:
  MapLayer& layer_;
  UserPrompts& prompts_;
  std::function<void()> repaintMap_;
  int index_ = -1;
  QLineEdit* vehicle_;
  ColourSample* sample_;
  QPushButton* change_;
};

}  // namespace tamso::ui
