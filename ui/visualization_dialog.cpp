#include "ui/visualization_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "ui/dialog_units.h"
#include "ui/integer_field.h"
#include "ui/short_info_window.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

struct Group {
  const char* caption;
  int x, y, width, height;
};

constexpr std::array<Group, 6> kGroups{{
    {"Locations' shape", 18, 8, 93, 41},
    {"Locations' color", 122, 8, 87, 42},
    {"Route width", 18, 58, 92, 46},
    {"Selected route width", 121, 58, 89, 47},
    {"Locations' size", 20, 114, 91, 41},
    {"Selected locations' size", 122, 114, 89, 41},
}};

}  // namespace

CVisualizationDlg::CVisualizationDlg(QWidget* parent, UserPrompts& prompts, const VisualizationSettings& settings)
    : QDialog(parent), prompts_(prompts), settings_(settings), colour_(settings.locationColour) {
  setWindowTitle(QStringLiteral("Visualization"));
  const DialogUnits du(*this);
  setFixedSize(du.size(225, 186));
  for (const Group& g : kGroups) {
    auto* box = new QGroupBox(QString::fromUtf8(g.caption), this);
    placeAt(*box, du, g.x, g.y, g.width, g.height);
    box->lower();
  }

  // A list to pick from: typed text could name no shape and hide every place.
  shape_ = new QComboBox(this);
  shape_->setEditable(false);
  shape_->addItems(
      {QStringLiteral("Point"), QStringLiteral("Circle"), QStringLiteral("Rectangle"), QStringLiteral("Triangle")});
  shape_->setCurrentIndex(settings.shape >= 0 && settings.shape < shape_->count() ? settings.shape : -1);
  placeAt(*shape_, du, 28, 24, 73, 0);

  change_ = new QPushButton(QStringLiteral("Change..."), this);
  placeAt(*change_, du, 144, 22, 42, 18);
  swatch_ = new ColourSample(this, [this] { return colour_; });
  placeAt(*swatch_, du, 128, 24, 12, 14);
  connect(change_, &QPushButton::clicked, this, &CVisualizationDlg::changeColour);

  routeWidth_ = integerEdit(settings.routeWidth, 27, 74, 69, 15);
  selectedRouteWidth_ = integerEdit(settings.selectedRouteWidth, 130, 76, 67, 15);
  locationSize_ = integerEdit(settings.locationSize, 32, 130, 71, 13);
  selectedLocationSize_ = integerEdit(settings.selectedLocationSize, 131, 130, 68, 14);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 59, 165, 50, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  placeAt(*cancel, du, 125, 165, 50, 14);
  connect(ok, &QPushButton::clicked, this, &CVisualizationDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CVisualizationDlg::reject);
}

QLineEdit* CVisualizationDlg::integerEdit(int value, int x, int y, int width, int height) {
  auto* edit = new QLineEdit(QString::number(value), this);
  placeAt(*edit, DialogUnits(*this), x, y, width, height);
  return edit;
}

void CVisualizationDlg::changeColour() {
  // The chooser starts from black, whatever the current colour.
  if (const std::optional<QColor> chosen = prompts_.chooseColor(this, QColor(Qt::black))) colour_ = *chosen;
  swatch_->update();
}

int CVisualizationDlg::selectedShape() const { return shape_->currentIndex(); }

void CVisualizationDlg::accept() {
  VisualizationSettings read = settings_;
  read.shape = selectedShape();
  const std::array<std::pair<QLineEdit*, int*>, 4> fields{{{routeWidth_, &read.routeWidth},
                                                           {selectedRouteWidth_, &read.selectedRouteWidth},
                                                           {locationSize_, &read.locationSize},
                                                           {selectedLocationSize_, &read.selectedLocationSize}}};
  for (const auto& [edit, target] : fields) {
    const std::optional<int> value = integerFrom(edit->text());
    if (!value) {
      prompts_.message(this, kEnterIntegerMessage);
      edit->setFocus();
      edit->selectAll();
      return;
    }
    *target = *value;
  }
  read.locationColour = colour_;
  settings_ = read;
  QDialog::accept();
}

}  // namespace tamso::ui
