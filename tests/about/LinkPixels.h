#pragma once
// Looks at what a widget really paints: the pixels of one exact colour in a region.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace linkrake::testing {

// The top-level window of `w`, painted now, as an image.
inline QImage PaintedWindow(QWidget& w) { return w.window()->grab().toImage(); }

// How many pixels inside `area` (window coordinates) have exactly `color`.
inline int CountPixels(const QImage& image, const QRect& area, QColor color) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (image.pixelColor(x, y).rgb() == color.rgb()) ++count;
  return count;
}

// Where `w` lies in its window.
inline QRect AreaInWindow(const QWidget& w) {
  return QRect(w.mapTo(w.window(), QPoint(0, 0)), w.size());
}

}  // namespace linkrake::testing
