#pragma once
// The plan's files: File > Save and Save As write the plan on the map as the CSV report
// (Save reuses the last name), File > Save Report the text or JSON report of the run that
// made it. A missing plan or a failed write is told to the user.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "report/plan_output.h"

class QWidget;

namespace tamso {
class Solution;
}

namespace tamso::ui {

class UserPrompts;

inline const QString kNoPlanMessage = QStringLiteral("There is no plan to save yet: run the Local Search first.");

class PlanFiles {
 public:
  PlanFiles(QWidget* window, UserPrompts& prompts) : window_(window), prompts_(prompts) {}

  void save(Solution* plan);
  void saveAs(Solution* plan);
  void saveReport(Solution* plan);
  // The error message, or nothing when the file was written whole.
  std::optional<QString> saveCsvTo(const QString& path, Solution* plan);
  std::optional<QString> saveReportTo(const QString& path, Solution* plan);
  // The plan document (JSON) with the routes' locks.
  std::optional<QString> savePlanDocumentTo(const QString& path, Solution* plan);

  // The run that made the plan now shown, named in its reports.
  void setPlanFacts(RunFacts facts) { planFacts_ = std::move(facts); }
  // The files the window has read; a save never writes over one of them.
  void setInputs(std::vector<std::string> inputs) { inputs_ = std::move(inputs); }

 private:
  bool hasPlan(const Solution* plan);
  void tell(const std::optional<QString>& error);
  // The message refusing a path that names an input, nothing otherwise.
  std::optional<QString> refusal(const QString& path) const;

  QWidget* window_;
  UserPrompts& prompts_;
  QString savePath_;
  RunFacts planFacts_;
  std::vector<std::string> inputs_;
};

}  // namespace tamso::ui
