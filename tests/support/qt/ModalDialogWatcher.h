#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs an action on a modal dialog once it is the active modal widget, from
// inside the nested event loop of the exec() that shows it. Tests use it both to
// drive a dialog they exec() themselves and to answer a message box the dialog
// under test opens.
inline void WhenModal(const QString& objectName, std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [objectName, action = std::move(action)] {
        const QDeadlineTimer deadline(5000);
        QWidget* modal = nullptr;
        while (!deadline.hasExpired()) {
            modal = QApplication::activeModalWidget();
            if (modal && modal->objectName() == objectName && modal->isVisible()) break;
            modal = nullptr;
            QTest::qWait(5);
        }
        if (!modal) qFatal("no modal widget named %s appeared", qPrintable(objectName));
        if (!QTest::qWaitForWindowExposed(modal))
            qFatal("modal widget %s was never exposed", qPrintable(objectName));
        action(modal);
    });
}
