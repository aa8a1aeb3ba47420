#include "services/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zembra {

namespace {

const QString kPathSection = QStringLiteral("Path");
const QString kPrinterSection = QStringLiteral("PrinterSetting");
const QString kDevMode1 = QStringLiteral("DevMode1");
const QString kDevMode2 = QStringLiteral("DevMode2");
const QString kRecentSection = QStringLiteral("Recent File List");
const QString kMidiSection = QStringLiteral("Midi");
const QString kMonitor = QStringLiteral("Monitor");
const QString kPlaySection = QStringLiteral("Play");
const QString kAsBox = QStringLiteral("AsBox");
const QString kImportSection = QStringLiteral("Import");
const QString kFoldOctaves = QStringLiteral("FoldOctaves");
const QString kLeaveOutDrums = QStringLiteral("LeaveOutDrums");
const QString kBoxSection = QStringLiteral("Box");
const QString kLastBox = QStringLiteral("Last");
const QString kCardSection = QStringLiteral("Card");
const QString kStripNumbers = QStringLiteral("StripNumbers");
const QString kBarNumbers = QStringLiteral("BarNumbers");
const QString kStripTitles = QStringLiteral("StripTitles");
const QString kJoin = QStringLiteral("Join");
const QString kOverlapMm = QStringLiteral("OverlapMm");
const QString kSplitAtRests = QStringLiteral("SplitAtRests");
const QString kBlankMm = QStringLiteral("BlankMm");
const QString kLoop = QStringLiteral("Loop");
const QString kOverlap = QStringLiteral("overlap");

// What an absent device-mode value reads as.
const QString kAbsent = QStringLiteral("no");

QString key(const QString& section, const QString& value)
{
    return section + '/' + value;
}

QString recentKey(int n)
{
    return key(kRecentSection, QStringLiteral("File%1").arg(n));
}

} // namespace

namespace settings {

QString RestoreFolder(const char* kind)
{
    const QString folder = QSettings().value(key(kPathSection, QLatin1String(kind))).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return {};
    }
    return folder;
}

void RememberFolder(const char* kind, const QString& chosenFile)
{
    const QString folder = QFileInfo(chosenFile).absolutePath();
    QSettings().setValue(key(kPathSection, QLatin1String(kind)), QDir::toNativeSeparators(folder));
}

bool MidiMonitorEnabled()
{
    return QSettings().value(key(kMidiSection, kMonitor), false).toBool();
}

bool PlayAsBox()
{
    return QSettings().value(key(kPlaySection, kAsBox), true).toBool();
}

void RememberPlayAsBox(bool on)
{
    QSettings().setValue(key(kPlaySection, kAsBox), on);
}

QString LastBoxId()
{
    return QSettings().value(key(kBoxSection, kLastBox)).toString();
}

void RememberLastBoxId(const QString& id)
{
    QSettings().setValue(key(kBoxSection, kLastBox), id);
}

ImportOptions LoadImportOptions()
{
    const QSettings store;
    ImportOptions options;
    options.foldOctaves = store.value(key(kImportSection, kFoldOctaves), false).toBool();
    options.leaveOutDrums = store.value(key(kImportSection, kLeaveOutDrums), true).toBool();
    return options;
}

void SaveImportOptions(const ImportOptions& options)
{
    QSettings store;
    store.setValue(key(kImportSection, kFoldOctaves), options.foldOctaves);
    store.setValue(key(kImportSection, kLeaveOutDrums), options.leaveOutDrums);
}

void LoadCardMarks(PrintOptions& options, AssemblyChoices& assembly)
{
    const QSettings store;
    options.stripNumbers = store.value(key(kCardSection, kStripNumbers), true).toBool() ? 1 : 0;
    // A value out of range reads as the default.
    assembly = AssemblyChoices{};
    const int every = store.value(key(kCardSection, kBarNumbers), 0).toInt();
    assembly.barNumbers = every == 1 || every == kBarNumbersEveryFourth ? every : 0;
    assembly.stripTitles = store.value(key(kCardSection, kStripTitles), false).toBool();
    assembly.join = store.value(key(kCardSection, kJoin)).toString() == kOverlap ? JoinKind::Overlap : JoinKind::Butt;
    const double overlap = store.value(key(kCardSection, kOverlapMm), kDefaultOverlapMm).toDouble();
    assembly.overlapMm = overlap >= kMinOverlapMm && overlap <= kMaxOverlapMm ? overlap : kDefaultOverlapMm;
    assembly.splitAtRests = store.value(key(kCardSection, kSplitAtRests), false).toBool();
    const double blank = store.value(key(kCardSection, kBlankMm), 0.0).toDouble();
    assembly.blankMm = blank >= 0 && blank <= kLongestBlankMm ? blank : 0;
    assembly.loop = store.value(key(kCardSection, kLoop), false).toBool();
}

void SaveCardMarks(const PrintOptions& options, const AssemblyChoices& assembly)
{
    QSettings store;
    store.setValue(key(kCardSection, kStripNumbers), options.stripNumbers != 0);
    store.setValue(key(kCardSection, kBarNumbers), assembly.barNumbers);
    store.setValue(key(kCardSection, kStripTitles), assembly.stripTitles);
    store.setValue(key(kCardSection, kJoin), assembly.join == JoinKind::Overlap ? kOverlap : QStringLiteral("butt"));
    store.setValue(key(kCardSection, kOverlapMm), assembly.overlapMm);
    store.setValue(key(kCardSection, kSplitAtRests), assembly.splitAtRests);
    store.setValue(key(kCardSection, kBlankMm), assembly.blankMm);
    store.setValue(key(kCardSection, kLoop), assembly.loop);
}

QStringList RecentFiles()
{
    QSettings store;
    QStringList files;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QString file = store.value(recentKey(n)).toString();
        if (!file.isEmpty()) {
            files << file;
        }
    }
    return files;
}

void AddRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    const QString entry = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    files.removeAll(entry);
    files.prepend(entry);
    QSettings store;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        if (n <= files.size()) {
            store.setValue(recentKey(n), files[n - 1]);
        } else {
            store.remove(recentKey(n));
        }
    }
}

bool LoadPrinterSettings(DevMode& mode)
{
    QSettings store;
    QString text = store.value(key(kPrinterSection, kDevMode1), kAbsent).toString();
    if (text != kAbsent) {
        text += store.value(key(kPrinterSection, kDevMode2), kAbsent).toString();
    }
    const std::optional<DevMode> stored = DevMode::fromHex(text.toStdString());
    if (!stored) {
        return false;
    }
    mode = *stored;
    return true;
}

bool SavePrinterSettings(const DevMode& mode)
{
    if (mode.isZero()) {
        return true;
    }
    const QString text = QString::fromStdString(mode.toHex());
    QSettings store;
    store.setValue(key(kPrinterSection, kDevMode1), text.left(DevMode::kFirstPartLength));
    store.setValue(key(kPrinterSection, kDevMode2), text.mid(DevMode::kFirstPartLength));
    store.sync();
    if (store.status() == QSettings::NoError) {
        return true;
    }
    store.setValue(key(kPrinterSection, kDevMode1), QString());
    store.setValue(key(kPrinterSection, kDevMode2), QString());
    store.sync();
    return false;
}

namespace {

QString calibrationKey(const QString& printerName, CalibrationDirection direction)
{
    return QString::fromStdString(CalibrationKey(printerName.toStdString(), direction));
}

double storedFactor(const QSettings& store, const QString& key)
{
    const std::optional<double> factor = ParseCalibrationFactor(store.value(key).toString().toStdString());
    return factor ? *factor : 1.0;
}

} // namespace

CalibrationFactors LoadCalibration(const QString& printerName)
{
    if (printerName.isEmpty()) {
        return {};
    }
    const QSettings store;
    return {storedFactor(store, calibrationKey(printerName, CalibrationDirection::Along)),
            storedFactor(store, calibrationKey(printerName, CalibrationDirection::Across))};
}

bool SaveCalibration(const QString& printerName, const CalibrationFactors& factors)
{
    if (printerName.isEmpty()) {
        return false;
    }
    QSettings store;
    store.setValue(calibrationKey(printerName, CalibrationDirection::Along),
                   QString::fromStdString(FormatCalibrationFactor(factors.along)));
    store.setValue(calibrationKey(printerName, CalibrationDirection::Across),
                   QString::fromStdString(FormatCalibrationFactor(factors.across)));
    store.sync();
    return store.status() == QSettings::NoError;
}

void ForgetCalibration(const QString& printerName)
{
    if (printerName.isEmpty()) {
        return;
    }
    QSettings store;
    store.remove(calibrationKey(printerName, CalibrationDirection::Along));
    store.remove(calibrationKey(printerName, CalibrationDirection::Across));
    store.sync();
}

} // namespace settings

DevMode& applicationDevMode()
{
    static DevMode mode;
    return mode;
}

} // namespace zembra
