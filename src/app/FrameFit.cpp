#include "app/FrameFit.h"

std::optional<QRect> TFrameFit::Report(const QRect& inside, const QMargins& margins, bool reported) {
    if (reported && asked_ && inside == *asked_) asked_.reset();
    if (following_ && !margins.isNull() && margins != fitted_) {
        fitted_ = margins;
        asked_.reset();
        const QRect wanted = frame_.marginsRemoved(margins);
        if (inside == wanted) return std::nullopt;
        asked_ = wanted;
        return wanted;
    }
    // Once framed, an inside reported away from its place while no request of ours is on its way is
    // the user's move or resize: new margins no longer move the window, unless it is back in its place.
    if (reported && !fitted_.isNull()) following_ = asked_ || inside == frame_.marginsRemoved(fitted_);
    return std::nullopt;
}

QRect TFrameFit::FrameToKeep(const QRect& inside, const QMargins& margins) const {
    const bool onItsWay = following_ && !margins.isNull() && (margins != fitted_ || asked_);
    return onItsWay ? frame_ : inside.marginsAdded(margins);
}
