// Every include under src/ runs down the layers, never up and never sideways between siblings:
//
//   text, io         the string table; writing files safely                          plain
//   midi             SMF codec, devices, port, clock, synthesizer                     plain
//   model            song record, scale, print metrics, too-close check                    plain
//   import           file facts, counting, placement, fit, import editor model        plain
//   services         the services several layers share: prompts, settings, texts      Qt
//   import_ui        the import edit dialog and its roll, the canvas settings dialog   Qt
//   document | card | canvas   document and files | card and cutter | view and editing
//   app | cli        the window and its dialogs | the command line
//   main             the executable (src/app/main.cpp)
//
// A folder includes its own headers freely.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kLayer = {
    {"text", 0}, {"io", 0},   {"midi", 1},   {"model", 2}, {"import", 3}, {"services", 4}, {"import_ui", 5},
    {"document", 6}, {"card", 6}, {"canvas", 6}, {"app", 7},  {"cli", 7},
};
constexpr int kMainLayer = 8;
const std::string kMain = "app/main.cpp";

// Includes that still run against the order, each waiting for the move that ends it. The list
// only shrinks: an entry that no longer occurs fails the test too, so that it is taken out.
const std::set<std::string> kAwaitingMove = {};

struct Include {
    std::string file; // relative to src/
    int line;
    std::string header;
};

std::vector<Include> IncludesUnder(const fs::path& root)
{
    static const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)")re");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string text;
        for (int line = 1; std::getline(in, text); ++line) {
            std::smatch match;
            if (std::regex_search(text, match, include)) {
                found.push_back({fs::relative(entry.path(), root).generic_string(), line, match[1].str()});
            }
        }
    }
    return found;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Why the include runs against the order, or empty when it is allowed.
std::string Against(const Include& include)
{
    const std::string from = FolderOf(include.file);
    const std::string to = FolderOf(include.header);
    if (to.empty() || from == to) {
        return {};
    }
    const auto fromLayer = kLayer.find(from);
    const auto toLayer = kLayer.find(to);
    if (fromLayer == kLayer.end() || toLayer == kLayer.end()) {
        return "a folder without a layer";
    }
    const int own = include.file == kMain ? kMainLayer : fromLayer->second;
    if (toLayer->second > own) {
        return "an include up the layers";
    }
    if (toLayer->second == own) {
        return "an include between siblings";
    }
    return {};
}

TEST(IncludeOrder, EveryIncludeRunsDownTheLayers)
{
    std::set<std::string> seen;
    for (const Include& include : IncludesUnder(ZEMBRA_SOURCE_DIR)) {
        const std::string why = Against(include);
        if (why.empty()) {
            continue;
        }
        const std::string edge = include.file + " -> " + include.header;
        if (kAwaitingMove.count(edge)) {
            seen.insert(edge);
            continue;
        }
        ADD_FAILURE() << "src/" << include.file << ":" << include.line << ": " << why << ": \"" << include.header
                      << "\"";
    }
    for (const std::string& edge : kAwaitingMove) {
        EXPECT_TRUE(seen.count(edge)) << "no longer occurs, take it off the list: " << edge;
    }
}

TEST(IncludeOrder, TheRuleRefusesWhatItShould)
{
    struct Case {
        Include include;
        bool allowed;
    };
    const Case cases[] = {
        {{"model/song_state.h", 1, "text/strings.h"}, true},
        {{"model/song_state.h", 1, "model/scale.h"}, true},
        {{"model/song_state.h", 1, "midi/midi_bytes.h"}, true},
        {{"midi/midi_file.h", 1, "model/song_state.h"}, false},
        {{"card/card_job.h", 1, "canvas/kelp_view.h"}, false},
        {{"cli/cli_app.cpp", 1, "app/kelp_app.h"}, false},
        {{"app/main.cpp", 1, "cli/cli_app.h"}, true},
        {{"services/prompts.h", 1, "app/main_frame.h"}, false},
        {{"document/kelp_doc.cpp", 1, "zembra_version.h"}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Against(c.include).empty(), c.allowed) << c.include.file << " -> " << c.include.header;
    }
}

} // namespace
