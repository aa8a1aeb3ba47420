#include "app/kelp_app.h"
#include "app/main_frame.h"
#include "cli/cli_app.h"
#include "services/file_name.h"
#include "services/safe_file_device.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it finds no display; say so plainly instead.
bool displayAvailable()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char* argv[])
{
    // A sub-command, --help or --version needs no display: it picks the offscreen platform itself.
    if (zembra::CliApp::Wanted(argc, argv)) {
        return zembra::CliApp::Run(argc, argv);
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "zembra: no display found (DISPLAY and WAYLAND_DISPLAY are not set); "
                             "Zembra needs a graphical desktop to run.\n");
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    zembra::KelpApp app;
    // The file system's bytes: a file name that is not UTF-8 still names its file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(zembra::FileNameText(argv[i]));
    }
    // --screenshot FILE: saves a picture of the main window once it is painted, then quits.
    QString screenshot;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0 && at + 1 < arguments.size()) {
        screenshot = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (!app.InitInstance(arguments)) {
        return EXIT_FAILURE;
    }
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, [&app, screenshot] {
            zembra::SafeFileDevice file(screenshot);
            const QByteArray format = QFileInfo(screenshot).suffix().toLatin1();
            const bool saved = file.open() && app.frame()->grab().save(&file, format.isEmpty() ? "PNG" : format.constData()) &&
                               file.commit();
            QApplication::exit(saved ? EXIT_SUCCESS : EXIT_FAILURE);
        });
    }
    return QApplication::exec();
}
