#pragma once

#include "import/default_import.h"

#include <QString>

namespace zembra {

class OptionSet;

// --transpose (N or auto), --bars, --fold, --drums or --no-drums, --tracks and --box: what the import
// settings would be changed to, and --arrange with its choices (read by arrange_options.h). Every
// command that imports a file declares them here.
void DeclareImportOptions(OptionSet& options);
bool ReadImportOptions(const OptionSet& options, ImportChoices* choices, QString* error);
// Whether --box chose the box: else a song file's own box is kept.
bool BoxGiven(const OptionSet& options);

} // namespace zembra
