#include "ui/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

namespace tamso::ui {

DialogUnits::DialogUnits(const QWidget& dialog) {
  const QFontMetrics metrics(dialog.font());
  static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  baseWidth_ = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
  baseHeight_ = metrics.height();
  if (baseWidth_ < 1) baseWidth_ = 1;
  if (baseHeight_ < 1) baseHeight_ = 1;
}

int DialogUnits::x(int units) const { return units * baseWidth_ / 4; }
int DialogUnits::y(int units) const { return units * baseHeight_ / 8; }
QRect DialogUnits::rect(int left, int top, int width, int height) const {
  return {x(left), y(top), x(width), y(height)};
}
QSize DialogUnits::size(int width, int height) const { return {x(width), y(height)}; }

void placeAt(QWidget& child, const DialogUnits& units, int x, int y, int width, int height) {
  QRect r = units.rect(x, y, width, height);
  if (height == 0) r.setHeight(child.sizeHint().height());
  child.setGeometry(r);
}

}  // namespace tamso::ui
