#pragma once
// Application start-up: the settings key, the main window or, with --export-png or
// --route-sheets, the map painted into a picture file and the route sheets written without any
// window or message box.
#include <QStringList>

#include "map/picture_library.h"
#include "ui/start_options.h"

namespace tamso::ui {

class CTamsoApp {
 public:
  static inline const char* kOrganisation = "Tamso";
  static inline const char* kApplication = "Tamso";
  // Where earlier versions kept their settings; the recent-file list is read from there once.
  static inline const char* kFormerOrganisation = "Local AppWizard-Generated Applications";

  // Before the QApplication exists: a picture export, --version and --help need no display.
  static void prepareEnvironment(int argc, char** argv);
  // The whole program after the QApplication exists; the process exit code.
  static int run(const QStringList& arguments);
};

// Loads what the options name and writes, without a window, the whole canvas as PNG
// (--export-png) and the plan's route sheets as PDF (--route-sheets). Messages go to standard
// error; 1 when a file failed.
int exportStartFiles(const StartOptions& options, const PictureLibrary& pictures);

}  // namespace tamso::ui
