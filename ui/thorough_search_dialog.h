#pragma once
// "Thorough Search": the time limit of the run in whole seconds (30 at first); OK stores a
// positive number, anything else is refused and the dialog stays open.
#include <QDialog>

class QLineEdit;

namespace tamso::ui {

class UserPrompts;

inline const QString kEnterSecondsMessage = QStringLiteral("Please enter a number of seconds above 0.");

class ThoroughSearchDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kDefaultSeconds = 30;

  ThoroughSearchDialog(QWidget* parent, UserPrompts& prompts, int seconds);
  int seconds() const { return seconds_; }
  QLineEdit* edit() const { return edit_; }

  void accept() override;

 private:
  UserPrompts& prompts_;
  QLineEdit* edit_;
  int seconds_;
};

}  // namespace tamso::ui
