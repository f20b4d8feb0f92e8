// The reading commands as the window routes them: the auto-scroll button, the
// vocabulary dialog, the About box, the dictionary commands and help.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <set>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "ModalDialogWatcher.h"
#include "PagePainter.h"
#include "TempDir.h"
#include "VocabularyTable.h"

namespace {

std::size_t GlossedTokens(const CVellumwiseDoc& doc) {
    std::size_t count = 0;
    for (const CParagraph& paragraph : doc.m_paragraphs.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            count += paragraph.Gloss(j).empty() ? 0 : 1;
        }
    }
    return count;
}

class WindowTest : public testing::Test {
protected:
    WindowTest() : m_doc(m_platform) {
        m_doc.SetProgramDir(VELLUMWISE_BIN_DIR);
        m_doc.OnNewDocument();
        m_pFrame = std::make_unique<CMainFrame>(m_doc, m_platform);
        m_pFrame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
        m_doc.UpdateAllViews(UpdateHint::Font);
    }

    void Paste(const std::string& text) {
        m_platform.m_clipboard = text;
        m_doc.OnEditPaste();
    }

    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

TEST_F(WindowTest, AutoScrollButtonShowsPressedWhileOn) {
    QAction* button = m_pFrame->Command("ID_AUTO_SCROLL");
    QWidget* viewport = m_pFrame->View()->viewport();
    EXPECT_FALSE(button->isChecked());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(m_doc.m_bAutoScroll);
    EXPECT_TRUE(button->isChecked());
    button->trigger();
    EXPECT_FALSE(m_doc.m_bAutoScroll);
    EXPECT_FALSE(button->isChecked());
    button->trigger();
    EXPECT_TRUE(m_doc.m_bAutoScroll);
    EXPECT_TRUE(button->isChecked());
}

TEST_F(WindowTest, EveryCommandHasOneActionNamedByItsIdentifier) {
    std::set<QString> names;
    for (int i = 0; i <= static_cast<int>(CommandId::PrevPane); ++i) {
        const auto id = static_cast<CommandId>(i);
        QAction* action = m_pFrame->Command(id);
        ASSERT_NE(action, nullptr) << i;
        EXPECT_EQ(action->objectName(), QString::fromLatin1(CommandName(id)));
        EXPECT_EQ(m_pFrame->Command(CommandName(id)), action);
        names.insert(action->objectName());
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(CommandId::PrevPane) + 1);
    EXPECT_EQ(m_pFrame->Command("ID_NO_SUCH_COMMAND"), nullptr);
}

TEST_F(WindowTest, CommandStatesFollowTheDocumentWhoeverChangesIt) {
    QAction* button = m_pFrame->Command(CommandId::AutoScroll);
    m_doc.SetAutoScroll(true);
    EXPECT_TRUE(button->isChecked());
    m_doc.SetAutoScroll(false);
    EXPECT_FALSE(button->isChecked());
    // No command is ever disabled, with or without a text.
    for (QAction* action : m_pFrame->actions()) {
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    }
}

TEST_F(WindowTest, TheReviewCountsWhatIsDueAndBothListsChangeThePage) {
    Paste("The anatomist held a stethoscope.\r\n");
    const std::string folder = m_doc.m_strPersonalDir;
    ASSERT_EQ(AppendToWordBook(folder, {"stethoscope", "听诊器",
                                        "The anatomist held a stethoscope.", "", TodayIso()}),
              "");
    QAction* review = m_pFrame->Command("ID_REVIEW");
    // The menu counts again when it opens.
    auto* edit = m_pFrame->findChild<QMenu*>(QStringLiteral("EditMenu"));
    emit edit->aboutToShow();
    EXPECT_EQ(review->text(), QStringLiteral("复习（1 个到期）…"));
    WhenModal(QStringLiteral("ReviewDialog"), [](QWidget* dialog) {
        dialog->findChild<QPushButton*>(QStringLiteral("knownButton"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    review->trigger();
    EXPECT_EQ(review->text(), QStringLiteral("复习…"));

    const std::size_t glossed = GlossedTokens(m_doc);
    m_doc.MarkKnown("stethoscope");
    ASSERT_LT(GlossedTokens(m_doc), glossed);
    WhenModal(QStringLiteral("KnownWordsDialog"), [](QWidget* dialog) {
        auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("WordList"));
        list->selectAll();
        dialog->findChild<QPushButton*>(QStringLiteral("removeButton"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    m_pFrame->Command("ID_KNOWN_WORDS")->trigger();
    EXPECT_EQ(m_doc.MarkOf("stethoscope"), WordMark::None);
    EXPECT_EQ(GlossedTokens(m_doc), glossed);
}

TEST_F(WindowTest, VocabularyConfirmedGlossesAgainInPlaceCancelledChangesNothing) {
    Paste("The anatomist examined the vertebrae with a stethoscope and a scalpel.\r\n");
    m_doc.ScrollTo(7);
    const std::size_t glossedAtStart = GlossedTokens(m_doc);
    ASSERT_GT(glossedAtStart, 0u);

    WhenModal(QStringLiteral("vocabularyDialog"), [](QWidget* dialog) {
        auto* slider = dialog->findChild<QSlider*>(QStringLiteral("vocabularySlider"));
        EXPECT_EQ(slider->value(), 3);
        QTest::keyClick(slider, Qt::Key_End);
        dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    m_pFrame->Command("ID_VOCABULARY")->trigger();
    EXPECT_EQ(m_doc.m_nVocabLevel, 3);
    EXPECT_EQ(m_doc.m_dThreshold, ThresholdForLevel(3));

    WhenModal(QStringLiteral("vocabularyDialog"), [](QWidget* dialog) {
        QTest::keyClick(dialog->findChild<QSlider*>(QStringLiteral("vocabularySlider")),
                        Qt::Key_End);
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    m_pFrame->Command("ID_VOCABULARY")->trigger();
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
    EXPECT_EQ(m_doc.m_dThreshold, ThresholdForLevel(11));
    EXPECT_LT(GlossedTokens(m_doc), glossedAtStart);
    EXPECT_EQ(m_doc.m_nScrollPos, 7);

    // The glossary switches alone: the step and threshold come back unchanged.
    WhenModal(QStringLiteral("vocabularyDialog"), [](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("medicalCheck"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    m_pFrame->Command("ID_VOCABULARY")->trigger();
    EXPECT_TRUE(m_doc.m_bShowMedical);
    EXPECT_FALSE(m_doc.m_bShowScience);
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
    EXPECT_EQ(m_doc.m_dThreshold, ThresholdForLevel(11));
}

TEST_F(WindowTest, GlossSizesFromTheDisplayMenuGrowTheLinePitch) {
    Paste("the zebra walked\r\n");
    QMenu* sizes = m_pFrame->findChild<QMenu*>(QStringLiteral("GlossSizeMenu"));
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(sizes->title(), QStringLiteral("注释字号"));
    EXPECT_TRUE(m_pFrame->Command("ID_GLOSS_SIZE_60")->isChecked());
    EXPECT_EQ(m_doc.m_nTextHeight, 20 + 40);
    int lastPixels = 0;
    int lastUnit = 0;
    for (const int percent : {60, 70, 80, 100}) {
        QAction* choice = m_pFrame->Command("ID_GLOSS_SIZE_" + std::to_string(percent));
        ASSERT_TRUE(sizes->actions().contains(choice)) << percent;
        choice->trigger();
        EXPECT_EQ(m_doc.m_nGlossPercent, percent);
        EXPECT_TRUE(choice->isChecked()) << percent;
        const PageScene scene = m_pFrame->View()->Scene();
        // The gloss grows, and each half line holds it whole: nothing reaches the next line.
        EXPECT_GT(scene.glossFont.pixelSize(), lastPixels) << percent;
        EXPECT_GE(scene.lineUnit, lastUnit) << percent;
        EXPECT_GE(scene.lineUnit, QFontMetrics(scene.glossFont).height()) << percent;
        EXPECT_EQ(m_doc.m_nTextHeight, 20 + 2 * scene.lineUnit) << percent;
        lastPixels = scene.glossFont.pixelSize();
        lastUnit = scene.lineUnit;
    }
    EXPECT_GT(lastUnit, 20);
    // Choosing the checked size again keeps it checked.
    m_pFrame->Command("ID_GLOSS_SIZE_100")->trigger();
    EXPECT_TRUE(m_pFrame->Command("ID_GLOSS_SIZE_100")->isChecked());
    EXPECT_FALSE(m_pFrame->Command("ID_GLOSS_SIZE_60")->isChecked());
}

TEST_F(WindowTest, ColourSchemesSetThePageAndTheColourDialogsStillWork) {
    QMenu* schemes = m_pFrame->findChild<QMenu*>(QStringLiteral("ColorSchemeMenu"));
    ASSERT_NE(schemes, nullptr);
    EXPECT_EQ(schemes->title(), QStringLiteral("配色方案"));
    QStringList names;
    for (const QAction* action : schemes->actions()) {
        names << action->text();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("默认"), QStringLiteral("护眼"),
                                  QStringLiteral("夜间"), QStringLiteral("经典配色")}));
    // The default draws no boxes of its own: they are the page.
    EXPECT_TRUE(m_pFrame->Command("ID_SCHEME_DEFAULT")->isChecked());
    EXPECT_EQ(m_pFrame->View()->Scene().boxColor, m_pFrame->View()->Scene().pageColor);

    m_pFrame->Command("ID_SCHEME_NIGHT")->trigger();
    EXPECT_TRUE(m_pFrame->Command("ID_SCHEME_NIGHT")->isChecked());
    EXPECT_FALSE(m_pFrame->Command("ID_SCHEME_DEFAULT")->isChecked());
    const PageScene night = m_pFrame->View()->Scene();
    EXPECT_EQ(night.pageColor, ToQColor(ColorsOf(ColorScheme::Night).page));
    EXPECT_EQ(night.boxColor, night.pageColor);
    EXPECT_LT(night.pageColor.lightness(), 60);
    EXPECT_GT(night.textColor.lightness(), 180);

    // The page colour dialog on top of the scheme: the boxes follow the chosen page.
    m_pFrame->View()->m_dialogs.color = [](QWidget*, const QColor&) {
        return std::optional<QColor>(QColor(0, 40, 0));
    };
    m_pFrame->Command("ID_PAGE_COLOR")->trigger();
    EXPECT_EQ(m_doc.m_crPage, Rgb(0, 40, 0));
    EXPECT_EQ(m_pFrame->View()->Scene().boxColor, QColor(0, 40, 0));
    EXPECT_EQ(m_doc.m_colorScheme, ColorScheme::Night);

    // The night scheme darkens the whole window, and leaving it brings the light back.
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 60);
    m_pFrame->Command("ID_SCHEME_CLASSIC")->trigger();
    EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 150);
    EXPECT_EQ(m_doc.m_crPage, Rgb(239, 239, 239));
    EXPECT_EQ(m_pFrame->View()->Scene().boxColor, QColor(Qt::white));
}

TEST_F(WindowTest, TheLayoutIsOneChoiceAwayInTheDisplayMenu) {
    QMenu* layouts = m_pFrame->findChild<QMenu*>(QStringLiteral("LayoutMenu"));
    ASSERT_NE(layouts, nullptr);
    EXPECT_EQ(layouts->title(), QStringLiteral("排版"));
    QStringList names;
    for (const QAction* action : layouts->actions()) {
        names << action->text();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("书页排版"), QStringLiteral("原样排版")}));
    EXPECT_TRUE(m_pFrame->Command("ID_LAYOUT_BOOK")->isChecked());
    m_doc.ReplaceText("Mr. Bingley.\n");
    const int bookX = m_doc.m_paragraphs.m_arrParagraphs[0].X(3);  // "Bingley"
    m_pFrame->Command("ID_LAYOUT_ORIGINAL")->trigger();
    EXPECT_TRUE(m_pFrame->Command("ID_LAYOUT_ORIGINAL")->isChecked());
    EXPECT_EQ(m_doc.PageLayoutChoice(), PageLayout::Original);
    // The original page sets a space after "Mr" and after ".": Bingley stands further on.
    EXPECT_GT(m_doc.m_paragraphs.m_arrParagraphs[0].X(3), bookX);
}

TEST_F(WindowTest, AboutBoxOpensFromTheMainToolbar) {
    bool shown = false;
    WhenModal(QStringLiteral("aboutDialog"), [&shown](QWidget* dialog) {
        shown = dialog->windowTitle() == QStringLiteral("关于 Vellumwise");
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    m_pFrame->Command("ID_APP_ABOUT")->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(WindowTest, DictionaryCommandsAreRoutedButOfferedNowhere) {
    for (const char* id : {"ID_DIC_IMPORT_TEXT", "ID_DIC_SAVE"}) {
        QAction* action = m_pFrame->Command(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(action->shortcuts().isEmpty()) << id;
        EXPECT_FALSE(m_pFrame->MainToolBar()->actions().contains(action)) << id;
        EXPECT_FALSE(m_pFrame->ReadingToolBar()->actions().contains(action)) << id;
        EXPECT_FALSE(m_pFrame->menuBar()->actions()[0]->menu()->actions().contains(action)) << id;
    }
    TempDir dir;
    const std::string saved = dir.Path("saved.dic");
    const std::size_t entries = m_doc.m_dicMain.m_arrItems.size();
    m_platform.m_fileAnswers = {saved};
    m_pFrame->Command("ID_DIC_SAVE")->trigger();
    EXPECT_EQ(m_platform.m_filtersAsked.back(), "字典文件 (*.dic)");
    EXPECT_GT(std::filesystem::file_size(saved), entries * 8);

    const std::string list = dir.Path("words.txt");
    WriteFile(list, "apple\tpingguo\t12.5\r\nbook\tshu\t50.0\r\n");
    m_platform.m_fileAnswers = {list};
    m_pFrame->Command("ID_DIC_IMPORT_TEXT")->trigger();
    EXPECT_EQ(m_platform.m_filtersAsked.back(), "文本文件 (*.txt)");
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), 2u);
    // Cancelling either dialog does nothing.
    m_pFrame->Command("ID_DIC_IMPORT_TEXT")->trigger();
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), 2u);
}

TEST_F(WindowTest, HelpOpensTheInstalledPageElseTheWorkingFoldersOne) {
    const std::string shipped = std::string(VELLUMWISE_BIN_DIR) + "/help.htm";
    ASSERT_TRUE(std::filesystem::exists(shipped)) << "help.htm is copied beside the executables";
    TempDir working;
    TempDir bareInstall;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(working.Root());
    // A page planted in the folder the reader started from is not preferred...
    WriteFile(working.Path("help.htm"), "<html></html>");
    m_pFrame->Command("ID_HELP")->trigger();
    // ...but serves a program installed without its own.
    m_doc.SetProgramDir(bareInstall.Root().string());
    m_pFrame->Command("ID_HELP")->trigger();
    std::filesystem::remove(working.Path("help.htm"));
    m_pFrame->Command("ID_HELP")->trigger();
    std::filesystem::current_path(before);
    ASSERT_EQ(m_platform.m_opened.size(), 2u);
    EXPECT_EQ(std::filesystem::path(m_platform.m_opened[0]), std::filesystem::path(shipped));
    EXPECT_EQ(std::filesystem::path(m_platform.m_opened[1]), working.Root() / "help.htm");
}

}  // namespace

namespace {

// Ctrl+O offers books and texts first and opens each by what it is; a .vwd document
// still opens as one. Ctrl+C copies the text the window shows; Ctrl+Q closes it.
TEST_F(WindowTest, OpenCopyAndQuitFromTheirKeys) {
    TempDir dir;
    WriteFile(dir.Path("story.txt"), "First line here.\r\n\r\nSecond paragraph.\r\n");
    WriteFile(dir.Path("notes.vwd"), "keep me");
    QWidget* viewport = m_pFrame->View()->viewport();
    struct Case {
        std::string path;
        std::size_t paragraphs;
        QString caption;
    };
    const Case cases[] = {
        {dir.Path("story.txt"), 2, QStringLiteral("story - Vellumwise")},
        {dir.Path("notes.vwd"), 2, QStringLiteral("notes.vwd - Vellumwise")},
    };
    for (const Case& c : cases) {
        m_platform.m_fileAnswers.push_back(c.path);
        QTest::keyClick(viewport, Qt::Key_O, Qt::ControlModifier);
        EXPECT_TRUE(m_platform.m_filtersAsked.back().starts_with("电子书和文本文件 (*.epub *.txt)"))
            << m_platform.m_filtersAsked.back();
        EXPECT_NE(m_platform.m_filtersAsked.back().find("(*.vwd)"), std::string::npos);
        EXPECT_EQ(m_pFrame->windowTitle(), c.caption) << c.path;
        EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), c.paragraphs) << c.path;
    }
    EXPECT_EQ(ReadFile(dir.Path("notes.vwd")), "keep me");

    QApplication::clipboard()->clear();
    QTest::keyClick(viewport, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("First line here.\nSecond paragraph.\n"));
    // Scrolled past the text: nothing is shown, nothing is copied.
    m_doc.ScrollTo(m_doc.m_nTextHeight + 2000);
    QTest::keyClick(viewport, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString());

    EXPECT_TRUE(m_pFrame->isVisible());
    QTest::keyClick(viewport, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(m_pFrame->isVisible());
}

}  // namespace
