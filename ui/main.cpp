// tamso: the windowed route planner.
#include <QApplication>

#include "ui/tamso_app.h"

int main(int argc, char** argv) {
  tamso::ui::CTamsoApp::prepareEnvironment(argc, argv);
  QApplication app(argc, argv);
  return tamso::ui::CTamsoApp::run(QApplication::arguments());
}
