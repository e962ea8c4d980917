// The sheet kinds of the printed declaration and the page planner: which kinds a declaration needs,
// how many pages each takes and the page number of each.
#pragma once

#include "reportcore/ClassesLogDan.h"

#include <array>
#include <cstdint>

struct kTSvodSum;

struct TSheetKindInfo {
    const char* PreviewText; // the preview's sheet list
    const char* PageCode;    // one-dimensional code of the page header
    const char* PageCode4;   // the code on form 4-NDFL where it differs, else nullptr
    const char* SectionCode; // five-digit code of the tax-office text file, nullptr before section 1
    int BlocksPerPage;       // record blocks a page of a sheet that lists them, else 0
};

// Indexed by TSheetKind (1..25).
const TSheetKindInfo& SheetKindInfo(int kind);

// Which sheet kinds a declaration needs, how many pages each takes and the page number of each.
struct TPagePlan {
    std::int32_t PageTotal = 0;
    std::array<std::int32_t, kSheetKinds + 1> SheetPageCount{}; // indexed by TSheetKind, 0 = absent
    std::array<std::int32_t, kSheetKinds + 1> SheetFirstPage{}; // pages before the kind
    bool operator==(const TPagePlan&) const = default;
};

// The page plan of a declaration, made once its figures have been calculated.
TPagePlan PlanPages(const kTDanLog& log, const kTSvodSum& sums);

// The two-dimensional barcode slots of the planned pages: three on the title page, page 2 and each
// section page, two on the second page of form 4-NDFL.
int BarcodeSlotCount(const kTDanLog& log, const TPagePlan& plan);
