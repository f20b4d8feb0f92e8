// The gloss size and the colour schemes: document operations and the colours' contrast.
#include <gtest/gtest.h>

#include "ColorScheme.h"
#include "DocumentFixture.h"

namespace {

TEST(ContrastRatio, FollowsTheReadabilityFormula) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(255, 255, 255), Rgb(0, 0, 0)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(80, 90, 100), Rgb(80, 90, 100)), 1.0);
    // The long-standing gloss colour on its white box: why the other schemes exist.
    EXPECT_NEAR(ContrastRatio(Rgb(128, 128, 255), Rgb(255, 255, 255)), 3.26, 0.01);
    // Channels are not interchangeable: green weighs most.
    EXPECT_GT(ContrastRatio(Rgb(0, 255, 0), Rgb(0, 0, 0)),
              ContrastRatio(Rgb(0, 0, 255), Rgb(0, 0, 0)));
}

TEST(ColorScheme, TextAndGlossesAreReadableOnWhatIsBehindThem) {
    struct Case {
        ColorScheme scheme;
        double minimumText;
        double minimumGloss;
    };
    // The default promises the enhanced contrast for text and the ordinary one for
    // glosses; the classic scheme keeps the long-standing colours (its gloss is 3.3:1
    // on white).
    const Case cases[] = {
        {ColorScheme::Default, 7.0, 4.5},
        {ColorScheme::Sepia, 4.5, 4.5},
        {ColorScheme::Night, 4.5, 4.5},
        {ColorScheme::Classic, 4.5, 3.2},
    };
    for (const Case& c : cases) {
        const SchemeColors colors = ColorsOf(c.scheme);
        const ColorRef behind = BoxColor(c.scheme, colors.page);
        EXPECT_GE(ContrastRatio(colors.text, behind), c.minimumText) << static_cast<int>(c.scheme);
        EXPECT_GE(ContrastRatio(colors.gloss, behind), c.minimumGloss)
            << static_cast<int>(c.scheme);
        // Words and glosses are also read on the bare page between the boxes.
        EXPECT_GE(ContrastRatio(colors.text, colors.page), c.minimumText)
            << static_cast<int>(c.scheme);
    }
    // Only the classic scheme tiles the page with white boxes.
    EXPECT_EQ(BoxColor(ColorScheme::Classic, Rgb(1, 2, 3)), Rgb(255, 255, 255));
    EXPECT_EQ(BoxColor(ColorScheme::Default, Rgb(1, 2, 3)), Rgb(1, 2, 3));
    // A first start is in the default scheme's colours.
    const ReadingSettings first;
    const SchemeColors standard = ColorsOf(ColorScheme::Default);
    EXPECT_EQ(first.colorScheme, ColorScheme::Default);
    EXPECT_EQ(SchemeWithColors(first.pageColor, first.textColor, first.glossColor),
              ColorScheme::Default);
    EXPECT_EQ(first.pageColor, standard.page);
    // The night page is dark and its text light.
    const SchemeColors night = ColorsOf(ColorScheme::Night);
    EXPECT_GT(ContrastRatio(night.page, Rgb(0, 0, 0)), 1.0);
    EXPECT_LT(ContrastRatio(night.page, Rgb(0, 0, 0)), 1.5);
    EXPECT_GT(ContrastRatio(night.text, Rgb(0, 0, 0)), 10.0);
}

TEST_F(StartedDocument, AColourSchemeSetsTheThreeColoursAndRepaintsOnce) {
    m_doc.SetColorScheme(ColorScheme::Night);
    const SchemeColors night = ColorsOf(ColorScheme::Night);
    EXPECT_EQ(m_doc.m_colorScheme, ColorScheme::Night);
    EXPECT_EQ(m_doc.m_crPage, night.page);
    EXPECT_EQ(m_doc.m_crText, night.text);
    EXPECT_EQ(m_doc.m_crGloss, night.gloss);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Look});
    // A colour chosen afterwards stays on top of the scheme; the boxes follow the page.
    m_doc.SetColors({Rgb(10, 20, 30), night.text, night.gloss});
    EXPECT_EQ(m_doc.m_colorScheme, ColorScheme::Night);
    EXPECT_EQ(BoxColor(m_doc.m_colorScheme, m_doc.m_crPage), Rgb(10, 20, 30));
    m_doc.SetColorScheme(ColorScheme::Classic);
    EXPECT_EQ(m_doc.m_crPage, Rgb(239, 239, 239));
    EXPECT_EQ(m_doc.m_crText, Rgb(39, 39, 20));
    EXPECT_EQ(m_doc.m_crGloss, Rgb(128, 128, 255));
}

TEST_F(StartedDocument, TheGlossSizeIsOneOfFourAndLaysOutAgainOnce) {
    EXPECT_EQ(m_doc.m_nGlossPercent, 60);
    struct Case {
        int percent;
        int kept;
        std::size_t updates;
    };
    // Sizes other than the four offered, and the current one, change nothing.
    const Case cases[] = {{80, 80, 1},   {80, 80, 0}, {65, 80, 0}, {0, 80, 0},
                          {100, 100, 1}, {70, 70, 1}, {60, 60, 1}};
    for (const Case& c : cases) {
        m_view.m_hints.clear();
        m_doc.SetGlossPercent(c.percent);
        EXPECT_EQ(m_doc.m_nGlossPercent, c.kept) << c.percent;
        EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>(c.updates, UpdateHint::Font))
            << c.percent;
    }
}

TEST(ColorScheme, NamesGoBothWaysAndColoursFindTheirScheme) {
    for (const ColorScheme scheme :
         {ColorScheme::Default, ColorScheme::Sepia, ColorScheme::Night, ColorScheme::Classic}) {
        EXPECT_EQ(ColorSchemeNamed(ColorSchemeName(scheme)), scheme);
        const SchemeColors colors = ColorsOf(scheme);
        EXPECT_EQ(SchemeWithColors(colors.page, colors.text, colors.gloss), scheme);
    }
    EXPECT_EQ(ColorSchemeNamed("sepia"), std::nullopt);
    EXPECT_EQ(ColorSchemeNamed(""), std::nullopt);
    EXPECT_EQ(SchemeWithColors(Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)), std::nullopt);
}

TEST_F(StartedDocument, TheLayoutChoiceLaysOutAgainOnceAndIsASetting) {
    EXPECT_EQ(m_doc.PageLayoutChoice(), PageLayout::Book);
    m_view.m_hints.clear();
    m_doc.SetPageLayout(PageLayout::Original);
    m_doc.SetPageLayout(PageLayout::Original);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Font});
    EXPECT_EQ(m_doc.Settings().pageLayout, PageLayout::Original);
    m_doc.SetColorScheme(ColorScheme::Night);
    EXPECT_EQ(m_doc.Settings().colorScheme, ColorScheme::Night);
}

}  // namespace
