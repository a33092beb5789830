#include "ui/tamso_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <variant>

#include "imageload/picture_library_glue.h"
#include "ui/bundled_examples.h"
#include "ui/main_frame.h"
#include "ui/recent_files.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

QString absolute(const QString& path) { return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath(); }

// Paths of the command line are read from where the program was started.
StartOptions withAbsolutePaths(StartOptions options) {
  options.config = absolute(options.config);
  options.mapParams = absolute(options.mapParams);
  options.exportPng = absolute(options.exportPng);
  options.routeSheets = absolute(options.routeSheets);
  options.plan = absolute(options.plan);
  return options;
}

// The window's runs write their trace files to the per-user data folder, never beside the data
// or an installed copy; the folder is made when missing.
QString windowDumpFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return folder;
}

int runWindow(const StartOptions& options) {
  QSettings settings(QString::fromLatin1(CTamsoApp::kOrganisation), QString::fromLatin1(CTamsoApp::kApplication));
  QSettings former(QString::fromLatin1(CTamsoApp::kFormerOrganisation), QString::fromLatin1(CTamsoApp::kApplication));
  RecentFiles(settings).adoptFormerList(former);
  DialogPrompts prompts(firstOpenFolder(RecentFiles(settings).files(), QApplication::applicationDirPath()));
  CMainFrame frame(prompts, settings, imageLoadLibrary(PictureLayout::Drawing));
  frame.view()->setDumpFolder(windowDumpFolder());
  frame.show();
  frame.view()->startUp(options, true);
  return QApplication::exec();
}

}  // namespace

void CTamsoApp::prepareEnvironment(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const bool windowless = std::strcmp(argv[i], "--export-png") == 0 || std::strcmp(argv[i], "--route-sheets") == 0 ||
                            std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "--help") == 0 ||
                            std::strcmp(argv[i], "-h") == 0;
    if (windowless && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
}

int CTamsoApp::run(const QStringList& arguments) {
  QApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(kApplication));
  const auto parsed = parseStartOptions(arguments.mid(1));
  if (const QString* error = std::get_if<QString>(&parsed)) {
    std::fprintf(stderr, "%s\n%s\n", error->toLocal8Bit().constData(), kStartUsage.toLocal8Bit().constData());
    return 2;
  }
  const StartOptions options = withAbsolutePaths(std::get<StartOptions>(parsed));
  if (options.help) {
    std::printf("%s\n", kStartUsage.toLocal8Bit().constData());
    return 0;
  }
  if (options.version) {
    std::printf("tamso %s\n", TAMSO_VERSION);
    return 0;
  }
  if (!options.exportPng.isEmpty() || !options.routeSheets.isEmpty())
    return exportStartFiles(options, imageLoadLibrary(PictureLayout::Drawing));
  return runWindow(options);
}

int exportStartFiles(const StartOptions& options, const PictureLibrary& pictures) {
  ConsolePrompts prompts;
  CTamsoView view(prompts, pictures);
  view.setFixedClientSize(options.size);
  view.setFitOnLoad(false);
  const StartOptions absoluteOptions = withAbsolutePaths(options);
  if (!view.startUp(absoluteOptions, false)) return 1;
  std::optional<QString> error;
  if (!absoluteOptions.exportPng.isEmpty()) error = view.exportMapPictureTo(absoluteOptions.exportPng, true);
  if (!error && !absoluteOptions.routeSheets.isEmpty()) error = view.writeRouteSheetsTo(absoluteOptions.routeSheets);
  if (error) {
    prompts.message(nullptr, *error);
    return 1;
  }
  return 0;
}

}  // namespace tamso::ui
