#include "CVellumwiseDoc.h"

#include <algorithm>
#include <filesystem>

#include "DictionaryFile.h"
#include "DictionaryText.h"
#include "IPlatformServices.h"
#include "ReadFileBytes.h"
#include "TextDecoder.h"
#include "TextFileLoad.h"
#include "VocabularyTable.h"

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
    : m_strProgramDir(ExecutableDirectory()), m_platform(platform), m_strTitle(kUntitled) {}

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
    m_nVocabLevel = kDefaultVocabLevel;
    m_dThreshold = ThresholdForLevel(kDefaultVocabLevel);
    m_bShowMedical = false;
    m_bShowScience = false;
    m_bSkipNames = true;
    m_bAutoScroll = false;
    m_fontText = ReadingFont{};
    m_nGlossPercent = kGlossPercents[0];
    m_bInitialised = LoadDictionary();
    return m_bInitialised;
}

bool CVellumwiseDoc::LoadDictionary() {
    const std::string path = m_strProgramDir + "/main.dic";
    const DicFileResult result = LoadDictionaryFile(m_dicMain, path);
    if (result.Ok()) {
        return true;
    }
    if (result.kind == DicFileResult::Kind::Missing) {
        m_platform.ShowMessage("找不到字典文件，程序将会退出，请重新安装软件。");
    } else {
        m_platform.ShowMessage("读取字典文件错误 " + path);
    }
    return false;
}

void CVellumwiseDoc::OnOpenTextFile() {
    if (const auto path = m_platform.ChooseFileToOpen(kTextFilter)) {
        OpenTextFile(*path);
    }
}

bool CVellumwiseDoc::OpenTextFile(const std::string& path) {
    m_platform.BeginWaitCursor();
    TextFileLoad load;
    // The window keeps showing the old text until the new one is complete.
    m_platform.RunWithProgress([&](const ProgressReport& report) {
        load = TextFileLoad::Run(
            path, m_dicMain,
            GlossChoice{m_dThreshold, m_bShowMedical, m_bShowScience, m_bSkipNames}, report);
    });
    if (load.paragraphs) {
        m_paragraphs = std::move(*load.paragraphs);
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

void CVellumwiseDoc::OnEditPaste() {
    const std::optional<std::string> text = m_platform.ClipboardText();
    if (!text || text->empty()) {
        return;
    }
    ReplaceText(TextDecoder::Decode(*text));
}

void CVellumwiseDoc::ReplaceText(std::string text) {
    SetTextAndGloss(std::move(text));
    UpdateAllViews(UpdateHint::Relayout);
}

void CVellumwiseDoc::SetTextAndGloss(std::string text) {
    m_paragraphs.SetText(std::move(text));
    Regloss();
}

void CVellumwiseDoc::Regloss() {
    m_paragraphs.Annotate(&m_dicMain, m_dThreshold, m_bShowMedical, m_bShowScience, m_bSkipNames);
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
