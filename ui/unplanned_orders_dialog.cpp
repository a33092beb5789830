#include "ui/unplanned_orders_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "routing/solution.h"
#include "routing/unplanned_reason.h"
#include "ui/plan_editor.h"
#include "ui/report_list.h"
#include "ui/route_windows.h"
#include "ui/two_decimals.h"

namespace tamso::ui {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

std::vector<ReportList::Cell> orderRow(const UnplannedReason& reason) {
  const Order& order = *reason.order;
  return {text(order.name),
          text(order.clientName()),
          text(reason.describe()),
          text(order.pickupPlaceName()),
          text(order.pickupWindow.format(0)),
          text(order.deliveryPlaceName()),
          text(order.deliveryWindow.format(0)),
          {twoDecimals(order.price), order.price}};
}

}  // namespace

UnplannedOrdersDialog::UnplannedOrdersDialog(QWidget* parent, const Solution& solution, PlanEditor* editor)
    : QDialog(parent),
      list_(new ReportList({{QStringLiteral("Order number"), 100},
                            {QStringLiteral("Client"), 100},
                            {QStringLiteral("Reason"), 480},
                            {QStringLiteral("Pickup place"), 100},
                            {QStringLiteral("Pickup window"), 250},
                            {QStringLiteral("Delivery place"), 100},
                            {QStringLiteral("Delivery window"), 250},
                            {QStringLiteral("Price"), 80}},
                           this)),
      editor_(editor) {
  setWindowTitle(QStringLiteral("Unplanned orders"));
  const std::vector<UnplannedReason> reasons = unplannedReasons(solution);
  for (const UnplannedReason& reason : reasons) list_->addRow(orderRow(reason));

  auto* summary = new QLabel(reasons.empty() ? QStringLiteral("Every order is planned.")
                                             : QStringLiteral("%1 of %2 orders are not planned.")
                                                   .arg(reasons.size())
                                                   .arg(solution.problem().orders.size()),
                             this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  if (editor_ != nullptr && !reasons.empty()) {
    QPushButton* insert = buttons->addButton(QStringLiteral("Insert into route..."), QDialogButtonBox::ActionRole);
    connect(insert, &QPushButton::clicked, this, [this] {
      const QModelIndex current = list_->currentIndex();
      insertRow(current.isValid() ? current.row() : 0);
    });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  // Every column whole, as far as the screen allows.
  const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : QSize(1280, 1000);
  const QMargins margins = layout->contentsMargins();
  const int width = list_->contentSize(0).width() + margins.left() + margins.right();
  resize(std::clamp(width, 600, std::max(600, screen.width() - 40)), 450);
}

bool UnplannedOrdersDialog::insertRow(int row) {
  const Order* order = editor_ ? editor_->orderNamed(list_->cellText(row, 0)) : nullptr;
  if (order == nullptr || !editor_->chooseRouteFor(*order)) return false;
  accept();  // the list shows the plan before the change
  return true;
}

void openUnplannedOrdersDialog(QWidget* parent, const Solution& solution, PlanEditor* editor) {
  UnplannedOrdersDialog dialog(parent, solution, editor);
  dialog.exec();
}

}  // namespace tamso::ui
