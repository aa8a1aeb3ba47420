#pragma once

#include "card/card_sketch.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zembra {

// The print settings dialog: the eight print options, the marks that help put the card together, the bar length, the background picture and
// the title colour, with a schematic card above them that follows every option as it is clicked.
// It works on copies that the print command copies in before and out after. Its controls are laid
// out by their texts, so that every caption shows whole in either language.
class CCardPrintDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids, also the object names of the controls ("ctl" + id).
    enum Control {
        kPrint = 1,
        kCancel = 2,
        kBarLength = 1012,
        kImportImage = 1016,
        kReleaseImage = 1017,
        kFitSong = 1018,
        kRuledLines = 1019,
        kRepeatImage = 1020,
        kMirrorCard = 1021,
        kThickLines = 1022,
        kBlackLines = 1023,
        kSwapHighLow = 1024,
        kPreview = 1026,
        kSilentCount = 1033,
        kBarLengthLabel = 1061,
        kTextColour = 1079,
        kStandardColour = 1080,
        kTwoRows = 1082,
        kStripNumbers = 1090,
        kCalibrationLine = 1091,
        kBarNumbers = 1092,
        kStripTitles = 1094,
        kBlankLength = 1095,
        kBlankPlan = 1097,
        kJoin = 1098,
        kSplitAtRests = 1099,
        kLoop = 1100,
        kPaperSetting = 57606,
    };
    // The schematic card fills the dialog's width above the controls, down to this pixel row.
    static constexpr int kPreviewBottom = CardSketch::kHeight - 1;

    // `song` gives the rows, the title and author and the notes the count is made of; `startX` the
    // playback start, before which notes are left off the card.
    CCardPrintDialog(const SongState& song, int startX, QWidget* parent = nullptr);

    QColor textColour;
    bool previewRequested = false;
    QString imagePath;
    int barLengthMm = 0;
    PrintOptions options{0, 0, 0, 0, 0, 0, 0, 0, 0};
    // The bar numbers, the titles of later strips and the blanks, kept apart from the song.
    AssemblyChoices assembly;
    QColor openingTextColour;
    // Called when the title colour changes, so that the card's colour follows at once.
    std::function<void(const QColor&)> textColourChanged;
    // The printer set-up, which the dialog hands on while it stays open.
    std::function<void()> paperSetting;
    // The printer the card will print on, for the line that says whether it is calibrated; empty
    // for PDF output.
    QString printerName;

    // Fills the controls from the fields; the print command calls it after filling them.
    void Open();
    void ShowSilentCount(int len);
    void ShowCalibration();
    // The crank's figures at the bar length and fitting chosen in the dialog.
    void ShowCrank();
    // How many blank cards of the chosen length the card takes, and where each ends.
    void ShowBlanks();
    const QImage& previewImage() const { return m_previewImage; }
    QWidget* control(int id) const;

    void accept() override;
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* addButton(int id, int textId);
    QCheckBox* addCheck(int id, int textId, std::int32_t PrintOptions::*flag);
    void LayOut(QPushButton* print, QPushButton* cancel);
    SketchLook Look() const;
    // The calibration line shortened in its middle to the width it has.
    void ElideCalibration();
    void OnBarLength(int index);
    void OnImportImage();
    void OnReleaseImage();
    void OnTextColour();
    void OnStandardColour();
    void OnPreviewButton();
    void TakeChecks();
    bool LoadPreviewImage(const QString& path);

    const SongState& m_song;
    int m_startX;
    QImage m_previewImage;
    CardSketch* m_sketch = nullptr;
    QString m_calibrationLine;
    QComboBox* m_barLength = nullptr;
    QComboBox* m_barNumbers = nullptr;
    QComboBox* m_stripTitles = nullptr;
    QSpinBox* m_blankLength = nullptr;
    QComboBox* m_join = nullptr;
    QComboBox* m_splitAtRests = nullptr;
    QComboBox* m_loop = nullptr;
    QLabel* m_blankPlan = nullptr;
    QLabel* m_silentCount = nullptr;
    QLabel* m_crank = nullptr;
    QLabel* m_startNote = nullptr;
    QLabel* m_calibration = nullptr;
    std::array<std::pair<QCheckBox*, std::int32_t PrintOptions::*>, 9> m_checks{};
    std::size_t m_checkCount = 0;
};

} // namespace zembra
