#include <QApplication>
#include <optional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CVellumwiseApp.h"

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumwise"));
    // Lets Wayland desktops match the window to vellumwise.desktop and its icon.
    QApplication::setDesktopFileName(QStringLiteral("vellumwise"));

    // Straight from argv, which QApplication has stripped of its own options: file
    // names are bytes, and one that is not UTF-8 would not survive a QString.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CVellumwiseApp app;
    if (const std::optional<int> status = app.InitInstance(arguments)) {
        return *status;
    }
    return QApplication::exec();
}
