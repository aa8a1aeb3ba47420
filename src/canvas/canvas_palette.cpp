#include "canvas/canvas_palette.h"

#include "text/strings.h"
#include "model/canvas_geometry.h"

#include <QFontMetrics>

namespace zembra {

namespace {

constexpr int kLighten20 = 20;
constexpr int kRowLineDarken = -17;
constexpr int kCRowLighten = 17;
constexpr int kBeatDarken = -5;
constexpr int kLabelDarken = -30;
const QColor kNoteNameColour(200, 100, 100);

QColor adjusted(const QColor& colour, int percent)
{
    const Rgb rgb = AdjustColour({colour.red(), colour.green(), colour.blue()}, percent);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

CanvasPalette CanvasPalette::FromPalette(const QPalette& palette)
{
    CanvasPalette p;
    p.background = palette.color(QPalette::Active, QPalette::Window);
    p.noteFace = adjusted(p.background, kLighten20);
    p.selectedFace = palette.color(QPalette::Active, QPalette::Highlight);
    p.edgeShadow = palette.color(QPalette::Active, QPalette::Dark);
    p.edgeHighlight = palette.color(QPalette::Active, QPalette::Light);
    p.rowLine = adjusted(p.background, kRowLineDarken);
    p.cRowLine = adjusted(p.background, kCRowLighten);
    p.beatLine = adjusted(p.background, kBeatDarken);
    p.labelText = adjusted(p.background, kLabelDarken);
    p.noteNameText = kNoteNameColour;
    return p;
}

QString FaceName()
{
    return language() == Language::Japanese ? QStringLiteral("Noto Sans CJK JP") : QStringLiteral("Liberation Sans");
}

QFont FontOfHeight(int height, bool bold)
{
    QFont font(FaceName());
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(height);
    // The classic height is the whole cell. The Japanese face it was meant for has no leading, so
    // its em is the cell; the Latin face's em is shrunk until ascent plus descent fit the cell.
    if (language() == Language::Japanese) {
        return font;
    }
    for (int size = height; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= height) {
            break;
        }
    }
    return font;
}

CanvasFonts CanvasFonts::Create()
{
    CanvasFonts fonts;
    fonts.title = FontOfHeight(18, true);
    fonts.small = FontOfHeight(12, false);
    fonts.barNumbers = FontOfHeight(16, false);
    fonts.tiny = FontOfHeight(10, false);
    return fonts;
}

} // namespace zembra
