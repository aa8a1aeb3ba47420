#include "document/picture_rules.h"

#include <array>
#include <cctype>
#include <string>

namespace zembra {

bool IsPictureFormatAccepted(std::string_view format)
{
    static constexpr std::array<std::string_view, 5> kAccepted = {"bmp", "gif", "jpeg", "jpg", "png"};
    std::string lower;
    for (char c : format) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (std::string_view accepted : kAccepted) {
        if (lower == accepted) {
            return true;
        }
    }
    return false;
}

bool PictureSizeFits(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

} // namespace zembra
