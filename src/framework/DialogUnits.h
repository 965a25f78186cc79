#pragma once
// Dialog units: template coordinates that scale with the dialog's font. One horizontal unit
// is a quarter of the font's average character width, one vertical unit an eighth of its
// height, so a layout keeps its proportions whatever font the platform supplies.
#include <QFont>
#include <QRect>

namespace linkrake {

struct DialogTemplate;

// number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// -1 when the denominator is 0 (the classic MulDiv).
int MulDiv(int number, int numerator, int denominator);

struct DialogBaseUnits {
  int x;  // average width of the 52 letters A-Z a-z, in pixels
  int y;  // the font's height, in pixels
};

// The base units of a font: (width of "A..Za..z" / 26 + 1) / 2 across, the height down.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// A rectangle in dialog units to pixels: x and width by base.x / 4, y and height by base.y / 8,
// each rounded on its own.
QRect MapDialogRect(const QRect& dialogUnits, DialogBaseUnits base);
int MapDialogX(int dialogUnits, DialogBaseUnits base);
int MapDialogY(int dialogUnits, DialogBaseUnits base);

// The font a template asks for, at its point size. A family the platform lacks (the classic
// "MS Sans Serif") becomes the platform's sans-serif.
QFont DialogFont(const DialogTemplate& dialogTemplate);

}  // namespace linkrake
