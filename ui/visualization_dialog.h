#pragma once
// "Visualization": the shape, colour and sizes the map draws locations and routes with.
#include <QColor>
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tamso::ui {

class UserPrompts;

struct VisualizationSettings {
  int shape = 2;  // 0 Point, 1 Circle, 2 Rectangle, 3 Triangle, -1 none
  QColor locationColour = QColor(0xFF, 0x00, 0x00);
  int routeWidth = 4;
  int selectedRouteWidth = 6;
  int locationSize = 10;
  int selectedLocationSize = 18;
};

class CVisualizationDlg : public QDialog {
  Q_OBJECT
 public:
  CVisualizationDlg(QWidget* parent, UserPrompts& prompts, const VisualizationSettings& settings);

  // The settings as confirmed; meaningful after OK.
  const VisualizationSettings& settings() const { return settings_; }

  QComboBox* shapeBox() const { return shape_; }
  QPushButton* changeButton() const { return change_; }
  QLineEdit* routeWidthEdit() const { return routeWidth_; }
  QLineEdit* selectedRouteWidthEdit() const { return selectedRouteWidth_; }
  QLineEdit* locationSizeEdit() const { return locationSize_; }
  QLineEdit* selectedLocationSizeEdit() const { return selectedLocationSize_; }
  QColor chosenColour() const { return colour_; }
  QWidget* colourSwatch() const { return swatch_; }

  void accept() override;

 private:
  void changeColour();
  int selectedShape() const;
  QLineEdit* integerEdit(int value, int x, int y, int width, int height);

  UserPrompts& prompts_;
  VisualizationSettings settings_;
  QColor colour_;
  QComboBox* shape_ = nullptr;
  QPushButton* change_ = nullptr;
  QWidget* swatch_ = nullptr;
  QLineEdit* routeWidth_ = nullptr;
  QLineEdit* selectedRouteWidth_ = nullptr;
  QLineEdit* locationSize_ = nullptr;
  QLineEdit* selectedLocationSize_ = nullptr;
};

}  // namespace tamso::ui
