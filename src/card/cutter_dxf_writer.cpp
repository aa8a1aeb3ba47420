#include "card/cutter_dxf_writer.h"

#include <QList>
#include <QString>

#include <dl_dxf.h>

#include <cerrno>
#include <memory>
#include <string>

namespace zembra {

namespace {

constexpr int kMillimetres = 4;
constexpr int kMetric = 1;
constexpr int kColourRed = 1;
constexpr int kColourBlue = 5;
constexpr int kByLayer = 256;
constexpr int kClosed = 1;
constexpr int kOpen = 0;
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 2;
constexpr int kAlignMiddle = 2;
const std::string kCut = "CUT";
const std::string kEngrave = "ENGRAVE";
const std::string kTextStyle = "Standard";

// Text of a DXF before 2007 is in the drawing's code page; anything beyond ASCII is written as
// the \U+XXXX escape that readers turn back into the character.
std::string dxfText(const std::string& utf8)
{
    std::string out;
    for (const char32_t c : QString::fromStdString(utf8).toUcs4()) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c <= 0xFFFF && c >= 0x20) {
            out += QStringLiteral("\\U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper().toStdString();
        } else {
            out += '?';
        }
    }
    return out;
}

DL_Attributes on(const std::string& layer)
{
    return DL_Attributes(layer, kByLayer, -1, "BYLAYER", 1.0);
}

class DxfOut {
public:
    DxfOut(DL_Dxf& dxf, DL_WriterA& dw, double height)
        : m_dxf(dxf)
        , m_dw(dw)
        , m_height(height)
    {
    }

    void Header(const CutterDrawing& drawing)
    {
        m_dxf.writeHeader(m_dw);
        m_dw.dxfString(9, "$INSUNITS");
        m_dw.dxfInt(70, kMillimetres);
        m_dw.dxfString(9, "$MEASUREMENT");
        m_dw.dxfInt(70, kMetric);
        m_dw.dxfString(9, "$EXTMIN");
        m_dw.dxfReal(10, 0.0);
        m_dw.dxfReal(20, 0.0);
        m_dw.dxfReal(30, 0.0);
        m_dw.dxfString(9, "$EXTMAX");
        m_dw.dxfReal(10, drawing.widthMm);
        m_dw.dxfReal(20, drawing.heightMm);
        m_dw.dxfReal(30, 0.0);
        m_dw.sectionEnd();
    }

    void Tables()
    {
        m_dw.sectionTables();
        m_dxf.writeVPort(m_dw);
        m_dw.tableLinetypes(3);
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        m_dw.tableEnd();
        m_dw.tableLayers(3);
        m_dxf.writeLayer(m_dw, DL_LayerData("0", 0), DL_Attributes("", 7, 100, "CONTINUOUS", 1.0));
        m_dxf.writeLayer(m_dw, DL_LayerData(kCut, 0), DL_Attributes("", kColourRed, 100, "CONTINUOUS", 1.0));
        m_dxf.writeLayer(m_dw, DL_LayerData(kEngrave, 0), DL_Attributes("", kColourBlue, 100, "CONTINUOUS", 1.0));
        m_dw.tableEnd();
        m_dw.tableStyle(1);
        m_dxf.writeStyle(m_dw, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        m_dw.tableEnd();
        m_dxf.writeView(m_dw);
        m_dxf.writeUcs(m_dw);
        m_dw.tableAppid(1);
        m_dxf.writeAppid(m_dw, "ACAD");
        m_dw.tableEnd();
        m_dxf.writeDimStyle(m_dw, 1, 1, 1, 1, 1);
        m_dxf.writeBlockRecord(m_dw);
        m_dw.tableEnd();
        m_dw.sectionEnd();
        m_dw.sectionBlocks();
        for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            m_dxf.writeBlock(m_dw, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
            m_dxf.writeEndBlock(m_dw, space);
        }
        m_dw.sectionEnd();
    }

    void Entities(const CutterDrawing& drawing)
    {
        m_dw.sectionEntities();
        for (const CutterPath& path : drawing.cuts) {
            Polyline(path.points, path.closed, kCut);
        }
        for (const CutterCircle& c : drawing.holes) {
            m_dxf.writeCircle(m_dw, DL_CircleData(c.x, Y(c.y), 0.0, c.radius), on(kCut));
        }
        for (const CutterLine& line : drawing.lines) {
            m_dxf.writeLine(m_dw, DL_LineData(line.from.x, Y(line.from.y), 0.0, line.to.x, Y(line.to.y), 0.0),
                            on(kEngrave));
        }
        for (const std::vector<CutterPoint>& arrow : drawing.arrows) {
            Polyline(arrow, true, kEngrave);
        }
        for (const CutterText& t : drawing.texts) {
            const int align = t.align == CutterAlign::Right ? kAlignRight : kAlignLeft;
            m_dxf.writeText(m_dw,
                            DL_TextData(t.at.x, Y(t.at.y), 0.0, t.at.x, Y(t.at.y), 0.0, t.heightMm, 1.0, 0, align,
                                        kAlignMiddle, dxfText(t.text), kTextStyle, 0.0),
                            on(kEngrave));
        }
        m_dw.sectionEnd();
        m_dxf.writeObjects(m_dw);
        m_dxf.writeObjectsEnd(m_dw);
        m_dw.dxfEOF();
    }

private:
    double Y(double y) const { return m_height - y; }

    void Polyline(const std::vector<CutterPoint>& points, bool closed, const std::string& layer)
    {
        m_dxf.writePolyline(m_dw, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? kClosed : kOpen),
                            on(layer));
        for (const CutterPoint& p : points) {
            m_dxf.writeVertex(m_dw, DL_VertexData(p.x, Y(p.y), 0.0, 0.0));
        }
        m_dxf.writePolylineEnd(m_dw);
    }

    DL_Dxf& m_dxf;
    DL_WriterA& m_dw;
    double m_height;
};

} // namespace

int WriteCutterDxf(const CutterDrawing& drawing, const std::string& path)
{
    DL_Dxf dxf;
    errno = 0;
    std::unique_ptr<DL_WriterA> dw(dxf.out(path.c_str(), DL_Codes::AC1015));
    if (!dw) {
        return errno ? errno : EIO;
    }
    DxfOut out(dxf, *dw, drawing.heightMm);
    out.Header(drawing);
    out.Tables();
    out.Entities(drawing);
    dw->close();
    // The stream keeps its failure through the close: a write or the final flush that failed
    // (a full disk) shows here.
    if (dw->openFailed()) {
        return errno ? errno : EIO;
    }
    return 0;
}

} // namespace zembra
