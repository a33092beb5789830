#include "problem/repeated_records.h"

namespace tamso {

namespace {

std::string singleBlanks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      blank = true;
      continue;
    }
    if (blank && !result.empty()) result += ' ';
    blank = false;
    result += c;
  }
  return result;
}

}  // namespace

RecordNames::Seen RecordNames::note(const std::string& name, int line, const std::string& text) {
  std::string normal = singleBlanks(text);
  const auto [at, added] = firsts_.try_emplace(name, First{line, {}});
  if (added) {
    at->second.text = std::move(normal);
    return Seen::New;
  }
  return at->second.text == normal ? Seen::Repeat : Seen::Conflict;
}

int RecordNames::lineOf(const std::string& name) const {
  const auto at = firsts_.find(name);
  return at == firsts_.end() ? 0 : at->second.line;
}

}  // namespace tamso
