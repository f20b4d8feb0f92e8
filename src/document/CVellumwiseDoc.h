#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "ColorScheme.h"
#include "IDocumentView.h"
#include "ReadingFont.h"

class IPlatformServices;

// The gloss sizes a reader can choose, in percent of the reading font's height;
// the first is the default.
constexpr int kGlossPercents[] = {60, 70, 80, 100};

// The page's three colours, as the document records them.
struct ReadingColors {
    ColorRef page = 0;
    ColorRef text = 0;
    ColorRef gloss = 0;

    bool operator==(const ReadingColors&) const = default;
};

// The one reading document: the dictionary, the text and every reading setting.
// It talks to the reader only through the platform services it is given.
//
// Its members are public for reading. Every change of a setting, the position or
// the text goes through one of the operations below, which ends by telling every
// view once: UpdateHint::Relayout when token positions can change (text, glosses,
// font, page width), UpdateHint::Repaint otherwise (colours, scroll position,
// auto-scroll). Only code in this folder writes the members directly.
class CVellumwiseDoc {
public:
    explicit CVellumwiseDoc(IPlatformServices& platform);

    // Runs at start-up and on every File New: the title becomes "无标题", the scroll
    // position 0; the first call also sets the defaults and loads main.dic. False when
    // main.dic cannot be loaded: the message has been shown, the views are not told,
    // and the program must end with a failure status (the application does it; the
    // document never exits). Relayout.
    bool OnNewDocument();
    // A document file named on the command line, dropped, or chosen with Ctrl+O:
    // it becomes the path and title; nothing is read from it. Initialises once too,
    // and answers false as OnNewDocument does. Relayout.
    bool OnOpenDocument(const std::string& path);

    void OnOpenTextFile();  // asks for a .txt file
    // The same, for a known path; false when the text was not taken (the reason is
    // shown, or the reader cancelled). Relayout.
    bool OpenTextFile(const std::string& path);
    void OnEditPaste();  // ReplaceText of the clipboard's text
    // A new text (UTF-8), glossed with the current settings; the scroll position
    // and the title stay. Relayout.
    void ReplaceText(std::string text);
    void OnImportDictionary();
    // Replaces every entry by those of a text dictionary file; a file that cannot
    // be taken whole is reported (naming `source`) and changes nothing.
    bool ImportDictionaryText(std::string_view text, const std::string& source = {});
    void OnSaveDictionary();
    // The vocabulary dialog's OK: copies the values, re-glosses. Relayout.
    void ApplyVocabulary(int level, double threshold, bool bMedical, bool bScience);
    // The gloss size (one of kGlossPercents); the views lay out again, since the
    // line pitch grows with it.
    void SetGlossPercent(int percent);
    // Sets the page, text and gloss colours of the scheme; the views repaint.
    void SetColorScheme(ColorScheme scheme);
    // The 不注释人名 switch: words the text uses as names lose (or get back) their
    // glosses; re-glosses. Relayout.
    void SetSkipNames(bool bSkip);

    ReadingColors Colors() const { return {m_crPage, m_crText, m_crGloss}; }
    void SetColors(const ReadingColors& colors);   // Repaint
    void SetReadingFont(const ReadingFont& font);  // Relayout
    void SetPageWidth(std::int32_t pageWidth);     // Relayout
    // The layout y shown at the top of the windows. Any value is kept: a position
    // outside 0 … m_nTextHeight stays until a move brings it back. Repaint.
    void ScrollTo(std::int64_t pos);
    void SetAutoScroll(bool on);  // Repaint
    // The height of the laid-out text, recorded by the view that laid it out. Tells no
    // view: it is called while the views are being updated.
    void SetTextHeight(std::int64_t height) { m_nTextHeight = height; }

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
    std::int32_t m_nGlossPercent = kGlossPercents[0];
    ColorScheme m_colorScheme = ColorScheme::Default;
    std::int32_t m_nPageWidth = 0;
    double m_dThreshold = 0.0;
    std::int32_t m_nVocabLevel = 0;
    bool m_bShowMedical = false;
    bool m_bShowScience = false;
    bool m_bSkipNames = true;  // words the text uses as names get no gloss
    bool m_bAutoScroll = false;
    // Layout pixels, in 64 bits: a large font over a long text runs past 2^31.
    std::int64_t m_nTextHeight = 0;
    std::int64_t m_nScrollPos = 0;
    bool m_bInitialised = false;

    // Where main.dic is looked for: the running executable's directory by default.
    std::string m_strProgramDir;

private:
    bool InitialiseOnce();
    bool LoadDictionary();
    void SetTextAndGloss(std::string text);
    void Regloss();

    IPlatformServices& m_platform;
    std::vector<IDocumentView*> m_views;
    std::string m_strTitle;
    std::string m_strPathName;
};
