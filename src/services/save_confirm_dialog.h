#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace zembra {

// Asks whether the song on the canvas is to be saved before it is discarded. The caller reads
// answer(); the dialog always ends as accepted.
class SaveConfirmDialog : public QDialog {
    Q_OBJECT

public:
    enum Answer { kSave = 1, kSaveAs = 2, kDiscard = 3, kReturn = 4 };

    // `returnAllowed`: whether the user may abandon the operation that asked (not when the
    // program is closing).
    explicit SaveConfirmDialog(bool returnAllowed, QWidget* parent = nullptr);

    // kReturn until the user answers, so that a dialog closed without an answer loses nothing.
    int answer() const { return m_answer; }
    bool saveAsChecked() const { return m_saveAs; }

    QPushButton* saveButton() const { return m_save; }
    QPushButton* discardButton() const { return m_discard; }
    QPushButton* returnButton() const { return m_return; }
    QCheckBox* saveAsBox() const { return m_saveAsBox; }

public slots:
    // The cancel command: Escape, the window's close button and the return button.
    void reject() override;

private:
    void finish(int answer);

    QPushButton* m_save;
    QPushButton* m_discard;
    QPushButton* m_return;
    QCheckBox* m_saveAsBox;
    bool m_returnAllowed;
    bool m_saveAs = false;
    int m_answer = kReturn;
};

} // namespace zembra
