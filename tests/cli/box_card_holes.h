#pragma once

#include "cli_process.h"
#include "model/music_box.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zembra {

// The hole centres of box-card.mid's notes on the 33-note card, 60 mm bars after the 20 mm leader,
// along one unbroken card from its leading end, from the text csvmidi made the file from: 96 ticks
// a quarter, 4 quarters a bar.
inline std::vector<double> BoxCardHolesMm()
{
    constexpr double kLeaderMm = 20.0;
    constexpr double kBarMm = 60.0;
    const MusicBox* box = FindBuiltInBox("33");
    QFile file(Fixture("box-card.csv"));
    EXPECT_TRUE(box != nullptr && file.open(QIODevice::ReadOnly));
    std::vector<double> holes;
    static const QRegularExpression on(QStringLiteral("^1, (\\d+), Note_on_c, 0, (\\d+), (\\d+)$"));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QRegularExpressionMatch m = on.match(QString::fromLatin1(line.trimmed()));
        if (!m.hasMatch() || m.captured(3).toInt() == 0 ||
            std::find(box->notes.begin(), box->notes.end(), m.captured(2).toInt()) == box->notes.end()) {
            continue;
        }
        holes.push_back(kLeaderMm + m.captured(1).toInt() / 384.0 * kBarMm + 0.9);
    }
    std::sort(holes.begin(), holes.end());
    return holes;
}

} // namespace zembra
