#include "ui/bundled_examples.h"

#include <QDir>
#include <QFileInfo>

namespace tamso::ui {

QString bundledExamplesFolder(const QString& programFolder) {
  if (programFolder.isEmpty()) return {};
  const QString folder =
      QDir::cleanPath(QDir(programFolder).absoluteFilePath(QStringLiteral(TAMSO_EXAMPLES_FROM_BINDIR)));
  return QFileInfo(folder).isDir() ? folder : QString();
}

QString firstOpenFolder(const QStringList& recentFiles, const QString& programFolder) {
  return recentFiles.isEmpty() ? bundledExamplesFolder(programFolder) : QString();
}

}  // namespace tamso::ui
