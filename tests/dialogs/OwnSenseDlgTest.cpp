// 选择释义: the entry's lines and their senses to pick, a gloss of one's own, where it
// holds, and going back to the dictionary's.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "OwnSenseDlg.h"

class OwnSenseDlgTest : public QObject {
    Q_OBJECT
private slots:
    void offersEachLineAndEachOfItsSenses();
    void refusesAGlossThePageCannotShow();
    void clearsOnlyWhereThereIsASense();
    void aTextOfNoBookKeepsForEveryBook();

private:
    static OwnSenseQuestion Question() {
        OwnSenseQuestion question;
        question.word = QStringLiteral("run");
        question.shown = QStringLiteral("跑");
        question.lines = {{QStringLiteral("v."), QStringLiteral("跑，奔跑，经营")},
                          {QStringLiteral("n."), QStringLiteral("跑步")}};
        question.book = QStringLiteral("a.epub");
        return question;
    }
};

void OwnSenseDlgTest::offersEachLineAndEachOfItsSenses() {
    OwnSenseDlg dlg(nullptr, Question());
    auto* choices = dlg.findChild<QListWidget*>("senseChoices");
    auto* edit = dlg.findChild<QLineEdit*>("ownGlossEdit");
    QVERIFY(choices && edit);
    // What shows now, the verb line, its three senses, the noun line (one sense:
    // offered once).
    QCOMPARE(choices->count(), 6);
    QCOMPARE(choices->item(0)->text(), QStringLiteral("本处：跑"));
    QCOMPARE(choices->currentRow(), 0);
    QCOMPARE(choices->item(1)->text(), QStringLiteral("v. 跑，奔跑，经营"));
    QCOMPARE(choices->item(4)->text().trimmed(), QStringLiteral("经营"));
    QCOMPARE(edit->text(), QStringLiteral("跑"));
    choices->setCurrentRow(4);
    QCOMPARE(edit->text(), QStringLiteral("经营"));
    QVERIFY(dlg.findChild<QRadioButton*>("thisBook")->isChecked());
    dlg.accept();
    QVERIFY(dlg.Answer());
    QCOMPARE(dlg.Answer()->kind, OwnSenseAnswer::Kind::Set);
    QCOMPARE(dlg.Answer()->gloss, QStringLiteral("经营"));
    QVERIFY(!dlg.Answer()->everyBook);
}

void OwnSenseDlgTest::refusesAGlossThePageCannotShow() {
    OwnSenseDlg dlg(nullptr, Question());
    auto* edit = dlg.findChild<QLineEdit*>("ownGlossEdit");
    auto* ok = dlg.findChild<QPushButton*>("okButton");
    const QString refused[] = {QString(), QStringLiteral("   "), QStringLiteral("跑\U0001F3C3"),
                               QString(300, QLatin1Char('x'))};
    for (const QString& gloss : refused) {
        edit->setText(gloss);
        QVERIFY2(!ok->isEnabled(), qPrintable(gloss));
        QVERIFY(!dlg.findChild<QLabel*>("glossProblem")->text().isEmpty());
        dlg.accept();
        QVERIFY(!dlg.Answer());
    }
    edit->setText(QStringLiteral("  自己的  "));
    QVERIFY(ok->isEnabled());
    dlg.findChild<QRadioButton*>("everyBook")->setChecked(true);
    dlg.accept();
    QCOMPARE(dlg.Answer()->gloss, QStringLiteral("自己的"));
    QVERIFY(dlg.Answer()->everyBook);
}

void OwnSenseDlgTest::clearsOnlyWhereThereIsASense() {
    {
        OwnSenseDlg dlg(nullptr, Question());
        QVERIFY(!dlg.findChild<QPushButton*>("clearOwnSense")->isEnabled());
    }
    OwnSenseQuestion question = Question();
    question.current = QStringLiteral("经营");
    question.currentEveryBook = true;
    OwnSenseDlg dlg(nullptr, question);
    QCOMPARE(dlg.findChild<QLineEdit*>("ownGlossEdit")->text(), QStringLiteral("经营"));
    QCOMPARE(dlg.findChild<QListWidget*>("senseChoices")->item(0)->text(),
             QStringLiteral("自定义：经营"));
    QVERIFY(dlg.findChild<QRadioButton*>("everyBook")->isChecked());
    auto* clear = dlg.findChild<QPushButton*>("clearOwnSense");
    QVERIFY(clear->isEnabled());
    QCOMPARE(clear->text(), QStringLiteral("清除自定义释义(&C)"));
    clear->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Answer()->kind, OwnSenseAnswer::Kind::Clear);
}

void OwnSenseDlgTest::aTextOfNoBookKeepsForEveryBook() {
    OwnSenseQuestion question = Question();
    question.book.clear();
    question.lines.clear();  // no whole entry: the shown gloss is the one choice
    OwnSenseDlg dlg(nullptr, question);
    QVERIFY(!dlg.findChild<QRadioButton*>("thisBook")->isEnabled());
    QVERIFY(dlg.findChild<QRadioButton*>("everyBook")->isChecked());
    QCOMPARE(dlg.findChild<QListWidget*>("senseChoices")->count(), 1);
    dlg.accept();
    QVERIFY(dlg.Answer()->everyBook);
}

QTEST_MAIN(OwnSenseDlgTest)
#include "OwnSenseDlgTest.moc"
