#include "text/strings.h"

#include <algorithm>
#include <atomic>
#include <optional>

namespace zembra {
namespace {

std::atomic<Language> g_language{Language::English};

const TextEntry* find(int id)
{
    const std::span<const TextEntry> table = textTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const TextEntry& e, int wanted) { return e.id < wanted; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), s.begin(),
                      [](char a, char b) { return lower(a) == lower(b); });
}

// "ja", "ja_JP", "ja-JP", "ja_JP.UTF-8", "ja@..." carry the code "ja"; "jav" does not.
bool hasLanguageCode(std::string_view name, std::string_view code)
{
    if (!startsWithNoCase(name, code)) {
        return false;
    }
    if (name.size() == code.size()) {
        return true;
    }
    const char next = name[code.size()];
    return next == '_' || next == '-' || next == '.' || next == '@';
}

std::optional<Language> languageOfName(std::string_view name)
{
    // Windows names the locale in words ("Japanese_Japan.932").
    if (hasLanguageCode(name, "ja") || startsWithNoCase(name, "japanese")) {
        return Language::Japanese;
    }
    if (hasLanguageCode(name, "en") || startsWithNoCase(name, "english")) {
        return Language::English;
    }
    return std::nullopt;
}

} // namespace

void setLanguage(Language language)
{
    g_language.store(language, std::memory_order_relaxed);
}

Language language()
{
    return g_language.load(std::memory_order_relaxed);
}

std::string_view text(int id)
{
    return text(id, language());
}

std::string_view text(int id, Language language)
{
    const TextEntry* entry = find(id);
    if (entry == nullptr) {
        return {};
    }
    return language == Language::Japanese ? entry->japanese : entry->english;
}

bool hasText(int id)
{
    return find(id) != nullptr;
}

Language languageFromLocaleName(std::string_view localeName, const char* overrideEnv)
{
    if (overrideEnv != nullptr) {
        if (const auto chosen = languageOfName(overrideEnv)) {
            return *chosen;
        }
    }
    return languageOfName(localeName) == Language::Japanese ? Language::Japanese : Language::English;
}

} // namespace zembra
