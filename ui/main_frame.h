#pragma once
// The main window: menus with their texts, mnemonics and accelerators, the toolbar, the
// status bar with its message pane, and the map view in the middle. The frame only builds
// the commands and shows their enabled state; the view carries them out.
#include <QMainWindow>
#include <map>

#include "map/picture_library.h"
#include "ui/menu_states.h"

class QAction;
class QLabel;
class QMenu;
class QSettings;

namespace tamso::ui {

class CTamsoView;
class UserPrompts;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(UserPrompts& prompts, QSettings& settings, PictureLibrary pictures, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CTamsoView* view() const { return view_; }
  QAction* action(Command command) const;
  // The recent-file entries of the File menu, newest first.
  QList<QAction*> recentFileActions() const { return recentActions_; }
  QString messagePaneText() const;
  // The permanent status field with the problem and plan figures.
  QString summaryText() const;
  QToolBar* mainToolBar() const { return toolBar_; }
  // Edit > Undo and Redo, enabled by the plan's history rather than by the menu states.
  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }

 public slots:
  void about();
  void refreshCommandStates();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* addCommand(QMenu* menu, Command command, const QString& text, void (CTamsoView::*slot)());
  void buildMenus();
  void buildEditMenu();
  void buildToolBar();
  void buildStatusBar();
  void rebuildRecentFiles();
  void openRecentFile(const QString& path);
  void setMessage(const QString& text);
  // Size, position, toolbar and status bar as the user left them.
  void saveWindow();
  void restoreWindow();

  UserPrompts& prompts_;
  QSettings& settings_;
  CTamsoView* view_;
  std::map<Command, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentPlaceholder_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QList<QAction*> recentActions_;
  QToolBar* toolBar_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QLabel* summaryPane_ = nullptr;
};

}  // namespace tamso::ui
