#include "ui/number_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/integer_field.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

NumberDialog::NumberDialog(QWidget* parent, UserPrompts& prompts, const Texts& texts, int shown)
    : QDialog(parent),
      prompts_(prompts),
      refusal_(texts.refusal),
      edit_(new QLineEdit(QString::number(shown), this)),
      number_(shown) {
  setWindowTitle(texts.title);
  const DialogUnits du(*this);
  setFixedSize(du.size(186, 95));
  auto* label = new QLabel(texts.label, this);
  placeAt(*label, du, 14, 16, texts.labelWidth, 8);
  placeAt(*edit_, du, 14, 30, 90, 14);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 129, 7, 50, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  placeAt(*cancel, du, 129, 24, 50, 14);
  connect(ok, &QPushButton::clicked, this, &NumberDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &NumberDialog::reject);
}

void NumberDialog::accept() {
  const std::optional<int> typed = integerFrom(edit_->text());
  if (!typed || !acceptable(*typed)) {
    prompts_.message(this, refusal_);
    edit_->setFocus();
    return;
  }
  number_ = *typed;
  QDialog::accept();
}

}  // namespace tamso::ui
