// How a sheet with several record blocks a page spreads its records over its pages.
#pragma once

#include "reportcore/ClassesReportPlan.h"
#include "sheets/GeneralClasses.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// The records on page `page` of a kind with `perPage` blocks a page: a builder never reads past
// its records, whatever page count the plan gives it.
inline std::size_t RecordsOnPage(std::size_t records, std::size_t perPage, int page) {
    const std::size_t before = perPage * static_cast<std::size_t>(page);
    return before >= records ? 0 : std::min(perPage, records - before);
}

// The record blocks a page of the kind holds, as the sheet-kind table gives them.
inline std::size_t BlocksPerPage(int kind) { return static_cast<std::size_t>(SheetKindInfo(kind).BlocksPerPage); }

// Every planned page of a sheet that lists records in blocks: the page header, the sheet's title
// band (`title()`), the blocks of the page's records in order, empty blocks to fill the page, the
// totals band (`totals(last)`, which carries the sheet's totals on the last page only) and the page
// footer.
template <class Block, class Title, class Totals>
void BuildBlockPages(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, const std::vector<Block>& blocks,
                     rl::TBand& (*band)(rl::TOstrekReport&, const Block&, bool), const Title& title,
                     const Totals& totals) {
    const std::size_t perPage = BlocksPerPage(kind);
    const int pages = ctx.Plan.SheetPageCount[kind];
    for (int p = 0; p < pages; ++p) {
        PageHeader(report, ctx, kind, p);
        title();
        const std::size_t here = RecordsOnPage(blocks.size(), perPage, p);
        for (std::size_t i = 0; i < here; ++i) band(report, blocks[perPage * static_cast<std::size_t>(p) + i], true);
        for (std::size_t i = here; i < perPage; ++i) band(report, Block{}, true);
        totals(p == pages - 1);
        PageFooter(report, ctx);
    }
}
