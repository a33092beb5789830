#pragma once
// The plan's files: File > Save and Save As write the plan on the map as the CSV report
// (Save reuses the last name), File > Save Report the text or JSON report of the run that
// made it. A missing plan or a failed write is told to the user.
#include <QString>
#include <optional>

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

  // The run that made the plan now shown, named in its reports.
  void setPlanFacts(RunFacts facts) { planFacts_ = std::move(facts); }

 private:
  bool hasPlan(const Solution* plan);
  void tell(const std::optional<QString>& error);

  QWidget* window_;
  UserPrompts& prompts_;
  QString savePath_;
  RunFacts planFacts_;
};

}  // namespace tamso::ui
