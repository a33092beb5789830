#include "ui/replan_dialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "ui/tamso_thread.h"

namespace tamso::ui {

namespace {

constexpr RunCommand kOptimisers[] = {RunCommand::LocalSearch, RunCommand::ThoroughSearch, RunCommand::HybridGenetic,
                                      RunCommand::Genetic};

}  // namespace

ReplanDialog::ReplanDialog(QWidget* parent, const QDateTime& start)
    : QDialog(parent), time_(new QDateTimeEdit(start, this)), optimiser_(new QComboBox(this)) {
  setWindowTitle(QStringLiteral("Re-plan from"));
  time_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
  time_->setCalendarPopup(true);
  for (RunCommand command : kOptimisers) optimiser_->addItem(runCommandName(command));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Keep every stop started before:"), time_);
  form->addRow(QStringLiteral("Then run:"), optimiser_);
  form->addRow(buttons);
}

QString ReplanDialog::timeText() const { return time_->dateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

RunCommand ReplanDialog::command() const {
  const int chosen = optimiser_->currentIndex();
  return chosen < 0 ? RunCommand::LocalSearch : kOptimisers[chosen];
}

}  // namespace tamso::ui
