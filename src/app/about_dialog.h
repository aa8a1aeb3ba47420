#pragma once

#include <QDialog>

namespace zembra {

// The program's edition and version over a white ground. As a start-up splash it closes itself
// after five seconds.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSplashMilliseconds = 5000;

    explicit AboutDialog(bool splash, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_splash;
};

} // namespace zembra
