#pragma once

#include "card/card_job.h"

#include <QColor>
#include <QString>

class QPrinter;

namespace zembra {

class CardHost;

// The print, preview, printer set-up and PDF commands of the card.
class CardPrintFlow {
public:
    static constexpr QRgb kStandardTextColour = 0xFF323232; // RGB(50, 50, 50)

    explicit CardPrintFlow(CardHost& host);

    // The settings dialog, then the print dialog and the job, or the preview.
    void PrintCommand();
    // The preview alone; its print button goes back through PrintCommand.
    void PreviewCommand();
    void PrintSetupCommand();
    // Asks for a file name and writes every page as PDF with the printer settings' paper.
    void ExportPdfCommand();

    // Writes the card to `path`; false with the reason in `error` when it cannot.
    bool WritePdf(const QString& path, QString* error);
    // The print job on a printer that has been set up: begin, pages, end. False when refused.
    bool RunPrintJob(QPrinter& printer);

    QColor textColour() const { return m_textColour; }
    void setTextColour(const QColor& colour) { m_textColour = colour; }
    bool previewing() const { return m_previewing; }
    const CardJob& lastJob() const { return m_job; }
    // The page range the print dialog offered.
    int offeredPages() const { return m_offeredPages; }
    // The choices for putting the card together, as the settings last gave them.
    const AssemblyChoices& assembly() const { return m_assembly; }

private:
    bool BeginCardPrint(QPrinter& printer, bool previewing);
    void EndCardPrint(int fromPage, int toPage);
    void ShowPreview();
    void RunPrintDialog();
    CardLook Look() const;

    CardHost& m_host;
    QColor m_textColour{kStandardTextColour};
    bool m_previewing = false;
    bool m_jobReady = false;
    int m_offeredPages = 0;
    AssemblyChoices m_assembly;
    CardJob m_job;
};

} // namespace zembra
