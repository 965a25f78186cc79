#pragma once
// The program's icons, served from the Qt resources built into linkrake_res.
#include <QIcon>
#include <QPixmap>

namespace linkrake {

// Icon resource `id` (IDR_MAINFRAME is the only one); a null icon for any other id.
// Needs a QGuiApplication.
QIcon LoadIconResource(int id);
// The same picture at its own size (32 x 32); a null pixmap for an unknown id.
QPixmap LoadIconPixmap(int id);

}  // namespace linkrake
