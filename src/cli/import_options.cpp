#include "cli/import_options.h"

#include "canvas/import_settings.h"
#include "cli/option_set.h"
#include "text/string_ids.h"

namespace zembra {

namespace {

// The transpositions the import settings offer.
constexpr int kLowestTransposition = -12;
constexpr int kHighestTransposition = 12;

} // namespace

void DeclareImportOptions(OptionSet& options)
{
    options.add({QStringLiteral("transpose")}, str::kCliOptionTranspose, QStringLiteral("N"));
    options.add({QStringLiteral("bars")}, str::kCliOptionBars, QStringLiteral("N"));
}

bool ReadImportOptions(const OptionSet& options, ImportChoices* choices, QString* error)
{
    return options.intValue(QStringLiteral("transpose"), kLowestTransposition, kHighestTransposition,
                            &choices->transposition, error) &&
           options.intValue(QStringLiteral("bars"), 1, kLongestBarCount, &choices->barCount, error);
}

} // namespace zembra
