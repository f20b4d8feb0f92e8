#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "CGotoPageDlg.h"
#include "ModalDialogWatcher.h"

class GotoPageDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithZeroAndEnterReturnsIt();
    void refusedTextKeepsDialogOpenAndSelectsIt();
    void cancelIsRejected();
};

void GotoPageDlgTest::opensWithZeroAndEnterReturnsIt() {
    CGotoPageDlg dlg;
    dlg.m_nPage = 42;  // a value left by an earlier run must not show
    QString shown;
    QString focused;
    WhenModal("gotoPageDialog", [&](QWidget*) {
        shown = dlg.findChild<QLineEdit*>("pageEdit")->text();
        QTRY_VERIFY(dlg.focusWidget() != nullptr);
        focused = dlg.focusWidget()->objectName();
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(shown, QStringLiteral("0"));
    QCOMPARE(focused, QStringLiteral("okButton"));
    QCOMPARE(dlg.m_nPage, 0);
}

void GotoPageDlgTest::refusedTextKeepsDialogOpenAndSelectsIt() {
    CGotoPageDlg dlg;
    QString caption;
    QString message;
    bool stillOpen = false;
    QString focused;
    QString selected;
    WhenModal("gotoPageDialog", [&](QWidget*) {
        auto* edit = dlg.findChild<QLineEdit*>("pageEdit");
        auto* ok = dlg.findChild<QPushButton*>("okButton");
        edit->setText("12a");
        WhenModal("integerMessageBox", [&](QWidget* box) {
            caption = box->windowTitle();
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->accept();
        });
        QTest::mouseClick(ok, Qt::LeftButton);
        stillOpen = dlg.isVisible();
        focused = dlg.focusWidget() ? dlg.focusWidget()->objectName() : QString();
        selected = edit->selectedText();

        // The reader corrects the number and tries again.
        edit->setText(" 12 ");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(caption, QStringLiteral("Vellumwise"));
    QCOMPARE(message, QStringLiteral("请键入一个整数。"));
    QVERIFY(stillOpen);
    QCOMPARE(focused, QStringLiteral("pageEdit"));
    QCOMPARE(selected, QStringLiteral("12a"));
    QCOMPARE(dlg.m_nPage, 12);
}

void GotoPageDlgTest::cancelIsRejected() {
    CGotoPageDlg dlg;
    WhenModal("gotoPageDialog", [&](QWidget*) {
        dlg.findChild<QLineEdit*>("pageEdit")->setText("junk");
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(GotoPageDlgTest)
#include "GotoPageDlgTest.moc"
