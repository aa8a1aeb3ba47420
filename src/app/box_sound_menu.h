#pragma once

#include "model/tuning.h"

#include <QObject>

#include <array>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;

namespace zembra {

class CKelpView;

// The Play menu's say in how the box sounds: "Play notes that will not sound as the box does",
// kept in the settings, and the Tuning submenu, one radio item a tuning, with a note that only
// the built-in synthesizer takes a tuning when the canvas plays on another device.
class BoxSoundMenu : public QObject {
    Q_OBJECT

public:
    // Adds the items to the end of `playMenu` and gives playback the kept setting.
    BoxSoundMenu(QMenu* playMenu, CKelpView& view, QObject* owner);
    // The same on the popup among `popups` that holds the Play command; null when none does.
    static BoxSoundMenu* Attach(const std::vector<QMenu*>& popups, CKelpView& view, QObject* owner);

    QAction* asBoxAction() const { return m_asBox; }
    QAction* tuningAction(Tuning tuning) const;
    QAction* builtInOnlyNote() const { return m_builtInOnly; }
    // Every item a person can choose, for the exerciser.
    std::vector<QAction*> actions() const;

    // Checks, enables and shows the items as the song, the device and the setting stand.
    void Refresh();

private:
    CKelpView& m_view;
    QAction* m_asBox = nullptr;
    QMenu* m_tuningMenu = nullptr;
    QActionGroup* m_tuningGroup = nullptr;
    std::array<QAction*, 4> m_tunings{};
    QAction* m_builtInOnly = nullptr;
};

} // namespace zembra
