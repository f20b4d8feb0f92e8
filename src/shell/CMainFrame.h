#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Bookmarks.h"
#include "CommandEntry.h"
#include "IDocumentView.h"
#include "ReadingPace.h"
#include "TextPlace.h"

class CVellumwiseDoc;
class CVellumwiseView;
class FindBar;
class DictionaryPanel;
class QDockWidget;
class IPlatformServices;
class QLabel;
class QMenu;
class SettingsStore;
class TextPlaces;
struct WordBookEntry;
class QTimer;
class QToolBar;

// The main window: the menu, the two toolbars, the status bar and the reading view.
// Its caption follows the document's title. With a settings store it keeps the
// reader's settings, its own size and bars, and each text's place between runs.
class CMainFrame : public QMainWindow, public IDocumentView {
    Q_OBJECT

public:
    CMainFrame(CVellumwiseDoc& doc, IPlatformServices& platform, SettingsStore* store = nullptr);
    ~CMainFrame() override;

    CVellumwiseView* View() const { return m_pView; }
    FindBar* FindInText() const { return m_pFindBar; }
    QAction* Command(CommandId id) const;
    // The action of a command by its identifier ("ID_EDIT_PASTE"), or null.
    QAction* Command(const std::string& name) const;
    QToolBar* MainToolBar() const { return m_wndToolBar; }
    QToolBar* ReadingToolBar() const { return m_wndReadingBar; }
    // The dictionary panel and its dock (词典面板, Ctrl+L), hidden until asked for.
    DictionaryPanel* Dictionary() const { return m_pDictionary; }
    QDockWidget* DictionaryDock() const { return m_pDictionaryDock; }

    // The page pane of the status bar; ignored until the bars exist.
    void SetPageText(const QString& text);

    // Any change of the document: the commands' states follow it, and the settings
    // and the place are saved soon after.
    void OnUpdate(UpdateHint) override;
    void OnTitleChanged() override;

    // A file the reader named: a document is opened as one, anything else as a text.
    void OpenPath(const std::string& path);
    // Opens a text file at the place it was left (the current text's place is kept
    // first).
    // With `at`, the text opens with that word at the top (a word book entry's place).
    void OpenText(const std::string& path, const std::optional<WordPlace>& at = {});
    // Keeps the reading settings and the current text's place now.
    void SaveReaderState();
    QMenu* RecentMenu() const { return m_pRecentMenu; }

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnOpenTextFile();
    // Puts the text of the paragraphs the window shows on the clipboard.
    void OnEditCopy();
    void OnEditPaste();
    void OnHelp();
    // The vocabulary dialog: the document's values in, on OK back into the
    // document, which glosses again and keeps the reader's place.
    void OnVocabulary();
    void OnAppAbout();
    void OnWordBook();
    void OnReview();
    void OnKnownWords();
    // Counts the word book's words due for review again, for the menu (MainFrameWordBook.cpp).
    void RefreshReviewDue();
    void CountReviewDue();
    // The page behind the vocabulary dialog glossed at a step, and what the step gives
    // the open text (MainFrameVocabulary.cpp).
    QString PreviewVocabularyStep(int level, double threshold);
    // The level test over the dictionary's own order; the step the reader took, which
    // is kept with the estimate and the date in the settings (MainFrameVocabulary.cpp).
    std::optional<int> RunLevelTest(QWidget* parent);
    // The test from the menu: a step taken is applied at once.
    void OnLevelTest();
    // At the first start only, and never again whatever the answer.
    void OfferLevelTestOnce();
    void ConnectWordBook();       // MainFrameWordBook.cpp
    void CreateDictionaryDock();  // MainFrameDictionary.cpp
    void OpenWordBookEntry(const WordBookEntry& entry);

    // Bookmarks (MainFrameBookmarks.cpp). A bookmark keeps the word at the window's top,
    // its first words and its chapter, in the reader's bookmark file beside the word
    // book; a pasted text, which has no file, can have none.
    void AddBookmarkHere();
    void OnManageBookmarks();
    // The open text's bookmarks as the file holds them now, in the order of their places.
    std::vector<Bookmark> TextBookmarks() const;
    // Goes to the bookmark's word, opening its text first when another is shown.
    void OpenBookmark(const Bookmark& bookmark);

    // Chapters and where the reader is (MainFrameWhereAmI.cpp).
    void OnChapterList();
    void OnNextChapter();
    void OnPreviousChapter();
    // The clock the reading pace is measured by, in milliseconds; tests set their own.
    void SetClock(std::function<std::int64_t()> nowMs) { m_clock = std::move(nowMs); }
    const ReadingPace& Pace() const { return m_pace; }
    // A short report in the status bar's message pane (the page panes stay).
    void Report(const QString& text);

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<CommandEntry> CommandTable();
    void CreateCommands();
    void CreateMenu();
    // The commands of `layout` in order, a separator for each empty slot.
    void AddCommands(QWidget* menuOrBar, std::span<const CommandSlot> layout);
    QToolBar* CreateToolBar(const QString& title, const char* objectName,
                            std::span<const CommandSlot> layout);
    void CreateStatusBar();
    void UpdateLockPanes();
    // The one place the commands' checked and enabled states follow the document.
    void UpdateActions();
    void RememberPlace();
    void FillRecentMenu();
    void OpenRecent(const std::string& path);
    // The page's percentage, the chapter and the time left, after each change.
    void UpdateWhereAmI();
    // The reader's own help window, when no browser shows the page.
    void ShowHelpWindow(const std::string& page);

    CVellumwiseDoc& m_doc;
    IPlatformServices& m_platform;
    bool m_bBarsReady = false;
    CVellumwiseView* m_pView = nullptr;
    FindBar* m_pFindBar = nullptr;  // under the page, hidden until Ctrl+F
    QDockWidget* m_pDictionaryDock = nullptr;
    DictionaryPanel* m_pDictionary = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndReadingBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pPagePane = nullptr;
    QLabel* m_pPercentPane = nullptr;
    QLabel* m_pChapterPane = nullptr;
    QLabel* m_pTimeLeftPane = nullptr;
    ReadingPace m_pace;
    QElapsedTimer m_elapsed;
    std::function<std::int64_t()> m_clock;
    std::uint64_t m_nPaceText = UINT64_MAX;  // the text the pace's last move was in
    std::size_t m_nPaceToken = SIZE_MAX;     // and its top token then
    std::array<QLabel*, 3> m_arrLockPanes{};
    QTimer* m_pLockTimer = nullptr;
    // Each row of the table with the action made from it, in table order.
    std::vector<std::pair<CommandEntry, QAction*>> m_commands;
    SettingsStore* m_pStore = nullptr;
    std::unique_ptr<TextPlaces> m_pPlaces;
    QMenu* m_pRecentMenu = nullptr;
    // Saves a moment after the first change, so that scrolling writes no file per step.
    QTimer* m_pSaveTimer = nullptr;
    std::size_t m_reviewDue = 0;
};
