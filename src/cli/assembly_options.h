#pragma once

#include "model/assembly_choices.h"

#include <QString>

namespace zembra {

class OptionSet;

// --join butt|overlap[:MM], --split-at-rests, --blank-mm MM and --loop: how the card's strips go
// together.
void DeclareAssemblyOptions(OptionSet& options);
// False with the message in `error` when a value cannot be used.
bool ReadAssemblyOptions(const OptionSet& options, AssemblyChoices* choices, QString* error);

} // namespace zembra
