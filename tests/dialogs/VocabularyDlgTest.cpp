#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "CVocabularyDlg.h"
#include "ModalDialogWatcher.h"
#include "VocabularyTable.h"

namespace {

QSlider* Slider(CVocabularyDlg& dlg) { return dlg.findChild<QSlider*>("vocabularySlider"); }
QString Label(CVocabularyDlg& dlg) { return dlg.findChild<QLabel*>("vocabularyLabel")->text(); }
QString LabelFor(int words) { return QStringLiteral("当前已经记忆的单词量：%1个").arg(words); }

// Clicks the box itself: a check box wider than its text ignores clicks past it.
void ClickBox(CVocabularyDlg& dlg, const char* name) {
    auto* box = dlg.findChild<QCheckBox*>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QRect HandleRect(QSlider* slider) {
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.singleStep = slider->singleStep();
    opt.pageStep = slider->pageStep();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    opt.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle,
                                           slider);
}

}  // namespace

class VocabularyDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithCallersValues();
    void sliderMovesSetStepLabelAndThreshold_data();
    void sliderMovesSetStepLabelAndThreshold();
    void toggledBoxKeepsCallersStepAndThreshold();
    void cancelHandsBackCallersValues();
    void previewFollowsEveryStepAndCancelRestoresIt();
};

void VocabularyDlgTest::opensWithCallersValues() {
    CVocabularyDlg defaults;
    QCOMPARE(defaults.m_nVocabLevel, 3);
    QCOMPARE(defaults.m_dThreshold, 18.96670773);

    CVocabularyDlg dlg;
    dlg.m_nVocabLevel = 8;
    dlg.m_bShowScience = true;
    int position = 0;
    QString label;
    bool medical = true;
    bool science = false;
    QString focused;
    WhenModal("vocabularyDialog", [&](QWidget*) {
        position = Slider(dlg)->value();
        label = Label(dlg);
        medical = dlg.findChild<QCheckBox*>("medicalCheck")->isChecked();
        science = dlg.findChild<QCheckBox*>("scienceCheck")->isChecked();
        QTRY_VERIFY(dlg.focusWidget() != nullptr);
        focused = dlg.focusWidget()->objectName();
        dlg.reject();
    });
    dlg.exec();
    QCOMPARE(position, 8);
    QCOMPARE(label, LabelFor(16000));
    QVERIFY(!medical);
    QVERIFY(science);
    QCOMPARE(focused, QStringLiteral("okButton"));

    QSlider* slider = Slider(dlg);
    QCOMPARE(slider->minimum(), 1);
    QCOMPARE(slider->maximum(), 11);
    QCOMPARE(slider->tickPosition(), QSlider::TicksBothSides);
    QCOMPARE(slider->tickInterval(), 1);
    QCOMPARE(slider->pageStep(), 2);
    QCOMPARE(slider->singleStep(), 1);
}

enum class Move { Home, End, PageUp, PageDown, Up, Down, Right, ChannelClick, Drag };
Q_DECLARE_METATYPE(Move)

void VocabularyDlgTest::sliderMovesSetStepLabelAndThreshold_data() {
    QTest::addColumn<Move>("move");
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("threshold");
    QTest::newRow("Home") << Move::Home << 1 << 111.360763;
    QTest::newRow("End") << Move::End << 11 << 0.128595482;
    // Like a trackbar: Page Up and Up step to the left, Page Down and Down to the right.
    QTest::newRow("Page Up from 3") << Move::PageUp << 1 << 111.360763;
    QTest::newRow("Page Down from 3") << Move::PageDown << 5 << 6.142363749;
    QTest::newRow("Up from 3") << Move::Up << 2 << 39.04262172;
    QTest::newRow("Down from 3") << Move::Down << 4 << 10.47903619;
    QTest::newRow("arrow key from 3") << Move::Right << 4 << 10.47903619;
    QTest::newRow("channel click right of 3") << Move::ChannelClick << 5 << 6.142363749;
    QTest::newRow("drag to the last tick") << Move::Drag << 11 << 0.128595482;
}

void VocabularyDlgTest::sliderMovesSetStepLabelAndThreshold() {
    QFETCH(Move, move);
    QFETCH(int, step);
    QFETCH(double, threshold);

    CVocabularyDlg dlg;
    QString labelAfterMove;
    int levelAfterMove = 0;
    WhenModal("vocabularyDialog", [&](QWidget*) {
        QSlider* slider = Slider(dlg);
        slider->setFocus();
        const QRect handle = HandleRect(slider);
        switch (move) {
            case Move::Home:
                QTest::keyClick(slider, Qt::Key_Home);
                break;
            case Move::End:
                QTest::keyClick(slider, Qt::Key_End);
                break;
            case Move::PageUp:
                QTest::keyClick(slider, Qt::Key_PageUp);
                break;
            case Move::PageDown:
                QTest::keyClick(slider, Qt::Key_PageDown);
                break;
            case Move::Up:
                QTest::keyClick(slider, Qt::Key_Up);
                break;
            case Move::Down:
                QTest::keyClick(slider, Qt::Key_Down);
                break;
            case Move::Right:
                QTest::keyClick(slider, Qt::Key_Right);
                break;
            case Move::ChannelClick:
                QTest::mouseClick(slider, Qt::LeftButton, {},
                                  QPoint(slider->width() - 3, handle.center().y()));
                break;
            case Move::Drag:
                QTest::mousePress(slider, Qt::LeftButton, {}, handle.center());
                QTest::mouseMove(slider, QPoint(slider->width() / 2, handle.center().y()));
                QTest::mouseMove(slider, QPoint(slider->width() + 40, handle.center().y()));
                QTest::mouseRelease(slider, Qt::LeftButton, {},
                                    QPoint(slider->width() + 40, handle.center().y()));
                break;
        }
        labelAfterMove = Label(dlg);
        levelAfterMove = dlg.m_nVocabLevel;
        QTest::mouseClick(dlg.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(levelAfterMove, step);
    QCOMPARE(labelAfterMove, LabelFor(step * 2000));
    QCOMPARE(dlg.m_nVocabLevel, step);
    QCOMPARE(dlg.m_dThreshold, threshold);
    QCOMPARE(Slider(dlg)->value(), step);
}

void VocabularyDlgTest::toggledBoxKeepsCallersStepAndThreshold() {
    CVocabularyDlg dlg;
    dlg.m_nVocabLevel = 7;
    dlg.m_dThreshold = 99.5;  // not the table's value for step 7: it must survive
    WhenModal("vocabularyDialog", [&](QWidget*) {
        ClickBox(dlg, "medicalCheck");
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_nVocabLevel, 7);
    QCOMPARE(dlg.m_dThreshold, 99.5);
    QVERIFY(dlg.m_bShowMedical);
    QVERIFY(!dlg.m_bShowScience);
}

void VocabularyDlgTest::cancelHandsBackCallersValues() {
    CVocabularyDlg dlg;
    dlg.m_nVocabLevel = 4;
    dlg.m_dThreshold = 12.25;
    bool scienceTicked = false;
    WhenModal("vocabularyDialog", [&](QWidget*) {
        QSlider* slider = Slider(dlg);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        ClickBox(dlg, "scienceCheck");
        scienceTicked = dlg.findChild<QCheckBox*>("scienceCheck")->isChecked();
        QTest::mouseClick(dlg.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(scienceTicked);
    QCOMPARE(dlg.m_nVocabLevel, 4);
    QCOMPARE(dlg.m_dThreshold, 12.25);
    QVERIFY(!dlg.m_bShowMedical);
    QVERIFY(!dlg.m_bShowScience);
}

void VocabularyDlgTest::previewFollowsEveryStepAndCancelRestoresIt() {
    CVocabularyDlg dlg;
    dlg.m_nVocabLevel = 4;
    dlg.m_dThreshold = 12.25;
    std::vector<std::pair<int, double>> asked;
    dlg.previewStep = [&](int level, double threshold) {
        asked.emplace_back(level, threshold);
        return QStringLiteral("step %1").arg(level);
    };
    QString shown;
    WhenModal("vocabularyDialog", [&](QWidget*) {
        QSlider* slider = Slider(dlg);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        shown = dlg.findChild<QLabel*>("previewLabel")->text();
        QTest::mouseClick(dlg.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QCOMPARE(shown, QStringLiteral("step 5"));
    // Opening shows the caller's step; the move previews the new one with its own
    // threshold; Cancel asks for the page as it was.
    const std::vector<std::pair<int, double>> expected = {
        {4, 12.25}, {5, ThresholdForLevel(5)}, {4, 12.25}};
    QCOMPARE(asked, expected);
}

QTEST_MAIN(VocabularyDlgTest)
#include "VocabularyDlgTest.moc"
