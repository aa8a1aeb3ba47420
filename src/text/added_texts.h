#pragma once

#include "text/strings.h"

#include <span>

namespace zembra {

// The texts of what this program added to the table it inherited: the ids from 41000 to 41999,
// kept in a file of their own, ordered by id. textTable() merges them into the one table.
inline constexpr int kFirstAddedText = 41000;
inline constexpr int kLastAddedText = 41999;
std::span<const TextEntry> addedTexts();

} // namespace zembra
