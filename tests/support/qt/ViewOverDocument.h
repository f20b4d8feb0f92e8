#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "TempDir.h"

// One short line per paragraph: 40 pixels each at the default font.
inline std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    return text;
}

// A reading view over a started document that uses the built main.dic.
class ViewOverDocument : public testing::Test {
protected:
    explicit ViewOverDocument(int height) : m_doc(m_platform), m_view(m_doc) {
        m_doc.m_strProgramDir = VELLUMWISE_BIN_DIR;
        m_doc.m_strPersonalDir = m_personalDir.Path("vellumwise");
        m_doc.OnNewDocument();
        // The strip's arithmetic is stated in the original layout's plain lines: one
        // source line per paragraph, no gaps (the book layout has tests of its own).
        m_doc.SetPageLayout(PageLayout::Original);
        m_view.resize(1000, height);
    }

    void Paste(const std::string& text) {
        m_platform.m_clipboard = text;
        m_doc.OnEditPaste();
    }

    TempDir m_personalDir;  // the reader's lists and word book, fresh for each test
    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
    CVellumwiseView m_view;
};
