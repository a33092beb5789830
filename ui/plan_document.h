#pragma once
// The window's document: the loaded problem, the name of its data file, the reading of data
// and map-parameter files, the plan's files (Save, Save As, Save Report) and the plan's undo
// history. The view shows what the document holds and keeps the map, scrolling, painting and
// input.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "map/map_params_file.h"
#include "map/picture_library.h"
#include "problem/problem_data.h"
#include "ui/plan_files.h"
#include "ui/plan_history.h"

namespace tamso::ui {

class PlanDocument {
 public:
  // `show` puts a plan of the history on the map.
  PlanDocument(QWidget* window, UserPrompts& prompts, PlanShower show) : files_(window, prompts), history_(show) {}

  ProblemData& problem() { return problem_; }
  const ProblemData& problem() const { return problem_; }
  bool loaded() const { return loaded_; }
  // The problem once a data file was opened, nullptr before.
  const ProblemData* loadedProblem() const { return loaded_ ? &problem_ : nullptr; }
  // The full path of the data file last opened; empty before the first.
  const QString& dataFile() const { return dataFile_; }
  PlanFiles& files() { return files_; }
  PlanHistory& history() { return history_; }
  const PlanHistory& history() const { return history_; }
  // The plan file the plan on the map was last opened from or saved to; empty for none.
  const QString& planFile() const { return planFile_; }
  void setPlanFile(const QString& path) { planFile_ = path; }
  // The window title: the plan file and the data file by their names, "[*]" where Qt marks
  // unsaved changes, then the program; "Tamso" alone before a data file is opened.
  QString title() const;

  // Reads a data file into the problem; the loader's message on failure. `changeDirectory`:
  // the file's folder becomes the current directory and the file is read by its bare name,
  // as after the file dialog.
  std::optional<QString> openDataFile(const QString& path, bool changeDirectory);
  // Reads a map-parameters file into the map's calibration and picture.
  MapParamsFileResult readMapParams(const QString& path, bool changeDirectory, MapParams& params, MapImage& picture,
                                    const PictureLibrary& pictures);
  // The files the window has read (configuration, data files, map parameters, picture), with
  // absolute names: no save or export may write over one of them.
  std::vector<std::string> inputFiles() const;
  // The map-parameters file last read, with its absolute name; empty before the first.
  QString mapParamsFile() const { return mapInputs_.empty() ? QString() : QString::fromStdString(mapInputs_.front()); }
  // True for a map-parameters file (it names a picture), false for any other file.
  static bool namesPicture(const QString& path);

 private:
  ProblemData problem_;
  bool loaded_ = false;
  QString dataFile_;
  std::vector<std::string> mapInputs_;  // the map parameters and the picture last read
  PlanFiles files_;
  PlanHistory history_;
  QString planFile_;
};

}  // namespace tamso::ui
