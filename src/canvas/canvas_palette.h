#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace zembra {

// The view's colours, derived once from the application palette.
struct CanvasPalette {
    QColor background;
    QColor noteFace;
    QColor selectedFace;
    QColor edgeShadow;
    QColor edgeHighlight;
    QColor rowLine;
    QColor cRowLine;
    QColor beatLine;
    QColor labelText;
    QColor noteNameText;

    static CanvasPalette FromPalette(const QPalette& palette);
};

// The view's fonts: F0 title and hint, F1 author, row names and scale label, F2 bar numbers,
// F3 the import editor's small text.
struct CanvasFonts {
    QFont title;
    QFont small;
    QFont barNumbers;
    QFont tiny;

    static CanvasFonts Create();
};

// A font of the program's face whose line height is `height` pixels, as the classic font height
// (the cell height) is meant.
QFont FontOfHeight(int height, bool bold);
// The face name for the current language.
QString FaceName();

} // namespace zembra
