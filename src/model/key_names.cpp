#include "model/key_names.h"

#include "text/string_ids.h"
#include "text/strings.h"

namespace zembra {

void KeyNames::LoadKeyNames()
{
    for (int i = 0; i < 12; ++i) {
        keys[i] = std::string(text(str::kKeyNameFirst + i));
        pairs[i] = keys[i] + " " + std::string(text(str::kMinorNameFirst + i));
    }
}

int KeyNames::KeyIndex(int semitones)
{
    int k = semitones;
    if (k < 0) {
        k += 12;
    }
    k %= 12;
    return k < 0 ? k + 12 : k;
}

} // namespace zembra
