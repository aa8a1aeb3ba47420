#include "model/song_tags.h"

#include "model/music_box.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace zembra {

namespace {

// The markers are the same in both language tables.
std::string_view marker(int id)
{
    return text(id, Language::English);
}

std::string_view tagValue(std::string_view text, int openId, int closeId)
{
    if (text.empty()) {
        return {};
    }
    const std::string_view open = marker(openId);
    const std::size_t start = text.find(open);
    const std::size_t end = text.find(marker(closeId));
    if (start == std::string_view::npos || end == std::string_view::npos || end <= start ||
        end - start <= open.size()) {
        return {};
    }
    return text.substr(start + open.size(), end - start - open.size());
}

// What lies between the last opening marker and the closing one after it: the tags written after
// the title, which might hold anything, are read from the end.
std::string_view lastTagValue(std::string_view text, int openId, int closeId)
{
    const std::string_view open = marker(openId);
    const std::size_t start = text.rfind(open);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t end = text.find(marker(closeId), start + open.size());
    if (end == std::string_view::npos) {
        return {};
    }
    return text.substr(start + open.size(), end - start - open.size());
}

int integerValue(std::string_view value)
{
    std::size_t i = 0;
    while (i < value.size() && std::isspace(static_cast<unsigned char>(value[i]))) {
        ++i;
    }
    if (i < value.size() && value[i] == '+') {
        ++i;
        if (i < value.size() && value[i] == '-') {
            return 0;
        }
    }
    double number = 0.0;
    const char* first = value.data() + i;
    const char* last = value.data() + value.size();
    const auto [end, error] = std::from_chars(first, last, number, std::chars_format::general);
    if (end == first || error != std::errc() || !std::isfinite(number)) {
        return 0;
    }
    const double whole = std::trunc(number);
    if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max()) {
        return 0;
    }
    return static_cast<int>(whole);
}

} // namespace

std::string BuildTagString(const SongTagValues& v)
{
    std::string tags;
    auto add = [&tags](int openId, std::string_view value, int closeId) {
        tags.append(marker(openId));
        tags.append(value);
        tags.append(marker(closeId));
    };
    add(str::kTagBarLengthOpen, std::to_string(v.barLengthMm), str::kTagBarLengthClose);
    add(str::kTagScaleOpen, std::to_string(v.pixelsPerQuarter), str::kTagScaleClose);
    add(str::kTagBarsOpen, std::to_string(v.barCount), str::kTagBarsClose);
    add(str::kTagTitleOpen, v.title, str::kTagTitleClose);
    add(str::kTagAuthorOpen, v.author, str::kTagAuthorClose);
    return tags;
}

std::string TagTitle(std::string_view text)
{
    return std::string(tagValue(text, str::kTagTitleOpen, str::kTagTitleClose));
}

std::string TagAuthor(std::string_view text)
{
    return std::string(tagValue(text, str::kTagAuthorOpen, str::kTagAuthorClose));
}

int TagBarLength(std::string_view text)
{
    return integerValue(tagValue(text, str::kTagBarLengthOpen, str::kTagBarLengthClose));
}

int TagScale(std::string_view text)
{
    return integerValue(tagValue(text, str::kTagScaleOpen, str::kTagScaleClose));
}

int TagBars(std::string_view text)
{
    return integerValue(tagValue(text, str::kTagBarsOpen, str::kTagBarsClose));
}

bool HasTags(std::string_view text)
{
    for (int id : {str::kTagScaleClose, str::kTagTitleClose, str::kTagBarLengthOpen, str::kTagAuthorClose,
                   str::kTagBarsClose}) {
        if (text.find(marker(id)) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

SongTagValues ReadTags(std::string_view text)
{
    return {TagBarLength(text), TagScale(text), TagBars(text), TagTitle(text), TagAuthor(text)};
}

std::string BoxTag(std::string_view boxId)
{
    if (boxId.empty() || boxId == DefaultBox().id) {
        return {};
    }
    std::string tag(marker(str::kTagBoxOpen));
    tag.append(boxId);
    tag.append(marker(str::kTagBoxClose));
    return tag;
}

std::string TagBox(std::string_view text)
{
    return std::string(lastTagValue(text, str::kTagBoxOpen, str::kTagBoxClose));
}

std::string TuningTag(Tuning tuning)
{
    if (tuning == Tuning::Equal) {
        return {};
    }
    std::string tag(marker(str::kTagTuningOpen));
    tag.append(TuningName(tuning));
    tag.append(marker(str::kTagTuningClose));
    return tag;
}

Tuning TagTuning(std::string_view text)
{
    return TuningFromName(lastTagValue(text, str::kTagTuningOpen, str::kTagTuningClose)).value_or(Tuning::Equal);
}

} // namespace zembra
