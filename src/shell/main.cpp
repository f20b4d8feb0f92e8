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

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        arguments.push_back(argument.toStdString());
    }
    CVellumwiseApp app;
    if (const std::optional<int> status = app.InitInstance(arguments)) {
        return *status;
    }
    return QApplication::exec();
}
