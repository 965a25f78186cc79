// Build step: writes the program icon, kept as XPM for the window, as the PNG that desktop
// menus show. Usage: linkrake_icon_png ICON.xpm OUT.png
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: linkrake_icon_png ICON.xpm OUT.png\n", stderr);
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
  if (icon.isNull()) {
    std::fprintf(stderr, "linkrake_icon_png: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "linkrake_icon_png: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
