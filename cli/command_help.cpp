#include "cli/command_help.h"

namespace tamso::cli {

namespace {

constexpr std::size_t optionColumn = 26;
constexpr std::size_t lineWidth = 100;

// Breaks the text into lines of at most lineWidth characters, each indented to the column.
void printWrapped(std::ostream& out, const std::string& text, std::size_t column, std::size_t used) {
  std::size_t position = used;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (position > column && position + 1 + word.size() > lineWidth) {
      out << "\n" << std::string(column, ' ');
      position = column;
    } else if (position > column) {
      out << ' ';
      ++position;
    }
    out << word;
    position += word.size();
    start = end + 1;
  }
  out << "\n";
}

}  // namespace

void printExitStatuses(std::ostream& out) {
  out << "Exit status:\n"
      << "  0    success\n"
      << "  1    bad input data, or the output could not be written\n"
      << "  2    usage mistake: unknown command or option, missing or bad argument\n"
      << "  130  stopped by SIGINT or SIGTERM (the best plan so far was still printed)\n";
}

void printCommandHelp(std::ostream& out, const std::string& name, const std::string& synopsis,
                      const std::string& summary, const std::vector<OptionHelp>& options) {
  out << "Usage: tamso-cli " << name << " " << synopsis << "\n\n" << summary << "\n";
  if (!options.empty()) out << "\nOptions:\n";
  for (const OptionHelp& option : options) {
    out << "  " << option.option;
    std::size_t used = 2 + option.option.size();
    if (used + 2 > optionColumn) {
      out << "\n" << std::string(optionColumn, ' ');
      used = optionColumn;
    } else {
      out << std::string(optionColumn - used, ' ');
      used = optionColumn;
    }
    printWrapped(out, option.meaning, optionColumn, used);
  }
  out << "\n";
  printExitStatuses(out);
}

}  // namespace tamso::cli
