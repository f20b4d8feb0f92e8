#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "CGotoPageDlg.h"
#include "ModalDialogWatcher.h"

class GotoPageDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensAtTheCurrentPageSelectedInTheFocusedField();
    void takesAPercentage();
    void refusedTextKeepsDialogOpenAndSelectsIt();
    void cancelIsRejected();
};

void GotoPageDlgTest::opensAtTheCurrentPageSelectedInTheFocusedField() {
    CGotoPageDlg dlg;
    dlg.m_nPage = 42;
    dlg.m_nPageCount = 120;
    QString shown;
    QString selected;
    QString focused;
    QString range;
    WhenModal("gotoPageDialog", [&](QWidget*) {
        auto* edit = dlg.findChild<QLineEdit*>("pageEdit");
        shown = edit->text();
        QTRY_VERIFY(dlg.focusWidget() != nullptr);
        focused = dlg.focusWidget()->objectName();
        selected = edit->selectedText();
        range = dlg.findChild<QLabel*>("pageRange")->text();
        // Typing replaces the page shown; Enter goes there.
        QTest::keyClicks(dlg.focusWidget(), "10");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(shown, QStringLiteral("42"));
    QCOMPARE(focused, QStringLiteral("pageEdit"));
    QCOMPARE(selected, QStringLiteral("42"));
    QVERIFY2(range.contains(QStringLiteral("1–120")), qPrintable(range));
    QCOMPARE(dlg.m_nPage, 10);
    QVERIFY(!dlg.m_percent.has_value());

    // Enter alone keeps the page shown.
    WhenModal("gotoPageDialog", [&](QWidget*) {
        QTRY_VERIFY(dlg.focusWidget() != nullptr);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_nPage, 10);
}

void GotoPageDlgTest::takesAPercentage() {
    CGotoPageDlg dlg;
    WhenModal("gotoPageDialog", [&](QWidget*) {
        dlg.findChild<QLineEdit*>("pageEdit")->setText(" 37.5 % ");
        dlg.findChild<QPushButton*>("okButton")->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QVERIFY(dlg.m_percent.has_value());
    QCOMPARE(*dlg.m_percent, 37.5);
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
    QCOMPARE(message, QStringLiteral("请键入页码（整数）或百分比，如 50%。"));
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
