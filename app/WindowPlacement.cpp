// PlaceBeside: a second window put next to the main one, inside the screen.
#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace tarvik {
namespace {

constexpr int kGap = 8;  // pixels between the two frames

// The sides in the order they are tried: the room to the right and below is
// where a screen most often has it, and text read left to right.
enum class Side { Right, Below, Left, Above };
constexpr Side kSides[] = {Side::Right, Side::Below, Side::Left, Side::Above};

bool Beside(Side side) { return side == Side::Right || side == Side::Left; }

// The room between `main` and the screen's edge on `side`: a width beside
// it, a height above or below it. Negative when `main` reaches past the edge.
int Room(Side side, const QRect& main, const QRect& screen) {
  switch (side) {
  case Side::Right: return screen.right() - main.right() - kGap;
  case Side::Below: return screen.bottom() - main.bottom() - kGap;
  case Side::Left: return main.left() - screen.left() - kGap;
  case Side::Above: return main.top() - screen.top() - kGap;
  }
  return 0;
}

// A frame of `size` against `main` on `side`, then moved inside the screen;
// the move covers part of `main` only when the side lacks the room.
QRect Against(Side side, const QRect& main, QSize size, const QRect& screen) {
  size = size.boundedTo(screen.size());
  QPoint at;
  switch (side) {
  case Side::Right: at = {main.right() + 1 + kGap, main.top()}; break;
  case Side::Below: at = {main.left(), main.bottom() + 1 + kGap}; break;
  case Side::Left: at = {main.left() - kGap - size.width(), main.top()}; break;
  case Side::Above: at = {main.left(), main.top() - kGap - size.height()}; break;
  }
  at.setX(std::clamp(at.x(), screen.left(), screen.right() + 1 - size.width()));
  at.setY(std::clamp(at.y(), screen.top(), screen.bottom() + 1 - size.height()));
  return {at, size};
}

}  // namespace

QRect PlaceBeside(const QRect& main, const QSize& wanted, const QSize& minimum,
                  const QRect& screen) {
  Side roomiest = Side::Right;
  int mostToSpare = INT_MIN;
  for (Side side : kSides) {
    const int room = Room(side, main, screen);
    const int needed = Beside(side) ? minimum.width() : minimum.height();
    if (room >= needed) {
      QSize size = wanted;
      if (Beside(side)) {
        size.setWidth(std::min(wanted.width(), room));
      } else {
        size.setHeight(std::min(wanted.height(), room));
      }
      return Against(side, main, size, screen);
    }
    if (room - needed > mostToSpare) {
      roomiest = side;
      mostToSpare = room - needed;
    }
  }
  return Against(roomiest, main, minimum, screen);
}

}  // namespace tarvik
