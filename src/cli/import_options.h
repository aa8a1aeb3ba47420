#pragma once

#include "canvas/default_import.h"

#include <QString>

namespace zembra {

class OptionSet;

// --transpose and --bars: what the import settings would be changed to.
void DeclareImportOptions(OptionSet& options);
bool ReadImportOptions(const OptionSet& options, ImportChoices* choices, QString* error);

} // namespace zembra
