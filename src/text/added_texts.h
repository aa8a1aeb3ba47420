#pragma once

#include "text/strings.h"

#include <span>

namespace zembra {

// The texts of what this program added to the table it inherited: the ids from 41000 to 41999,
// kept in files of their own, ordered by id. textTable() merges them into the one table.
inline constexpr int kFirstAddedText = 41000;
inline constexpr int kLastAddedText = 41999;
// The later run (from kLaterAddedTexts) lives in a second file, so that neither grows too long.
inline constexpr int kLaterAddedTexts = 41400;
std::span<const TextEntry> addedTexts();
std::span<const TextEntry> laterAddedTexts();

} // namespace zembra
