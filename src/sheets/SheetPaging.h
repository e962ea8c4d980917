// How a sheet with several record blocks a page spreads its records over its pages.
#pragma once

#include <algorithm>
#include <cstddef>

// The records on page `page` of a kind with `perPage` blocks a page: a builder never reads past
// its records, whatever page count the plan gives it.
inline std::size_t RecordsOnPage(std::size_t records, std::size_t perPage, int page) {
    const std::size_t before = perPage * static_cast<std::size_t>(page);
    return before >= records ? 0 : std::min(perPage, records - before);
}
