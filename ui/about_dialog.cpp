#include "ui/about_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/dialog_units.h"

namespace tamso::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Tamso"));
  const DialogUnits du(*this);
  setFixedSize(du.size(217, 55));
  auto* icon = new QLabel(this);
  QIcon appIcon = QApplication::windowIcon();
  if (appIcon.isNull()) appIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
  icon->setPixmap(appIcon.pixmap(32, 32));
  icon->setGeometry(du.x(11), du.y(17), 32, 32);
  auto* text = new QLabel(kVersionText, this);
  placeAt(*text, du, 40, 10, 119, 8);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 178, 7, 32, 14);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tamso::ui
