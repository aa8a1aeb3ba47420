#include "cli/card_command.h"

#include "card/card_job.h"
#include "card/card_pdf.h"
#include "cli/arrange_options.h"
#include "cli/card_options.h"
#include "cli/command_run.h"
#include "cli/import_options.h"
#include "cli/option_set.h"
#include "cli/song_source.h"
#include "document/background_picture.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QImage>

#include <memory>

namespace zembra {

void DeclareCardCommandOptions(OptionSet& options)
{
    DeclareCommonOptions(options, true);
    DeclareImportOptions(options);
    DeclareCardOptions(options);
}

int RunCard(CommandRun& run)
{
    ImportChoices choices;
    CardOptions card;
    ArrangeOptions arrange;
    QString problem;
    if (!ReadImportOptions(run.options(), &choices, &problem) || !ReadCardOptions(run.options(), &card, &problem) ||
        !ReadArrangeOptions(run.options(), true, &arrange, &problem)) {
        return run.Usage(problem);
    }
    // One picture behind every card of the batch; one that cannot be read is a wrong argument.
    std::unique_ptr<QImage> picture;
    if (!card.imagePath.isEmpty()) {
        QString reason;
        picture = ReadPicture(card.imagePath, &reason);
        if (!picture) {
            return run.Usage(TextOf(str::kCliImageUnreadable).arg(Printable(card.imagePath)) + '\n' + reason);
        }
    }
    return run.ForEachOutput(QStringLiteral(".pdf"), [&](const QString& input, const QString& output, QString* error) {
        SongSource source;
        if (!source.Load(input, choices, BoxGiven(run.options()), error, arrange)) {
            return false;
        }
        SongState& song = source.song();
        card.ApplyTo(song);
        // A new canvas plays, and so prints, from its start.
        CardLook look = LookOfSong(song, picture.get(), card.textColour);
        look.assembly = card.assembly;
        return WriteCardPdf(song, 0, look, card.paper, output, error);
    });
}

} // namespace zembra
