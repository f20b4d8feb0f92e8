#include "CVellumwiseDoc.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "CodePage.h"
#include "DictionaryFile.h"
#include "DictionaryText.h"
#include "EntryDatabaseSchema.h"
#include "IPlatformServices.h"
#include "LowerCaseWord.h"
#include "ProgramDirectory.h"
#include "ReadFileBytes.h"
#include "SentenceAround.h"
#include "TextDecoder.h"
#include "TextFileLoad.h"
#include "VocabularyTable.h"
#include "WordBook.h"

namespace {

constexpr const char* kUntitled = "无标题";
constexpr const char* kTextFilter = "文本文件 (*.txt)";
constexpr const char* kDictionaryFilter = "字典文件 (*.dic)";

// The file's name cut before its last dot, as the title bar shows a text.
std::string FileTitle(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

CVellumwiseDoc::CVellumwiseDoc(IPlatformServices& platform)
    : m_programDir(ProgramDirectory()),
      m_personalDir(PersonalWords::DefaultFolder()),
      m_platform(platform),
      m_strTitle(kUntitled) {}

bool CVellumwiseDoc::OnNewDocument() {
    m_strPathName.clear();
    SetTitle(kUntitled);
    m_scrollPos = 0;
    if (!InitialiseOnce()) {
        return false;
    }
    UpdateAllViews(UpdateHint::Text);
    return true;
}

bool CVellumwiseDoc::OnOpenDocument(const std::string& path) {
    if (!InitialiseOnce()) {
        return false;
    }
    m_strPathName = path;
    SetTitle(std::filesystem::path(path).filename().string());
    UpdateAllViews(UpdateHint::Text);
    return true;
}

bool CVellumwiseDoc::InitialiseOnce() {
    if (m_initialised) {
        return true;
    }
    const SchemeColors colors = ColorsOf(ColorScheme::Default);
    m_scheme = ColorScheme::Default;
    m_pageColor = colors.page;
    m_textColor = colors.text;
    m_glossColor = colors.gloss;
    m_pageWidth = 800;
    m_autoScroll = false;
    m_glossPercent = kGlossPercents[0];
    UseSettings(m_startSettings.value_or(ReadingSettings{}));
    m_initialised = LoadDictionary();
    if (m_initialised) {
        m_personal = PersonalWords(m_personalDir);
        const std::string warning =
            m_personalDir.empty() ? std::string(kNoHomeMessage) : m_personal.Load();
        m_marks = MarkIndex(m_dictionary, m_personal);
        m_text.SetMarks(&m_marks);
        m_ownSenses = OwnSenses(m_personalDir);
        const std::string sensesWarning =
            m_personalDir.empty() ? std::string() : m_ownSenses.Load();
        IndexOwnSenses();
        if (!warning.empty() || !sensesWarning.empty()) {
            m_platform.ShowMessage(warning + sensesWarning);
        }
    }
    return m_initialised;
}

void CVellumwiseDoc::UseSettings(const ReadingSettings& settings) {
    m_vocabLevel = std::clamp(settings.vocabLevel, kMinVocabLevel, kMaxVocabLevel);
    m_threshold = ThresholdForLevel(m_vocabLevel);
    m_showMedical = settings.showMedical;
    m_showScience = settings.showScience;
    m_skipNames = settings.skipNames;
    m_contextSensesOn = settings.contextSenses;
    m_subjectSensesOn = settings.subjectSenses;
    m_wordCardOn = settings.wordCard;
    m_scheme = settings.colorScheme;
    m_pageLayout = settings.pageLayout;
    m_pageColor = settings.pageColor;
    m_textColor = settings.textColor;
    m_glossColor = settings.glossColor;
    m_readingFont = settings.font;
    // A size the menu does not offer (a hand-edited file) keeps the default.
    if (std::find(std::begin(kGlossPercents), std::end(kGlossPercents), settings.glossPercent) !=
        std::end(kGlossPercents)) {
        m_glossPercent = settings.glossPercent;
    }
    if (std::find(std::begin(kAutoScrollIntervals), std::end(kAutoScrollIntervals),
                  settings.autoScrollInterval) != std::end(kAutoScrollIntervals)) {
        m_autoScrollInterval = settings.autoScrollInterval;
    }
}

ReadingSettings CVellumwiseDoc::Settings() const {
    ReadingSettings settings;
    settings.vocabLevel = m_vocabLevel;
    settings.showMedical = m_showMedical;
    settings.showScience = m_showScience;
    settings.skipNames = m_skipNames;
    settings.contextSenses = m_contextSensesOn;
    settings.subjectSenses = m_subjectSensesOn;
    settings.wordCard = m_wordCardOn;
    settings.colorScheme = m_scheme;
    settings.pageLayout = m_pageLayout;
    settings.pageColor = m_pageColor;
    settings.textColor = m_textColor;
    settings.glossColor = m_glossColor;
    settings.font = m_readingFont;
    settings.glossPercent = m_glossPercent;
    settings.autoScrollInterval = m_autoScrollInterval;
    return settings;
}

bool CVellumwiseDoc::LoadDictionary() {
    const std::string path = m_programDir + "/main.dic";
    const MainAndSupplement loaded = LoadMainAndSupplement(m_dictionary, path);
    if (!loaded.main.Ok()) {
        if (loaded.main.kind == DicFileResult::Kind::Missing) {
            m_platform.ShowMessage("找不到字典文件，程序将会退出，请重新安装软件。");
        } else {
            m_platform.ShowMessage("读取字典文件错误 " + path);
        }
        return false;
    }
    // The words main.dic's fixed layout cannot hold. Without it the reader still has
    // main.dic; a damaged one is refused whole, so main.dic's entries stay as they were.
    if (!loaded.supplement.Ok() && loaded.supplement.kind != DicFileResult::Kind::Missing) {
        m_platform.ShowMessage("读取字典文件错误 " + loaded.supplementPath);
    }
    LoadContext();
    return true;
}

void CVellumwiseDoc::LoadContext() {
    // Without them the reader has the entries' own glosses, as before there were any.
    std::string problem;
    m_context = ContextSenses::Load(m_programDir, problem);
    if (!m_context) {
        std::cerr << "vellumwise: " << problem << "; every word shows its entry's gloss\n";
    } else if (!m_context->PhraseProblem().empty()) {
        std::cerr << "vellumwise: " << m_context->PhraseProblem()
                  << "; no phrase is glossed as one\n";
    }
    if (m_context && !m_context->SubjectProblem().empty()) {
        std::cerr << "vellumwise: " << m_context->SubjectProblem()
                  << "; no text is given a subject\n";
    }
}

void CVellumwiseDoc::OnOpenTextFile() {
    if (const auto path = m_platform.ChooseFileToOpen(kOpenTextFilter)) {
        OpenTextFile(*path);
    }
}

bool CVellumwiseDoc::OpenTextFile(const std::string& path,
                                  const std::optional<ReadingPlace>& place) {
    m_platform.BeginWaitCursor();
    // The step first: the text is glossed once, with the step it was read with.
    const int level =
        place ? std::clamp(place->vocabLevel, kMinVocabLevel, kMaxVocabLevel) : m_vocabLevel;
    const GlossChoice gloss{.threshold = place ? ThresholdForLevel(level) : m_threshold,
                            .medical = m_showMedical,
                            .science = m_showScience,
                            .skipNames = m_skipNames,
                            .context = ActiveContext(),
                            .subjects = m_subjectSensesOn};
    TextFileLoad load;
    // The window keeps showing the old text until the new one is complete.
    m_platform.RunWithProgress([&](const ProgressReport& report) {
        load = TextFileLoad::Run(path, m_dictionary, gloss, report);
    });
    if (load.Ok()) {
        TakeText(std::move(load), path, place, level, gloss.threshold);
        m_platform.EndWaitCursor();
        return true;
    }
    if (!load.bookFailure.empty()) {
        // A book that cannot be read changes nothing.
        m_platform.EndWaitCursor();
        m_platform.ShowMessage(load.bookFailure);
        return false;
    }
    if (load.problem == ReadFileProblem::CannotRead) {
        // A file that cannot be opened at all replaces the text by nothing, under
        // the chosen file's title; a view still laid out for the old text would
        // draw and scroll over paragraphs that no longer exist.
        m_text.RemoveAll();
        ++m_nTextSerial;
        m_strTextPath.clear();
        m_placeToShow.reset();
        m_bookChapters.clear();
        m_strTextFileName = std::filesystem::path(path).filename().string();
        SetTitle(FileTitle(path));
        UpdateAllViews(UpdateHint::Text);
    }
    m_platform.EndWaitCursor();
    // The other refusals leave the text shown before as it was.
    const std::string message = "无法调入这个 .txt 文件：" + path;
    switch (load.problem) {
        case ReadFileProblem::CannotRead:
            m_platform.ShowMessage(message);
            break;
        case ReadFileProblem::NotARegularFile:
            m_platform.ShowMessage(message + "\n这不是普通文件（而是设备、管道或套接字）。");
            break;
        case ReadFileProblem::TooLarge:
            m_platform.ShowMessage(message + "\n文件超过 2 GB，太大了。");
            break;
        case ReadFileProblem::OutOfMemory:
            m_platform.ShowMessage(message + "\n内存不足。");
            break;
        case ReadFileProblem::None:
        case ReadFileProblem::Cancelled:
            break;
    }
    return false;
}

void CVellumwiseDoc::TakeText(TextFileLoad&& load, const std::string& path,
                              const std::optional<ReadingPlace>& place, int level,
                              double threshold) {
    m_text = std::move(*load.paragraphs);
    m_bookChapters = std::move(load.chapters);
    ++m_nTextSerial;
    m_vocabLevel = level;
    m_threshold = threshold;
    m_strTextPath = path;
    m_placeToShow.reset();
    if (place) {
        m_placeToShow = place->topWord;
    }
    // The loader glossed with the current dictionary but without the reader's
    // marks; they go on top here.
    m_bDictionaryChanged = false;
    m_strTextFileName = std::filesystem::path(path).filename().string();
    m_text.SetMarks(&m_marks);
    IndexOwnSenses();
    ReapplyMarks();
    // A book is called by its file's stem; a text by its name cut at the last dot.
    SetTitle(KindOfFile(path) == FileKind::Book ? std::filesystem::path(path).stem().string()
                                                : FileTitle(path));
    m_scrollPos = 0;
    UpdateAllViews(UpdateHint::Text);
}

CVellumwiseDoc::WordBookAddition CVellumwiseDoc::AddToWordBook(std::size_t paragraph,
                                                               std::size_t token) {
    if (paragraph >= m_text.m_arrParagraphs.size()) {
        return {};
    }
    const CParagraph& para = m_text.m_arrParagraphs[paragraph];
    if (token >= para.TokenCount() || para.Word(token).size() < 2) {
        return {};
    }
    const std::string_view word = para.Word(token);
    std::string_view gloss = para.Gloss(token);
    if (gloss.empty()) {
        LowerCaseWord lower;
        if (const auto entry = m_dictionary.FindReachedEntry(lower.Of(word))) {
            gloss = m_dictionary.m_arrItems[*entry].m_strGloss;
        }
    }
    WordBookEntry entry;
    entry.word = LowerCaseWord().Of(word);
    entry.gloss = codepage::GbkToUtf8Lossy(gloss);
    MarkedSentence sentence = SentenceAround(m_text, paragraph, token);
    entry.sentence = std::move(sentence.text);
    entry.wordAt = sentence.wordAt;
    entry.source = m_strTextFileName;
    // Absolute, so that the entry opens its text from wherever the program starts next.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(m_strTextPath, error);
    entry.path =
        m_strTextPath.empty() || error ? m_strTextPath : absolute.lexically_normal().string();
    entry.place = WordPlace{paragraph, token};
    entry.date = TodayIso();
    if (m_cardLookup) {
        if (const std::optional<WordCardFacts> card = m_cardLookup(entry.word, *entry.place)) {
            entry.phonetic = card->phonetic;
            if (!card->sense.empty()) {
                entry.gloss = card->sense;
            }
        }
    } else if (const std::optional<FullEntry> full = FullEntries().Find(entry.word)) {
        // The gloss above is already this occurrence's; the entry adds how it sounds.
        entry.phonetic = full->phonetic;
    }
    WordBookAddition addition;
    const std::string problem = AppendToWordBook(m_personalDir, entry, &addition.updated);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
        return {};
    }
    addition.saved = true;
    addition.word = entry.word;
    return addition;
}

std::size_t CVellumwiseDoc::GlossedTokenCount() const {
    std::size_t count = 0;
    for (const CParagraph& paragraph : m_text.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            count += paragraph.Gloss(j).empty() ? 0 : 1;
        }
    }
    return count;
}

void CVellumwiseDoc::OnEditPaste() {
    const std::optional<std::string> text = m_platform.ClipboardText();
    if (!text || text->empty()) {
        return;
    }
    m_strPathName.clear();
    SetTitle(kUntitled);
    ReplaceText(TextDecoder::Decode(*text));
}

void CVellumwiseDoc::ReplaceText(std::string text) {
    m_strTextPath.clear();
    m_placeToShow.reset();
    m_strTextFileName.clear();
    IndexOwnSenses();
    SetTextAndGloss(std::move(text));
    // A new text starts at its beginning: the old one's offset could be past its end.
    m_scrollPos = 0;
    UpdateAllViews(UpdateHint::Text);
}

void CVellumwiseDoc::SetTextAndGloss(std::string text) {
    ++m_nTextSerial;
    m_bookChapters.clear();
    m_text.SetText(std::move(text));
    Regloss();
}

void CVellumwiseDoc::SetContextSenses(bool on) {
    m_contextSensesOn = on;
    Regloss();
    UpdateAllViews(UpdateHint::Glosses);
}

void CVellumwiseDoc::SetSubjectSenses(bool on) {
    m_subjectSensesOn = on;
    Regloss();
    UpdateAllViews(UpdateHint::Glosses);
}

std::string CVellumwiseDoc::SubjectsFound() const {
    std::string names;
    if (m_context == nullptr) {
        return names;
    }
    for (const std::uint8_t subject : m_text.SubjectsFound()) {
        if (!names.empty()) {
            names += "\u3001";  // 、
        }
        names += m_context->Subjects().Name(subject);
    }
    return names;
}

void CVellumwiseDoc::SetWordCard(bool on) {
    m_wordCardOn = on;
    UpdateAllViews(UpdateHint::Look);
}

EntryDatabase& CVellumwiseDoc::FullEntries() {
    // Made on the first card, not at start-up; the file itself is opened on the first question.
    if (!m_fullEntries) {
        m_fullEntries = std::make_unique<EntryDatabase>(m_programDir + "/" +
                                                        std::string(kEntryDatabaseFileName));
    }
    return *m_fullEntries;
}

void CVellumwiseDoc::Regloss() {
    m_text.SetContext(ActiveContext());
    m_text.SetSubjectChoice(m_subjectSensesOn);
    m_text.Annotate(&m_dictionary, m_threshold, m_showMedical, m_showScience, m_skipNames);
    m_bDictionaryChanged = false;
}

void CVellumwiseDoc::ReapplyMarks() {
    if (m_bDictionaryChanged) {
        Regloss();
        return;
    }
    // Only the marks changed: the step's glosses of the last Regloss still hold.
    m_text.ReapplyMarks(&m_dictionary);
}

std::string CVellumwiseDoc::SetMarkOnly(std::string_view word, WordMark mark) {
    const std::uint64_t read = m_personal.Generation();
    std::string problem = m_personal.SetMark(m_dictionary, word, mark);
    // Resolving a long list to entries again takes a second; one mark changes one key,
    // unless the lists were read again for another window's marks.
    if (m_personal.Generation() == read) {
        m_marks.Apply(m_dictionary, word, mark);
    } else {
        m_marks = MarkIndex(m_dictionary, m_personal);
    }
    return problem;
}

void CVellumwiseDoc::ApplyMark(std::string_view word, WordMark mark) {
    if (!ListWordOf(word)) {
        return;  // no list can hold it, and no entry is spelt so
    }
    const std::string problem = SetMarkOnly(word, mark);
    ReapplyMarks();
    UpdateAllViews(UpdateHint::Glosses);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
    }
}

void CVellumwiseDoc::MarkWords(const std::vector<std::string>& words, WordMark mark) {
    std::vector<std::string> listed;
    for (const std::string& word : words) {
        if (ListWordOf(word)) {
            listed.push_back(word);
        }
    }
    if (listed.empty()) {
        return;
    }
    const std::string problem = m_personal.SetMarks(m_dictionary, listed, mark);
    m_marks = MarkIndex(m_dictionary, m_personal);
    ReapplyMarks();
    UpdateAllViews(UpdateHint::Glosses);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
    }
}

void CVellumwiseDoc::MarkKnown(std::string_view word) { ApplyMark(word, WordMark::Known); }
void CVellumwiseDoc::MarkNew(std::string_view word) { ApplyMark(word, WordMark::New); }
void CVellumwiseDoc::Unmark(std::string_view word) { ApplyMark(word, WordMark::None); }

WordMark CVellumwiseDoc::MarkOf(std::string_view word) const {
    const std::string lower = LowerAscii(word);
    return m_marks.Find(m_dictionary.FindReachedEntry(lower), lower);
}

void CVellumwiseDoc::IndexOwnSenses() {
    m_bookKey = IsBookKey(m_strTextFileName) ? m_strTextFileName : std::string();
    m_ownSenseIndex = OwnSenseIndex(m_dictionary, m_ownSenses, m_bookKey);
    m_text.SetOwnSenses(&m_ownSenseIndex);
}

bool CVellumwiseDoc::GlossedNow(std::string_view lowerWord) const {
    const TextStore& store = m_text.Store();
    const std::uint32_t id = store.words.Find(lowerWord);
    if (id != WordTable::kNoWord && id < store.glossOfWord.size()) {
        return store.glossOfWord[id] != GlossPool::kNoGloss;
    }
    const WordMark mark = MarkOf(lowerWord);
    return mark == WordMark::New ||
           (mark == WordMark::None &&
            !m_dictionary.TranslateView(lowerWord, m_threshold, m_showMedical, m_showScience)
                 .empty());
}

std::optional<OwnSenseChoice> CVellumwiseDoc::OwnSenseOf(std::string_view word) const {
    return m_ownSenses.Find(m_dictionary, word, m_bookKey);
}

void CVellumwiseDoc::SetOwnSense(std::string_view word, std::string_view gloss, bool everyBook) {
    const std::string_view text = TrimOwnSenseField(gloss);
    if (!ListWordOf(word) || !IsOwnGloss(text)) {
        return;
    }
    std::string problem = m_ownSenses.Set(m_dictionary, word, text, m_bookKey, everyBook);
    IndexOwnSenses();
    // A sense the reader chose is one they want to see, whatever the step says.
    if (const std::string lower = LowerAscii(word); !GlossedNow(lower)) {
        const std::string marked = SetMarkOnly(lower, WordMark::New);
        problem += (problem.empty() || marked.empty() ? "" : "\n") + marked;
    }
    ReapplyMarks();
    UpdateAllViews(UpdateHint::Glosses);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
    }
}

void CVellumwiseDoc::ClearOwnSense(std::string_view word) {
    if (!ListWordOf(word)) {
        return;
    }
    const std::string problem = m_ownSenses.Clear(m_dictionary, word, m_bookKey);
    IndexOwnSenses();
    ReapplyMarks();
    UpdateAllViews(UpdateHint::Glosses);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
    }
}

PersonalWords::ImportReport CVellumwiseDoc::ImportKnownWords(std::string_view bytes) {
    PersonalWords::ImportReport report = m_personal.ImportKnown(m_dictionary, bytes);
    if (report.added > 0) {
        m_marks = MarkIndex(m_dictionary, m_personal);
        ReapplyMarks();
        UpdateAllViews(UpdateHint::Glosses);
    }
    return report;
}

void CVellumwiseDoc::OnImportDictionary() {
    const auto path = m_platform.ChooseFileToOpen(kTextFilter);
    if (!path) {
        return;
    }
    const std::optional<std::string> bytes = ReadFileBytes(*path);
    if (!bytes) {
        m_platform.ShowMessage("无法调入这个 .txt file " + *path);
        return;
    }
    ImportDictionaryText(*bytes, *path);
}

bool CVellumwiseDoc::ImportDictionaryText(std::string_view text, const std::string& source) {
    DictionaryText parsed = DictionaryText::Parse(text);
    if (!parsed.Ok()) {
        m_platform.ShowMessage("无法调入这个 .txt file " + source + "\n" + parsed.Problem());
        return false;
    }
    ReplaceDictionary(parsed.TakeItems());
    return true;
}

void CVellumwiseDoc::ReplaceDictionary(std::vector<CDicItem> items) {
    m_dictionary.ReplaceItems(std::move(items));
    // The marks and own senses name entries by position, which the new list changes.
    m_marks = MarkIndex(m_dictionary, m_personal);
    IndexOwnSenses();
    m_bDictionaryChanged = true;
    // The senses context chose were of the old entries: chosen again with the next gloss.
    m_text.SetContext(nullptr);
}

void CVellumwiseDoc::OnSaveDictionary() {
    const auto path = m_platform.ChooseFileToSave(kDictionaryFilter);
    if (!path) {
        return;
    }
    if (!SaveDictionaryFile(m_dictionary, *path).Ok()) {
        m_platform.ShowMessage("无法保存这个 .txt file " + *path);
    }
}

void CVellumwiseDoc::ApplyVocabulary(int level, double threshold, bool bMedical, bool bScience) {
    m_vocabLevel = level;
    m_threshold = threshold;
    m_showMedical = bMedical;
    m_showScience = bScience;
    Regloss();
    UpdateAllViews(UpdateHint::Glosses);
}

void CVellumwiseDoc::SetGlossPercent(int percent) {
    if (std::find(std::begin(kGlossPercents), std::end(kGlossPercents), percent) ==
            std::end(kGlossPercents) ||
        percent == m_glossPercent) {
        return;
    }
    m_glossPercent = percent;
    UpdateAllViews(UpdateHint::Font);
}

void CVellumwiseDoc::SetColorScheme(ColorScheme scheme) {
    const SchemeColors colors = ColorsOf(scheme);
    m_scheme = scheme;
    m_pageColor = colors.page;
    m_textColor = colors.text;
    m_glossColor = colors.gloss;
    UpdateAllViews(UpdateHint::Look);
}

void CVellumwiseDoc::SetPageLayout(PageLayout layout) {
    if (layout == m_pageLayout) {
        return;
    }
    m_pageLayout = layout;
    UpdateAllViews(UpdateHint::Font);
}

void CVellumwiseDoc::SetColors(const ReadingColors& colors) {
    m_pageColor = colors.page;
    m_textColor = colors.text;
    m_glossColor = colors.gloss;
    UpdateAllViews(UpdateHint::Look);
}

void CVellumwiseDoc::SetReadingFont(const ReadingFont& font) {
    m_readingFont = font;
    UpdateAllViews(UpdateHint::Font);
}

void CVellumwiseDoc::ChooseReadingFont(const ReadingFont& font) {
    if (IsReadableFontHeight(font.lfHeight)) {
        SetReadingFont(font);
        return;
    }
    // Saved, such a font would be refused at the next start, and shown it gives blank
    // pages: the reader keeps the font they had.
    m_platform.ShowMessage("字体大小必须在 " + std::to_string(kMinFontPixels) + " 到 " +
                           std::to_string(kMaxFontPixels) + " 像素之间，没有改变字体。");
    UpdateAllViews(UpdateHint::Font);
}

void CVellumwiseDoc::SetPageWidth(std::int32_t pageWidth) {
    m_pageWidth = pageWidth;
    UpdateAllViews(UpdateHint::Font);
}

void CVellumwiseDoc::ScrollTo(std::int64_t pos) {
    m_scrollPos = pos;
    UpdateAllViews(UpdateHint::Position);
}

void CVellumwiseDoc::SetAutoScroll(bool on) {
    m_autoScroll = on;
    UpdateAllViews(UpdateHint::Look);
}

void CVellumwiseDoc::SetAutoScrollInterval(int milliseconds) {
    if (std::find(std::begin(kAutoScrollIntervals), std::end(kAutoScrollIntervals), milliseconds) ==
        std::end(kAutoScrollIntervals)) {
        return;
    }
    m_autoScrollInterval = milliseconds;
    UpdateAllViews(UpdateHint::Look);
}

void CVellumwiseDoc::SetSkipNames(bool bSkip) {
    m_skipNames = bSkip;
    Regloss();
    UpdateAllViews(UpdateHint::Glosses);
}

void CVellumwiseDoc::AddView(IDocumentView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void CVellumwiseDoc::RemoveView(IDocumentView* view) { std::erase(m_views, view); }

void CVellumwiseDoc::UpdateAllViews(UpdateHint hint) {
    if (MovesTokens(hint) && m_layouter != nullptr) {
        const LayoutOutcome outcome = m_layouter->LayOut(m_text);
        m_textHeight = outcome.textHeight;
        m_scrollPos = outcome.scrollPos;
    }
    for (IDocumentView* view : m_views) {
        view->OnUpdate(hint);
    }
}

void CVellumwiseDoc::SetTitle(const std::string& title) {
    if (title == m_strTitle) {
        return;
    }
    m_strTitle = title;
    for (IDocumentView* view : m_views) {
        view->OnTitleChanged();
    }
}
