// The reader's moves through the view: keys, toolbar commands, scroll bar, wheel,
// go-to-page, colours, font, the word popup, automatic scrolling and printing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "CGlossPopupDlg.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "CodePage.h"
#include "FakePlatformServices.h"
#include "ModalDialogWatcher.h"
#include "PagePainter.h"
#include "RunProgram.h"
#include "StripGeometry.h"
#include "TempDir.h"
#include "ViewOverDocument.h"

namespace {

class ReadingTest : public ViewOverDocument {
protected:
    ReadingTest() : ViewOverDocument(601) {
        // Every dialog answers "cancel" unless a test says otherwise.
        m_view.m_dialogs.gotoPage = [this](QWidget*, int current, int count) {
            ++m_nDialogs;
            m_askedAt = {current, count};
            return m_page ? std::optional<GotoEntry>(GotoEntry{*m_page, m_percent}) : std::nullopt;
        };
        m_view.m_dialogs.color = [this](QWidget*, const QColor& current) {
            ++m_nDialogs;
            m_initialColor = current;
            return m_color;
        };
        m_view.m_dialogs.font = [this](QWidget*, const QFont& current) {
            ++m_nDialogs;
            m_initialFont = current;
            return m_font;
        };
    }

    // Redraws so far: each one reports the page text.
    int Redraws() const { return static_cast<int>(m_redraws.count()); }

    void Wheel(QWidget* target, QPoint angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(500, 300), QPointF(500, 300), QPoint(), angle, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    QSignalSpy m_redraws{&m_view, &CVellumwiseView::pageTextChanged};
    int m_nDialogs = 0;
    std::optional<int> m_page;
    std::optional<double> m_percent;
    std::pair<int, int> m_askedAt;  // the current page and the page count the dialog was given
    std::optional<QColor> m_color;
    std::optional<QFont> m_font;
    QColor m_initialColor;
    QFont m_initialFont;
};

TEST_F(ReadingTest, KeysAndToolbarCommandsStepAndRepaintAtOnce) {
    Paste(Lines(62));  // 2500 high; the window is 601, half of it 300
    ASSERT_EQ(m_doc.m_nTextHeight, 2500);
    struct Case {
        const char* what;
        int from;
        std::function<void()> act;
        int expected;
    };
    CVellumwiseView& v = m_view;
    auto key = [&v](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [&v, k, m] { QTest::keyClick(&v, k, m); };
    };
    const Case cases[] = {
        {"Down", 0, key(Qt::Key_Down), 10},
        {"Down at the end", 2500, key(Qt::Key_Down), 2500},
        {"Up at the top", 0, key(Qt::Key_Up), 0},
        {"Ctrl+Up still a line", 100, key(Qt::Key_Up, Qt::ControlModifier), 90},
        {"Page Down", 0, key(Qt::Key_PageDown), 300},
        {"Page Down near the end", 2400, key(Qt::Key_PageDown), 2500},
        {"Page Up", 1000, key(Qt::Key_PageUp), 700},
        {"Home", 1234, key(Qt::Key_Home), 0},
        {"End", 0, key(Qt::Key_End), 2500},
        {"line down from -20", -20, [&v] { v.OnLineDown(); }, -10},
        {"line up from -20", -20, [&v] { v.OnLineUp(); }, 0},
        {"half page down", 10, [&v] { v.OnHalfPageDown(); }, 310},
        {"half page up", 10, [&v] { v.OnHalfPageUp(); }, 0},
        {"text end", 5, [&v] { v.OnTextEnd(); }, 2500},
        {"text home", 2600, [&v] { v.OnTextHome(); }, 0},
        {"line down beyond a shrunken text", 2600, [&v] { v.OnLineDown(); }, 2500},
    };
    for (const Case& c : cases) {
        m_doc.ScrollTo(c.from);
        const int before = Redraws();
        c.act();
        EXPECT_EQ(m_doc.m_nScrollPos, c.expected) << c.what;
        EXPECT_EQ(Redraws(), before + 1) << c.what;
    }
}

TEST_F(ReadingTest, ScrollBarActionsFollowTheSameSteps) {
    Paste(Lines(62));
    QScrollBar* bar = m_view.verticalScrollBar();
    struct Case {
        int from;
        QAbstractSlider::SliderAction action;
        int expected;
    };
    const Case cases[] = {
        {0, QAbstractSlider::SliderSingleStepAdd, 10},
        {0, QAbstractSlider::SliderSingleStepSub, 0},
        {2495, QAbstractSlider::SliderSingleStepAdd, 2500},
        {-20, QAbstractSlider::SliderSingleStepAdd, -10},  // the bar shows 0 meanwhile
        {1000, QAbstractSlider::SliderPageStepAdd, 1300},
        {1000, QAbstractSlider::SliderPageStepSub, 700},
        {1000, QAbstractSlider::SliderToMinimum, 0},
        {1000, QAbstractSlider::SliderToMaximum, 2500},
        {1000, QAbstractSlider::SliderNoAction, 1000},  // repaints, moves nothing
    };
    for (const Case& c : cases) {
        m_doc.ScrollTo(c.from);
        m_view.RedrawView();
        const int before = Redraws();
        bar->triggerAction(c.action);
        EXPECT_EQ(m_doc.m_nScrollPos, c.expected) << c.action << " from " << c.from;
        EXPECT_EQ(bar->value(), std::clamp(c.expected, 0, 2500)) << c.action;
        EXPECT_EQ(Redraws(), before + 1) << c.action;
    }
    // Letting go of the thumb moves nothing but repaints.
    const int before = Redraws();
    emit bar->sliderReleased();
    EXPECT_EQ(m_doc.m_nScrollPos, 1000);
    EXPECT_EQ(Redraws(), before + 1);
}

TEST_F(ReadingTest, ThumbDragsPixelForPixelInTextsTallerThanSixteenBits) {
    Paste(Lines(2500));  // 100020 high
    ASSERT_GT(m_doc.m_nTextHeight, 65535);
    QScrollBar* bar = m_view.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(90001);
    EXPECT_EQ(m_doc.m_nScrollPos, 90001);
    bar->setSliderPosition(70000);
    EXPECT_EQ(m_doc.m_nScrollPos, 70000);
    bar->setSliderDown(false);
    EXPECT_EQ(m_doc.m_nScrollPos, 70000);
}

TEST_F(ReadingTest, WheelOverThePageAndTheBar) {
    Paste(Lines(62));
    struct Case {
        QPoint angle;
        Qt::KeyboardModifiers modifiers;
        int expected;  // from 1000
    };
    const Case cases[] = {
        {{0, 120}, Qt::NoModifier, 985},
        {{0, 120}, Qt::ShiftModifier, 850},
        {{0, 120}, Qt::ShiftModifier | Qt::ControlModifier, 985},
        {{0, -240}, Qt::NoModifier, 1007},
        {{120, 0}, Qt::ShiftModifier, 850},  // a Shift-wheel turned horizontal
        {{120, 0}, Qt::NoModifier, 1000},    // a tilt wheel is no vertical move
        {{0, 0}, Qt::NoModifier, 1000},
    };
    for (QWidget* target : {m_view.viewport(), static_cast<QWidget*>(m_view.verticalScrollBar())}) {
        for (const Case& c : cases) {
            m_doc.ScrollTo(1000);
            const int before = Redraws();
            Wheel(target, c.angle, c.modifiers);
            EXPECT_EQ(m_doc.m_nScrollPos, c.expected) << c.angle.x() << "," << c.angle.y();
            // Nothing happens for no movement; everything else repaints.
            EXPECT_EQ(Redraws(), before + (c.expected != 1000 ? 1 : 0))
                << c.angle.x() << "," << c.angle.y();
        }
    }
    m_doc.ScrollTo(10);
    Wheel(m_view.viewport(), {0, 360}, Qt::ShiftModifier);
    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    Wheel(m_view.viewport(), {0, -360}, Qt::ShiftModifier);
    Wheel(m_view.viewport(), {0, -360}, Qt::ShiftModifier);
    Wheel(m_view.viewport(), {0, -120}, Qt::NoModifier);
    EXPECT_EQ(m_doc.m_nScrollPos, 115);  // 18000 / 360 twice, then a notch
}

TEST_F(ReadingTest, GotoPageJumpsOnlyWhenConfirmedAndTheKeyRepaintsAnyway) {
    Paste(Lines(62));
    m_doc.ScrollTo(555);
    m_page = std::nullopt;
    int before = Redraws();
    m_view.OnGotoPage();
    EXPECT_EQ(m_nDialogs, 1);
    EXPECT_EQ(m_doc.m_nScrollPos, 555);
    EXPECT_EQ(Redraws(), before);
    QTest::keyClick(&m_view, Qt::Key_K);
    EXPECT_EQ(m_nDialogs, 2);
    EXPECT_EQ(m_doc.m_nScrollPos, 555);
    EXPECT_EQ(Redraws(), before + 1);

    m_page = 3;
    m_view.OnGotoPage();
    EXPECT_EQ(m_doc.m_nScrollPos, 1980);
    m_page = 0;
    before = Redraws();
    QTest::keyClick(&m_view, Qt::Key_K);
    EXPECT_EQ(m_doc.m_nScrollPos, -20);
    EXPECT_EQ(Redraws(), before + 2);
    EXPECT_EQ(m_redraws.last().at(0).toString(), QStringLiteral("第1页/共3页"));
}

TEST_F(ReadingTest, GotoPageOffersTheCurrentPageAndTakesAPercentage) {
    Paste(Lines(62));
    const std::int64_t height = m_doc.m_nTextHeight;
    ASSERT_GT(height, 2000);
    struct Case {
        std::int64_t from;
        std::optional<double> percent;
        std::pair<int, int> asked;
        std::int64_t to;
    };
    const Case cases[] = {
        {1500, 50.0, {2, 3}, height / 2},
        {-20, 0.0, {1, 3}, 0},  // above the first page: page 1 offered
        {height, 100.0, {3, 3}, height},
    };
    m_page = 0;
    for (const Case& c : cases) {
        m_doc.ScrollTo(c.from);
        m_percent = c.percent;
        m_view.OnGotoPage();
        EXPECT_EQ(m_askedAt, c.asked) << c.from;
        EXPECT_NEAR(m_doc.m_nScrollPos, c.to, 1) << c.from;
    }
    m_percent.reset();
}

TEST_F(ReadingTest, GotoPageRunsTheRealDialog) {
    Paste(Lines(62));
    m_view.m_dialogs = ReadingDialogs::Standard();
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    WhenModal(QStringLiteral("gotoPageDialog"), [](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("pageEdit"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral(" 1 "));
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    QTest::keyClick(&m_view, Qt::Key_K);
    EXPECT_EQ(m_doc.m_nScrollPos, 980);
    // The reader types straight over the page shown and presses Enter.
    WhenModal(QStringLiteral("gotoPageDialog"), [](QWidget* dialog) {
        QTRY_VERIFY(dialog->focusWidget() != nullptr);
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("50%"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(&m_view, Qt::Key_K);
    EXPECT_NEAR(m_doc.m_nScrollPos, m_doc.m_nTextHeight / 2, 1);
}

TEST_F(ReadingTest, ColourChoicesStartFromTheCurrentColourAndAlwaysRepaint) {
    struct Case {
        void (CVellumwiseView::*command)();
        ColorRef ReadingColors::*field;
    };
    const Case cases[] = {
        {&CVellumwiseView::OnTextColor, &ReadingColors::text},
        {&CVellumwiseView::OnGlossColor, &ReadingColors::gloss},
        {&CVellumwiseView::OnPageColor, &ReadingColors::page},
    };
    for (const Case& c : cases) {
        ReadingColors colors = m_doc.Colors();
        colors.*c.field = Rgb(1, 2, 3);
        m_doc.SetColors(colors);
        m_color = std::nullopt;
        int before = Redraws();
        (m_view.*c.command)();
        EXPECT_EQ(m_initialColor, QColor(1, 2, 3));
        EXPECT_EQ(m_doc.Colors().*c.field, Rgb(1, 2, 3));
        EXPECT_EQ(Redraws(), before + 1);

        m_color = QColor(200, 100, 50);
        (m_view.*c.command)();
        EXPECT_EQ(m_doc.Colors().*c.field, Rgb(200, 100, 50));
    }
}

TEST_F(ReadingTest, ColourAndFontChoicesReachEveryViewOfTheDocument) {
    Paste(Lines(3));
    CVellumwiseView other(m_doc);
    other.resize(800, 500);
    QSignalSpy otherRedraws(&other, &CVellumwiseView::pageTextChanged);

    m_color = QColor(200, 100, 50);
    m_view.OnPageColor();
    EXPECT_EQ(otherRedraws.count(), 1);
    EXPECT_EQ(other.Scene().pageColor, QColor(200, 100, 50));

    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPixelSize(30);
    m_font = chosen;
    m_view.OnTextFont();
    EXPECT_EQ(otherRedraws.count(), 2);
    EXPECT_EQ(QFontInfo(other.Scene().textFont).pixelSize(), 30);
    // A character height of 30: each half line is the font's real, taller cell.
    EXPECT_EQ(other.Scene().lineUnit, QFontMetrics(other.Scene().textFont).height());
}

TEST_F(ReadingTest, AFontTooLargeOrSmallToLayOutIsRefusedAndTheOldOneKept) {
    Paste(Lines(3));
    const ReadingFont before = m_doc.m_fontText;
    for (const int pixels : {kMaxFontPixels + 1, 200, 400, 2}) {
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setPixelSize(pixels);
        m_font = chosen;
        m_platform.m_messages.clear();
        m_view.OnTextFont();
        EXPECT_EQ(m_doc.m_fontText, before) << pixels;
        ASSERT_EQ(m_platform.m_messages.size(), 1u) << pixels;
        EXPECT_NE(m_platform.m_messages[0].find(std::to_string(kMaxFontPixels)), std::string::npos);
    }
    // The largest the dialog takes lays out: the text has height, every line its own.
    QFont largest(QStringLiteral("DejaVu Sans"));
    largest.setPixelSize(kMaxFontPixels);
    m_font = largest;
    m_view.OnTextFont();
    EXPECT_EQ(m_doc.m_fontText.lfHeight, -kMaxFontPixels);
    EXPECT_GE(m_doc.m_nTextHeight, 3 * kMaxFontPixels);
}

TEST_F(ReadingTest, FontChoiceKeepsEffectsAndAlwaysLaysOutAgain) {
    Paste(Lines(3));
    // The dialog opens on the face really drawn, not on a name fontconfig replaces.
    ASSERT_EQ(m_doc.m_fontText.lfFaceName, "MS Serif");
    m_view.OnTextFont();
    EXPECT_TRUE(QFontDatabase::families().contains(m_initialFont.family()))
        << m_initialFont.family().toStdString();
    EXPECT_TRUE(QFontDatabase::styles(m_initialFont.family()).contains(m_initialFont.styleName()))
        << m_initialFont.styleName().toStdString();

    ReadingFont font = m_doc.m_fontText;
    font.lfUnderline = true;
    font.lfHeight = -24;
    m_doc.SetReadingFont(font);
    // Cancelled: the layout is made again all the same.
    // Scribbled over, to see whether the next change lays the text out again.
    const_cast<CParagraphList&>(m_doc.m_paragraphs).m_arrParagraphs[0].m_nTop = 777;
    m_font = std::nullopt;
    const int before = Redraws();
    m_view.OnTextFont();
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs[0].m_nTop, 20);
    EXPECT_EQ(Redraws(), before + 1);
    EXPECT_TRUE(m_initialFont.underline());
    EXPECT_EQ(QFontInfo(m_initialFont).pixelSize(), 24);

    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPixelSize(30);
    chosen.setStrikeOut(true);
    chosen.setBold(true);
    m_font = chosen;
    m_view.OnTextFont();
    EXPECT_EQ(m_doc.m_fontText.lfHeight, -30);
    EXPECT_EQ(m_doc.m_fontText.lfFaceName, "DejaVu Sans");
    EXPECT_TRUE(m_doc.m_fontText.lfStrikeOut);
    EXPECT_FALSE(m_doc.m_fontText.lfUnderline);
    EXPECT_EQ(m_doc.m_fontText.lfWeight, 700);
    EXPECT_EQ(m_doc.m_nTextHeight, 20 + 3 * 2 * QFontMetrics(m_view.Scene().textFont).height());
    EXPECT_TRUE(m_view.Scene().textFont.strikeOut());
    EXPECT_TRUE(m_view.Scene().glossFont.strikeOut());
}

// The one-line popup, the choice 完整词条卡片 turns off (the card has tests of its own).
class PopupTest : public ReadingTest {
protected:
    PopupTest() { m_doc.SetWordCard(false); }
    QPoint At(std::size_t p, std::size_t j, int dx = 0, int dy = 0) const {
        return WordPoint(p, j, dx, dy);
    }
    int Width(std::size_t p, std::size_t j) const {
        return m_doc.m_paragraphs.m_arrParagraphs[p].Width(j);
    }
};

TEST_F(PopupTest, HitTestingGivesTheTokenAndItsGloss) {
    // Tokens: the, zebra, "", walked, ",", "", slowly, "."
    Paste("the zebra  walked, slowly.\r\n");
    ASSERT_EQ(m_doc.m_paragraphs.m_arrParagraphs[0].TokenCount(), 8u);
    const QString zebra = QStringLiteral("zebra:斑马");
    // "the" is too common to be glossed at the default step; the popup still tells.
    ASSERT_TRUE(m_doc.m_paragraphs.m_arrParagraphs[0].Gloss(0).empty());
    const std::string theGloss =
        m_doc.m_dicMain.Translate("the", std::numeric_limits<double>::infinity(), false, false);
    ASSERT_FALSE(theGloss.empty());
    const QString the =
        QStringLiteral("the:") + QString::fromStdString(codepage::GbkToUtf8Lossy(theGloss));
    struct Case {
        const char* what;
        QPoint point;
        QString expected;
    };
    const Case cases[] = {
        {"a glossed word", At(0, 1, 3, 5), zebra},
        {"its top-left corner", At(0, 1), zebra},
        {"its gloss, under it", At(0, 1, 3, 30), zebra},
        {"the space after it", At(0, 1, Width(0, 1) - 1, 5), zebra},
        {"just past its box", At(0, 1, Width(0, 1), 5), QStringLiteral(":")},
        {"a word the step hides", At(0, 0, 1, 1), the},
        {"an empty token", At(0, 2, 1, 1), QStringLiteral(":")},
        {"punctuation", At(0, 4, 1, 1), QStringLiteral(",:")},
        {"right of the last token", At(0, 7, Width(0, 7) + 2, 5), QString()},
        {"left of the column", At(0, 0, -1, 5), QString()},
        {"below the line", At(0, 0, 1, 40), QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_view.HitTestWord(c.point), c.expected) << c.what;
    }
}

TEST_F(PopupTest, AWordTheDictionaryLacksSaysSo) {
    // Capitals are looked up as small letters, as glossing does; a one-letter word
    // and a number make no claim.
    Paste("Qzxvw I 1812 ZEBRA\r\n");
    EXPECT_EQ(m_view.HitTestWord(At(0, 0, 1, 1)), QStringLiteral("Qzxvw:（词典中没有这个词）"));
    EXPECT_EQ(m_view.HitTestWord(At(0, 1, 1, 1)), QStringLiteral("I:"));
    EXPECT_EQ(m_view.HitTestWord(At(0, 2, 1, 1)), QStringLiteral("1812:"));
    EXPECT_EQ(m_view.HitTestWord(At(0, 3, 1, 1)), QStringLiteral("ZEBRA:斑马"));
}

TEST_F(PopupTest, ANameShowsThatItIsANameInsteadOfAGloss) {
    // Tokens: Then, Zebra, came, ",", "", Zebra, said, "."
    Paste("Then Zebra came, Zebra said.\r\n");
    EXPECT_EQ(m_view.HitTestWord(At(0, 1, 1, 1)), QStringLiteral("Zebra（人名）"));
    // A word at the sentence start is no name: it shows its gloss as any word does.
    EXPECT_TRUE(m_view.HitTestWord(At(0, 0, 1, 1)).startsWith(QStringLiteral("Then:")));
    m_doc.SetSkipNames(false);
    EXPECT_EQ(m_view.HitTestWord(At(0, 5, 1, 1)), QStringLiteral("Zebra:斑马"));
}

TEST_F(PopupTest, WordsCutByTheWindowEdgeAreNotHit) {
    Paste(Lines(30));
    m_doc.ScrollTo(25);  // line 0 (20 … 60) is cut by the top edge
    EXPECT_EQ(m_view.HitTestWord(At(0, 0, 1, 30)), QString());
    EXPECT_EQ(m_view.HitTestWord(At(1, 1, 1, 1)), QStringLiteral("1:"));
    // The window is 601 high: the line from 580 to 620 is cut by the bottom edge.
    m_doc.ScrollTo(20 + 14 * 40 - 580);
    EXPECT_EQ(m_view.HitTestWord(At(14, 1, 1, 1)), QString());
    EXPECT_EQ(m_view.HitTestWord(At(13, 1, 1, 1)), QStringLiteral("13:"));
}

TEST_F(PopupTest, PopupWhileTheButtonIsHeldAndDoubleClickTogglesAutoScroll) {
    Paste("the zebra walked\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QWidget* viewport = m_view.viewport();
    const QPoint zebra = At(0, 1, 3, 5);

    QTest::mousePress(viewport, Qt::LeftButton, {}, zebra);
    ASSERT_NE(m_view.m_pPopup, nullptr);
    EXPECT_TRUE(m_view.m_pPopup->isVisible());
    EXPECT_EQ(m_view.m_pPopup->m_strText, QStringLiteral("zebra:斑马"));
    // Just below the double line being read, from the pointer's x.
    EXPECT_EQ(m_view.m_pPopup->geometry(), QRect(QPoint(viewport->mapToGlobal(zebra).x() + 1,
                                                        viewport->mapToGlobal(At(0, 1)).y() + 40),
                                                 QSize(350, 25)));
    // A second press without a release (the release went to the popup) leaves one.
    QTest::mousePress(viewport, Qt::LeftButton, {}, At(0, 0, 1, 1));
    EXPECT_EQ(m_view.window()->findChildren<CGlossPopupDlg*>().size(), 1);
    EXPECT_TRUE(m_view.m_pPopup->m_strText.startsWith(QStringLiteral("the:")));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, At(0, 0, 1, 1));
    EXPECT_EQ(m_view.m_pPopup, nullptr);
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(5, 300));
    EXPECT_EQ(m_view.m_pPopup, nullptr);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(5, 300));

    // A double click as Qt delivers it: press, release, double click, release.
    QSignalSpy toggled(&m_view, &CVellumwiseView::autoScrollChanged);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, zebra, viewport->mapToGlobal(zebra), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        if (type == QEvent::MouseButtonDblClick) {
            EXPECT_EQ(m_view.m_pPopup, nullptr) << "the second press opened a popup";
        }
    }
    EXPECT_TRUE(m_doc.m_bAutoScroll);
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_TRUE(toggled.last().at(0).toBool());
    m_view.OnAutoScroll();
    EXPECT_FALSE(m_doc.m_bAutoScroll);
}

TEST_F(ReadingTest, AutoScrollStepsOnePixelUntilTheEnd) {
    Paste(Lines(3));  // 140 high
    m_doc.ScrollTo(138);
    m_view.OnAutoScroll();
    ASSERT_TRUE(m_doc.m_bAutoScroll);
    QTRY_COMPARE_WITH_TIMEOUT(m_doc.m_nScrollPos, 140, 2000);
    // At the end: the flag stays, nothing moves and nothing repaints.
    const int before = Redraws();
    m_view.OnTimer();
    QTest::qWait(3 * CVellumwiseView::kAutoScrollMilliseconds);
    EXPECT_EQ(m_doc.m_nScrollPos, 140);
    EXPECT_EQ(Redraws(), before);
    EXPECT_TRUE(m_doc.m_bAutoScroll);
    // Scrolling back does not stop it.
    m_view.OnTextHome();
    QTRY_VERIFY_WITH_TIMEOUT(m_doc.m_nScrollPos > 0, 2000);
    m_view.OnAutoScroll();
    const int stopped = m_doc.m_nScrollPos;
    QTest::qWait(3 * CVellumwiseView::kAutoScrollMilliseconds);
    EXPECT_EQ(m_doc.m_nScrollPos, stopped);
    // A tick with the flag off moves nothing.
    m_view.OnTimer();
    EXPECT_EQ(m_doc.m_nScrollPos, stopped);
}

TEST_F(ReadingTest, PrintsOneSheetPerPageAsSelectableText) {
    if (RunProgram("command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null").status !=
        0) {
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) not installed";
    }
    Paste(Lines(62) + "the zebra walked\r\n");  // 2540 high: three pages
    TempDir dir;
    const std::string pdf = dir.Path("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    ASSERT_TRUE(m_view.PrintText(printer));

    const ProgramResult info = RunProgram("pdfinfo " + Quoted(pdf));
    EXPECT_NE(info.out.find("Pages:           3"), std::string::npos) << info.out;
    const ProgramResult text = RunProgram("pdftotext -layout " + Quoted(pdf) + " -");
    ASSERT_EQ(text.status, 0);
    // The page labels: Qt's PDF maps the glyph of 页 back to a radical of the same
    // shape, so only the numbers are looked for.
    for (const char* expected :
         {"line 0", "line 23", "line 24", "line 61", "zebra", "第1", "第3"}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << " in\n" << text.out;
    }
    // Page 1 ends at line 23 (20 + 24 x 40 = 980); line 24 straddles the break and
    // stands on both sheets, cut.
    const std::size_t secondSheet = text.out.find('\f');
    ASSERT_NE(secondSheet, std::string::npos);
    EXPECT_LT(text.out.find("line 23"), secondSheet);
    EXPECT_LT(text.out.find("line 24"), secondSheet);
    EXPECT_NE(text.out.find("line 24", secondSheet), std::string::npos);
    EXPECT_GT(text.out.find("line 25"), secondSheet);

    // A range chosen in the print dialog, reaching past the last page.
    printer.setFromTo(2, 9);
    ASSERT_TRUE(m_view.PrintText(printer));
    EXPECT_NE(RunProgram("pdfinfo " + Quoted(pdf)).out.find("Pages:           2"),
              std::string::npos);
    const ProgramResult range = RunProgram("pdftotext " + Quoted(pdf) + " -");
    EXPECT_EQ(range.out.find("line 23"), std::string::npos);
    EXPECT_NE(range.out.find("line 61"), std::string::npos);
}

// ---- Former bugs ----

// A 512-point font (683 pixels a line unit) over a 10 MB text is more than 2^31 pixels
// high: the status bar said 第1页/共-1214621页, End showed a blank page and printing
// gave blank sheets.
class TallTextTest : public ViewOverDocument {
protected:
    TallTextTest() : ViewOverDocument(1500) {}
};

TEST_F(TallTextTest, PagesPastTwoToTheThirtyFirstPixelsShowScrollAndPrint) {
    // Asked for by its cell height, so that the line unit is 683 whatever the face.
    ReadingFont font;
    font.lfHeight = 683;
    m_doc.SetReadingFont(font);
    ASSERT_EQ(m_view.Scene().lineUnit, 683);
    // 1,600 paragraphs of 1,000 words, each wider than the column: 1,001 lines each,
    // the first left empty; 2,187,785,620 pixels in all.
    std::string paragraph;
    for (int i = 0; i < 1000; ++i) {
        paragraph += "zebra ";
    }
    paragraph += "\r\n";
    std::string text;
    text.reserve(paragraph.size() * 1600);
    for (int i = 0; i < 1600; ++i) {
        text += paragraph;
    }
    Paste(text);
    const std::int64_t height = 20 + std::int64_t{1600} * 1001 * 2 * 683;
    ASSERT_EQ(m_doc.m_nTextHeight, height);

    QSignalSpy pageText(&m_view, &CVellumwiseView::pageTextChanged);
    m_view.OnTextEnd();
    EXPECT_EQ(m_doc.m_nScrollPos, height);
    ASSERT_FALSE(pageText.isEmpty());
    EXPECT_EQ(pageText.last().at(0).toString(), QStringLiteral("第2187786页/共2187786页"));

    // The bar counts two pixels a unit; its end is the text's end.
    QScrollBar* bar = m_view.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), height / 2);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setSliderPosition(bar->maximum() / 2);
    EXPECT_EQ(m_doc.m_nScrollPos, std::int64_t{bar->maximum() / 2} * 2);
    bar->setSliderPosition(bar->maximum());
    EXPECT_EQ(m_doc.m_nScrollPos, height);

    // The last line, scrolled to 100 pixels below the window's top, is drawn.
    m_doc.ScrollTo(height - 2 * 683 - 100);
    QImage image(m_view.WindowSize(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintPage(painter, image.size(), m_view.Scene(), m_view.Glosses());
    }
    int ink = 0;
    const QRgb textColor = m_view.Scene().textColor.rgb();
    for (int y = 100; y < 100 + 683; ++y) {
        for (int x = 140; x < 860; ++x) {
            ink += image.pixel(x, y) == textColor ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 100);

    if (RunProgram("command -v pdftotext >/dev/null").status != 0) {
        GTEST_SKIP() << "poppler-utils (pdftotext) not installed";
    }
    TempDir dir;
    const std::string pdf = dir.Path("last.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    // The last line's word stands on the sheet before the last, its gloss on the last.
    printer.setFromTo(2187785, 2187786);
    ASSERT_TRUE(m_view.PrintText(printer));
    const ProgramResult printed = RunProgram("pdftotext " + Quoted(pdf) + " -");
    EXPECT_NE(printed.out.find("zebra"), std::string::npos) << printed.out;
    EXPECT_NE(printed.out.find("2187786"), std::string::npos) << printed.out;
}

}  // namespace
