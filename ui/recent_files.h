#pragma once
// The four most recently opened data files, newest first, kept in the program's settings.
#include <QString>
#include <QStringList>

class QSettings;

namespace tamso::ui {

class RecentFiles {
 public:
  static constexpr int kMaxEntries = 4;

  explicit RecentFiles(QSettings& settings);
  QStringList files() const;
  // Puts the file first; a file already listed moves up instead of appearing twice.
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store(const QStringList& files);
  QSettings& settings_;
};

}  // namespace tamso::ui
