#include "ui/thorough_search_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/integer_field.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

ThoroughSearchDialog::ThoroughSearchDialog(QWidget* parent, UserPrompts& prompts, int seconds)
    : QDialog(parent), prompts_(prompts), edit_(new QLineEdit(QString::number(seconds), this)), seconds_(seconds) {
  setWindowTitle(QStringLiteral("Thorough Search"));
  const DialogUnits du(*this);
  setFixedSize(du.size(186, 95));
  auto* label = new QLabel(QStringLiteral("Time limit in seconds"), this);
  placeAt(*label, du, 14, 16, 100, 8);
  placeAt(*edit_, du, 14, 30, 90, 14);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 129, 7, 50, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  placeAt(*cancel, du, 129, 24, 50, 14);
  connect(ok, &QPushButton::clicked, this, &ThoroughSearchDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ThoroughSearchDialog::reject);
}

void ThoroughSearchDialog::accept() {
  const std::optional<int> typed = integerFrom(edit_->text());
  if (!typed || *typed <= 0) {
    prompts_.message(this, kEnterSecondsMessage);
    edit_->setFocus();
    return;
  }
  seconds_ = *typed;
  QDialog::accept();
}

}  // namespace tamso::ui
