#include "card/cutter_svg_writer.h"

#include <QXmlStreamWriter>

namespace zembra {

namespace {

const QString kInkscapeNs = QStringLiteral("http://www.inkscape.org/namespaces/inkscape");
const QString kCutColour = QStringLiteral("#ff0000");
const QString kEngraveColour = QStringLiteral("#0000ff");
const QString kFontFamilies = QStringLiteral("Liberation Sans, Noto Sans CJK JP, sans-serif");
// Laser software takes the thinnest stroke for a cut.
constexpr double kCutStrokeMm = 0.1;

QString mm(double value)
{
    // A ten-thousandth of a millimetre is far below any cutter's step.
    QString text = QString::number(value, 'f', 4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void beginLayer(QXmlStreamWriter& xml, const QString& name)
{
    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), name);
    xml.writeAttribute(kInkscapeNs, QStringLiteral("groupmode"), QStringLiteral("layer"));
    xml.writeAttribute(kInkscapeNs, QStringLiteral("label"), name);
}

void writeCut(QXmlStreamWriter& xml, const CutterDrawing& drawing)
{
    beginLayer(xml, QStringLiteral("CUT"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke"), kCutColour);
    xml.writeAttribute(QStringLiteral("stroke-width"), mm(kCutStrokeMm));
    for (const CutterPath& path : drawing.cuts) {
        QStringList points;
        for (const CutterPoint& p : path.points) {
            points << mm(p.x) + QLatin1Char(',') + mm(p.y);
        }
        xml.writeEmptyElement(path.closed ? QStringLiteral("polygon") : QStringLiteral("polyline"));
        xml.writeAttribute(QStringLiteral("points"), points.join(QLatin1Char(' ')));
    }
    for (const CutterCircle& c : drawing.holes) {
        xml.writeEmptyElement(QStringLiteral("circle"));
        xml.writeAttribute(QStringLiteral("cx"), mm(c.x));
        xml.writeAttribute(QStringLiteral("cy"), mm(c.y));
        xml.writeAttribute(QStringLiteral("r"), mm(c.radius));
    }
    xml.writeEndElement();
}

void writeEngrave(QXmlStreamWriter& xml, const CutterDrawing& drawing)
{
    beginLayer(xml, QStringLiteral("ENGRAVE"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke"), kEngraveColour);
    for (const CutterLine& line : drawing.lines) {
        xml.writeEmptyElement(QStringLiteral("line"));
        xml.writeAttribute(QStringLiteral("x1"), mm(line.from.x));
        xml.writeAttribute(QStringLiteral("y1"), mm(line.from.y));
        xml.writeAttribute(QStringLiteral("x2"), mm(line.to.x));
        xml.writeAttribute(QStringLiteral("y2"), mm(line.to.y));
        xml.writeAttribute(QStringLiteral("stroke-width"), mm(line.penMm));
    }
    for (const std::vector<CutterPoint>& arrow : drawing.arrows) {
        QStringList points;
        for (const CutterPoint& p : arrow) {
            points << mm(p.x) + QLatin1Char(',') + mm(p.y);
        }
        xml.writeEmptyElement(QStringLiteral("polygon"));
        xml.writeAttribute(QStringLiteral("points"), points.join(QLatin1Char(' ')));
        xml.writeAttribute(QStringLiteral("fill"), kEngraveColour);
        xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
    }
    for (const CutterText& t : drawing.texts) {
        xml.writeStartElement(QStringLiteral("text"));
        xml.writeAttribute(QStringLiteral("x"), mm(t.at.x));
        xml.writeAttribute(QStringLiteral("y"), mm(t.at.y));
        xml.writeAttribute(QStringLiteral("font-size"), mm(t.heightMm));
        xml.writeAttribute(QStringLiteral("font-family"), kFontFamilies);
        xml.writeAttribute(QStringLiteral("text-anchor"), t.align == CutterAlign::Right ? QStringLiteral("end")
                                                                                       : QStringLiteral("start"));
        xml.writeAttribute(QStringLiteral("dominant-baseline"), QStringLiteral("central"));
        xml.writeAttribute(QStringLiteral("fill"), kEngraveColour);
        xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
        xml.writeCharacters(QString::fromStdString(t.text));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

QByteArray CutterSvg(const CutterDrawing& drawing, const QString& title)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeNamespace(kInkscapeNs, QStringLiteral("inkscape"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("width"), mm(drawing.widthMm) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("height"), mm(drawing.heightMm) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("viewBox"),
                       QStringLiteral("0 0 %1 %2").arg(mm(drawing.widthMm), mm(drawing.heightMm)));
    xml.writeTextElement(QStringLiteral("title"), title);
    // The cuts come last, so that they show above the engraving.
    writeEngrave(xml, drawing);
    writeCut(xml, drawing);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace zembra
