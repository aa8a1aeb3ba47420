#pragma once

// Where the printed card shows its marks: the card painter draws each page of the card on an
// image of a cutter sheet's printable area, and the marks' crosses are found in the pixels.

#include "card/card_job.h"
#include "card/cutter_geometry.h"
#include "cutter_readers.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace zembra {

struct MarkPoint {
    double x = 0;
    double y = 0;
};

// The centres of the printed marks, in millimetres on the drawing of the pages layout.
inline std::vector<MarkPoint> PrintedMarks(const SongState& song, const CutterSheet& sheet)
{
    CardJob job;
    // White titles leave only the crosses dark.
    EXPECT_TRUE(job.Begin(sheet.metrics, song, 0, LookOfSong(song, nullptr, Qt::white)));
    std::vector<MarkPoint> marks;
    for (int page = 1; page <= job.pageCount(); ++page) {
        QImage image(sheet.metrics.horzRes, sheet.metrics.vertRes, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        job.PaintPage(painter, page);
        painter.end();
        for (const InkBlob& blob : DarkMarks(image, 1.8 / sheet.mmPerPixelX)) {
            marks.push_back({sheet.areaLeftMm + blob.x * sheet.mmPerPixelX,
                             (page - 1) * sheet.paperHeightMm + sheet.areaTopMm + blob.y * sheet.mmPerPixelY});
        }
    }
    return marks;
}

} // namespace zembra
