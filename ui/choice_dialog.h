#pragma once
// A list of lines to choose one from, OK and Cancel; lines that cannot be chosen are shown
// greyed with their reason as the tooltip. A double-click on a line chooses it.
#include <QDialog>
#include <optional>
#include <vector>

#include "ui/user_prompts.h"

class QListWidget;

namespace tamso::ui {

class ChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  ChoiceDialog(QWidget* parent, const QString& title, const std::vector<Choice>& choices);
  QListWidget* list() const { return list_; }
  // The line chosen: the current one, when it can be chosen.
  std::optional<int> chosen() const;

 private:
  QListWidget* list_;
};

}  // namespace tamso::ui
