#include "ui/iterations_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/integer_field.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

IterationsDialog::IterationsDialog(QWidget* parent, UserPrompts& prompts)
    : QDialog(parent), prompts_(prompts), edit_(new QLineEdit(QString::number(kShownValue), this)) {
  setWindowTitle(QStringLiteral("Dialog"));
  const DialogUnits du(*this);
  setFixedSize(du.size(186, 95));
  auto* label = new QLabel(QStringLiteral("Number of iterations"), this);
  placeAt(*label, du, 14, 16, 90, 8);
  placeAt(*edit_, du, 14, 30, 90, 14);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 129, 7, 50, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  placeAt(*cancel, du, 129, 24, 50, 14);
  connect(ok, &QPushButton::clicked, this, &IterationsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &IterationsDialog::reject);
}

void IterationsDialog::accept() {
  const std::optional<int> typed = integerFrom(edit_->text());
  if (!typed) {
    prompts_.message(this, kEnterIntegerMessage);
    edit_->setFocus();
    return;
  }
  value_ = *typed;
  QDialog::accept();
}

}  // namespace tamso::ui
