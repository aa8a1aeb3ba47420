#include "import_ui/comb_fit_panel.h"

#include "import/import_options.h"

#include "text/string_ids.h"
#include "import/canvas_settings_rules.h"
#include "services/qt_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zembra {

namespace {

enum Column { kTranspositionColumn, kKeyColumn, kPlayableColumn, kNotPlayableColumn, kTooCloseColumn, kColumns };
// Rows the table shows without scrolling: enough to compare the best few.
constexpr int kVisibleRows = 6;

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QString transpositionText(int transposition)
{
    const auto entries = TranspositionEntries();
    const int index = transposition - kLowestFitTransposition;
    return index >= 0 && index < static_cast<int>(entries.size()) ? Utf8(entries[static_cast<std::size_t>(index)])
                                                                   : QString::number(transposition);
}

} // namespace

CombFitPanel::CombFitPanel(Ranker ranker, const FileKey& key, const ImportOptions& options, QWidget* parent)
    : QWidget(parent)
    , m_ranker(std::move(ranker))
    , m_key(key)
{
    setObjectName(QStringLiteral("combFit"));
    m_fit = new QPushButton(TextOf(str::kFitButton), this);
    m_fit->setObjectName(QStringLiteral("fitToComb"));
    m_fit->setToolTip(TextOf(str::kFitButtonTip));
    m_fold = new QCheckBox(TextOf(str::kFitFoldOctaves), this);
    m_fold->setObjectName(QStringLiteral("foldOctaves"));
    m_fold->setChecked(options.foldOctaves);
    m_drums = new QCheckBox(TextOf(str::kFitLeaveOutDrums), this);
    m_drums->setObjectName(QStringLiteral("leaveOutDrums"));
    m_drums->setChecked(options.leaveOutDrums);

    m_table = new QTableWidget(0, kColumns, this);
    m_table->setObjectName(QStringLiteral("fitTable"));
    m_table->setHorizontalHeaderLabels({TextOf(str::kFitTransposition), TextOf(str::kFitKey),
                                        TextOf(str::kFitPlayable), TextOf(str::kFitNotPlayable),
                                        TextOf(str::kFitTooClose)});
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            kVisibleRows * m_table->verticalHeader()->defaultSectionSize() + 2 * m_table->frameWidth());

    connect(m_fit, &QPushButton::clicked, this, &CombFitPanel::Fit);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CombFitPanel::RowChosen);
    for (QCheckBox* box : {m_fold, m_drums}) {
        connect(box, &QCheckBox::toggled, this, &CombFitPanel::optionsChanged);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(m_fit);
    side->addWidget(m_fold);
    side->addWidget(m_drums);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(side);
}

ImportOptions CombFitPanel::options() const
{
    ImportOptions options;
    options.foldOctaves = m_fold->isChecked();
    options.leaveOutDrums = m_drums->isChecked();
    return options;
}

void CombFitPanel::Refresh(int transposition)
{
    if (m_rows.empty() || !m_ranker) {
        return;
    }
    m_rows = m_ranker(options());
    Fill();
    const auto at = std::find_if(m_rows.begin(), m_rows.end(),
                                 [transposition](const FitRow& row) { return row.transposition == transposition; });
    if (at != m_rows.end()) {
        const QSignalBlocker quiet(m_table);
        m_table->selectRow(static_cast<int>(at - m_rows.begin()));
    }
}

void CombFitPanel::LockDrums()
{
    m_drums->setEnabled(false);
}

void CombFitPanel::Fit()
{
    if (!m_ranker) {
        return;
    }
    m_rows = m_ranker(options());
    Fill();
    if (!m_rows.empty()) {
        // Choosing the first row tells the dialog its transposition.
        m_table->selectRow(0);
    }
}

void CombFitPanel::Fill()
{
    const QSignalBlocker quiet(m_table);
    m_table->clearSelection();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        const FitRow& row = m_rows[static_cast<std::size_t>(r)];
        m_table->setItem(r, kTranspositionColumn, cell(transpositionText(row.transposition)));
        m_table->setItem(r, kKeyColumn, cell(Utf8(TransposedKeyName(m_key, row.transposition))));
        m_table->setItem(r, kPlayableColumn, cell(QString::number(row.importable)));
        m_table->setItem(r, kNotPlayableColumn, cell(QString::number(row.notImportable)));
        m_table->setItem(r, kTooCloseColumn, cell(QString::number(row.tooClose)));
    }
}

void CombFitPanel::RowChosen()
{
    const QList<QTableWidgetItem*> chosen = m_table->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const int r = chosen.front()->row();
    if (r >= 0 && r < static_cast<int>(m_rows.size())) {
        emit transpositionChosen(m_rows[static_cast<std::size_t>(r)].transposition);
    }
}

} // namespace zembra
