#pragma once

#include "services/printer_device_mode.h"

class QPrinter;

namespace zembra {

// Puts the record's settings on the printer. Fields the record does not mark as set, and a
// device that is not installed here, leave the printer's own settings.
void ApplyDevMode(const DevMode& mode, QPrinter& printer);

// The printer's current settings as a record.
DevMode DevModeFromPrinter(const QPrinter& printer);

// The start-up check: true when the user should be told to set a default printer. A machine with
// no printer at all prints to PDF, which needs none, so only printers without a default count.
bool DefaultPrinterMissing(bool hasDefaultPrinter, bool hasAnyPrinter);
// Asks the system and shows the warning when a default printer is missing.
void CheckDefaultPrinter();

} // namespace zembra
