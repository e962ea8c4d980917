#include "sheets/SheetBuilders.h"

#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesNum.h"
#include "sheets/ClassesPrilA.h"
#include "sheets/ClassesPrilB.h"
#include "sheets/ClassesPrilD.h"
#include "sheets/ClassesPrilE.h"
#include "sheets/ClassesPrilG.h"
#include "sheets/ClassesPrilH.h"
#include "sheets/ClassesPrilJ.h"
#include "sheets/ClassesPrilK.h"
#include "sheets/ClassesPrilM.h"
#include "sheets/ClassesPrilV.h"
#include "sheets/ClassesPrilZ.h"
#include "sheets/ClassesTitul.h"

#include <array>

namespace {

using TBuilder = bool (*)(rl::TOstrekReport&, const TBuildContext&);

// In sheet-kind order, from skTitul to skPrilZ.
constexpr std::array<TBuilder, kSheetKinds> kBuilders = {
    BuildTitul,  BuildAdr,    BuildRazdel1, BuildRazdel2, BuildRazdel3,  BuildRazdel4, BuildRazdel5,
    BuildRazdel6, BuildPrilA9, BuildPrilA13, BuildPrilA30, BuildPrilA35, BuildPrilB9,  BuildPrilB13,
    BuildPrilB35, BuildPrilV,  BuildPrilM,   BuildPrilG,   BuildPrilG_In, BuildPrilD,  BuildPrilH,
    BuildPrilJ,   BuildPrilK,  BuildPrilE,   BuildPrilZ,
};

} // namespace

bool BuildSheet(int kind, rl::TOstrekReport& report, const TBuildContext& ctx) {
    if (kind < skTitul || kind > skPrilZ) return false;
    return kBuilders[static_cast<std::size_t>(kind - skTitul)](report, ctx);
}
