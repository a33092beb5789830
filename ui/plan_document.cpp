#include "ui/plan_document.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <iostream>

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
  if (const std::optional<LoadError> error = loadInstance(name, problem_, options)) {
    // The reason, when known, on a second line, as the command-line tool gives it.
    return QString::fromStdString(error->reason.empty() ? error->message : error->message + "\n" + error->reason);
  }
  loaded_ = true;
  dataFile_ = fullPath;
  planFile_.clear();
  history_.reset();
  files_.setInputs(inputFiles());
  return std::nullopt;
}

MapParamsFileResult PlanDocument::readMapParams(const QString& path, bool changeDirectory, MapParams& params,
                                                MapImage& picture, const PictureLibrary& pictures) {
  const std::string name = fileToRead(path, changeDirectory);
  MapParamsFileResult result = readMapParamsFile(name, params, picture, pictures);
  for (const LoadWarning& warning : result.warnings) std::cerr << warningText(warning) << "\n";
  if (result.outcome != MapParamsFileResult::Outcome::FileError) {
    mapInputs_ = {std::filesystem::absolute(name).string(), std::filesystem::absolute(result.pictureName).string()};
    files_.setInputs(inputFiles());
  }
  return result;
}

std::vector<std::string> PlanDocument::inputFiles() const {
  std::vector<std::string> inputs = problem_.inputFiles;
  inputs.insert(inputs.end(), mapInputs_.begin(), mapInputs_.end());
  return inputs;
}

QString PlanDocument::title() const {
  if (!loaded_) return QStringLiteral("Tamso");
  const QString data = QFileInfo(dataFile_).fileName();
  const QString names =
      planFile_.isEmpty() ? data : QFileInfo(planFile_).fileName() + QStringLiteral(" (") + data + ')';
  return names + QStringLiteral("[*] - Tamso");
}

bool PlanDocument::namesPicture(const QString& path) {
  ConfigFile file;
  return file.read(QFileInfo(path).absoluteFilePath().toStdString()) && file.lookup("mapfilename").has_value();
}

}  // namespace tamso::ui
