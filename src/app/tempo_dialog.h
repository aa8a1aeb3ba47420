#pragma once

#include <QDialog>

class QLabel;
class QSlider;

namespace zembra {

class CKelpView;
class SyncClock;

// Sets the playback tempo with a slider; every release of the slider reaches the clock at once,
// so a running playback changes speed while the user listens.
class TempoDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr QPoint kScreenPosition{220, 516};

    TempoDialog(CKelpView& view, SyncClock& clock, QWidget* parent = nullptr);

    QSlider* slider() const { return m_slider; }
    QString readout() const;
    double openingTempo() const { return m_openingTempo; }
    // What a release of the slider does: the clock takes the slider's tempo.
    void ApplySlider();

    void accept() override;
    void reject() override;

private:
    void ShowTempo(double microsPerQuarter);

    CKelpView& m_view;
    SyncClock& m_clock;
    double m_openingTempo;
    QSlider* m_slider;
    QLabel* m_readout;
};

} // namespace zembra
