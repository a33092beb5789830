#pragma once
// A named list of keys and whole-number quantities: an article type, the goods of an
// order, or one list of a vehicle type.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace tamso {

class QuantityList {
 public:
  QuantityList() { reserveRoom(10); }
  explicit QuantityList(std::string name) : name_(std::move(name)) { reserveRoom(10); }

  const std::string& name() const { return name_; }
  // Refuses an empty key, a negative quantity or a key already in the list.
  bool add(const std::string& key, float quantity);
  // Empty text when i is out of range.
  std::string keyAt(std::int32_t i) const;
  // -1 when i is out of range.
  float quantityAt(std::int32_t i) const;
  std::int32_t count() const { return static_cast<std::int32_t>(keys_.size()); }
  // Room for pairs: 10 at first, doubled whenever it is full.
  std::size_t room() const { return room_; }

 private:
  void reserveRoom(std::size_t room);

  std::string name_;
  std::vector<std::string> keys_;
  std::vector<float> quantities_;
  std::unordered_set<std::string> keySet_;  // the keys again, so a repeat is found at once
  std::size_t room_ = 0;
};

// Reads a quantity list from a record line: a name token, a pair count M, then M pairs of
// a key token and a whole-number quantity. Nothing when a key is empty or repeated, or a
// count or quantity is not a whole number; `why` then tells which and why.
std::optional<QuantityList> readQuantityList(const std::string& line, std::size_t& pos, std::string& why);
std::optional<QuantityList> readQuantityList(const std::string& line, std::size_t& pos);

}  // namespace tamso
