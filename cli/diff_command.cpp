#include "cli/diff_command.h"

#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/run_session.h"
#include "report/json_text.h"
#include "report/plan_diff.h"
#include "report/plan_reader.h"

namespace tamso::cli {

int runDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto line = parseCommandLine(args, {"--json"}, {}, problem);
  if (!line) return usageError(err, problem);
  if (line->positionals.size() != 2) return usageError(err, "diff needs two plan files");
  std::optional<SavedPlan> plans[2];
  for (std::size_t k = 0; k < 2; ++k) {
    plans[k] = readSavedPlanFile(line->positionals[k], problem);
    if (!plans[k]) {
      err << "tamso-cli: " << problem << "\n";
      return exitFailure;
    }
  }
  const std::vector<VehicleChanges> changes = planChanges(*plans[0], *plans[1]);
  std::ostringstream text;
  if (line->has("--json")) {
    text << jsonText(planChangesJson(changes)) << "\n";
  } else {
    printPlanChanges(text, changes);
  }
  if (!writeOut(out, text.str())) {
    err << "tamso-cli: cannot write to standard output\n";
    return exitFailure;
  }
  return exitSuccess;
}

std::vector<OptionHelp> diffHelp() {
  return {{"OLD.json NEW.json", "two plan documents (docs/plan-json.md), the earlier first"},
          {"--json",
           "print {\"changes\": [...]}, one entry per vehicle with \"added\", \"moved\" (with \"from\"), "
           "\"removed\" (with \"to\") and \"retimed\" stops, instead of text (default: text)"}};
}

}  // namespace tamso::cli
