#pragma once
// Where the minimised window draws its icon: centred in the client area.
#include <QPoint>

namespace linkrake {

// The icon's top-left corner for a client area and an icon of the given sizes. The halves are
// taken on signed integers, rounding toward zero, so an icon larger than the area sticks out
// by the same amount on both sides (give or take one pixel).
constexpr QPoint IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
  return QPoint((clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2);
}

}  // namespace linkrake
