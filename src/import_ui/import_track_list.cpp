#include "import_ui/import_track_list.h"

#include "import/import_options.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zembra {

namespace {

enum Column { kNumberColumn, kNameColumn, kChannelColumn, kNotesColumn, kColumns };
// Rows shown without scrolling: a small file's parts all at once, a large one's first few.
constexpr int kVisibleRows = 4;

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

ImportTrackList::ImportTrackList(std::vector<TrackSummary> tracks, std::uint32_t leftOut, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("trackList"));
    auto* caption = new QLabel(TextOf(str::kTrackListCaption), this);
    m_table = new QTableWidget(static_cast<int>(tracks.size()), kColumns, this);
    m_table->setObjectName(QStringLiteral("trackTable"));
    m_table->setToolTip(TextOf(str::kTrackListTip));
    caption->setBuddy(m_table);
    m_table->setHorizontalHeaderLabels({TextOf(str::kTrackListNumber), TextOf(str::kTrackListName),
                                        TextOf(str::kTrackListChannel), TextOf(str::kTrackListNotes)});
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(tracks.size()); ++r) {
        const TrackSummary& track = tracks[static_cast<std::size_t>(r)];
        QTableWidgetItem* number = cell(QString::number(r + 1), Qt::AlignLeft);
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        ImportOptions options;
        options.leftOutTracks = leftOut;
        number->setCheckState(IsTrackLeftOut(static_cast<std::size_t>(r), options) ? Qt::Unchecked : Qt::Checked);
        m_table->setItem(r, kNumberColumn, number);
        m_table->setItem(r, kNameColumn, cell(Utf8(track.name), Qt::AlignLeft));
        m_table->setItem(r, kChannelColumn, cell(Utf8(ChannelListText(track.channels)), Qt::AlignCenter));
        m_table->setItem(r, kNotesColumn, cell(QString::number(track.notes), Qt::AlignRight));
    }
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    const int rows = std::clamp(static_cast<int>(tracks.size()), 1, kVisibleRows);
    m_table->setFixedHeight(header->sizeHint().height() + rows * m_table->verticalHeader()->defaultSectionSize() +
                            2 * m_table->frameWidth());
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == kNumberColumn) {
            emit choiceChanged();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_table);
}

std::uint32_t ImportTrackList::leftOutTracks() const
{
    std::uint32_t leftOut = 0;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        if (m_table->item(r, kNumberColumn)->checkState() != Qt::Checked) {
            leftOut |= 1U << r;
        }
    }
    return leftOut;
}

} // namespace zembra
