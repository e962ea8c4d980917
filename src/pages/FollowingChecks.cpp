#include "pages/FollowingChecks.h"

#include "pagebase/CheckError.h"
#include "pagebase/PrimaryCheck.h"

std::uint16_t RunFollowingChecks(QWidget* owner, const QString& section, std::initializer_list<TFollowingCheck> checks) {
    std::uint16_t result = 0;
    if (LastCheckAnswer != crFix && LastCheckAnswer != crSkipAll) {
        TCheckRun run(owner, section);
        for (const TFollowingCheck& c : checks)
            if (c.fails) run.Fail(QString::fromUtf8(c.message), c.item);
        result = run.Result();
    }
    LastCheckAnswer = 0;
    return result;
}
