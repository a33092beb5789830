#pragma once
// The examples installed with the program: the open-file choosers start there as long as the
// user has no recent file. They are found relative to the program's own folder, so an installed
// program finds its own examples wherever the package was unpacked.
#include <QString>
#include <QStringList>

namespace tamso::ui {

// The examples folder that belongs to a program in `programFolder`; empty when there is none
// (a program run from its build folder).
QString bundledExamplesFolder(const QString& programFolder);

// Where the first open-file chooser starts: the bundled examples when `recentFiles` is empty,
// otherwise empty (the chooser's own default).
QString firstOpenFolder(const QStringList& recentFiles, const QString& programFolder);

}  // namespace tamso::ui
