#pragma once

#include <QString>

namespace zembra {

// What the window and the command line both are before anything else: the language of the
// texts, the organisation and application names that the settings and the data folder are found
// by, and the resources compiled into the program.
void SetUpApplicationIdentity();

// The version the program was built as, set once in the build from the project's version.
QString ProgramVersion();
// The program's name as the title bar and the captions of its messages show it.
QString ProductName();

} // namespace zembra
