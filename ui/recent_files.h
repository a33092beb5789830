#pragma once
// The four most recently opened data files, newest first, kept in the program's settings,
// each with the map parameters and run options it was last used with.
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class QSettings;

namespace tamso::ui {

// What a data file was used with: reopening it from the recent files brings these back.
struct DataFileUse {
  QString mapParams;  // empty: no map was opened
  bool estimatedGain = false;
  bool respectCapacities = false;
  bool respectDrivingTimes = false;
  int restarts = 1;
  int thoroughSeconds = 30;
  bool operator==(const DataFileUse&) const = default;
};

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
  // What the listed file was last used with; nothing for a file never recorded or no longer listed.
  std::optional<DataFileUse> use(const QString& path) const;
  void setUse(const QString& path, const DataFileUse& use);

 private:
  void store(const QStringList& files);
  // Drops what is kept for files that left the list.
  void forgetUnlisted(const QStringList& files);
  QSettings& settings_;
};

}  // namespace tamso::ui
