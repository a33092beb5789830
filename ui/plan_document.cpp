#include "ui/plan_document.h"

#include <QDir>
#include <QFileInfo>

#include "problem/config_file.h"
#include "problem/loader.h"

namespace tamso::ui {

namespace {

// The file to read: by its bare name after moving into its folder (as the file dialog
// does), or by its full path.
std::string fileToRead(const QString& path, bool changeDirectory) {
  const QFileInfo info(path);
  if (!changeDirectory) return QDir::toNativeSeparators(info.absoluteFilePath()).toStdString();
  QDir::setCurrent(info.absolutePath());
  return info.fileName().toStdString();
}

}  // namespace

std::optional<QString> PlanDocument::openDataFile(const QString& path, bool changeDirectory) {
  const QString fullPath = QFileInfo(path).absoluteFilePath();
  LoadOptions options;
  if (!changeDirectory) options.dataDirectory = QFileInfo(fullPath).absolutePath().toStdString();
  const std::string name = fileToRead(fullPath, changeDirectory);
  if (const std::optional<LoadError> error = loadInstance(name, problem_, options))
    return QString::fromStdString(error->message);
  loaded_ = true;
  dataFile_ = fullPath;
  return std::nullopt;
}

MapParamsFileResult PlanDocument::readMapParams(const QString& path, bool changeDirectory, MapParams& params,
                                                MapImage& picture, const PictureLibrary& pictures) const {
  return readMapParamsFile(fileToRead(path, changeDirectory), params, picture, pictures);
}

bool PlanDocument::namesPicture(const QString& path) {
  ConfigFile file;
  return file.read(QFileInfo(path).absoluteFilePath().toStdString()) && file.lookup("mapfilename").has_value();
}

}  // namespace tamso::ui
