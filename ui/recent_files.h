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
  // Takes over the list kept in `former` (the settings place of earlier versions) the first
  // time it is called for these settings; later calls find the mark and read nothing.
  void adoptFormerList(QSettings& former);
  // Puts the file first; a file already listed moves up instead of appearing twice.
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store(const QStringList& files);
  QSettings& settings_;
};

}  // namespace tamso::ui
