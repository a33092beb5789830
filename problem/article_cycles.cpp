#include "problem/article_cycles.h"

#include <string>
#include <unordered_map>

namespace tamso {

namespace {

// Depth-first search over "contains" links, each type visited once per start.
class CycleSearch {
 public:
  explicit CycleSearch(const std::vector<ArticleType>& types) : types_(types), state_(types.size(), State::Open) {
    for (std::size_t i = 0; i < types.size(); ++i) index_.emplace(types[i].name(), i);
  }

  // True when type i lies on a cycle: it is reached again from one of its keys.
  bool onCycle(std::size_t i) {
    for (auto& state : state_) state = State::Open;
    return containsFrom(i, i);
  }

 private:
  enum class State { Open, Done };

  bool containsFrom(std::size_t from, std::size_t target) {
    state_[from] = State::Done;
    for (std::int32_t k = 0; k < types_[from].count(); ++k) {
      const auto contained = index_.find(types_[from].keyAt(k));
      if (contained == index_.end()) continue;
      if (contained->second == target) return true;
      if (state_[contained->second] != State::Done && containsFrom(contained->second, target)) return true;
    }
    return false;
  }

  const std::vector<ArticleType>& types_;
  std::vector<State> state_;
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace

std::optional<std::size_t> selfContainingArticleType(const std::vector<ArticleType>& articleTypes) {
  CycleSearch search(articleTypes);
  for (std::size_t i = 0; i < articleTypes.size(); ++i) {
    if (search.onCycle(i)) return i;
  }
  return std::nullopt;
}

}  // namespace tamso
