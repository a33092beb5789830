#pragma once
// The sectioned key-value reader shared by the instance configuration and the
// map-parameters file. A file of "[section]" lines and "key=value" lines becomes a flat
// table of full keys ("section.key", or the bare key outside any section) and values.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace tamso {

class ConfigFile {
 public:
  static constexpr std::size_t maxEntries = 1000;
  // A line is refused when it is this long or longer, its newline counted.
  static constexpr std::size_t maxLineLength = 1024;

  // Reads the file at `path` (standard input when the path is empty). On failure
  // lineNumber() is the 1-based line at which reading stopped, 0 when the file could not
  // be opened (failure() then tells why). Only a regular file is read; a FIFO or device is
  // refused without waiting. A UTF-8 byte-order mark at the start is skipped. Entries read
  // before a failure stay in the table.
  bool read(const std::string& path);
  // Reads from an already open stream.
  bool read(std::istream& in);

  // The value of the first entry with exactly this key, or `defaultValue`.
  std::optional<std::string> lookup(const std::string& key,
                                    std::optional<std::string> defaultValue = std::nullopt) const;
  // Converts the value like "%d": leading white space skipped, an optional sign, text
  // after the number ignored. An absent key gives the default and succeeds; a value that
  // does not begin with a number gives the default and fails.
  bool getInt(const std::string& key, std::int32_t defaultValue, std::int32_t& result) const;
  // The same for a real, converted like "%lf".
  bool getReal(const std::string& key, double defaultValue, double& result) const;

  // A key given again; the first value stays in force.
  struct RepeatedKey {
    std::string key;
    int firstLine = 0;
    int line = 0;
  };
  const std::vector<RepeatedKey>& repeatedKeys() const { return repeatedKeys_; }

  int lineNumber() const { return lineNumber_; }
  const std::string& path() const { return path_; }
  // Why the file could not be opened, empty when it was.
  const std::string& failure() const { return failure_; }
  std::size_t count() const { return keys_.size(); }

 private:
  // Parses one physical line (newline removed); false when the file must be refused.
  bool parseLine(const std::string& line, bool hadNewline);

  int lineNumber_ = 0;
  std::string path_;
  std::string failure_;
  std::string section_;
  std::vector<std::string> keys_;
  std::vector<std::string> values_;
  std::vector<int> lines_;
  std::vector<RepeatedKey> repeatedKeys_;
};

}  // namespace tamso
