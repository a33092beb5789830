#pragma once
// The main window built for tests: scripted answers instead of message boxes and file
// choosers, settings in a temporary file, a fixed client size, and copies of the example
// data in a temporary folder (opening a file moves into its folder, and runs write their
// dump files there).
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "imageload/picture_library_glue.h"
#include "ui/main_frame.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::shelltest {

class ScriptedPrompts final : public ui::UserPrompts {
 public:
  void message(QWidget*, const QString& text) override {
    messages.push_back(text);
    if (onMessage) onMessage(text);
  }
  std::optional<QString> openFile(QWidget*, const QString&, const QString& filter) override {
    filters.push_back(filter);
    return next(openAnswers);
  }
  std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QString&) override {
    return next(saveAnswers);
  }
  std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override {
    colourStarts.push_back(initial);
    return colourAnswer;
  }
  // Questions are kept with the messages; the answer is the next scripted one, else the first
  // button.
  int ask(QWidget*, const QString& text, const QStringList&) override {
    messages.push_back(text);
    if (onMessage) onMessage(text);
    if (askAnswers.empty()) return 0;
    const int answer = askAnswers.front();
    askAnswers.pop_front();
    return answer;
  }
  // The lists offered are kept; the answer is the next scripted one, else a Cancel.
  std::optional<int> choose(QWidget*, const QString&, const std::vector<ui::Choice>& choices) override {
    offered.push_back(choices);
    if (chooseAnswers.empty()) return std::nullopt;
    const int answer = chooseAnswers.front();
    chooseAnswers.pop_front();
    return answer;
  }
  QString lastMessage() const { return messages.empty() ? QString() : messages.back(); }

  // Answers in turn; an empty text (or none left) is a Cancel.
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  std::optional<QColor> colourAnswer;
  std::deque<int> askAnswers;
  std::deque<int> chooseAnswers;
  std::vector<std::vector<ui::Choice>> offered;
  std::function<void(const QString&)> onMessage;  // called as each message or question arrives
  std::vector<QString> messages;
  std::vector<QString> filters;
  std::vector<QColor> colourStarts;

 private:
  static std::optional<QString> next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }
};

inline QString sourcePath(const QString& relative) {
  return QStringLiteral(TAMSO_SOURCE_DIR) + QLatin1Char('/') + relative;
}

// Copies a folder's files (not its subfolders) into `target`.
inline void copyFiles(const QString& from, const QString& target) {
  QDir().mkpath(target);
  QDirIterator it(from, QDir::Files);
  while (it.hasNext()) {
    it.next();
    QFile::copy(it.filePath(), target + QLatin1Char('/') + it.fileName());
  }
}

// A copy of the bundled European example; returns its configuration file.
inline QString europeCopy(const QTemporaryDir& dir) {
  const QString target = dir.filePath(QStringLiteral("europe"));
  copyFiles(sourcePath(QStringLiteral("examples/europe")), target);
  return target + QStringLiteral("/europe.cfg");
}

// A copy of the small example with two vehicles; returns its configuration file.
inline QString tinyCopy(const QTemporaryDir& dir) {
  const QString target = dir.filePath(QStringLiteral("tiny"));
  copyFiles(sourcePath(QStringLiteral("examples/tiny")), target);
  return target + QStringLiteral("/tiny.cfg");
}

// A plain picture (BMP, or the format `suffix` names) and a map-parameters file naming it; returns the file.
inline QString pictureMap(const QTemporaryDir& dir, int width, int height, const QString& suffix = "bmp") {
  QImage picture(width, height, QImage::Format_RGB888);
  picture.fill(QColor(0x20, 0x60, 0xA0));
  const QString name = QStringLiteral("picture.") + suffix;
  picture.save(dir.filePath(name));
  QFile file(dir.filePath(QStringLiteral("picture.map")));
  file.open(QIODevice::WriteOnly | QIODevice::Text);
  file.write("mapfilename=" + name.toUtf8() + "\n");
  file.write(
      "[points]\nx1=41\ny1=1447\nx2=734\ny2=1534\nx3=1342\ny3=1454\n"
      "[longitude]\nl1=-20\nx1=263\nl2=40\nx2=1161\n"
      "[latitude]\nl1=40\nx1=1437\nl2=60\nx2=478\n");
  return file.fileName();
}

struct Shell {
  Shell()
      : settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat),
        frame(prompts, settings, imageLoadLibrary()) {
    view().setFixedClientSize(QSize(500, 500));
    // Zoom 1 after loading, as the command tests expect; the window tests turn fitting on.
    view().setFitOnLoad(false);
  }
  ~Shell() { QDir::setCurrent(startDirectory); }

  ui::CTamsoView& view() { return *frame.view(); }
  QAction* action(ui::Command command) { return frame.action(command); }
  bool enabled(ui::Command command) { return frame.action(command)->isEnabled(); }

  // Opens a data file through the File menu.
  void openData(const QString& path) {
    prompts.openAnswers.push_back(path);
    action(ui::Command::OpenDataFile)->trigger();
  }
  void openMap(const QString& path) {
    prompts.openAnswers.push_back(path);
    action(ui::Command::OpenMapParams)->trigger();
  }
  // Triggers a run command and waits until the window has taken its outcome.
  bool runAndWait(ui::Command command, int timeoutMs = 120000) {
    QSignalSpy finished(&view(), &ui::CTamsoView::runFinished);
    action(command)->trigger();
    return finished.wait(timeoutMs);
  }

  QString startDirectory = QDir::currentPath();
  QTemporaryDir dir;
  ScriptedPrompts prompts;
  QSettings settings;
  ui::CMainFrame frame;
};

}  // namespace tamso::shelltest
