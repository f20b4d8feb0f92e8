// The find bar in the window: opened by its key and its menu item, finding as the
// reader types, moving with F3 and Enter, painting its matches, closing in place.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <string>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "CodePage.h"
#include "FakePlatformServices.h"
#include "FindBar.h"
#include "MarkedScrollBar.h"
#include "PagePainter.h"

namespace {

class FindBarTest : public testing::Test {
protected:
    FindBarTest() : m_doc(m_platform) {
        m_doc.SetProgramDir(VELLUMWISE_BIN_DIR);
        m_doc.OnNewDocument();
        m_pFrame = std::make_unique<CMainFrame>(m_doc, m_platform);
        m_pFrame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
        m_doc.UpdateAllViews(UpdateHint::Font);
        // Two hundred lines, every tenth with the word looked for: many pages.
        std::string text;
        for (int line = 0; line < 200; ++line) {
            text += line % 10 == 5 ? "The lantern hung by the open Window of the house.\n"
                                   : "Rain fell on the roofs and the road all night long.\n";
        }
        m_platform.m_clipboard = text;
        m_doc.OnEditPaste();
    }

    FindBar& Bar() { return *m_pFrame->FindInText(); }
    QWidget* Page() { return m_pFrame->View()->viewport(); }
    QString Count() { return Bar().CountLabel()->text(); }
    // How many pixels of the page show this colour.
    int PixelsOf(const QColor& color) {
        const QImage image = Page()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y).rgb() == color.rgb() ? 1 : 0;
            }
        }
        return count;
    }
    QColor CurrentHitColor() { return m_pFrame->View()->Scene().currentHitColor; }

    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

TEST_F(FindBarTest, OpensFindsAsTypedMovesAndClosesInPlace) {
    EXPECT_FALSE(Bar().isVisible());
    QTest::keyClick(Page(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(Bar().isVisible());
    EXPECT_TRUE(Bar().QueryField()->hasFocus());

    QTest::keyClicks(Bar().QueryField(), "win");
    EXPECT_EQ(Count(), QStringLiteral("1/20"));
    QTest::keyClicks(Bar().QueryField(), "dow");
    EXPECT_EQ(Count(), QStringLiteral("1/20"));
    EXPECT_GT(PixelsOf(CurrentHitColor()), 20);
    EXPECT_EQ(m_pFrame->View()->MarkedBar()->Marks().size(), 20U);

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* count;
    };
    const Step steps[] = {
        {Qt::Key_F3, Qt::NoModifier, "2/20"},        {Qt::Key_Return, Qt::NoModifier, "3/20"},
        {Qt::Key_Return, Qt::ShiftModifier, "2/20"}, {Qt::Key_F3, Qt::ShiftModifier, "1/20"},
        {Qt::Key_F3, Qt::ShiftModifier, "20/20"},    {Qt::Key_F3, Qt::NoModifier, "1/20"},
    };
    for (const Step& step : steps) {
        QTest::keyClick(Bar().QueryField(), step.key, step.modifiers);
        EXPECT_EQ(Count(), QString::fromLatin1(step.count)) << step.count;
    }
    // The last match is far down: the window went to it.
    for (int i = 0; i < 19; ++i) {
        QTest::keyClick(Page(), Qt::Key_F3);
    }
    EXPECT_EQ(Count(), QStringLiteral("20/20"));
    const std::int64_t there = m_doc.m_nScrollPos;
    EXPECT_GT(there, 0);
    EXPECT_GT(PixelsOf(CurrentHitColor()), 20);

    QTest::keyClick(Bar().QueryField(), Qt::Key_Escape);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_EQ(m_doc.m_nScrollPos, there);
    EXPECT_EQ(PixelsOf(CurrentHitColor()), 0);
    EXPECT_TRUE(m_pFrame->View()->MarkedBar()->Marks().empty());
    EXPECT_TRUE(m_pFrame->View()->hasFocus());
}

TEST_F(FindBarTest, WholeWordsAndTheEditMenu) {
    QMenu* edit = m_pFrame->menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"));
    ASSERT_NE(edit, nullptr);
    QAction* find = m_pFrame->Command(CommandId::Find);
    EXPECT_TRUE(edit->actions().contains(find));
    EXPECT_EQ(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    find->trigger();
    ASSERT_TRUE(Bar().isVisible());
    Bar().QueryField()->setText(QStringLiteral("the"));
    // "the" in every line, three times in the lantern's and twice in the rain's; "The"
    // starts the lantern's lines.
    EXPECT_EQ(Count(), QStringLiteral("1/420"));
    Bar().findChild<QCheckBox*>(QStringLiteral("FindWholeWord"))->setChecked(true);
    EXPECT_EQ(Count(), QStringLiteral("1/420"));
    Bar().QueryField()->setText(QStringLiteral("roof"));
    EXPECT_EQ(Count(), QStringLiteral("无结果"));
    Bar().findChild<QCheckBox*>(QStringLiteral("FindWholeWord"))->setChecked(false);
    EXPECT_EQ(Count(), QStringLiteral("1/180"));
}

TEST_F(FindBarTest, FindsTheWordsAGlossNamesAndTakesAnyQueryLiterally) {
    // A gloss the page shows, and its first character.
    std::string gloss;
    for (const CParagraph& paragraph : m_doc.m_paragraphs.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount() && gloss.empty(); ++j) {
            gloss = std::string(paragraph.Gloss(j));
        }
    }
    ASSERT_FALSE(gloss.empty());
    const QString first = QString::fromStdString(codepage::GbkToUtf8Lossy(gloss)).left(1);

    m_pFrame->Command(CommandId::Find)->trigger();
    Bar().findChild<QCheckBox*>(QStringLiteral("FindGlosses"))->setChecked(true);
    Bar().QueryField()->setText(first);
    const CVellumwiseView::FindStatus status = m_pFrame->View()->FindState();
    EXPECT_GT(status.total, 0U);
    for (const SearchHit& hit : m_pFrame->View()->FindHits()) {
        const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[hit.first.paragraph];
        EXPECT_TRUE(
            QString::fromStdString(codepage::GbkToUtf8Lossy(paragraph.Gloss(hit.first.token)))
                .contains(first));
    }

    Bar().findChild<QCheckBox*>(QStringLiteral("FindGlosses"))->setChecked(false);
    for (const QString& query :
         {QStringLiteral(".*"), QStringLiteral("(a|b)+"), QStringLiteral("[\\w]"),
          QString(10000, QLatin1Char('r')), QStringLiteral("灭绝"), QStringLiteral("😀")}) {
        Bar().QueryField()->setText(query);
        EXPECT_EQ(Count(), QStringLiteral("无结果")) << query.left(10).toStdString();
    }
    Bar().QueryField()->clear();
    EXPECT_EQ(Count(), QString());
    EXPECT_TRUE(m_pFrame->View()->FindHits().empty());
}

TEST_F(FindBarTest, ANewTextIsSearchedAgainForTheSameQuery) {
    m_pFrame->Command(CommandId::Find)->trigger();
    Bar().QueryField()->setText(QStringLiteral("lantern"));
    EXPECT_EQ(Count(), QStringLiteral("1/20"));
    m_platform.m_clipboard = "A lantern, and another lantern.\n";
    m_doc.OnEditPaste();
    EXPECT_EQ(Count(), QStringLiteral("1/2"));
    QTest::keyClick(Page(), Qt::Key_F3);
    EXPECT_EQ(Count(), QStringLiteral("2/2"));
}

}  // namespace
