#pragma once
// "About Tamso": the icon, the version line and OK.
#include <QDialog>

namespace tamso::ui {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  static inline const QString kVersionText = QStringLiteral("Tamso Version 1.0");
  explicit CAboutDlg(QWidget* parent);
};

}  // namespace tamso::ui
