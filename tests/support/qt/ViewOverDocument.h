#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "DictionaryFile.h"
#include "FakePlatformServices.h"
#include "PagePainter.h"
#include "StripGeometry.h"
#include "TempDir.h"
#include "TestDictionary.h"

// One short line per paragraph: 40 pixels each at the default font.
inline std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    return text;
}

// The view tests' dictionary: TestEntries() and a word glossed at every step
// ("zebra") beside one no step glosses ("the").
inline bool WriteViewTestDictionary(const std::string& path) {
    std::vector<DictionaryRow> rows = TestEntries();
    rows.push_back({"zebra", "斑马", 0.01});
    rows.push_back({"the", "这", 5000.0});
    CDicMain dic;
    FillDictionary(dic, rows);
    return SaveDictionaryFile(dic, path).Ok();
}

// A reading view over a started document whose main.dic holds the view tests'
// dictionary, in a program directory of its own.
class ViewOverDocument : public testing::Test {
protected:
    explicit ViewOverDocument(int height) : m_doc(m_platform), m_view(m_doc) {
        EXPECT_TRUE(WriteViewTestDictionary(m_programDir.Path("main.dic")));
        m_doc.SetProgramDir(m_programDir.Root().string());
        m_doc.SetPersonalDir(m_personalDir.Path("vellumwise"));
        m_doc.OnNewDocument();
        // The strip's arithmetic is stated in the original layout's plain lines: one
        // source line per paragraph, no gaps (the book layout has tests of its own).
        m_doc.SetPageLayout(PageLayout::Original);
        m_view.resize(1000, height);
    }

    // Window point of token j of paragraph p, offset from its word box's top-left corner.
    QPoint WordPoint(std::size_t p, std::size_t j, int dx = 0, int dy = 0) const {
        const QSize window = m_view.WindowSize();
        const StripGeometry geometry = StripGeometry::ForWindow(
            window.width(), window.height(), m_doc.m_nPageWidth, m_doc.m_nScrollPos);
        const WordBox box =
            WordBoxOf(m_doc.m_paragraphs.m_arrParagraphs[p], j, geometry, m_view.Scene().lineUnit);
        return {static_cast<int>(box.left) + dx, static_cast<int>(box.top) + dy};
    }

    void Paste(const std::string& text) {
        m_platform.m_clipboard = text;
        m_doc.OnEditPaste();
    }

    TempDir m_programDir;   // main.dic
    TempDir m_personalDir;  // the reader's lists and word book, fresh for each test
    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
    CVellumwiseView m_view;
};
