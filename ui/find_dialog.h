#pragma once
// Edit > Find (Ctrl+F): a line for (part of) a name and the orders, clients, places and
// vehicles that hold it; Enter or a double-click on a match shows it on the map.
#include <QDialog>
#include <functional>
#include <vector>

#include "ui/find_items.h"

class QLineEdit;
class QListWidget;

namespace tamso::ui {

class FindDialog final : public QDialog {
  Q_OBJECT
 public:
  // `search` lists the matches of a text; `show` shows the one chosen.
  FindDialog(QWidget* parent, std::function<std::vector<FoundItem>(const QString&)> search,
             std::function<void(const FoundItem&)> show);

  QLineEdit* edit() const { return edit_; }
  QListWidget* matches() const { return matches_; }
  // Shows the match in the given row (the current one for -1); false when there is none.
  bool showMatch(int row = -1);

 private:
  void refresh();

  QLineEdit* edit_;
  QListWidget* matches_;
  std::function<std::vector<FoundItem>(const QString&)> search_;
  std::function<void(const FoundItem&)> show_;
  std::vector<FoundItem> found_;
};

}  // namespace tamso::ui
