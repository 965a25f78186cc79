#include "res/Icons.h"

#include <QString>

#include "res/ResourceIds.h"

// Resources compiled into a static library are registered only when asked for by name.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(res);
    return true;
  }();
  (void)registered;
}

namespace linkrake {

QPixmap LoadIconPixmap(int id) {
  if (id != IDR_MAINFRAME) return {};
  RegisterIconResources();
  return QPixmap(QStringLiteral(":/linkrake/icon128.xpm"));
}

QIcon LoadIconResource(int id) {
  QPixmap pixmap = LoadIconPixmap(id);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace linkrake
