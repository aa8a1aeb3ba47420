#pragma once

// The cut layer of a cutter file as programs that are not ours read it (Python's XML parser for an
// SVG, ezdxf for a DXF), in millimetres with y downward, and the checks made on it: no cut made
// twice, and every hole inside a strip with card around it.

#include "cutter_readers.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zembra {

struct CutSegment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double length() const { return std::hypot(x2 - x1, y2 - y1); }
};

struct CutCircle {
    double x = 0;
    double y = 0;
    double r = 0;
};

struct CutLayer {
    bool read = false;
    std::vector<CutCircle> circles;
    std::vector<CutSegment> segments;
    QStringList others; // shapes on the cut layer that are neither circles nor straight cuts
};

inline CutLayer ReadSvgCuts(const QString& svg)
{
    CutLayer cut;
    QProcess process;
    process.start(QStringLiteral("python3"), {QStringLiteral(ZEMBRA_CARD_TESTS "/svg_probe.py"), svg});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return cut;
    }
    const QJsonObject json = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    for (const QJsonValue& c : json.value(QStringLiteral("circles")).toArray()) {
        cut.circles.push_back({c[QStringLiteral("x")].toDouble(), c[QStringLiteral("y")].toDouble(),
                               c[QStringLiteral("r")].toDouble()});
    }
    for (const QJsonValue& s : json.value(QStringLiteral("segments")).toArray()) {
        cut.segments.push_back({s[0].toDouble(), s[1].toDouble(), s[2].toDouble(), s[3].toDouble()});
    }
    for (const QJsonValue& other : json.value(QStringLiteral("others")).toArray()) {
        cut.others << other.toString();
    }
    cut.read = true;
    return cut;
}

// `heightMm`: the drawing's height, from which DXF's upward y is turned back.
inline CutLayer ReadDxfCuts(const QString& dxf, double heightMm)
{
    CutLayer cut;
    const QJsonObject json = ReadDxf(dxf);
    if (json.isEmpty()) {
        return cut;
    }
    const auto onCut = [](const QJsonValue& v) { return v[QStringLiteral("layer")].toString() == QLatin1String("CUT"); };
    for (const QJsonValue& c : json.value(QStringLiteral("circles")).toArray()) {
        if (onCut(c)) {
            cut.circles.push_back({c[QStringLiteral("x")].toDouble(), heightMm - c[QStringLiteral("y")].toDouble(),
                                   c[QStringLiteral("r")].toDouble()});
        }
    }
    for (const QJsonValue& p : json.value(QStringLiteral("polylines")).toArray()) {
        if (!onCut(p)) {
            continue;
        }
        const QJsonArray points = p[QStringLiteral("points")].toArray();
        const qsizetype n = points.size();
        const qsizetype ends = p[QStringLiteral("closed")].toBool() ? n : n - 1;
        for (qsizetype i = 0; i < ends; ++i) {
            const QJsonArray a = points[i].toArray();
            const QJsonArray b = points[(i + 1) % n].toArray();
            cut.segments.push_back({a[0].toDouble(), heightMm - a[1].toDouble(), b[0].toDouble(),
                                    heightMm - b[1].toDouble()});
        }
    }
    for (const QJsonValue& l : json.value(QStringLiteral("lines")).toArray()) {
        if (onCut(l)) {
            cut.segments.push_back({l[QStringLiteral("x1")].toDouble(), heightMm - l[QStringLiteral("y1")].toDouble(),
                                    l[QStringLiteral("x2")].toDouble(), heightMm - l[QStringLiteral("y2")].toDouble()});
        }
    }
    for (const QJsonValue& other : json.value(QStringLiteral("others")).toArray()) {
        cut.others << other.toString();
    }
    cut.read = true;
    return cut;
}

// Cuts that a cutter would make twice: circles at one place, and straight cuts that run along
// each other closer than `nearMm` for more than a hundredth of a millimetre.
inline std::vector<std::string> CutsMadeTwice(const CutLayer& cut, double nearMm = 0.1)
{
    std::vector<std::string> twice;
    for (std::size_t i = 0; i < cut.circles.size(); ++i) {
        for (std::size_t k = i + 1; k < cut.circles.size(); ++k) {
            const CutCircle& a = cut.circles[i];
            const CutCircle& b = cut.circles[k];
            if (std::hypot(a.x - b.x, a.y - b.y) < 0.01 && std::abs(a.r - b.r) < 0.01) {
                twice.push_back("circle at " + std::to_string(a.x) + ", " + std::to_string(a.y));
            }
        }
    }
    // Straight cuts of a strip's outline run along x or along y.
    const auto along = [](const CutSegment& s, bool horizontal, double& at, double& from, double& to) {
        const bool isHorizontal = std::abs(s.y1 - s.y2) < 1e-6;
        const bool isVertical = std::abs(s.x1 - s.x2) < 1e-6;
        if (horizontal ? !isHorizontal : !isVertical) {
            return false;
        }
        at = horizontal ? s.y1 : s.x1;
        from = horizontal ? std::min(s.x1, s.x2) : std::min(s.y1, s.y2);
        to = horizontal ? std::max(s.x1, s.x2) : std::max(s.y1, s.y2);
        return true;
    };
    for (const bool horizontal : {true, false}) {
        for (std::size_t i = 0; i < cut.segments.size(); ++i) {
            for (std::size_t k = i + 1; k < cut.segments.size(); ++k) {
                double atA = 0, fromA = 0, toA = 0, atB = 0, fromB = 0, toB = 0;
                if (!along(cut.segments[i], horizontal, atA, fromA, toA) ||
                    !along(cut.segments[k], horizontal, atB, fromB, toB)) {
                    continue;
                }
                const double overlap = std::min(toA, toB) - std::max(fromA, fromB);
                if (std::abs(atA - atB) < nearMm && overlap > 0.01) {
                    twice.push_back(std::string(horizontal ? "y " : "x ") + std::to_string(atA) + " and " +
                                    std::to_string(atB) + " over " + std::to_string(overlap) + " mm");
                }
            }
        }
    }
    return twice;
}

// Whether the point lies inside the cut outlines: a ray from it in -x crosses an odd number of them.
inline bool InsideCuts(const CutLayer& cut, double x, double y)
{
    int crossings = 0;
    for (const CutSegment& s : cut.segments) {
        const double low = std::min(s.y1, s.y2);
        const double high = std::max(s.y1, s.y2);
        if (high - low < 1e-9 || y < low || y >= high) {
            continue;
        }
        const double at = s.x1 + (y - s.y1) * (s.x2 - s.x1) / (s.y2 - s.y1);
        if (at < x) {
            ++crossings;
        }
    }
    return crossings % 2 == 1;
}

// How far the circle's edge lies from the nearest cut line.
inline double CardAround(const CutLayer& cut, const CutCircle& c)
{
    double nearest = 1e9;
    for (const CutSegment& s : cut.segments) {
        const double dx = s.x2 - s.x1;
        const double dy = s.y2 - s.y1;
        const double len2 = dx * dx + dy * dy;
        const double t = len2 > 0 ? std::clamp(((c.x - s.x1) * dx + (c.y - s.y1) * dy) / len2, 0.0, 1.0) : 0.0;
        nearest = std::min(nearest, std::hypot(c.x - (s.x1 + t * dx), c.y - (s.y1 + t * dy)));
    }
    return nearest - c.r;
}

inline double CutLength(const CutLayer& cut)
{
    double length = 0;
    for (const CutSegment& s : cut.segments) {
        length += s.length();
    }
    return length;
}

// One strip of a cutter's strips layout, from its outline's cuts.
struct CutPiece {
    double left = 1e9;
    double top = 0;
    double right = -1e9;
    double bottom = 0;
    bool Holds(const CutCircle& c) const
    {
        return c.x - c.r > left && c.x + c.r < right && c.y - c.r > top && c.y + c.r < bottom;
    }
};

// The outlines' horizontal cuts pair up into each strip's top and bottom edge, its vertical cuts
// give its ends.
inline std::vector<CutPiece> PiecesOfCut(const CutLayer& cut)
{
    std::vector<double> ys;
    for (const CutSegment& s : cut.segments) {
        if (std::abs(s.y1 - s.y2) < 1e-6 &&
            std::none_of(ys.begin(), ys.end(), [&](double y) { return std::abs(y - s.y1) < 1e-3; })) {
            ys.push_back(s.y1);
        }
    }
    std::sort(ys.begin(), ys.end());
    std::vector<CutPiece> pieces;
    for (std::size_t i = 0; i + 1 < ys.size(); i += 2) {
        CutPiece piece;
        piece.top = ys[i];
        piece.bottom = ys[i + 1];
        for (const CutSegment& s : cut.segments) {
            if (std::abs(s.x1 - s.x2) < 1e-6 && std::min(s.y1, s.y2) > piece.top - 1e-3 &&
                std::max(s.y1, s.y2) < piece.bottom + 1e-3) {
                piece.left = std::min(piece.left, s.x1);
                piece.right = std::max(piece.right, s.x1);
            }
        }
        pieces.push_back(piece);
    }
    return pieces;
}

} // namespace zembra
