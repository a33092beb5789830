#include "ui/user_prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace tamso::ui {

void DialogPrompts::message(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QStringLiteral("Tamso"), text, QMessageBox::Ok);
}

std::optional<QString> DialogPrompts::openFile(QWidget* parent, const QString& caption, const QString& filter) {
  const QString name = QFileDialog::getOpenFileName(parent, caption, openFolder_, filter);
  if (name.isEmpty()) return std::nullopt;
  openFolder_.clear();
  return name;
}

std::optional<QString> DialogPrompts::saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                               const QString& suggestedName) {
  const QString name = QFileDialog::getSaveFileName(parent, caption, suggestedName, filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QColor> DialogPrompts::chooseColor(QWidget* parent, const QColor& initial) {
  const QColor colour = QColorDialog::getColor(initial, parent);
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

int DialogPrompts::ask(QWidget* parent, const QString& text, const QStringList& buttons) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Tamso"), text, QMessageBox::NoButton, parent);
  QList<QAbstractButton*> shown;
  for (const QString& caption : buttons) shown << box.addButton(caption, QMessageBox::AcceptRole);
  if (!shown.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(shown.front()));
  box.exec();
  const int chosen = static_cast<int>(shown.indexOf(box.clickedButton()));
  return chosen < 0 ? 0 : chosen;
}

void ConsolePrompts::message(QWidget*, const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace tamso::ui
