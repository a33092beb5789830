#pragma once
// "Number of iterations": always opens showing 20; OK stores the typed integer.
#include <QDialog>

class QLineEdit;

namespace tamso::ui {

class UserPrompts;

class IterationsDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kShownValue = 20;

  IterationsDialog(QWidget* parent, UserPrompts& prompts);
  int value() const { return value_; }
  QLineEdit* edit() const { return edit_; }

  void accept() override;

 private:
  UserPrompts& prompts_;
  QLineEdit* edit_;
  int value_ = kShownValue;
};

}  // namespace tamso::ui
