#include "CVellumwiseDoc.h"

#include <algorithm>
#include <filesystem>

#include "CodePage.h"
#include "DictionaryFile.h"
#include "DictionaryText.h"
#include "IPlatformServices.h"
#include "LowerCaseWord.h"
#include "ReadFileBytes.h"
#include "TextDecoder.h"
#include "TextFileLoad.h"
#include "VocabularyTable.h"
#include "WordBook.h"

namespace {

constexpr const char* kUntitled = "无标题";
constexpr const char* kTextFilter = "文本文件 (*.txt)";
constexpr const char* kDictionaryFilter = "字典文件 (*.dic)";

std::string ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

// The file's name cut before its last dot, as the title bar shows a text.
std::string FileTitle(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

CVellumwiseDoc::CVellumwiseDoc(IPlatformServices& platform)
    : m_strProgramDir(ExecutableDirectory()),
      m_strPersonalDir(PersonalWords::DefaultFolder()),
      m_platform(platform),
      m_strTitle(kUntitled) {}

bool CVellumwiseDoc::OnNewDocument() {
    m_strPathName.clear();
    SetTitle(kUntitled);
    m_nScrollPos = 0;
    if (!InitialiseOnce()) {
        return false;
    }
    UpdateAllViews(UpdateHint::Relayout);
    return true;
}

bool CVellumwiseDoc::OnOpenDocument(const std::string& path) {
    if (!InitialiseOnce()) {
        return false;
    }
    m_strPathName = path;
    SetTitle(std::filesystem::path(path).filename().string());
    UpdateAllViews(UpdateHint::Relayout);
    return true;
}

bool CVellumwiseDoc::InitialiseOnce() {
    if (m_bInitialised) {
        return true;
    }
    const SchemeColors colors = ColorsOf(ColorScheme::Default);
    m_colorScheme = ColorScheme::Default;
    m_crPage = colors.page;
    m_crText = colors.text;
    m_crGloss = colors.gloss;
    m_nPageWidth = 800;
    m_bAutoScroll = false;
    m_nGlossPercent = kGlossPercents[0];
    UseSettings(m_startSettings.value_or(ReadingSettings{}));
    m_bInitialised = LoadDictionary();
    if (m_bInitialised) {
        m_personal = PersonalWords(m_strPersonalDir);
        const std::string warning = m_personal.Load();
        m_marks = MarkIndex(m_dicMain, m_personal);
        m_paragraphs.SetMarks(&m_marks);
        if (!warning.empty()) {
            m_platform.ShowMessage(warning);
        }
    }
    return m_bInitialised;
}

void CVellumwiseDoc::UseSettings(const ReadingSettings& settings) {
    m_nVocabLevel = std::clamp(settings.vocabLevel, kMinVocabLevel, kMaxVocabLevel);
    m_dThreshold = ThresholdForLevel(m_nVocabLevel);
    m_bShowMedical = settings.showMedical;
    m_bShowScience = settings.showScience;
    m_bSkipNames = settings.skipNames;
    m_colorScheme = settings.colorScheme;
    m_pageLayout = settings.pageLayout;
    m_crPage = settings.pageColor;
    m_crText = settings.textColor;
    m_crGloss = settings.glossColor;
    m_fontText = settings.font;
    // A size the menu does not offer (a hand-edited file) keeps the default.
    if (std::find(std::begin(kGlossPercents), std::end(kGlossPercents), settings.glossPercent) !=
        std::end(kGlossPercents)) {
        m_nGlossPercent = settings.glossPercent;
    }
}

ReadingSettings CVellumwiseDoc::Settings() const {
    ReadingSettings settings;
    settings.vocabLevel = m_nVocabLevel;
    settings.showMedical = m_bShowMedical;
    settings.showScience = m_bShowScience;
    settings.skipNames = m_bSkipNames;
    settings.colorScheme = m_colorScheme;
    settings.pageLayout = m_pageLayout;
    settings.pageColor = m_crPage;
    settings.textColor = m_crText;
    settings.glossColor = m_crGloss;
    settings.font = m_fontText;
    settings.glossPercent = m_nGlossPercent;
    return settings;
}

bool CVellumwiseDoc::LoadDictionary() {
    const std::string path = m_strProgramDir + "/main.dic";
    const DicFileResult result = LoadDictionaryFile(m_dicMain, path);
    if (result.Ok()) {
        LoadSupplement();
        return true;
    }
    if (result.kind == DicFileResult::Kind::Missing) {
        m_platform.ShowMessage("找不到字典文件，程序将会退出，请重新安装软件。");
    } else {
        m_platform.ShowMessage("读取字典文件错误 " + path);
    }
    return false;
}

void CVellumwiseDoc::LoadSupplement() {
    // The words main.dic's fixed layout cannot hold. Without it the reader still has
    // main.dic; a damaged one is refused whole, so main.dic's entries stay as they were.
    const std::string path = m_strProgramDir + "/" + std::string(kSupplementFileName);
    const DicFileResult result = LoadDictionaryFile(m_dicMain, path);
    if (!result.Ok() && result.kind != DicFileResult::Kind::Missing) {
        m_platform.ShowMessage("读取字典文件错误 " + path);
    }
}

void CVellumwiseDoc::OnOpenTextFile() {
    if (const auto path = m_platform.ChooseFileToOpen(kOpenTextFilter)) {
        OpenTextFile(*path);
    }
}

bool CVellumwiseDoc::OpenTextFile(const std::string& path,
                                  const std::optional<ReadingPlace>& place) {
    if (IsEpubName(path)) {
        return OpenEpubFile(path, place);
    }
    m_platform.BeginWaitCursor();
    // The step first: the text is glossed once, with the step it was read with.
    const int level =
        place ? std::clamp(place->vocabLevel, kMinVocabLevel, kMaxVocabLevel) : m_nVocabLevel;
    const double threshold = place ? ThresholdForLevel(level) : m_dThreshold;
    TextFileLoad load;
    // The window keeps showing the old text until the new one is complete.
    m_platform.RunWithProgress([&](const ProgressReport& report) {
        load = TextFileLoad::Run(
            path, m_dicMain, GlossChoice{threshold, m_bShowMedical, m_bShowScience, m_bSkipNames},
            report);
    });
    if (load.paragraphs) {
        m_paragraphs = std::move(*load.paragraphs);
        m_chapters.clear();
        ++m_nTextSerial;
        m_nVocabLevel = level;
        m_dThreshold = threshold;
        m_strTextPath = path;
        m_placeToShow.reset();
        if (place) {
            m_placeToShow = place->topWord;
        }
        // The loader glossed with the current dictionary but without the reader's
        // marks; they go on top here.
        m_bDictionaryChanged = false;
        m_paragraphs.SetMarks(&m_marks);
        ReapplyMarks();
        m_strTextFileName = std::filesystem::path(path).filename().string();
        SetTitle(FileTitle(path));
        m_nScrollPos = 0;
        UpdateAllViews(UpdateHint::Relayout);
        m_platform.EndWaitCursor();
        return true;
    }
    if (load.problem == ReadFileProblem::CannotRead) {
        // A file that cannot be opened at all replaces the text by nothing, under
        // the chosen file's title; a view still laid out for the old text would
        // draw and scroll over paragraphs that no longer exist.
        m_paragraphs.RemoveAll();
        ++m_nTextSerial;
        m_strTextPath.clear();
        m_placeToShow.reset();
        m_chapters.clear();
        m_strTextFileName = std::filesystem::path(path).filename().string();
        SetTitle(FileTitle(path));
        UpdateAllViews(UpdateHint::Relayout);
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

bool CVellumwiseDoc::AddToWordBook(std::size_t paragraph, std::size_t token) {
    if (paragraph >= m_paragraphs.m_arrParagraphs.size()) {
        return false;
    }
    const CParagraph& para = m_paragraphs.m_arrParagraphs[paragraph];
    if (token >= para.TokenCount() || para.Word(token).size() < 2) {
        return false;
    }
    const std::string_view word = para.Word(token);
    std::string_view gloss = para.Gloss(token);
    if (gloss.empty()) {
        LowerCaseWord lower;
        if (const auto entry = m_dicMain.FindReachedEntry(lower.Of(word))) {
            gloss = m_dicMain.m_arrItems[*entry].m_strGloss;
        }
    }
    WordBookEntry entry;
    entry.word = LowerCaseWord().Of(word);
    entry.gloss = codepage::GbkToUtf8Lossy(gloss);
    const TokenSpan span = para.Span(token);
    entry.sentence = CutSentence(para.m_strText, span.offset, span.length);
    entry.source = m_strTextFileName;
    entry.date = TodayIso();
    const std::string problem = AppendToWordBook(m_strPersonalDir, entry);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
        return false;
    }
    return true;
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
    SetTextAndGloss(std::move(text));
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetTextAndGloss(std::string text) {
    ++m_nTextSerial;
    m_chapters.clear();
    m_paragraphs.SetText(std::move(text));
    Regloss();
}

void CVellumwiseDoc::Regloss() {
    m_paragraphs.Annotate(&m_dicMain, m_dThreshold, m_bShowMedical, m_bShowScience, m_bSkipNames);
    m_bDictionaryChanged = false;
}

void CVellumwiseDoc::ReapplyMarks() {
    if (m_bDictionaryChanged) {
        Regloss();
        return;
    }
    // Only the marks changed: the step's glosses of the last Regloss still hold.
    m_paragraphs.ReapplyMarks(&m_dicMain);
}

void CVellumwiseDoc::ApplyMark(std::string_view word, WordMark mark) {
    if (!ListWordOf(word)) {
        return;  // no list can hold it, and no entry is spelt so
    }
    const std::string problem = m_personal.SetMark(m_dicMain, word, mark);
    m_marks = MarkIndex(m_dicMain, m_personal);
    ReapplyMarks();
    UpdateAllViews(UpdateHint::Relayout);
    if (!problem.empty()) {
        m_platform.ShowMessage(problem);
    }
}

void CVellumwiseDoc::MarkKnown(std::string_view word) { ApplyMark(word, WordMark::Known); }
void CVellumwiseDoc::MarkNew(std::string_view word) { ApplyMark(word, WordMark::New); }
void CVellumwiseDoc::Unmark(std::string_view word) { ApplyMark(word, WordMark::None); }

WordMark CVellumwiseDoc::MarkOf(std::string_view word) const {
    const std::string lower = LowerAscii(word);
    return m_marks.Find(m_dicMain.FindReachedEntry(lower), lower);
}

PersonalWords::ImportReport CVellumwiseDoc::ImportKnownWords(std::string_view bytes) {
    PersonalWords::ImportReport report = m_personal.ImportKnown(m_dicMain, bytes);
    if (report.added > 0) {
        m_marks = MarkIndex(m_dicMain, m_personal);
        ReapplyMarks();
        UpdateAllViews(UpdateHint::Relayout);
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
    m_dicMain.ReplaceItems(parsed.TakeItems());
    // The marks name entries by position, which the new list changes; the text keeps
    // its glosses until it is glossed again.
    m_marks = MarkIndex(m_dicMain, m_personal);
    m_bDictionaryChanged = true;
    return true;
}

void CVellumwiseDoc::OnSaveDictionary() {
    const auto path = m_platform.ChooseFileToSave(kDictionaryFilter);
    if (!path) {
        return;
    }
    if (!SaveDictionaryFile(m_dicMain, *path).Ok()) {
        m_platform.ShowMessage("无法保存这个 .txt file " + *path);
    }
}

void CVellumwiseDoc::ApplyVocabulary(int level, double threshold, bool bMedical, bool bScience) {
    m_nVocabLevel = level;
    m_dThreshold = threshold;
    m_bShowMedical = bMedical;
    m_bShowScience = bScience;
    Regloss();
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetGlossPercent(int percent) {
    if (std::find(std::begin(kGlossPercents), std::end(kGlossPercents), percent) ==
            std::end(kGlossPercents) ||
        percent == m_nGlossPercent) {
        return;
    }
    m_nGlossPercent = percent;
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetColorScheme(ColorScheme scheme) {
    const SchemeColors colors = ColorsOf(scheme);
    m_colorScheme = scheme;
    m_crPage = colors.page;
    m_crText = colors.text;
    m_crGloss = colors.gloss;
    UpdateAllViews(UpdateHint::Repaint);
}

void CVellumwiseDoc::SetPageLayout(PageLayout layout) {
    if (layout == m_pageLayout) {
        return;
    }
    m_pageLayout = layout;
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetColors(const ReadingColors& colors) {
    m_crPage = colors.page;
    m_crText = colors.text;
    m_crGloss = colors.gloss;
    UpdateAllViews(UpdateHint::Repaint);
}

void CVellumwiseDoc::SetReadingFont(const ReadingFont& font) {
    m_fontText = font;
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetPageWidth(std::int32_t pageWidth) {
    m_nPageWidth = pageWidth;
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::ScrollTo(std::int64_t pos) {
    m_nScrollPos = pos;
    UpdateAllViews(UpdateHint::Repaint);
}

void CVellumwiseDoc::SetAutoScroll(bool on) {
    m_bAutoScroll = on;
    UpdateAllViews(UpdateHint::Repaint);
}

void CVellumwiseDoc::SetSkipNames(bool bSkip) {
    m_bSkipNames = bSkip;
    Regloss();
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::AddView(IDocumentView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void CVellumwiseDoc::RemoveView(IDocumentView* view) { std::erase(m_views, view); }

void CVellumwiseDoc::UpdateAllViews(UpdateHint hint) {
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
