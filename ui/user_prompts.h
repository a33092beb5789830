#pragma once
// The window's questions to the user: message boxes, file choosers and the colour
// chooser. Tests and the picture export replace them, so nothing there ever blocks.
#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

namespace tamso::ui {

// One line of a list to choose from; a line that cannot be chosen says why in its tooltip.
struct Choice {
  QString text;
  QString toolTip;
  bool enabled = true;
};

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A message in the application's standard box (title "Tamso", one OK button).
  virtual void message(QWidget* parent, const QString& text) = 0;
  // The chosen file, nothing on Cancel. `filter` as Qt writes it: "All files (*.*)".
  virtual std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& filter) = 0;
  virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                          const QString& suggestedName) = 0;
  // The chosen colour, nothing on Cancel.
  virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
  // A message with a choice of buttons, the first the default; the position of the button
  // chosen. Without a way to ask, the message is shown and the first button taken.
  virtual int ask(QWidget* parent, const QString& text, const QStringList& buttons) {
    message(parent, text);
    return buttons.isEmpty() ? -1 : 0;
  }
  // The position of the line chosen from the list, nothing on Cancel. Without a way to ask,
  // nothing is chosen.
  virtual std::optional<int> choose(QWidget* /*parent*/, const QString& /*title*/,
                                    const std::vector<Choice>& /*choices*/) {
    return std::nullopt;
  }
};

// The real dialogs.
class DialogPrompts final : public UserPrompts {
 public:
  // The open-file chooser starts in `folder` until a file has been chosen; empty: the chooser's
  // own default.
  explicit DialogPrompts(QString folder = {}) : openFolder_(std::move(folder)) {}
  void message(QWidget* parent, const QString& text) override;
  std::optional<QString> openFile(QWidget* parent, const QString& caption, const QString& filter) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                  const QString& suggestedName) override;
  std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
  int ask(QWidget* parent, const QString& text, const QStringList& buttons) override;
  std::optional<int> choose(QWidget* parent, const QString& title, const std::vector<Choice>& choices) override;

 private:
  QString openFolder_;
};

// No dialogs at all: messages go to standard error, every choice is a Cancel.
class ConsolePrompts final : public UserPrompts {
 public:
  void message(QWidget* parent, const QString& text) override;
  std::optional<QString> openFile(QWidget*, const QString&, const QString&) override { return std::nullopt; }
  std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
};

}  // namespace tamso::ui
