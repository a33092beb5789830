#include "ui/recent_files.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>

namespace tamso::ui {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString entryKey(int i) { return QStringLiteral("File%1").arg(i + 1); }
QString canonical(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

const QString kUseGroup = QStringLiteral("Recent File Use");
// A settings key cannot hold every character of a path: the file is named by a digest of it.
QString useKey(const QString& path) {
  return QString::fromLatin1(QCryptographicHash::hash(canonical(path).toUtf8(), QCryptographicHash::Sha1).toHex());
}

// The switches and numbers of a use, each under its settings key.
constexpr std::pair<const char*, bool DataFileUse::*> kUseSwitches[] = {
    {"estimatedGain", &DataFileUse::estimatedGain},
    {"respectCapacities", &DataFileUse::respectCapacities},
    {"respectDrivingTimes", &DataFileUse::respectDrivingTimes},
};
constexpr std::pair<const char*, int DataFileUse::*> kUseNumbers[] = {
    {"restarts", &DataFileUse::restarts},
    {"thoroughSeconds", &DataFileUse::thoroughSeconds},
};
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

std::optional<DataFileUse> RecentFiles::use(const QString& path) const {
  if (!files().contains(canonical(path))) return std::nullopt;
  settings_.beginGroup(kUseGroup + QLatin1Char('/') + useKey(path));
  std::optional<DataFileUse> found;
  if (settings_.contains(QStringLiteral("mapParams"))) {
    DataFileUse use;
    use.mapParams = settings_.value(QStringLiteral("mapParams")).toString();
    for (const auto& [key, field] : kUseSwitches) use.*field = settings_.value(QLatin1String(key), use.*field).toBool();
    for (const auto& [key, field] : kUseNumbers) use.*field = settings_.value(QLatin1String(key), use.*field).toInt();
    found = use;
  }
  settings_.endGroup();
  return found;
}

void RecentFiles::setUse(const QString& path, const DataFileUse& use) {
  settings_.beginGroup(kUseGroup + QLatin1Char('/') + useKey(path));
  settings_.setValue(QStringLiteral("mapParams"), use.mapParams);
  for (const auto& [key, field] : kUseSwitches) settings_.setValue(QLatin1String(key), use.*field);
  for (const auto& [key, field] : kUseNumbers) settings_.setValue(QLatin1String(key), use.*field);
  settings_.endGroup();
  settings_.sync();
}

void RecentFiles::forgetUnlisted(const QStringList& list) {
  QStringList kept;
  for (const QString& path : list) kept << useKey(path);
  settings_.beginGroup(kUseGroup);
  for (const QString& key : settings_.childGroups()) {
    if (!kept.contains(key)) settings_.remove(key);
  }
  settings_.endGroup();
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
  forgetUnlisted(list.mid(0, kMaxEntries));
  settings_.sync();
}

}  // namespace tamso::ui
