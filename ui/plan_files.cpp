#include "ui/plan_files.h"

#include "problem/file_identity.h"
#include "ui/plan_report.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

std::optional<QString> toMessage(const std::optional<std::string>& error) {
  if (!error) return std::nullopt;
  return QString::fromStdString(*error);
}

}  // namespace

std::optional<QString> PlanFiles::refusal(const QString& path) const {
  return toMessage(refuseOverwritingInput(path.toStdString(), inputs_));
}

bool PlanFiles::hasPlan(const Solution* plan) {
  if (plan == nullptr) prompts_.message(window_, kNoPlanMessage);
  return plan != nullptr;
}

void PlanFiles::tell(const std::optional<QString>& error) {
  if (error) prompts_.message(window_, *error);
}

void PlanFiles::save(Solution* plan) {
  if (!hasPlan(plan)) return;
  if (savePath_.isEmpty()) {
    saveAs(plan);
    return;
  }
  tell(saveCsvTo(savePath_, plan));
}

void PlanFiles::saveAs(Solution* plan) {
  if (!hasPlan(plan)) return;
  const std::optional<QString> path =
      prompts_.saveFile(window_, QStringLiteral("Save As"), QStringLiteral("CSV files (*.csv);;All files (*.*)"),
                        QStringLiteral("plan.csv"));
  if (!path) return;
  const std::optional<QString> error = saveCsvTo(*path, plan);
  tell(error);
  if (!error) savePath_ = *path;
}

void PlanFiles::saveReport(Solution* plan) {
  if (!hasPlan(plan)) return;
  const std::optional<QString> path = prompts_.saveFile(
      window_, QStringLiteral("Save Report"),
      QStringLiteral("Text reports (*.txt);;JSON reports (*.json);;All files (*.*)"), QStringLiteral("plan.txt"));
  if (path) tell(saveReportTo(*path, plan));
}

std::optional<QString> PlanFiles::saveCsvTo(const QString& path, Solution* plan) {
  if (plan == nullptr) return kNoPlanMessage;
  if (auto refused = refusal(path)) return refused;
  return toMessage(savePlanReport(path.toStdString(), *plan));
}

std::optional<QString> PlanFiles::saveReportTo(const QString& path, Solution* plan) {
  if (plan == nullptr) return kNoPlanMessage;
  if (auto refused = refusal(path)) return refused;
  return toMessage(saveRunReport(path.toStdString(), planFacts_, *plan));
}

std::optional<QString> PlanFiles::savePlanDocumentTo(const QString& path, Solution* plan) {
  if (plan == nullptr) return kNoPlanMessage;
  if (auto refused = refusal(path)) return refused;
  return toMessage(savePlanDocument(path.toStdString(), planFacts_, *plan));
}

}  // namespace tamso::ui
