// Which pictures the background loader takes, by format and by size.
#include "document/picture_rules.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(PictureRules, OnlyThePromisedFormats)
{
    struct Case {
        const char* format;
        bool accepted;
    };
    const Case cases[] = {
        {"bmp", true}, {"jpeg", true}, {"jpg", true}, {"gif", true}, {"png", true}, {"PNG", true},
        {"svg", false}, {"svgz", false}, {"tiff", false}, {"webp", false}, {"ico", false},
        {"xpm", false}, {"pbm", false}, {"", false}, {"pngx", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPictureFormatAccepted(c.format), c.accepted) << c.format;
    }
}

TEST(PictureRules, SizeLimit)
{
    struct Case {
        std::int64_t width;
        std::int64_t height;
        bool fits;
    };
    const Case cases[] = {
        {1, 1, true},
        {2480, 3508, true},                              // A4 at 300 dpi
        {8000, 5000, true},                              // exactly 40 megapixels
        {8000, 5001, false},
        {8000, 8000, false},
        {kMaxPictureSide, 2441, true},
        {kMaxPictureSide + 1, 1, false},
        {1, kMaxPictureSide + 1, false},
        {0, 10, false},
        {10, -1, false},
        {std::int64_t{1} << 40, std::int64_t{1} << 40, false}, // no overflow into a small product
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureSizeFits(c.width, c.height), c.fits) << c.width << " x " << c.height;
    }
}

} // namespace
} // namespace zembra
