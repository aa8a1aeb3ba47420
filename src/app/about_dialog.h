#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace zembra {

// The program's edition and version over a white ground. As a start-up splash it closes itself
// after five seconds.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSplashMilliseconds = 5000;

    explicit AboutDialog(bool splash, QWidget* parent = nullptr);

    // The product line: the edition and the version the program was built as.
    static QString EditionText();

    // Timer 1: runs only for the splash.
    QTimer* splashTimer() const { return m_timer; }
    // The splash's time is up: the box closes as if OK had been pressed.
    void OnSplashTimer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_splash;
    QTimer* m_timer;
};

} // namespace zembra
