#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CVellumwiseDoc.h"
#include "FakePlatformServices.h"
#include "GlossedText.h"
#include "TempDir.h"
#include "TestDictionary.h"

// A view that records what the document told it.
class RecordingView : public IDocumentView {
public:
    void OnUpdate(UpdateHint hint) override { m_hints.push_back(hint); }
    void OnTitleChanged() override { ++m_nTitleChanges; }

    std::vector<UpdateHint> m_hints;
    int m_nTitleChanges = 0;
};

// A started document: main.dic holding TestEntries() in a program directory of
// its own, File New done, one view registered.
class StartedDocument : public testing::Test {
protected:
    StartedDocument() : m_doc(m_platform) {
        EXPECT_TRUE(WriteTestDictionary(m_dir.Path("main.dic")));
        m_doc.SetProgramDir(m_dir.Root().string());
        m_doc.SetPersonalDir(m_dir.Path("personal"));
        m_doc.OnNewDocument();
        m_doc.AddView(&m_view);
    }

    // Every token's gloss in UTF-8 as "token=gloss", glossed tokens only.
    std::string Glossed() const { return GlossedText(m_doc.m_paragraphs); }

    std::vector<std::string> ParagraphTexts() const {
        std::vector<std::string> texts;
        for (const CParagraph& paragraph : m_doc.m_paragraphs.m_arrParagraphs) {
            texts.emplace_back(paragraph.m_strText);
        }
        return texts;
    }

    std::string WriteText(const std::string& name, const std::string& bytes) {
        WriteFile(m_dir.Path(name), bytes);
        return m_dir.Path(name);
    }

    TempDir m_dir;
    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc;
    RecordingView m_view;
};
