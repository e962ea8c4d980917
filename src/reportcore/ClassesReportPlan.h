// The sheet kinds of the printed declaration and the page planner: which kinds a declaration needs,
// how many pages each takes and the page number of each.
#pragma once

#include "reportcore/ClassesLogDan.h"

struct kTSvodSum;

struct TSheetKindInfo {
    const char* PreviewText; // the preview's sheet list
    const char* PageCode;    // one-dimensional code of the page header
    const char* PageCode4;   // the code on form 4-NDFL where it differs, else nullptr
    const char* SectionCode; // five-digit code of the tax-office text file, nullptr before section 1
};

// Indexed by TSheetKind (1..25).
const TSheetKindInfo& SheetKindInfo(int kind);

// Fills the page plan of the model: SheetPageCount, SheetFirstPage and PageTotal. Runs once, after
// the figures have been calculated.
bool PlanPages(kTDanLog& log, const kTSvodSum& sums);

// The two-dimensional barcode slots of the planned pages: three on the title page, page 2 and each
// section page, two on the second page of form 4-NDFL.
int BarcodeSlotCount(const kTDanLog& log);
