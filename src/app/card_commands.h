#pragma once

#include "card/calibration_flow.h"
#include "card/card_host.h"
#include "card/card_print_flow.h"
#include "card/cutter_export_flow.h"

namespace zembra {

class CKelpDoc;
class CKelpView;
class CMainFrame;

// The card commands of the main window: connects the print flow with the canvas, which holds the
// song, and the document, which holds the background picture.
class CardCommands : public CardHost {
public:
    CardCommands(CMainFrame& frame, CKelpView& view, CKelpDoc& doc);

    CardPrintFlow& flow() { return m_flow; }
    CutterExportFlow& cutter() { return m_cutter; }
    CalibrationFlow& calibration() { return m_calibration; }

    SongState& song() override;
    int playbackStartX() const override;
    QWidget* window() const override;
    QString imagePath() const override;
    void setImagePath(const QString& path) override;
    bool loadImage(const QString& path) override;
    void releaseImage() override;
    const QImage* background() const override;
    void setPreviewShown(bool shown) override;
    void songChanged() override;

private:
    CMainFrame& m_frame;
    CKelpView& m_view;
    CKelpDoc& m_doc;
    CardPrintFlow m_flow;
    CutterExportFlow m_cutter;
    CalibrationFlow m_calibration;
};

} // namespace zembra
