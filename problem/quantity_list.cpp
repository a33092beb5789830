#include "problem/quantity_list.h"

#include <algorithm>

#include "problem/text.h"

namespace tamso {

void QuantityList::reserveRoom(std::size_t room) {
  room_ = room;
  keys_.reserve(room);
  quantities_.reserve(room);
}

bool QuantityList::add(const std::string& key, float quantity) {
  if (key.empty() || quantity < 0.0f) return false;
  if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) return false;
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

std::optional<QuantityList> readQuantityList(const std::string& line, std::size_t& pos) {
  QuantityList list(nextToken(line, pos));
  const std::int32_t pairs = digitsToInt(nextDigits(line, pos));
  for (std::int32_t i = 0; i < pairs; ++i) {
    const std::string key = nextToken(line, pos);
    const auto quantity = static_cast<float>(parseReal(nextDigits(line, pos)));
    if (!list.add(key, quantity)) return std::nullopt;
  }
  return list;
}

}  // namespace tamso
