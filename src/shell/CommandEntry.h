#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

// One command of the window, stated once: the menu, the toolbars and the keys all
// share the QAction made from it.
struct CommandEntry {
    const char* id;                   // the command's identifier, e.g. "ID_GOTO_PAGE"
    QString text;                     // menu text, or a name for a command with no menu item
    QString icon;                     // resource path of the button image, empty for none
    QList<QKeySequence> shortcuts;    // the first one is the one a menu shows
    QString toolTip;                  // empty: the button shows no tooltip
    QString statusTip;                // empty: no prompt in the status bar
    bool checkable = false;
    std::function<void()> handler;    // empty: the keys are taken and nothing happens
};
