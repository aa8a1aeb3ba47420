#include "app/tempo_dialog.h"

#include "services/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "model/tempo_law.h"
#include "canvas/kelp_view.h"
#include "midi/sync_clock.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zembra {

TempoDialog::TempoDialog(CKelpView& view, SyncClock& clock, QWidget* parent)
    : QDialog(parent)
    , m_view(view)
    , m_clock(clock)
    , m_openingTempo(static_cast<double>(clock.GetTempo()))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_readout(new QLabel(this))
{
    setObjectName(QStringLiteral("TempoDialog"));
    const std::string_view prompt = text(str::kPromptSetTempo);
    setWindowTitle(Utf8(prompt).section('\n', -1));
    m_slider->setRange(kTempoSliderMin, kTempoSliderMax);
    m_slider->setValue(SliderForTempo(m_openingTempo));
    m_slider->setPageStep(500);
    m_slider->setMinimumWidth(260);
    m_readout->setMinimumWidth(40);
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ShowTempo(m_openingTempo);
    // A drag or click on the slider reaches the clock when the mouse lets go; keys act at once.
    connect(m_slider, &QSlider::sliderReleased, this, &TempoDialog::ApplySlider);
    connect(m_slider, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) {
            QMetaObject::invokeMethod(this, &TempoDialog::ApplySlider, Qt::QueuedConnection);
        }
    });

    auto* row = new QHBoxLayout;
    row->addWidget(m_slider, 1);
    row->addWidget(m_readout);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    move(kScreenPosition);
    m_slider->setFocus();
}

QString TempoDialog::readout() const
{
    return m_readout->text();
}

void TempoDialog::ShowTempo(double microsPerQuarter)
{
    m_readout->setText(QString::number(BeatsPerMinute(microsPerQuarter)));
}

void TempoDialog::ApplySlider()
{
    m_clock.SetTempo(TempoForSlider(m_slider->value()));
    ShowTempo(static_cast<double>(m_clock.GetTempo()));
}

void TempoDialog::accept()
{
    const std::uint32_t tempo = TempoForSlider(m_slider->value());
    m_view.song().tempo = static_cast<double>(tempo);
    m_clock.SetTempo(tempo);
    if (static_cast<double>(tempo) != m_openingTempo) {
        m_view.edits().setModified(true);
    }
    QDialog::accept();
}

void TempoDialog::reject()
{
    m_view.song().tempo = m_openingTempo;
    m_clock.SetTempo(static_cast<std::uint32_t>(m_openingTempo));
    QDialog::reject();
}

} // namespace zembra
