// Tallymar: starts the main window, or says how to get a display when there is none.
#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "shell/application.h"

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless_platform = platform && *platform;
    if (!headless_platform && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "tallymar: there is no display to show the window on.\n"
                     "Run it on a desktop, or under a virtual one: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tallymar");
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    tallymar::Application tallymar(QApplication::applicationDirPath().toStdString());
    tallymar.Start(tallymar::CommandLinePath(arguments));
    return QApplication::exec();
}
