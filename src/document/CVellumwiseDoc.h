#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "ColorScheme.h"
#include "EpubBook.h"
#include "IDocumentView.h"
#include "PageLayout.h"
#include "PersonalWords.h"
#include "ReadingFont.h"
#include "ReadingSettings.h"
#include "TextPlace.h"

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
    // What the open-text dialog offers.
    static constexpr const char* kOpenTextFilter =
        "电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;所有文件 (*)";

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

    // The settings the first OnNewDocument or OnOpenDocument starts from instead of
    // the defaults, so that the first layout is already the reader's. Tells no view.
    void SetStartSettings(const ReadingSettings& settings) { m_startSettings = settings; }
    ReadingSettings Settings() const;

    void OnOpenTextFile();  // asks for a text file or an .epub book
    // Reads and glosses a text file; false when the text was not taken (the reason is
    // shown, or the reader cancelled). With a place, the text is glossed with its step
    // and opens with its word at the top of the windows (held inside the text); without
    // one it opens at its start. Relayout.
    bool OpenTextFile(const std::string& path, const std::optional<ReadingPlace>& place = {});
    // An .epub's text, split like a UTF-8 text file, and its chapters, opened as
    // OpenTextFile opens a text (with its place, if given). A book that cannot be
    // read is reported, changes nothing and gives false. Relayout.
    bool OpenEpubFile(const std::string& path, const std::optional<ReadingPlace>& place = {});
    // ReplaceText of the clipboard's text; the text has no file and no title.
    void OnEditPaste();
    // A new text (UTF-8) with no file, glossed with the current settings; the scroll
    // position and the title stay. Relayout.
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
    // How tokens are set on the page (书页排版 or 原样排版). Relayout.
    void SetPageLayout(PageLayout layout);
    PageLayout PageLayoutChoice() const { return m_pageLayout; }
    // The 不注释人名 switch: words the text uses as names lose (or get back) their
    // glosses; re-glosses. Relayout.
    void SetSkipNames(bool bSkip);

    // The reader's own marks, kept in the lists under m_strPersonalDir for every text.
    // Each re-glosses the open text once and tells the views once (Relayout). A list
    // that cannot be saved is reported; the mark still holds until the program ends.
    void MarkKnown(std::string_view word);
    void MarkNew(std::string_view word);
    void Unmark(std::string_view word);
    WordMark MarkOf(std::string_view word) const;
    // Marks known every word of a word list or CSV file's first column that the
    // dictionary has; re-glosses once when any was added. Relayout.
    PersonalWords::ImportReport ImportKnownWords(std::string_view bytes);
    const PersonalWords& Personal() const { return m_personal; }
    // Appends the token's word, its gloss (the dictionary's, when the step hides it),
    // its paragraph cut around it, the text's file name and today's date to the word
    // book. Changes no setting and tells no view; a failure is reported and loses
    // no entry. True when it was saved.
    bool AddToWordBook(std::size_t paragraph, std::size_t token);

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
    // The position a view's new layout gives the word that was at the top. Tells no
    // view, for the same reason.
    void SetScrollPosFromLayout(std::int64_t pos) { m_nScrollPos = pos; }

    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    void UpdateAllViews(UpdateHint hint = UpdateHint::Relayout);

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // The text file shown, as it was opened; empty for a pasted text or none.
    const std::string& TextPath() const { return m_strTextPath; }
    // Counts the texts set: a view whose layout is of an older text has no word to
    // keep at the top.
    std::uint64_t TextSerial() const { return m_nTextSerial; }
    // The word the latest text opened at, for its first layout; none: the view keeps
    // the scroll position.
    const std::optional<WordPlace>& PlaceToShow() const { return m_placeToShow; }

    CDicMain m_dicMain;
    CParagraphList m_paragraphs;
    // The open book's table of contents (paragraph indexes into m_paragraphs);
    // empty for a plain text or a pasted one.
    std::vector<BookChapter> m_chapters;
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
    // Where the reader's word lists and word book live; read once at initialisation.
    std::string m_strPersonalDir;

private:
    bool InitialiseOnce();
    void UseSettings(const ReadingSettings& settings);
    bool LoadDictionary();
    void LoadSupplement();
    void SetTextAndGloss(std::string text);
    void Regloss();
    void ApplyMark(std::string_view word, WordMark mark);
    void ReapplyMarks();

    IPlatformServices& m_platform;
    std::vector<IDocumentView*> m_views;
    std::string m_strTitle;
    std::string m_strPathName;
    std::string m_strTextPath;
    std::uint64_t m_nTextSerial = 0;
    std::optional<WordPlace> m_placeToShow;
    std::optional<ReadingSettings> m_startSettings;
    PageLayout m_pageLayout = PageLayout::Book;
    std::string m_strTextFileName;  // of the open text, for the word book
    PersonalWords m_personal;
    MarkIndex m_marks;                  // m_personal resolved against m_dicMain, rebuilt
                                        // whenever either changes
    bool m_bDictionaryChanged = false;  // since the text was last glossed
};
