#include "import_ui/arrange_changes_dialog.h"

#include "import/arrange_report.h"
#include "io/safe_file.h"
#include "model/music_box.h"
#include "services/file_name.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>

namespace zembra {

namespace {

// Rows the list shows before it scrolls.
constexpr int kVisibleRows = 12;

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

ArrangeChangesDialog::ArrangeChangesDialog(const ArrangeResult& result, int resolution, int beatsPerBar,
                                           QWidget* parent)
    : QDialog(parent)
    , m_result(result)
    , m_resolution(resolution)
    , m_beatsPerBar(beatsPerBar)
{
    setObjectName(QStringLiteral("ArrangeChangesDialog"));
    setWindowTitle(TextOf(str::kArrangeChangesCaption));

    const std::string report = ArrangeReportText(m_result, m_resolution, m_beatsPerBar);
    auto* summary = new QLabel(Utf8(report.substr(0, report.find('\n'))), this);
    summary->setObjectName(QStringLiteral("arrangeSummary"));
    summary->setWordWrap(true);

    const QStringList header = TextOf(str::kArrangeListHeader).split('\t');
    m_table = new QTableWidget(static_cast<int>(m_result.edits.size()), static_cast<int>(header.size()), this);
    m_table->setObjectName(QStringLiteral("arrangeChanges"));
    m_table->setHorizontalHeaderLabels(header);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              kVisibleRows * m_table->verticalHeader()->defaultSectionSize() + 2 * m_table->frameWidth());
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const ArrangeEdit& edit = m_result.edits[static_cast<std::size_t>(r)];
        QString from = Utf8(NameOfNote(edit.key));
        if (edit.melody) {
            from += QStringLiteral(" (") + TextOf(str::kArrangeMelodyTag) + ')';
        }
        m_table->setItem(r, 0, cell(Utf8(BarBeatText(edit.tick, m_resolution, m_beatsPerBar))));
        m_table->setItem(r, 1, cell(from));
        m_table->setItem(r, 2, cell(edit.toPitch >= 0 ? Utf8(NameOfNote(edit.toPitch)) : QStringLiteral("-")));
        m_table->setItem(r, 3, cell(Utf8(ArrangeChangeText(edit.change))));
        m_table->setItem(r, 4, cell(Utf8(ArrangeReasonText(edit.reason))));
    }
    auto* nothing = new QLabel(TextOf(str::kArrangeNothingChanged), this);
    nothing->setObjectName(QStringLiteral("nothingChanged"));
    nothing->setVisible(m_result.edits.empty());

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(TextOf(str::kArrangeSaveText), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveChanges"));
    QPushButton* close = buttons->addButton(TextOf(str::kArrangeClose), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(save, &QPushButton::clicked, this, &ArrangeChangesDialog::SaveAsText);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(nothing);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(640, 0)));
}

bool ArrangeChangesDialog::SaveAsText()
{
    const QString path = prompts().saveFileName(
        this, {TextOf(str::kArrangeSaveText), QString(), QStringLiteral("arrangement.txt"),
               TextOf(str::kArrangeTextFilter), QStringLiteral("txt")});
    if (path.isEmpty() || !confirmReplacing(this, path)) {
        return false;
    }
    const std::string report = ArrangeReportText(m_result, m_resolution, m_beatsPerBar);
    SafeFile file(FileNameBytes(path));
    if (!WriteWholeFile(file, report.data(), report.size())) {
        prompts().message(this,
                          TextOf(str::kArrangeSaveFailed).arg(QDir::toNativeSeparators(path)) + '\n' +
                              WriteProblemText(file.problem()),
                          QString(), Prompts::Icon::Warning);
        return false;
    }
    return true;
}

} // namespace zembra
