#include "card/cutter_options.h"

namespace zembra {

std::optional<CutterFormat> CutterFormatNamed(QStringView name)
{
    if (name.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        return CutterFormat::Svg;
    }
    if (name.compare(QLatin1String("dxf"), Qt::CaseInsensitive) == 0) {
        return CutterFormat::Dxf;
    }
    return std::nullopt;
}

std::optional<CutterLayout> CutterLayoutNamed(QStringView name)
{
    if (name.compare(QLatin1String("pages"), Qt::CaseInsensitive) == 0) {
        return CutterLayout::Pages;
    }
    if (name.compare(QLatin1String("strips"), Qt::CaseInsensitive) == 0) {
        return CutterLayout::Strips;
    }
    return std::nullopt;
}

QString CutterSuffix(CutterFormat format)
{
    return format == CutterFormat::Dxf ? QStringLiteral("dxf") : QStringLiteral("svg");
}

} // namespace zembra
