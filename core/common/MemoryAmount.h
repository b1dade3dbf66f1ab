#pragma once
// Amounts of memory as the user hears of them: what the system can give now, how a
// message words a size, and the refusal of a job that needs more than there is, given
// before anything is allocated (the system would rather end the program than let an
// allocation fail).

#include "common/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

// "1.5 GB", "320 MB": a size as the messages show it.
std::string sizeText(std::uint64_t bytes);

// MemAvailable of a /proc/meminfo text in bytes; nothing when the line is missing.
std::optional<std::uint64_t> memAvailableIn(std::string_view meminfo);

// What the system can give without swapping now (MemAvailable); nothing when unknown.
std::optional<std::uint64_t> availableMemory();

// Refuses (critical) when `needed` is more than `available`, naming both; a job is never
// refused when nothing is known of the memory.
Result memoryRefusal(std::uint64_t needed, std::optional<std::uint64_t> available);

} // namespace wavory
