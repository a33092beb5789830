#include "problem/quantity_list.h"

#include <algorithm>

#include "problem/number_field.h"
#include "problem/text.h"

namespace tamso {

void QuantityList::reserveRoom(std::size_t room) {
  room_ = room;
  keys_.reserve(room);
  quantities_.reserve(room);
}

bool QuantityList::add(const std::string& key, float quantity) {
  if (key.empty() || quantity < 0.0f) return false;
  if (!keySet_.insert(key).second) return false;
  if (keys_.size() == room_) reserveRoom(room_ * 2);
  keys_.push_back(key);
  quantities_.push_back(quantity);
  return true;
}

std::string QuantityList::keyAt(std::int32_t i) const {
  if (i < 0 || i >= count()) return {};
  return keys_[static_cast<std::size_t>(i)];
}

float QuantityList::quantityAt(std::int32_t i) const {
  if (i < 0 || i >= count()) return -1.0f;
  return quantities_[static_cast<std::size_t>(i)];
}

std::optional<QuantityList> readQuantityList(const std::string& line, std::size_t& pos, std::string& why) {
  QuantityList list(nextToken(line, pos));
  const std::string countText = nextToken(line, pos);
  const auto pairs = readWholeNumber(countText, why);
  if (!pairs) {
    why = "pair count of list '" + list.name() + "': " + (countText.empty() ? "missing" : why);
    return std::nullopt;
  }
  for (std::int32_t i = 0; i < *pairs; ++i) {
    const std::string key = nextToken(line, pos);
    const std::string quantityText = nextToken(line, pos);
    if (key.empty() || quantityText.empty()) {
      why =
          "list '" + list.name() + "': " + std::to_string(*pairs) + " pairs announced, " + std::to_string(i) + " found";
      return std::nullopt;
    }
    const auto quantity = readWholeNumber(quantityText, why);
    if (!quantity) {
      why = "quantity of '" + key + "' in list '" + list.name() + "': " + why;
      return std::nullopt;
    }
    if (!list.add(key, static_cast<float>(*quantity))) {
      why = "list '" + list.name() + "': key '" + key + "' is given twice";
      return std::nullopt;
    }
  }
  return list;
}

std::optional<QuantityList> readQuantityList(const std::string& line, std::size_t& pos) {
  std::string why;
  return readQuantityList(line, pos, why);
}

}  // namespace tamso
