#pragma once

#include "io/safe_file.h"

#include <QString>

namespace zembra {

// Why a file could not be written, in the program's language: the line that goes under the
// message naming the file.
QString WriteProblemText(const WriteProblem& problem);

} // namespace zembra
