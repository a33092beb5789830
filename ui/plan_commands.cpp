// The view's plan-file and re-planning commands: File > Open Plan, Save Plan and Save Plan
// As (the plan document the command line writes and reads), and Optimization > Re-plan
// from. Members of CTamsoView kept apart from the map, the runs and the other files.
#include <QDateTime>
#include <QFileInfo>
#include <sstream>

#include "problem/file_identity.h"
#include "problem/text.h"
#include "report/plan_continuation.h"
#include "report/plan_reader.h"
#include "ui/replan_dialog.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

const QString kPlanFilter = QStringLiteral("Plan files (*.json);;All files (*.*)");
const QString kNoDataForPlan = QStringLiteral("Open a data file first: a plan is laid over the data it serves.");

// The time as "YYYY-MM-DD HH:MM" in minutes since the epoch; nothing for any other text.
std::optional<std::int32_t> minutesOf(const QString& text) {
  const std::string line = text.toStdString();
  std::size_t pos = 0;
  const std::int32_t minutes = parseDateTime(line, pos);
  if (minutes <= 0 || line.size() != 16 || formatDateTime(minutes) != line) return std::nullopt;
  return minutes;
}

}  // namespace

void CTamsoView::tellPlanProblems(const std::vector<PlanProblem>& problems) {
  if (problems.empty()) return;
  std::ostringstream lines;
  printPlanProblems(lines, problems);
  prompts_.message(
      this, QStringLiteral("Not all of the plan holds on the data:\n") + QString::fromStdString(lines.str()).trimmed());
}

std::optional<QString> CTamsoView::openPlanPath(const QString& path) {
  if (!document_.loaded()) return kNoDataForPlan;
  std::string error;
  const std::optional<SavedPlan> saved = readSavedPlanFile(path.toStdString(), error);
  if (!saved) return QString::fromStdString(error);
  RunRequest asked = runs_.request(RunCommand::LocalSearch, document_.problem());
  applyRunSwitches(document_.problem(), asked.switches);  // the plan is timed as the runs time it
  RebuildSettings settings;
  settings.estimatedGain = asked.estimatedGain;
  RebuiltPlan rebuilt = rebuildPlan(document_.problem(), *saved, settings);
  PlanSnapshot snapshot;
  snapshot.plan = std::move(rebuilt.solution);
  snapshot.facts.command = "evaluate";
  document_.history().change(QStringLiteral("Open Plan"), std::move(snapshot));
  document_.setPlanFile(QFileInfo(path).absoluteFilePath());
  document_.history().markSaved();
  refreshTitle();
  tellPlanProblems(rebuilt.problems);
  return std::nullopt;
}

std::optional<QString> CTamsoView::savePlanFileTo(const QString& path) {
  Solution* plan = map_.layer() ? map_.layer()->solution() : nullptr;
  if (auto error = document_.files().savePlanDocumentTo(path, plan)) return error;
  document_.setPlanFile(QFileInfo(path).absoluteFilePath());
  document_.history().markSaved();
  refreshTitle();
  return std::nullopt;
}

void CTamsoView::openPlan() {
  if (running()) return;
  if (!document_.loaded()) {
    prompts_.message(this, kNoDataForPlan);
    return;
  }
  if (!mayDiscardPlan()) return;
  const std::optional<QString> path = prompts_.openFile(this, QStringLiteral("Open Plan"), kPlanFilter);
  if (!path) return;
  if (const auto error = openPlanPath(*path)) prompts_.message(this, *error);
}

void CTamsoView::savePlan() {
  if (document_.planFile().isEmpty()) {
    savePlanAs();
    return;
  }
  if (const auto error = savePlanFileTo(document_.planFile())) prompts_.message(this, *error);
}

void CTamsoView::savePlanAs() {
  if (!map_.layer() || map_.layer()->solution() == nullptr) {
    prompts_.message(this, kNoPlanMessage);
    return;
  }
  const std::optional<QString> path =
      prompts_.saveFile(this, QStringLiteral("Save Plan As"), kPlanFilter, QStringLiteral("plan.json"));
  if (!path) return;
  if (const auto error = savePlanFileTo(*path)) prompts_.message(this, *error);
}

void CTamsoView::replanAt(std::int32_t now, RunCommand command) {
  if (running() || !document_.loaded()) return;
  if (command == RunCommand::ThoroughSearch) {
    runs_.askThoroughLimit([this, now] { startRun(RunCommand::ThoroughSearch, now); });
    return;
  }
  startRun(command, now);
}

void CTamsoView::replanFrom() {
  if (running() || !document_.loaded()) return;
  if (document_.history().current().plan == nullptr) {
    prompts_.message(this, kNoPlanMessage);
    return;
  }
  ReplanDialog dialog(this, QDateTime::currentDateTime());
  if (dialog.exec() != QDialog::Accepted) return;
  const std::optional<std::int32_t> now = minutesOf(dialog.timeText());
  if (!now) {
    prompts_.message(this, QStringLiteral("Re-plan from needs a date and time \"YYYY-MM-DD HH:MM\"."));
    return;
  }
  replanAt(*now, dialog.command());
}

}  // namespace tamso::ui
