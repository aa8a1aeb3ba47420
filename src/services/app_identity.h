#pragma once

namespace zembra {

// What the window and the command line both are before anything else: the language of the
// texts, the organisation and application names that the settings and the data folder are found
// by, and the resources compiled into the program.
void SetUpApplicationIdentity();

} // namespace zembra
