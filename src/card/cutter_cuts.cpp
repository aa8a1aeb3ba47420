#include "card/cutter_cuts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

namespace zembra {

namespace {

// Far below any cutter's step, far above the rounding of adding half a kerf.
constexpr double kSamePointMm = 1e-6;

struct Segment {
    CutterPoint a;
    CutterPoint b;
};

// A stretch along the line where strip `upper`'s bottom meets strip `lower`'s top.
struct Shared {
    double y = 0;
    double from = 0;
    double to = 0;
    std::size_t upper = 0;
    std::size_t lower = 0;
};

using Stretch = std::pair<double, double>;

// Values that lie within the same-cut distance of their neighbours become their mean.
void Snap(std::vector<double*> values)
{
    std::sort(values.begin(), values.end(), [](const double* a, const double* b) { return *a < *b; });
    std::size_t first = 0;
    for (std::size_t i = 1; i <= values.size(); ++i) {
        if (i < values.size() && *values[i] - *values[i - 1] <= cutter::kSameCutMm) {
            continue;
        }
        double sum = 0;
        for (std::size_t k = first; k < i; ++k) {
            sum += *values[k];
        }
        const double mean = sum / static_cast<double>(i - first);
        for (std::size_t k = first; k < i; ++k) {
            *values[k] = mean;
        }
        first = i;
    }
}

// [from, to] less the stretches `taken`.
std::vector<Stretch> Free(double from, double to, std::vector<Stretch> taken)
{
    std::sort(taken.begin(), taken.end());
    std::vector<Stretch> free;
    double at = from;
    for (const Stretch& t : taken) {
        if (t.first > at) {
            free.emplace_back(at, std::min(t.first, to));
        }
        at = std::max(at, t.second);
    }
    if (to > at) {
        free.emplace_back(at, to);
    }
    return free;
}

bool Same(const CutterPoint& p, const CutterPoint& q)
{
    return std::abs(p.x - q.x) < kSamePointMm && std::abs(p.y - q.y) < kSamePointMm;
}

bool Horizontal(const Segment& s)
{
    return std::abs(s.a.y - s.b.y) < kSamePointMm;
}

// Segments on one line that overlap or touch become one.
std::vector<Segment> Unite(std::vector<Segment> segments)
{
    for (Segment& s : segments) {
        if (Horizontal(s) ? s.a.x > s.b.x : s.a.y > s.b.y) {
            std::swap(s.a, s.b);
        }
    }
    std::vector<Segment> united;
    std::vector<bool> done(segments.size(), false);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (done[i]) {
            continue;
        }
        Segment s = segments[i];
        const bool horizontal = Horizontal(s);
        // Grow the segment by every other on its line that reaches it, until none does.
        for (bool grown = true; grown;) {
            grown = false;
            for (std::size_t k = i + 1; k < segments.size(); ++k) {
                const Segment& t = segments[k];
                if (done[k] || Horizontal(t) != horizontal) {
                    continue;
                }
                const bool sameLine = horizontal ? std::abs(t.a.y - s.a.y) < kSamePointMm
                                                 : std::abs(t.a.x - s.a.x) < kSamePointMm;
                const double sFrom = horizontal ? s.a.x : s.a.y;
                const double sTo = horizontal ? s.b.x : s.b.y;
                const double tFrom = horizontal ? t.a.x : t.a.y;
                const double tTo = horizontal ? t.b.x : t.b.y;
                // Touching ends stay apart: a corner of two strips is two cuts that meet.
                if (!sameLine || tFrom >= sTo - kSamePointMm || tTo <= sFrom + kSamePointMm) {
                    continue;
                }
                if (tFrom < sFrom) {
                    s.a = t.a;
                }
                if (tTo > sTo) {
                    s.b = t.b;
                }
                done[k] = true;
                grown = true;
            }
        }
        united.push_back(s);
    }
    return united;
}

// Cuts each segment where another one ends on it, so that the paths can turn there.
std::vector<Segment> SplitAtJoints(const std::vector<Segment>& segments)
{
    std::vector<Segment> split;
    for (const Segment& s : segments) {
        const bool horizontal = Horizontal(s);
        std::vector<double> at;
        for (const Segment& t : segments) {
            for (const CutterPoint& p : {t.a, t.b}) {
                const bool onLine = horizontal ? std::abs(p.y - s.a.y) < kSamePointMm : std::abs(p.x - s.a.x) < kSamePointMm;
                const double v = horizontal ? p.x : p.y;
                const double from = horizontal ? s.a.x : s.a.y;
                const double to = horizontal ? s.b.x : s.b.y;
                if (onLine && v > from + kSamePointMm && v < to - kSamePointMm) {
                    at.push_back(v);
                }
            }
        }
        std::sort(at.begin(), at.end());
        CutterPoint from = s.a;
        for (const double v : at) {
            const CutterPoint p = horizontal ? CutterPoint{v, s.a.y} : CutterPoint{s.a.x, v};
            if (!Same(p, from)) {
                split.push_back({from, p});
                from = p;
            }
        }
        split.push_back({from, s.b});
    }
    return split;
}

// Drops the corners where a path runs straight on.
void Straighten(std::vector<CutterPoint>& points, bool closed)
{
    const auto straight = [](const CutterPoint& p, const CutterPoint& q, const CutterPoint& r) {
        return (std::abs(p.x - q.x) < kSamePointMm && std::abs(q.x - r.x) < kSamePointMm) ||
               (std::abs(p.y - q.y) < kSamePointMm && std::abs(q.y - r.y) < kSamePointMm);
    };
    for (std::size_t k = 0; k < points.size() && points.size() > (closed ? 3u : 2u);) {
        const bool inner = k > 0 && k + 1 < points.size();
        if (!inner && !closed) {
            ++k;
            continue;
        }
        const CutterPoint& before = points[(k + points.size() - 1) % points.size()];
        const CutterPoint& after = points[(k + 1) % points.size()];
        if (straight(before, points[k], after)) {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(k));
        } else {
            ++k;
        }
    }
}

// Joins segments that meet end to end into paths. Where several meet, a path walking round the
// strips (as a strip's edges are given: clockwise on the drawing) keeps to the outside: it takes
// the turn away from the strips first, so that the outline of strips that meet closes on itself and
// the cuts between them are paths of their own.
std::vector<CutterPath> Chain(const std::vector<Segment>& segments)
{
    std::vector<bool> used(segments.size(), false);
    // The unused segment on from `at`, arriving from `from`, and its other end; walking backward
    // round the strips, the turn towards them comes first.
    const auto next = [&](const CutterPoint& from, const CutterPoint& at, bool backward) -> std::optional<CutterPoint> {
        const double dx = at.x - from.x;
        const double dy = at.y - from.y;
        std::optional<std::size_t> best;
        int bestRank = 0;
        for (std::size_t k = 0; k < segments.size(); ++k) {
            if (used[k] || !(Same(segments[k].a, at) || Same(segments[k].b, at))) {
                continue;
            }
            const CutterPoint& to = Same(segments[k].a, at) ? segments[k].b : segments[k].a;
            // With y downward, a turn to the left has a negative cross product.
            const double cross = dx * (to.y - at.y) - dy * (to.x - at.x);
            const int side = cross < -kSamePointMm ? 0 : cross > kSamePointMm ? 2 : 1;
            const int rank = backward ? 2 - side : side;
            if (!best || rank < bestRank) {
                best = k;
                bestRank = rank;
            }
        }
        if (!best) {
            return std::nullopt;
        }
        used[*best] = true;
        return Same(segments[*best].a, at) ? segments[*best].b : segments[*best].a;
    };
    std::vector<CutterPath> paths;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (used[i]) {
            continue;
        }
        used[i] = true;
        std::deque<CutterPoint> points{segments[i].a, segments[i].b};
        bool closed = false;
        while (const std::optional<CutterPoint> p = next(points[points.size() - 2], points.back(), false)) {
            if (Same(*p, points.front())) {
                closed = true;
                break;
            }
            points.push_back(*p);
        }
        if (!closed) {
            while (const std::optional<CutterPoint> p = next(points[1], points.front(), true)) {
                points.push_front(*p);
            }
        }
        CutterPath path{{points.begin(), points.end()}, closed};
        Straighten(path.points, closed);
        paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace

std::vector<CutterPath> CutsOfStrips(const std::vector<CutterRect>& strips, double kerfMm)
{
    std::vector<CutterRect> r = strips;
    std::vector<double*> xs;
    std::vector<double*> ys;
    for (CutterRect& rect : r) {
        xs.push_back(&rect.left);
        xs.push_back(&rect.right);
        ys.push_back(&rect.top);
        ys.push_back(&rect.bottom);
    }
    Snap(xs);
    Snap(ys);
    std::vector<Shared> shared;
    for (std::size_t i = 0; i < r.size(); ++i) {
        for (std::size_t j = 0; j < r.size(); ++j) {
            if (i == j || r[i].bottom != r[j].top) {
                continue;
            }
            const double from = std::max(r[i].left, r[j].left);
            const double to = std::min(r[i].right, r[j].right);
            if (to - from > cutter::kSameCutMm) {
                shared.push_back({r[i].bottom, from, to, i, j});
            }
        }
    }
    const double half = kerfMm / 2;
    // The stretches of strip i's top (or bottom) that it shares, and whether its end at x is one.
    const auto taken = [&](std::size_t i, bool top) {
        std::vector<Stretch> stretches;
        for (const Shared& s : shared) {
            if ((top ? s.lower : s.upper) == i) {
                stretches.emplace_back(s.from, s.to);
            }
        }
        return stretches;
    };
    const auto sharedAt = [&](std::size_t i, bool top, double x) {
        return std::any_of(shared.begin(), shared.end(), [&](const Shared& s) {
            return (top ? s.lower : s.upper) == i && (s.from == x || s.to == x);
        });
    };
    std::vector<Segment> segments;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const CutterRect& s = r[i];
        // The free stretches of an edge move out by half the kerf; their ends at the strip's
        // corners reach the sides, which move out too, and their ends at a shared stretch start
        // at the side of the strip that ends there.
        const auto edge = [&](bool top) {
            const double y = top ? s.top - half : s.bottom + half;
            std::vector<Segment> parts;
            for (const Stretch& f : Free(s.left, s.right, taken(i, top))) {
                const double from = f.first == s.left ? f.first - half : f.first + half;
                const double to = f.second == s.right ? f.second + half : f.second - half;
                if (to - from > kSamePointMm) {
                    parts.push_back({{from, y}, {to, y}});
                }
            }
            return parts;
        };
        const auto side = [&](double x, double outX) {
            const double top = sharedAt(i, true, x) ? s.top : s.top - half;
            const double bottom = sharedAt(i, false, x) ? s.bottom : s.bottom + half;
            return Segment{{outX, top}, {outX, bottom}};
        };
        for (const Segment& part : edge(true)) {
            segments.push_back(part);
        }
        segments.push_back(side(s.right, s.right + half));
        std::vector<Segment> bottom = edge(false);
        for (auto it = bottom.rbegin(); it != bottom.rend(); ++it) {
            segments.push_back({it->b, it->a});
        }
        const Segment left = side(s.left, s.left - half);
        segments.push_back({left.b, left.a});
    }
    for (const Shared& s : shared) {
        segments.push_back({{s.from - half, s.y}, {s.to + half, s.y}});
    }
    return Chain(SplitAtJoints(Unite(std::move(segments))));
}

} // namespace zembra
