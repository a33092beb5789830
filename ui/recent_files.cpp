#include "ui/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace tamso::ui {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString entryKey(int i) { return QStringLiteral("File%1").arg(i + 1); }
QString canonical(const QString& path) { return QFileInfo(path).absoluteFilePath(); }
}  // namespace

RecentFiles::RecentFiles(QSettings& settings) : settings_(settings) {}

QStringList RecentFiles::files() const {
  QStringList result;
  settings_.beginGroup(kGroup);
  for (int i = 0; i < kMaxEntries; ++i) {
    const QString path = settings_.value(entryKey(i)).toString();
    if (!path.isEmpty() && !result.contains(path)) result << path;
  }
  settings_.endGroup();
  return result;
}

void RecentFiles::adoptFormerList(QSettings& former) {
  const QString mark = QStringLiteral("FormerRecentFilesRead");
  if (settings_.value(mark).toBool()) return;
  settings_.setValue(mark, true);
  if (!files().isEmpty()) {
    settings_.sync();
    return;
  }
  RecentFiles old(former);
  store(old.files());
}

void RecentFiles::add(const QString& path) {
  const QString full = canonical(path);
  QStringList list = files();
  list.removeAll(full);
  list.prepend(full);
  store(list);
}

void RecentFiles::remove(const QString& path) {
  QStringList list = files();
  list.removeAll(canonical(path));
  store(list);
}

void RecentFiles::store(const QStringList& list) {
  settings_.beginGroup(kGroup);
  for (int i = 0; i < kMaxEntries; ++i) {
    if (i < list.size())
      settings_.setValue(entryKey(i), list[i]);
    else
      settings_.remove(entryKey(i));
  }
  settings_.endGroup();
  settings_.sync();
}

}  // namespace tamso::ui
