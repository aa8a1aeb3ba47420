#include "cli/card_options.h"

#include "card/card_pdf.h"
#include "card/card_print_flow.h"
#include "cli/arrange_options.h"
#include "cli/assembly_options.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QRegularExpression>
#include <QSizeF>

#include <algorithm>

namespace zembra {

namespace {

// A paper side, in millimetres, that a PDF page can have.
constexpr double kSmallestPaperMm = 10.0;
constexpr double kLargestPaperMm = 5000.0;

} // namespace

void CardOptions::ApplyTo(SongState& song) const
{
    if (barLengthMm) {
        song.barLengthMm = *barLengthMm;
    }
    PrintOptions& o = song.printOptions;
    o.mirrorCard = mirror ? 1 : 0;
    o.swapHighLow = swap ? 1 : 0;
    o.twoRows = twoRows ? 1 : 0;
    o.ruledLines = noLines ? 0 : 1;
    o.thickLines = thick ? 1 : 0;
    o.blackLines = black ? 1 : 0;
    o.fitSongToCard = noFit ? 0 : 1;
    o.stripNumbers = stripNumbers ? 1 : 0;
}

void DeclareCardOptions(OptionSet& options, CardOutput output)
{
    const bool print = output == CardOutput::Print;
    options.add({QStringLiteral("bar-mm")}, str::kCliOptionBarMmAuto, QStringLiteral("N|auto"));
    options.add({QStringLiteral("mirror")}, str::kCliOptionMirror);
    options.add({QStringLiteral("swap")}, str::kCliOptionSwap);
    options.add({QStringLiteral("two-rows")}, str::kCliOptionTwoRows);
    options.add({QStringLiteral("no-lines")}, str::kCliOptionNoLines);
    options.add({QStringLiteral("thick")}, str::kCliOptionThick);
    if (print) {
        options.add({QStringLiteral("black")}, str::kCliOptionBlack);
    }
    options.add({QStringLiteral("no-fit")}, str::kCliOptionNoFit);
    options.add({QStringLiteral("bar-numbers")}, str::kCliOptionBarNumbers, QStringLiteral("N"));
    options.add({QStringLiteral("strip-numbers")}, str::kCliOptionStripNumbers);
    options.add({QStringLiteral("no-strip-numbers")}, str::kCliOptionNoStripNumbers);
    options.add({QStringLiteral("titles")}, str::kCliOptionTitles);
    DeclareAssemblyOptions(options);
    if (print) {
        options.add({QStringLiteral("image")}, str::kCliOptionImage, QStringLiteral("FILE"));
        options.add({QStringLiteral("text-colour")}, str::kCliOptionTextColour, QStringLiteral("COLOUR"));
    }
    options.add({QStringLiteral("paper")}, str::kCliOptionPaper, QStringLiteral("PAPER"));
    options.add({QStringLiteral("portrait")}, str::kCliOptionPortrait);
    options.add({QStringLiteral("landscape")}, str::kCliOptionLandscape);
}

std::optional<QPageSize> PaperSizeOf(const QString& name, bool* writtenWide)
{
    if (writtenWide) {
        *writtenWide = false;
    }
    const QString lower = name.trimmed().toLower();
    const std::pair<const char*, QPageSize::PageSizeId> named[] = {
        {"a4", QPageSize::A4}, {"a3", QPageSize::A3}, {"letter", QPageSize::Letter}, {"legal", QPageSize::Legal}};
    for (const auto& [text, id] : named) {
        if (lower == QLatin1String(text)) {
            return QPageSize(id);
        }
    }
    static const QRegularExpression millimetres(QStringLiteral("^(\\d+(?:\\.\\d+)?)x(\\d+(?:\\.\\d+)?)mm$"));
    const QRegularExpressionMatch match = millimetres.match(lower);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double width = match.captured(1).toDouble();
    const double height = match.captured(2).toDouble();
    if (width < kSmallestPaperMm || height < kSmallestPaperMm || width > kLargestPaperMm || height > kLargestPaperMm) {
        return std::nullopt;
    }
    if (writtenWide) {
        *writtenWide = width > height;
    }
    // The page size is the sheet upright; how it is laid is the orientation's business.
    return QPageSize(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Millimeter);
}

bool ReadCardOptions(const OptionSet& options, CardOptions* card, QString* error, CardOutput output)
{
    const bool print = output == CardOutput::Print;
    if (!ReadBarLength(options, &card->barLengthMm, &card->barAuto, error)) {
        return false;
    }
    card->mirror = options.isSet(QStringLiteral("mirror"));
    card->swap = options.isSet(QStringLiteral("swap"));
    card->twoRows = options.isSet(QStringLiteral("two-rows"));
    card->noLines = options.isSet(QStringLiteral("no-lines"));
    card->thick = options.isSet(QStringLiteral("thick"));
    card->black = print && options.isSet(QStringLiteral("black"));
    card->noFit = options.isSet(QStringLiteral("no-fit"));
    if (options.isSet(QStringLiteral("strip-numbers")) && options.isSet(QStringLiteral("no-strip-numbers"))) {
        *error = TextOf(str::kCliExclusive)
                     .arg(OptionSet::Spelled(QStringLiteral("strip-numbers")),
                          OptionSet::Spelled(QStringLiteral("no-strip-numbers")));
        return false;
    }
    card->stripNumbers = options.isSet(QStringLiteral("strip-numbers"));
    card->assembly.stripTitles = options.isSet(QStringLiteral("titles"));
    std::optional<int> every;
    if (!options.intValue(QStringLiteral("bar-numbers"), 0, kBarNumbersEveryFourth, &every, error)) {
        return false;
    }
    if (every && *every != 0 && *every != 1 && *every != kBarNumbersEveryFourth) {
        *error = TextOf(str::kCliBadValue)
                     .arg(OptionSet::Spelled(QStringLiteral("bar-numbers")), QString::number(*every), QStringLiteral("0, 1, 4"));
        return false;
    }
    card->assembly.barNumbers = every.value_or(0);
    if (!ReadAssemblyOptions(options, &card->assembly, error)) {
        return false;
    }

    QString colour;
    if (print && (!options.singleValue(QStringLiteral("image"), &card->imagePath, error) ||
                  !options.singleValue(QStringLiteral("text-colour"), &colour, error))) {
        return false;
    }
    card->textColour = QColor(CardPrintFlow::kStandardTextColour);
    if (print && options.isSet(QStringLiteral("text-colour"))) {
        card->textColour = QColor::fromString(colour);
        if (!card->textColour.isValid()) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(QStringLiteral("text-colour")), colour, QStringLiteral("#rrggbb"));
            return false;
        }
    }

    QString paper;
    if (!options.singleValue(QStringLiteral("paper"), &paper, error)) {
        return false;
    }
    std::optional<QPageSize> size = QPageSize(QPageSize::A4);
    bool measured = false;
    bool writtenWide = false;
    if (options.isSet(QStringLiteral("paper"))) {
        size = PaperSizeOf(paper, &writtenWide);
        measured = size && size->id() == QPageSize::Custom;
        if (!size) {
            *error = TextOf(str::kCliBadValue)
                         .arg(OptionSet::Spelled(QStringLiteral("paper")), paper,
                              QStringLiteral("A4, A3, Letter, Legal, 210x297mm"));
            return false;
        }
    }
    const bool portrait = options.isSet(QStringLiteral("portrait"));
    const bool landscape = options.isSet(QStringLiteral("landscape"));
    if (portrait && landscape) {
        *error = TextOf(str::kCliExclusive)
                     .arg(OptionSet::Spelled(QStringLiteral("portrait")),
                          OptionSet::Spelled(QStringLiteral("landscape")));
        return false;
    }
    // A size in millimetres is laid as written, wider than high or not, unless turned.
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    if (portrait || (!landscape && measured && !writtenWide)) {
        orientation = QPageLayout::Portrait;
    }
    card->paper = PdfPaper(*size, orientation);
    return true;
}

} // namespace zembra
