#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "ColorScheme.h"
#include "ContextSenses.h"
#include "EntryDatabase.h"
#include "EpubBook.h"
#include "IDocumentView.h"
#include "OwnSenses.h"
#include "PageLayout.h"
#include "PersonalWords.h"
#include "ReadingFont.h"
#include "ReadingSettings.h"
#include "TextFileLoad.h"
#include "TextPlace.h"
#include "WordBook.h"

class IPlatformServices;

// The gloss sizes a reader can choose, in percent of the reading font's height;
// the first is the default.
constexpr int kGlossPercents[] = {60, 70, 80, 100};
// The auto-scroll speeds a reader can choose, in milliseconds per pixel, slowest
// first; the second is the default.
constexpr int kAutoScrollIntervals[] = {240, 120, 60, 30};

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
// Its state is public for reading only. Every change of a setting, the position or
// the text goes through one of the operations below, which ends by telling every
// view once, with a hint naming what changed (UpdateHint). Each operation's comment
// names its hint.
class CVellumwiseDoc {
    // The state, written only by the operations below; read through the views after them.
    CDicMain m_dictionary;
    CParagraphList m_text;
    std::vector<BookChapter> m_bookChapters;
    ColorRef m_pageColor = 0;
    ColorRef m_textColor = 0;
    ColorRef m_glossColor = 0;
    ReadingFont m_readingFont;
    std::int32_t m_glossPercent = kGlossPercents[0];
    ColorScheme m_scheme = ColorScheme::Default;
    std::int32_t m_pageWidth = 0;
    double m_threshold = 0.0;
    std::int32_t m_vocabLevel = 0;
    bool m_showMedical = false;
    bool m_showScience = false;
    bool m_skipNames = true;
    bool m_autoScroll = false;
    int m_autoScrollInterval = kAutoScrollIntervals[1];
    std::int64_t m_textHeight = 0;
    std::int64_t m_scrollPos = 0;
    bool m_initialised = false;
    std::string m_programDir;
    std::string m_personalDir;

public:
    // What the open-text dialog offers.
    static constexpr const char* kOpenTextFilter =
        "电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;所有文件 (*)";

    explicit CVellumwiseDoc(IPlatformServices& platform);

    // Runs at start-up and on every File New: the title becomes "无标题", the scroll
    // position 0; the first call also sets the defaults and loads main.dic. False when
    // main.dic cannot be loaded: the message has been shown, the views are not told,
    // and the program must end with a failure status (the application does it; the
    // document never exits). Text.
    bool OnNewDocument();
    // A document file named on the command line, dropped, or chosen with Ctrl+O:
    // it becomes the path and title; nothing is read from it. Initialises once too,
    // and answers false as OnNewDocument does. Text.
    bool OnOpenDocument(const std::string& path);

    // The settings the first OnNewDocument or OnOpenDocument starts from instead of
    // the defaults, so that the first layout is already the reader's. Tells no view.
    void SetStartSettings(const ReadingSettings& settings) { m_startSettings = settings; }
    // Where main.dic and the reader's lists are looked for, when not the defaults (a
    // test's folders, an installation's); read at the first initialisation.
    void SetProgramDir(std::string dir) { m_programDir = std::move(dir); }
    void SetPersonalDir(std::string dir) { m_personalDir = std::move(dir); }
    ReadingSettings Settings() const;

    void OnOpenTextFile();  // asks for a text file or an .epub book
    // Reads and glosses a text file or an .epub book (with its chapters) on the
    // platform's worker; false when the text was not taken (the reason is shown, or the
    // reader cancelled). With a place, the text is glossed with its step and opens with
    // its word at the top of the windows (held inside the text); without one it opens
    // at its start. A book that cannot be read changes nothing; a text file that cannot
    // be opened at all leaves an empty text under its title. Text.
    bool OpenTextFile(const std::string& path, const std::optional<ReadingPlace>& place = {});
    // ReplaceText of the clipboard's text; the text has no file and no title.
    void OnEditPaste();
    // A new text (UTF-8) with no file, glossed with the current settings, shown from
    // its start; the title stays. Text.
    void ReplaceText(std::string text);
    void OnImportDictionary();
    // Replaces every entry by those of a text dictionary file; a file that cannot
    // be taken whole is reported (naming `source`) and changes nothing.
    bool ImportDictionaryText(std::string_view text, const std::string& source = {});
    void OnSaveDictionary();
    // Every entry replaced by these; the text keeps its glosses until it is glossed
    // again (the next step, mark or text). Tells no view.
    void ReplaceDictionary(std::vector<CDicItem> items);
    // The vocabulary dialog's OK: copies the values, re-glosses. Glosses.
    void ApplyVocabulary(int level, double threshold, bool bMedical, bool bScience);
    // How many tokens of the open text show a gloss now.
    std::size_t GlossedTokenCount() const;
    // The gloss size (one of kGlossPercents). Font: the line pitch grows with it.
    void SetGlossPercent(int percent);
    // Sets the page, text and gloss colours of the scheme. Look.
    void SetColorScheme(ColorScheme scheme);
    // How tokens are set on the page (书页排版 or 原样排版). Relayout.
    void SetPageLayout(PageLayout layout);
    PageLayout PageLayoutChoice() const { return m_pageLayout; }
    // The 不注释人名 switch: words the text uses as names lose (or get back) their
    // glosses; re-glosses. Glosses.
    void SetSkipNames(bool bSkip);
    // The 按上下文选择词义 switch: each word's use in its sentence chooses among its
    // senses, or every word shows its entry's gloss; re-glosses. Relayout.
    void SetContextSenses(bool on);
    bool ContextSensesOn() const { return m_contextSensesOn; }
    // The 按学科选择词义 switch: in a text found to be about a subject, that subject's
    // words lead with its sense (while the choice by context is on); re-glosses.
    void SetSubjectSenses(bool on);
    bool SubjectSensesOn() const { return m_subjectSensesOn; }
    // The subjects the open text was found to be about, UTF-8, joined with 、; empty
    // for none (a novel, or the choice turned off).
    std::string SubjectsFound() const;
    // Holding a word opens its whole entry's card, or (off) the one-line popup. Kept setting.
    void SetWordCard(bool on);
    bool WordCardOn() const { return m_wordCardOn; }
    // The whole entries beside main.dic (dictionary.sqlite), opened on the first question.
    EntryDatabase& FullEntries();
    // The tagger and senses by part of speech, or nullptr when they could not be
    // loaded (said once on standard error; the glosses are the entries' own).
    const ContextSenses* Context() const { return m_context.get(); }
    // Whether work on the text shown still goes on after its first screen.
    bool FinishingInBackground() const { return false; }

    // The reader's own marks, kept in the lists under m_strPersonalDir for every text.
    // Each re-glosses the open text once and tells the views once (Glosses). A list
    // that cannot be saved is reported; the mark still holds until the program ends.
    void MarkKnown(std::string_view word);
    void MarkNew(std::string_view word);
    void Unmark(std::string_view word);
    // Gives every one of `words` the mark (None: takes their marks off) in one change
    // of the lists, re-glossing and telling the views once.
    void MarkWords(const std::vector<std::string>& words, WordMark mark);
    WordMark MarkOf(std::string_view word) const;
    // Marks known every word of a word list or CSV file's first column that the
    // dictionary has; re-glosses once when any was added. Glosses.
    PersonalWords::ImportReport ImportKnownWords(std::string_view bytes);
    const PersonalWords& Personal() const { return m_personal; }
    // The reader's own senses, kept in own-senses.txt beside the lists. The book they
    // belong to is the text's file name (BookKey); a pasted text has none, and only
    // the senses for every book hold in it.
    const std::string& BookKey() const { return m_bookKey; }
    std::optional<OwnSenseChoice> OwnSenseOf(std::string_view word) const;
    // Gives `word`'s entry `gloss` (UTF-8) in this book, or in every book, and shows it
    // under every occurrence at once; a word the step does not gloss is marked new too,
    // so that the sense chosen shows. A gloss that is no IsOwnGloss changes nothing.
    // Glosses.
    void SetOwnSense(std::string_view word, std::string_view gloss, bool everyBook);
    // The dictionary's own sense again for `word`, here and (when it had one) in every
    // book. Glosses.
    void ClearOwnSense(std::string_view word);
    const OwnSenses& OwnSenseList() const { return m_ownSenses; }
    // Appends the token's word, its gloss (the dictionary's, when the step hides it;
    // the card's sense, when a card lookup is set and knows one), its sentence with the
    // word's place in it, the text's file name and path, the word's place in the text
    // and today's date to the word book, in place of the entry of the same word and text.
    // Changes no setting and tells no view; a failure is reported and loses no entry.
    struct WordBookAddition {
        bool saved = false;
        bool updated = false;  // the book had the word from this text: sentence and date renewed
        std::string word;      // as the book keeps it
        explicit operator bool() const { return saved; }
    };
    WordBookAddition AddToWordBook(std::size_t paragraph, std::size_t token);
    // Where the word book takes a word's phonetic and the sense its sentence calls for,
    // once there are word cards; none by default.
    using WordCardLookup =
        std::function<std::optional<WordCardFacts>(std::string_view word, const WordPlace& place)>;
    void SetWordCardLookup(WordCardLookup lookup) { m_cardLookup = std::move(lookup); }

    ReadingColors Colors() const { return {m_crPage, m_crText, m_crGloss}; }
    void SetColors(const ReadingColors& colors);   // Look
    void SetReadingFont(const ReadingFont& font);  // Font
    // The reader's choice in the font dialog: as SetReadingFont, but a height outside
    // the readable ones is refused with a message.
    void ChooseReadingFont(const ReadingFont& font);
    void SetPageWidth(std::int32_t pageWidth);  // Font
    // The layout y shown at the top of the windows. Any value is kept: a position
    // outside 0 … m_nTextHeight stays until a move brings it back. Position.
    void ScrollTo(std::int64_t pos);
    void SetAutoScroll(bool on);  // Look
    // The auto-scroll speed (one of kAutoScrollIntervals). Look.
    void SetAutoScrollInterval(int milliseconds);
    int AutoScrollInterval() const { return m_autoScrollInterval; }

    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    // The window's view, which lays the text out over its fonts; none (the tool, the
    // document's tests) leaves the text unplaced and its height 0.
    void SetLayouter(ITextLayouter* layouter) { m_layouter = layouter; }
    void DropLayouter(const ITextLayouter* layouter) {
        if (m_layouter == layouter) {
            m_layouter = nullptr;
        }
    }
    // Lays the text out first when the change moves tokens (see ITextLayouter), then
    // tells every view.
    void UpdateAllViews(UpdateHint hint);

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

    // Read-only views of the document's state, under the names the rest of the program
    // reads. Only the operations above write it (into the private members below), so
    // that every change tells the views; a write from outside this class does not compile.
    const CDicMain& m_dicMain = m_dictionary;
    const CParagraphList& m_paragraphs = m_text;
    // The open book's table of contents (paragraph indexes into m_paragraphs);
    // empty for a plain text or a pasted one.
    const std::vector<BookChapter>& m_chapters = m_bookChapters;
    const ColorRef& m_crPage = m_pageColor;
    const ColorRef& m_crText = m_textColor;
    const ColorRef& m_crGloss = m_glossColor;
    const ReadingFont& m_fontText = m_readingFont;
    const std::int32_t& m_nGlossPercent = m_glossPercent;
    const ColorScheme& m_colorScheme = m_scheme;
    const std::int32_t& m_nPageWidth = m_pageWidth;
    const double& m_dThreshold = m_threshold;
    const std::int32_t& m_nVocabLevel = m_vocabLevel;
    const bool& m_bShowMedical = m_showMedical;
    const bool& m_bShowScience = m_showScience;
    const bool& m_bSkipNames = m_skipNames;  // words the text uses as names get no gloss
    const bool& m_bAutoScroll = m_autoScroll;
    // Layout pixels, in 64 bits: a large font over a long text runs past 2^31.
    const std::int64_t& m_nTextHeight = m_textHeight;
    const std::int64_t& m_nScrollPos = m_scrollPos;
    const bool& m_bInitialised = m_initialised;
    // Where main.dic is looked for: the running executable's directory by default.
    const std::string& m_strProgramDir = m_programDir;
    // Where the reader's word lists and word book live; read once at initialisation.
    const std::string& m_strPersonalDir = m_personalDir;

private:
    bool InitialiseOnce();
    void UseSettings(const ReadingSettings& settings);
    bool LoadDictionary();
    void SetTextAndGloss(std::string text);
    // Everything a newly read text brings, in one step, told once.
    void TakeText(TextFileLoad&& load, const std::string& path,
                  const std::optional<ReadingPlace>& place, int level, double threshold);
    void Regloss();
    void ApplyMark(std::string_view word, WordMark mark);
    // The mark set and the index following it, nobody told; answers the message to show.
    std::string SetMarkOnly(std::string_view word, WordMark mark);
    // Whether the word's occurrences show a gloss now.
    bool GlossedNow(std::string_view lowerWord) const;
    // The own senses of the book now open laid over its glosses from the next compose.
    void IndexOwnSenses();
    void ReapplyMarks();

    IPlatformServices& m_platform;
    std::vector<IDocumentView*> m_views;
    ITextLayouter* m_layouter = nullptr;
    std::string m_strTitle;
    std::string m_strPathName;
    std::string m_strTextPath;
    std::uint64_t m_nTextSerial = 0;
    std::optional<WordPlace> m_placeToShow;
    std::optional<ReadingSettings> m_startSettings;
    PageLayout m_pageLayout = PageLayout::Book;
    std::string m_strTextFileName;  // of the open text, for the word book
    PersonalWords m_personal;
    OwnSenses m_ownSenses;
    OwnSenseIndex m_ownSenseIndex;  // m_ownSenses for m_bookKey against m_dicMain
    std::string m_bookKey;          // the open text's, IsBookKey or empty
    WordCardLookup m_cardLookup;
    MarkIndex m_marks;                         // m_personal resolved against m_dicMain, rebuilt
                                               // whenever either changes
    bool m_bDictionaryChanged = false;         // since the text was last glossed
    std::unique_ptr<ContextSenses> m_context;  // loaded with main.dic
    bool m_contextSensesOn = true;
    bool m_subjectSensesOn = true;
    bool m_wordCardOn = true;
    std::unique_ptr<EntryDatabase> m_fullEntries;  // made by FullEntries()
    void LoadContext();
    // What the texts are glossed with: the context when it is loaded and switched on.
    const ContextSenses* ActiveContext() const {
        return m_contextSensesOn ? m_context.get() : nullptr;
    }
};
