// Brings a window's frame to the place and size it was given. Only the inside of a window can be
// sized, and the frame around it is known once the window manager has drawn it: on a busy machine
// that can be after the window is first shown, and a window manager may draw it anew. So the inside
// is fitted each time the frame's margins are new, until the user moves or resizes the window.
#pragma once

#include <QMargins>
#include <QRect>
#include <optional>

class TFrameFit {
public:
    explicit TFrameFit(const QRect& frame) : frame_(frame) {}

    // What the window system says now: the inside of the window and the margins of its frame (none
    // while it is not framed). `reported`: the inside is where the window system has put the window
    // (a move or resize it reported), not merely the last one asked for. Returns the inside to ask
    // for, when the window must change.
    std::optional<QRect> Report(const QRect& inside, const QMargins& margins, bool reported);

    // The frame to keep for the next start: the window's own, or, while it is still being brought
    // to its frame, that frame.
    QRect FrameToKeep(const QRect& inside, const QMargins& margins) const;

    const QRect& Frame() const { return frame_; }

private:
    QRect frame_;
    QMargins fitted_;            // the margins the inside was last fitted to; none before
    std::optional<QRect> asked_; // the inside asked for, until the window system reports it
    bool following_ = true;      // the frame is where it was put: new margins fit it again
};
