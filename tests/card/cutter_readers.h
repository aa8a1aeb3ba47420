#pragma once

// Readers that are not ours for the cutter files: rsvg-convert renders an SVG, ezdxf (through a
// small Python script) reads a DXF; and a finder for the marks or rings in a rendered page.

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zembra {

// The SVG as rsvg-convert renders it at `dpi`; a null image when it could not.
inline QImage RenderSvg(const QString& svg, int dpi, const QString& png)
{
    QProcess process;
    const QString resolution = QString::number(dpi);
    process.start(QStringLiteral("rsvg-convert"),
                  {QStringLiteral("--dpi-x"), resolution, QStringLiteral("--dpi-y"), resolution,
                   QStringLiteral("--background-color"), QStringLiteral("white"), QStringLiteral("-o"), png, svg});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// A Python that has ezdxf: the system's, or the first python3 on the path.
inline QString PythonWithEzdxf()
{
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess process;
        process.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
            return candidate;
        }
    }
    return {};
}

// What ezdxf reads from the DXF (see dxf_probe.py); an empty object when it could not.
inline QJsonObject ReadDxf(const QString& dxf)
{
    static const QString python = PythonWithEzdxf();
    if (python.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(python, {QStringLiteral(ZEMBRA_CARD_TESTS "/dxf_probe.py"), dxf});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// A connected patch of ink: its bounds and its ink-weighted centre, in pixels.
struct InkBlob {
    double x = 0;
    double y = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    double weight = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// How much ink each pixel holds, 0 to 1, row by row.
struct InkMap {
    int width = 0;
    int height = 0;
    std::vector<float> ink;
};

// The red of the cut layer over white or over the blue of the engraving: red less green.
inline InkMap RedInk(const QImage& rgb)
{
    InkMap map{rgb.width(), rgb.height(), std::vector<float>(static_cast<std::size_t>(rgb.width()) * rgb.height())};
    for (int y = 0; y < map.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < map.width; ++x) {
            map.ink[static_cast<std::size_t>(y) * map.width + x] =
                static_cast<float>(std::max(0, qRed(line[x]) - qGreen(line[x])) / 255.0);
        }
    }
    return map;
}

// Pixels of a grey page darker than `level`: the crosses of the printed marks.
inline InkMap DarkInk(const QImage& grey, int level)
{
    InkMap map{grey.width(), grey.height(), std::vector<float>(static_cast<std::size_t>(grey.width()) * grey.height())};
    for (int y = 0; y < map.height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < map.width; ++x) {
            map.ink[static_cast<std::size_t>(y) * map.width + x] = line[x] < level ? 1.0f : 0.0f;
        }
    }
    return map;
}

// Patches of pixels with more ink than `threshold`, neighbours joined in all eight directions.
// Centres are in pixel units with pixel i covering i to i + 1.
inline std::vector<InkBlob> FindBlobs(InkMap map, double threshold = 0.1)
{
    const int w = map.width;
    const int h = map.height;
    std::vector<float>& weight = map.ink;
    for (float& v : weight) {
        v = v > threshold ? v : 0.0f;
    }
    std::vector<InkBlob> blobs;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (weight[static_cast<std::size_t>(start)] <= 0) {
            continue;
        }
        InkBlob blob{0, 0, w, h, 0, 0, 0};
        double sx = 0;
        double sy = 0;
        stack.assign(1, start);
        const float first = weight[static_cast<std::size_t>(start)];
        weight[static_cast<std::size_t>(start)] = -first;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int px = at % w;
            const int py = at / w;
            const double v = -weight[static_cast<std::size_t>(at)];
            sx += v * px;
            sy += v * py;
            blob.weight += v;
            blob.left = std::min(blob.left, px);
            blob.right = std::max(blob.right, px);
            blob.top = std::min(blob.top, py);
            blob.bottom = std::max(blob.bottom, py);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int qx = px + dx;
                    const int qy = py + dy;
                    if (qx < 0 || qy < 0 || qx >= w || qy >= h) {
                        continue;
                    }
                    float& q = weight[static_cast<std::size_t>(qy) * w + qx];
                    if (q > 0) {
                        q = -q;
                        stack.push_back(qy * w + qx);
                    }
                }
            }
        }
        blob.x = sx / blob.weight + 0.5;
        blob.y = sy / blob.weight + 0.5;
        blobs.push_back(blob);
    }
    return blobs;
}

// The printed marks of a grey page at a printer's resolution: found on a copy an eighth the size,
// then measured on the page itself around each find. Only patches the size of a mark count.
inline std::vector<InkBlob> DarkMarks(const QImage& grey, double markPx)
{
    constexpr int kShrink = 8;
    const QImage small = grey.scaled(grey.width() / kShrink, grey.height() / kShrink, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
    std::vector<InkBlob> marks;
    for (const InkBlob& coarse : FindBlobs(DarkInk(small, 200))) {
        const int margin = static_cast<int>(markPx / 2) + 2 * kShrink;
        const QRect window = QRect(coarse.left * kShrink - margin, coarse.top * kShrink - margin,
                                   coarse.width() * kShrink + 2 * margin, coarse.height() * kShrink + 2 * margin)
                                 .intersected(grey.rect());
        for (InkBlob fine : FindBlobs(DarkInk(grey.copy(window), 110))) {
            // A patch cut by the window is measured in a window of its own; the page's own edge
            // cuts nothing more off it.
            const bool cut = (fine.left == 0 && window.left() > 0) || (fine.top == 0 && window.top() > 0) ||
                             (fine.right == window.width() - 1 && window.right() < grey.width() - 1) ||
                             (fine.bottom == window.height() - 1 && window.bottom() < grey.height() - 1);
            const bool markSized =
                std::abs(fine.width() - markPx) <= 0.3 * markPx && std::abs(fine.height() - markPx) <= 0.3 * markPx;
            if (cut || !markSized) {
                continue;
            }
            fine.x += window.left();
            fine.y += window.top();
            // Neighbouring finds may share a window: each mark counts once.
            const bool known = std::any_of(marks.begin(), marks.end(), [&](const InkBlob& m) {
                return std::abs(m.x - fine.x) < 1 && std::abs(m.y - fine.y) < 1;
            });
            if (!known) {
                marks.push_back(fine);
            }
        }
    }
    return marks;
}

} // namespace zembra
