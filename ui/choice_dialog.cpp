#include "ui/choice_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamso::ui {

ChoiceDialog::ChoiceDialog(QWidget* parent, const QString& title, const std::vector<Choice>& choices)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle(title);
  for (const Choice& choice : choices) {
    auto* item = new QListWidgetItem(choice.text, list_);
    item->setToolTip(choice.toolTip);
    if (!choice.enabled) item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
  }
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->flags() & Qt::ItemIsEnabled) {
      list_->setCurrentRow(row);
      break;
    }
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(chosen().has_value());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (chosen()) accept();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(420, 360);
}

std::optional<int> ChoiceDialog::chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) return std::nullopt;
  return list_->row(item);
}

std::optional<int> DialogPrompts::choose(QWidget* parent, const QString& title, const std::vector<Choice>& choices) {
  ChoiceDialog dialog(parent, title, choices);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

}  // namespace tamso::ui
