#include "framework/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>

#include "res/DialogTemplate.h"

namespace linkrake {

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
  const std::int64_t magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
  const bool negative = (product < 0) != (denominator < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

int MapDialogX(int dialogUnits, DialogBaseUnits base) { return MulDiv(dialogUnits, base.x, 4); }
int MapDialogY(int dialogUnits, DialogBaseUnits base) { return MulDiv(dialogUnits, base.y, 8); }

QRect MapDialogRect(const QRect& du, DialogBaseUnits base) {
  return QRect(MapDialogX(du.x(), base), MapDialogY(du.y(), base), MapDialogX(du.width(), base),
               MapDialogY(du.height(), base));
}

QFont DialogFont(const DialogTemplate& t) {
  const QString wanted = QString::fromStdString(t.fontName);
  QFont font;
  if (!wanted.isEmpty() && QFontDatabase::hasFamily(wanted)) {
    font.setFamily(wanted);
  } else {
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
  }
  // Points to pixels as the classic dialog manager does it (whole pixels, MulDiv rounding),
  // so the base units do not depend on fractional glyph scaling.
  const int dpi = QGuiApplication::primaryScreen() ? qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()) : 96;
  font.setPixelSize(std::max(1, MulDiv(t.pointSize > 0 ? t.pointSize : 8, dpi, 72)));
  if (t.fontWeight >= 600) font.setBold(true);
  font.setItalic(t.fontItalic);
  return font;
}

}  // namespace linkrake
