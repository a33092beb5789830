#pragma once
// The records of one data file by name, so that a second record of a name is told apart as
// an exact repeat of the first (read once, with a warning) or a contradiction (refused).
#include <string>
#include <unordered_map>

namespace tamso {

class RecordNames {
 public:
  enum class Seen {
    New,       // the first record of its name
    Repeat,    // the same record again, written the same way (blanks aside)
    Conflict,  // another record of a name already taken
  };

  // Notes the record `text` named `name` that begins on `line`.
  Seen note(const std::string& name, int line, const std::string& text);
  // The line of the first record named `name`, 0 when there is none.
  int lineOf(const std::string& name) const;

 private:
  struct First {
    int line = 0;
    std::string text;  // white space runs made single blanks
  };
  std::unordered_map<std::string, First> firsts_;
};

}  // namespace tamso
