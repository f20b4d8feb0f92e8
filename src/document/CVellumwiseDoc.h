#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "IDocumentView.h"
#include "ReadingFont.h"

class IPlatformServices;

// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}

// The one reading document: the dictionary, the text and every reading setting.
// It talks to the reader only through the platform services it is given.
class CVellumwiseDoc {
public:
    explicit CVellumwiseDoc(IPlatformServices& platform);

    // Runs at start-up and on every File New: the title becomes "无标题", the scroll
    // position 0; the first call also sets the defaults and loads main.dic (on
    // failure it shows the message and ends the process with status 0).
    bool OnNewDocument();
    // A document file named on the command line, dropped, or chosen with Ctrl+O:
    // it becomes the path and title; nothing is read from it. Initialises once too.
    bool OnOpenDocument(const std::string& path);

    void OnOpenTextFile();                          // asks for a .txt file
    void OpenTextFile(const std::string& path);     // the same, for a known path
    void OnEditPaste();
    void OnImportDictionary();
    // Replaces every entry by those of a text dictionary file; a file that cannot
    // be taken whole is reported (naming `source`) and changes nothing.
    bool ImportDictionaryText(std::string_view text, const std::string& source = {});
    void OnSaveDictionary();
    // The vocabulary dialog's OK: copies the values, re-glosses, updates the views.
    void ApplyVocabulary(int level, double threshold, bool bMedical, bool bScience);

    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    void UpdateAllViews(UpdateHint hint = UpdateHint::Relayout);

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }

    CDicMain m_dicMain;
    CParagraphList m_paragraphs;
    ColorRef m_crPage = 0;
    ColorRef m_crText = 0;
    ColorRef m_crGloss = 0;
    ReadingFont m_fontText;
    std::int32_t m_nPageWidth = 0;
    double m_dThreshold = 0.0;
    std::int32_t m_nVocabLevel = 0;
    bool m_bShowMedical = false;
    bool m_bShowScience = false;
    bool m_bAutoScroll = false;
    std::int32_t m_nTextHeight = 0;
    std::int32_t m_nScrollPos = 0;
    bool m_bInitialised = false;

    // Where main.dic is looked for: the running executable's directory by default.
    std::string m_strProgramDir;

private:
    void InitialiseOnce();
    void LoadDictionary();
    void SetTextAndGloss(std::string_view text);
    void Regloss();

    IPlatformServices& m_platform;
    std::vector<IDocumentView*> m_views;
    std::string m_strTitle;
    std::string m_strPathName;
};
