// The view's runs and what becomes of their plans: starting and stopping a run, the messages
// at its end, and every plan that reaches the map going through the plan's undo history.
// Members of CTamsoView kept apart from the map, scrolling, painting and input of tamso_view.cpp.
#include "routing/plan_edits.h"
#include "routing/solution.h"
#include "ui/plan_report.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

QString gainText(float gain) { return QString::number(static_cast<double>(gain), 'f', 2); }

bool evolutionary(RunCommand command) { return command == RunCommand::HybridGenetic || command == RunCommand::Genetic; }

}  // namespace

RunRequest CTamsoView::runRequest(RunCommand command, std::optional<std::int32_t> now) {
  RunRequest request = runs_.request(command, document_.problem());
  const Solution* shown = document_.history().current().plan.get();
  if (shown != nullptr && (now || anyRouteLocked(*shown))) {
    request.savedPlan = savedPlanOf(*shown);
    request.now = now;
  }
  return request;
}

void CTamsoView::startRun(RunCommand command, std::optional<std::int32_t> now) {
  if (running() || !document_.loaded()) return;
  runs_.start(runRequest(command, now));
  if (!runs_.running()) return;  // refused, and the user told why
  menus_.setRunning(true);
  menusChanged();
  emit statusText(runCommandName(command) + QStringLiteral(" running"));
}

void CTamsoView::stop() { runs_.stop(); }

// The run has ended: the menus, the progress window (at 100 %) and the status bar say so
// before any question about its plan is asked.
void CTamsoView::onRunFinished() {
  if (!running()) return;
  std::unique_ptr<RunOutcome> outcome = runs_.takeOutcome();
  menus_.setRunning(false);
  menusChanged();
  emit statusText(QStringLiteral("Ready"));
  const bool stopped = !outcome || outcome->stopped;
  if (outcome) applyOutcome(*outcome, true);
  runs_.closeProgress();
  emit runFinished(stopped);
}

void CTamsoView::applyOutcome(RunOutcome& outcome, bool announce) {
  if (announce) {
    if (outcome.stopped) {
      announceStopped(outcome);
    } else {
      announceFinished(outcome);
    }
    for (const std::string& error : outcome.dumpErrors) prompts_.message(this, QString::fromStdString(error));
    tellPlanProblems(outcome.planProblems);
  }
  if (!outcome.solution) return;
  PlanSnapshot snapshot;
  snapshot.facts = {reportCommandName(outcome.command), outcome.seed,
                    outcome.stopped ? std::optional<std::string>("user request") : std::nullopt};
  snapshot.plan = std::move(outcome.solution);
  document_.history().change(runCommandName(outcome.command), std::move(snapshot));
}

// "finished", and where the run's trace files are; an evolutionary run names its best gain
// and offers its best plan, which replaces the plan on the map only when the user asks for it.
void CTamsoView::announceFinished(RunOutcome& outcome) {
  const bool offersBest = evolutionary(outcome.command) && outcome.solution;
  QString text = QStringLiteral("finished");
  if (offersBest) text += QStringLiteral("\nbest gain: ") + gainText(outcome.solution->gain());
  const QString folder = runs_.settings().dumpFolder;
  if (!folder.isEmpty()) text += QStringLiteral("\nThe run's trace files are in ") + folder;
  if (!offersBest) {
    prompts_.message(this, text);
    return;
  }
  if (prompts_.ask(this, text, {QStringLiteral("OK"), kShowBestPlan}) != 1) outcome.solution.reset();
}

// A stopped run shows the best plan it found; when that is worse than the plan on the map, the
// user chooses, and keeping the plan on the map is the choice taken without an answer.
void CTamsoView::announceStopped(RunOutcome& outcome) {
  if (!outcome.solution) {
    prompts_.message(this, QStringLiteral("Stopped"));
    return;
  }
  const float found = outcome.solution->gain();
  const Solution* shown = map_.layer() ? map_.layer()->solution() : nullptr;
  if (shown == nullptr || !(found < shown->gain())) {
    prompts_.message(this, QStringLiteral("Stopped\nbest gain: ") + gainText(found));
    return;
  }
  const QString text = QStringLiteral(
                           "Stopped\nThe best plan the run found (gain %1) is worse than the plan on the "
                           "map (gain %2). Which plan do you keep?")
                           .arg(gainText(found), gainText(shown->gain()));
  if (prompts_.ask(this, text, {kKeepShownPlan, kShowRunPlan}) != 1) outcome.solution.reset();
}

// A kept plan goes to the map as after a Local Search, its routes shown at once; no plan
// (before the first run) leaves the map without routes.
void CTamsoView::showSnapshot(const PlanSnapshot& snapshot) {
  // The route windows show routes of the plan being replaced.
  actions_->closeRouteWindows();
  MapLayer& map = layer();
  document_.files().setPlanFacts(snapshot.facts);
  if (!snapshot.plan) {
    map.setSolution(nullptr);
    map.showRoutes = false;
    apply(MenuEvent::PlanCleared);
    emit summaryChanged(summaryText());
    repaintMap();
    return;
  }
  apply(MenuEvent::LocalSearchFinished);
  map.setSolution(std::make_unique<Solution>(*snapshot.plan));
  emit summaryChanged(summaryText());
  showRoutes();
}

void CTamsoView::runLocalSearchNow() {
  if (running() || !document_.loaded()) return;
  RunOutcome outcome = executeRun(runRequest(RunCommand::LocalSearch, std::nullopt), nullptr);
  applyOutcome(outcome, false);
}

void CTamsoView::stopAndWait() {
  if (!running()) return;
  runs_.stopAndWait();
  menus_.setRunning(false);
}

}  // namespace tamso::ui
