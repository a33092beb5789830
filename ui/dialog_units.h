#pragma once
// Dialog layouts are given in dialog units: a quarter of the font's average character
// width horizontally and an eighth of its height vertically.
#include <QRect>
#include <QSize>

class QWidget;

namespace tamso::ui {

class DialogUnits {
 public:
  explicit DialogUnits(const QWidget& dialog);
  int x(int units) const;
  int y(int units) const;
  QRect rect(int x, int y, int width, int height) const;
  QSize size(int width, int height) const;

 private:
  int baseWidth_;
  int baseHeight_;
};

// Places `child` at the dialog-unit rectangle; a height of 0 keeps the child's natural height.
void placeAt(QWidget& child, const DialogUnits& units, int x, int y, int width, int height);

}  // namespace tamso::ui
