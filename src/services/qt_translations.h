#pragma once

#include "text/strings.h"

namespace zembra {

// Qt's own texts, the buttons and captions of the file, colour and print dialogs among them, in
// the language of the window: Qt's Japanese translations for a Japanese window, Qt's English
// otherwise. True when Qt's translation for the language is in force (English always is).
bool InstallQtTranslations(Language language);

} // namespace zembra
