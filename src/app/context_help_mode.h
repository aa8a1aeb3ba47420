#pragma once

#include <QObject>

class QWidget;

namespace zembra {

// Shift+F1: until the next click, a click on a menu item, a toolbar button or a control asks for
// the guide at that item instead of carrying it out. Escape leaves the mode.
class ContextHelpMode : public QObject {
    Q_OBJECT

public:
    explicit ContextHelpMode(QObject* parent = nullptr);
    ~ContextHelpMode() override;

    void Begin();
    void End();
    bool active() const { return m_active; }

    // The command or control id a click on this widget at this place stands for; 0 for none. A
    // control gives its id in the "helpId" property, or an ancestor does.
    static int ControlIdAt(QWidget* widget, const QPoint& localPos);

signals:
    // The help context the click asked for (see HelpContextForControl).
    void requested(int context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StopFiltering();

    bool m_active = false;
    bool m_filtering = false;
    // The button of the click that asked for help, until its release has been swallowed.
    Qt::MouseButton m_releaseButton = Qt::NoButton;
};

} // namespace zembra
