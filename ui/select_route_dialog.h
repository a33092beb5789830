#pragma once
// "Select Route": one line per drawn route (its vehicle's name), selected while the route is
// shown. "OK" shows exactly the selected routes; "Cancel" changes nothing.
#include <QDialog>

class QListWidget;

namespace tamso {
class MapLayer;
}

namespace tamso::ui {

class SelectRouteDialog : public QDialog {
  Q_OBJECT

 public:
  SelectRouteDialog(QWidget* parent, MapLayer& layer);

  QListWidget* routeList() const { return list_; }
  void selectAll();
  void deselectAll();
  void accept() override;

 private:
  MapLayer& layer_;
  QListWidget* list_;
};

}  // namespace tamso::ui
