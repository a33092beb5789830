#pragma once
// Article types may list other article types among their keys (a pallet holds boxes). One
// that contains itself, directly or through others, has no load that can be counted.
#include <cstddef>
#include <optional>
#include <vector>

#include "problem/entities.h"

namespace tamso {

// The index of the first article type (in table order) that contains itself; nothing when
// none does.
std::optional<std::size_t> selfContainingArticleType(const std::vector<ArticleType>& articleTypes);

}  // namespace tamso
