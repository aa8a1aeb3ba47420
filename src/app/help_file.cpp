#include "app/help_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace zembra {

namespace {

std::vector<std::string> editionSuffixes()
{
    std::vector<std::string> suffixes = {"20D", "20C", "33C"};
    for (int n = 3; n <= 19; ++n) {
        suffixes.push_back("20C" + std::string(n < 10 ? "0" : "") + std::to_string(n));
    }
    return suffixes;
}

bool endsWithNoCase(const std::string& text, const std::string& tail)
{
    if (tail.size() > text.size()) {
        return false;
    }
    return std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
}

} // namespace

std::string HelpFileName(const std::string& executablePath)
{
    std::string name = executablePath;
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    for (const std::string& suffix : editionSuffixes()) {
        if (endsWithNoCase(name, suffix) && name.size() > suffix.size()) {
            name.resize(name.size() - suffix.size());
            break;
        }
    }
    return name + ".html";
}

std::string LocalisedHelpFileName(const std::string& fileName, bool japanese)
{
    if (!japanese) {
        return fileName;
    }
    const std::size_t dot = fileName.find_last_of('.');
    return dot == std::string::npos ? fileName + ".ja" : fileName.substr(0, dot) + ".ja" + fileName.substr(dot);
}

int HelpContextForControl(int controlId)
{
    // Ids up to 9 are the framework's own controls (OK, Cancel, ...): they have no page.
    constexpr int kFrameworkControl = 9;
    constexpr int kFirstMidiItem = 201;
    constexpr int kLastMidiItem = 600;
    if (controlId < 1 || controlId == kFrameworkControl) {
        return 0;
    }
    if (controlId >= kFirstMidiItem && controlId <= kLastMidiItem) {
        return kHelpContextBase + kFirstMidiItem;
    }
    return kHelpContextBase + controlId;
}

std::string HelpAnchor(int context)
{
    if (context == 0) {
        return {};
    }
    char text[24];
    std::snprintf(text, sizeof text, "context-%x", static_cast<unsigned>(context));
    return text;
}

} // namespace zembra
