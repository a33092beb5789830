#pragma once
// A small dialog that asks for one whole number: a label, an edit field, OK and Cancel. OK
// stores the typed number when it is acceptable; otherwise the refusal is shown and the
// dialog stays open.
#include <QDialog>
#include <QString>

class QLineEdit;

namespace tamso::ui {

class UserPrompts;

class NumberDialog : public QDialog {
  Q_OBJECT
 public:
  struct Texts {
    QString title;
    QString label;
    int labelWidth = 90;  // dialog units
    QString refusal;      // shown when the typed text is no acceptable number
  };

  NumberDialog(QWidget* parent, UserPrompts& prompts, const Texts& texts, int shown);
  QLineEdit* edit() const { return edit_; }

  void accept() override;

 protected:
  int number() const { return number_; }
  virtual bool acceptable(int) const { return true; }

 private:
  UserPrompts& prompts_;
  QString refusal_;
  QLineEdit* edit_;
  int number_;
};

}  // namespace tamso::ui
