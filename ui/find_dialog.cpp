#include "ui/find_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamso::ui {

FindDialog::FindDialog(QWidget* parent, std::function<std::vector<FoundItem>(const QString&)> search,
                       std::function<void(const FoundItem&)> show)
    : QDialog(parent),
      edit_(new QLineEdit(this)),
      matches_(new QListWidget(this)),
      search_(std::move(search)),
      show_(std::move(show)) {
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
  edit_->setPlaceholderText(QStringLiteral("Order, client, place or vehicle"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  // Enter in the line shows the current match through the default button.
  QPushButton* showButton = buttons->addButton(QStringLiteral("Show"), QDialogButtonBox::ApplyRole);
  showButton->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addWidget(matches_);
  layout->addWidget(buttons);
  connect(edit_, &QLineEdit::textChanged, this, &FindDialog::refresh);
  connect(matches_, &QListWidget::itemActivated, this, [this](QListWidgetItem*) { showMatch(); });
  connect(showButton, &QPushButton::clicked, this, [this] { showMatch(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  resize(360, 320);
}

void FindDialog::refresh() {
  found_ = search_(edit_->text());
  matches_->clear();
  for (const FoundItem& item : found_) {
    matches_->addItem(QString::fromStdString(item.name) + QStringLiteral(" (") +
                      QString::fromLatin1(foundKindName(item.kind)) + QLatin1Char(')'));
  }
  if (!found_.empty()) matches_->setCurrentRow(0);
}

bool FindDialog::showMatch(int row) {
  if (row < 0) row = matches_->currentRow();
  if (row < 0 || row >= static_cast<int>(found_.size())) return false;
  show_(found_[static_cast<std::size_t>(row)]);
  return true;
}

}  // namespace tamso::ui
