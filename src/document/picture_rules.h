#pragma once

#include <cstdint>
#include <string_view>

namespace zembra {

// The picture formats the program promises (BMP, JPEG, GIF, PNG), by the names the image
// decoders give them after looking at the contents. Anything else is refused before it is decoded:
// an SVG, for one, would fetch whatever files it links to.
bool IsPictureFormatAccepted(std::string_view format);

// A picture is printed behind a card page: 40 megapixels is more than twice what A3 paper holds at
// 300 dpi, and keeps a decoded picture within 160 MB. A side is held to what a painter can draw.
inline constexpr std::int64_t kMaxPictureMegapixels = 40;
inline constexpr std::int64_t kMaxPicturePixels = kMaxPictureMegapixels * 1000 * 1000;
inline constexpr std::int64_t kMaxPictureSide = 16384;

// True when a picture of this size may be loaded; a size of zero or less is not a picture.
bool PictureSizeFits(std::int64_t width, std::int64_t height);

} // namespace zembra
