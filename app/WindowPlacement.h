// PlaceBeside: where a second window goes so that it and the main window are
// both in sight.
#pragma once

#include <QRect>

namespace tarvik {

/// PlaceBeside() is the frame of a window of `wanted` size put next to the
/// frame `main` on `screen` without covering it: to its right (top edges
/// level), else below it (left edges level), else to its left, else above
/// it, on the first side with room for `minimum`, shrunk to the room there.
/// Always inside `screen` as far as its size allows. When no side has that
/// room, the window takes `minimum` size on the side with the most room and
/// covers as little of `main` as the screen lets it.
[[nodiscard]] QRect PlaceBeside(const QRect& main, const QSize& wanted, const QSize& minimum,
                                const QRect& screen);

}  // namespace tarvik
