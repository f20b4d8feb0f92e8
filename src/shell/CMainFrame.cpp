#include "CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "BookmarkMenu.h"
#include "CAboutDlg.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "CVocabularyDlg.h"
#include "ChapterMenu.h"
#include "EpubBook.h"
#include "FileKind.h"
#include "FindBar.h"
#include "IPlatformServices.h"
#include "KeyboardLocks.h"
#include "SettingsStore.h"
#include "ShownText.h"
#include "TextPlaces.h"
#include "WindowPalette.h"

// The icons live in this static library; they must be registered by hand.
static void InitResources() { Q_INIT_RESOURCE(vellumwise); }

namespace {

// The folder of a file as bytes: the next open dialog starts there, whatever its name.
std::string FolderOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string() : absolute.parent_path().string();
}

// The menus and the two toolbars, in order. Every command the reader can give is in a
// menu, with its key shown there and on its button.
constexpr CommandSlot kFileMenu[] = {
    CommandId::FileOpen, CommandId::EditPaste, kSeparator, CommandId::SkipNames,
    kSeparator,          CommandId::FilePrint, kSeparator, CommandId::AppExit,
};
constexpr CommandSlot kEditMenu[] = {
    CommandId::EditCopy,
    CommandId::EditPaste,
    kSeparator,
    CommandId::Find,
    CommandId::FindNext,
    CommandId::FindPrevious,
    kSeparator,
    CommandId::MarkKnown,
    CommandId::MarkNew,
    CommandId::Unmark,
    CommandId::ChooseSense,
    kSeparator,
    CommandId::AddToWordBook,
    CommandId::WordBook,
    CommandId::Review,
    CommandId::KnownWords,
};
constexpr CommandSlot kGoMenu[] = {
    CommandId::TextHome,
    CommandId::TextEnd,
    CommandId::HalfPageUp,
    CommandId::HalfPageDown,
    CommandId::LineUp,
    CommandId::LineDown,
    kSeparator,
    CommandId::GotoPage,
    kSeparator,
    CommandId::ChapterList,
    CommandId::NextChapter,
    CommandId::PreviousChapter,
};
constexpr CommandSlot kDisplayMenu[] = {
    CommandId::Vocabulary, CommandId::LevelTest,  CommandId::TextFont,  kSeparator,
    CommandId::TextColor,  CommandId::GlossColor, CommandId::PageColor,
};
constexpr CommandSlot kHelpMenu[] = {CommandId::Help, CommandId::AppAbout};
constexpr CommandSlot kMainToolBar[] = {
    CommandId::FileOpenText, CommandId::EditPaste, kSeparator,
    CommandId::AutoScroll,   kSeparator,           CommandId::AppAbout};
constexpr CommandSlot kReadingToolBar[] = {
    CommandId::LineDown,   CommandId::LineUp,    CommandId::HalfPageDown, CommandId::HalfPageUp,
    CommandId::TextEnd,    CommandId::TextHome,  CommandId::GotoPage,     CommandId::TextColor,
    CommandId::GlossColor, CommandId::PageColor, CommandId::TextFont,     CommandId::Vocabulary};
// The display menu's choices, each a group of which one is checked.
constexpr CommandSlot kGlossSizeMenu[] = {CommandId::GlossSize60, CommandId::GlossSize70,
                                          CommandId::GlossSize80, CommandId::GlossSize100};
constexpr CommandSlot kColorSchemeMenu[] = {CommandId::SchemeDefault, CommandId::SchemeSepia,
                                            CommandId::SchemeNight, CommandId::SchemeClassic};
constexpr CommandSlot kLayoutMenu[] = {CommandId::LayoutBook, CommandId::LayoutOriginal};
constexpr CommandSlot kAutoScrollSpeedMenu[] = {
    CommandId::AutoScrollSlow, CommandId::AutoScrollNormal, CommandId::AutoScrollFast,
    CommandId::AutoScrollFastest};

const QString kIdleText = QStringLiteral("就绪");
// Books and texts first; a .vwd document opens as it always did.
const QString kOpenFilter =
    QStringLiteral("电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;vwd (*.vwd);;所有文件 (*)");

// A command's name as a tooltip shows it: without the menu's access key, with the
// command's key.
QString ToolTipOf(const CommandEntry& entry) {
    QString tip = entry.toolTip.isEmpty() ? entry.text : entry.toolTip;
    tip.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    tip.remove(QLatin1Char('&'));
    if (!entry.keys.isEmpty()) {
        tip += QStringLiteral(" (%1)").arg(entry.keys.front().toString(QKeySequence::NativeText));
    }
    return tip;
}
constexpr int kLockPollMilliseconds = 250;
constexpr int kSaveDelayMilliseconds = 2000;

}  // namespace

CMainFrame::CMainFrame(CVellumwiseDoc& doc, IPlatformServices& platform, SettingsStore* store)
    : m_doc(doc),
      m_platform(platform),
      m_pStore(store),
      m_pPlaces(std::make_unique<TextPlaces>(store)) {
    InitResources();
    setWindowIcon(QIcon(QStringLiteral(":/vellumwise.svg")));
    // The page with the find bar under it.
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    m_pView = new CVellumwiseView(doc, page);
    m_pFindBar = new FindBar(*m_pView, page);
    pageLayout->addWidget(m_pView, 1);
    pageLayout->addWidget(m_pFindBar);
    setCentralWidget(page);
    connect(m_pView, &CVellumwiseView::pageTextChanged, this, &CMainFrame::SetPageText);
    ConnectWordBook();
    CreateDictionaryDock();

    CreateCommands();
    CreateMenu();
    m_wndToolBar = CreateToolBar(QStringLiteral("标准"), "MainToolBar", kMainToolBar);
    m_wndReadingBar = CreateToolBar(QStringLiteral("阅读"), "ReadingToolBar", kReadingToolBar);
    // Two rows at the top: the main toolbar first.
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wndReadingBar);
    CreateStatusBar();
    setAcceptDrops(true);
    resize(1024, 768);
    if (m_pStore != nullptr) {
        restoreGeometry(m_pStore->WindowGeometry());
        restoreState(m_pStore->WindowState());
    }
    m_elapsed.start();
    m_pSaveTimer = new QTimer(this);
    m_pSaveTimer->setSingleShot(true);
    m_pSaveTimer->setInterval(kSaveDelayMilliseconds);
    connect(m_pSaveTimer, &QTimer::timeout, this, &CMainFrame::SaveReaderState);

    m_doc.AddView(this);
    OnTitleChanged();
    UpdateActions();
    m_bBarsReady = true;
}

void CMainFrame::UpdateActions() {
    for (const auto& [entry, action] : m_commands) {
        if (entry.checked) {
            action->setChecked(entry.checked());
        }
        if (entry.enabled) {
            action->setEnabled(entry.enabled());
        }
        if (entry.label) {
            action->setText(entry.label());
        }
    }
}

CMainFrame::~CMainFrame() { m_doc.RemoveView(this); }

void CMainFrame::OnUpdate(UpdateHint hint) {
    if (hint == UpdateHint::Text) {
        CountReviewDue();  // the known words of another text's marks may differ
    }
    UpdateActions();
    UpdateWhereAmI();
    ApplyWindowPalette(m_doc.m_colorScheme);
    if (m_pStore != nullptr && !m_pSaveTimer->isActive()) {
        m_pSaveTimer->start();
    }
}

void CMainFrame::SaveReaderState() {
    m_pSaveTimer->stop();
    if (m_pStore == nullptr) {
        return;
    }
    m_pStore->SaveReading(m_doc.Settings());
    RememberPlace();
}

void CMainFrame::RememberPlace() {
    if (m_doc.TextPath().empty() || !m_doc.m_bInitialised) {
        return;
    }
    // Past the last line: the end, which a restore holds at the last word.
    const WordPlace top =
        m_pView->TopWord().value_or(WordPlace{m_doc.m_paragraphs.m_arrParagraphs.size(), 0});
    m_pPlaces->Remember(m_doc.TextPath(), {top, m_doc.m_nVocabLevel});
}

void CMainFrame::CreateCommands() {
    for (CommandEntry& entry : CommandTable()) {
        if (entry.made != nullptr) {
            entry.text = entry.made->text();
            entry.keys = entry.made->shortcuts();
            addAction(entry.made);
            QAction* made = entry.made;
            m_commands.emplace_back(std::move(entry), made);
            continue;
        }
        auto* action = new QAction(entry.text, this);
        action->setObjectName(QString::fromLatin1(CommandName(entry.id)));
        if (!entry.icon.isEmpty()) {
            action->setIcon(QIcon(entry.icon));
        }
        action->setShortcuts(entry.keys);
        action->setToolTip(ToolTipOf(entry));
        action->setStatusTip(entry.statusTip);
        action->setCheckable(static_cast<bool>(entry.checked));
        if (entry.handler) {
            connect(action, &QAction::triggered, this, [handler = entry.handler] { handler(); });
        }
        // Keys work wherever the focus is in the window, with or without a menu item.
        addAction(action);
        m_commands.emplace_back(std::move(entry), action);
    }
}

QAction* CMainFrame::Command(CommandId id) const {
    for (const auto& [entry, action] : m_commands) {
        if (entry.id == id) {
            return action;
        }
    }
    return nullptr;
}

QAction* CMainFrame::Command(const std::string& name) const {
    for (const auto& [entry, action] : m_commands) {
        if (name == CommandName(entry.id)) {
            return action;
        }
    }
    return nullptr;
}

void CMainFrame::AddCommands(QWidget* menuOrBar, std::span<const CommandSlot> layout) {
    for (const CommandSlot& slot : layout) {
        if (!slot) {
            auto* separator = new QAction(menuOrBar);
            separator->setSeparator(true);
            menuOrBar->addAction(separator);
            continue;
        }
        menuOrBar->addAction(Command(*slot));
    }
}

void CMainFrame::CreateMenu() {
    auto addMenu = [this](const QString& title, const char* objectName,
                          std::span<const CommandSlot> layout) {
        QMenu* menu = menuBar()->addMenu(title);
        menu->setObjectName(QString::fromLatin1(objectName));
        AddCommands(menu, layout);
        return menu;
    };
    QMenu* file = addMenu(QStringLiteral("文件(&F)"), "FileMenu", kFileMenu);
    // The book's table of contents, under the command that opens books.
    file->insertMenu(file->actions().at(1), new ChapterMenu(m_doc, *m_pView, file));
    QMenu* edit = addMenu(QStringLiteral("编辑(&E)"), "EditMenu", kEditMenu);
    // Another window or a new day may have changed what is due.
    connect(edit, &QMenu::aboutToShow, this, &CMainFrame::RefreshReviewDue);
    addMenu(QStringLiteral("转到(&G)"), "GoMenu", kGoMenu);
    menuBar()->addMenu(new BookmarkMenu(*this, Command(CommandId::AddBookmark),
                                        Command(CommandId::ManageBookmarks), this));

    QMenu* display = addMenu(QStringLiteral("显示(&V)"), "DisplayMenu", kDisplayMenu);
    auto addChoices = [this, display](const QString& title, const char* objectName,
                                      std::span<const CommandSlot> layout) {
        QMenu* menu = display->addMenu(title);
        menu->setObjectName(QString::fromLatin1(objectName));
        AddCommands(menu, layout);
        // Exclusive: choosing the checked item again leaves it checked.
        auto* group = new QActionGroup(menu);
        for (QAction* action : menu->actions()) {
            group->addAction(action);
        }
    };
    addChoices(QStringLiteral("注释字号"), "GlossSizeMenu", kGlossSizeMenu);
    addChoices(QStringLiteral("配色方案"), "ColorSchemeMenu", kColorSchemeMenu);
    addChoices(QStringLiteral("排版"), "LayoutMenu", kLayoutMenu);
    display->addSeparator();
    display->addAction(Command(CommandId::AutoScroll));
    addChoices(QStringLiteral("滚屏速度"), "AutoScrollSpeedMenu", kAutoScrollSpeedMenu);
    display->addSeparator();
    display->addAction(Command(CommandId::ContextSenses));
    display->addAction(Command(CommandId::SubjectSenses));
    display->addAction(Command(CommandId::WordCard));
    display->addAction(Command(CommandId::WordCardShow));
    display->addAction(Command(CommandId::SpeakWord));
    display->addAction(Command(CommandId::DictionaryPanel));
    addMenu(QStringLiteral("帮助(&H)"), "HelpMenu", kHelpMenu);

    m_pRecentMenu = new QMenu(QStringLiteral("最近打开的文本"), file);
    m_pRecentMenu->setObjectName(QStringLiteral("RecentMenu"));
    file->insertMenu(Command(CommandId::EditPaste), m_pRecentMenu);
    connect(m_pRecentMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    FillRecentMenu();
}

void CMainFrame::FillRecentMenu() {
    m_pRecentMenu->clear();
    const std::vector<std::string> paths = m_pPlaces->Recent();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        // Shown as UTF-8 (odd bytes as U+FFFD), opened by its bytes.
        const QString shown = QString::fromStdString(path);
        QAction* item = m_pRecentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(shown).fileName()));
        item->setData(shown);
        item->setStatusTip(shown);
        connect(item, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    m_pRecentMenu->setEnabled(!paths.empty());
}

void CMainFrame::OpenRecent(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        m_pPlaces->Forget(path);
        FillRecentMenu();
        m_platform.ShowMessage("找不到这个文本文件，已从最近打开的文本中移除：" + path);
        return;
    }
    OpenText(path);
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, const char* objectName,
                                    std::span<const CommandSlot> layout) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(QString::fromLatin1(objectName));
    bar->setIconSize(QSize(16, 15));
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    AddCommands(bar, layout);
    return bar;
}

void CMainFrame::CreateStatusBar() {
    m_pMessagePane = new QLabel(kIdleText, this);
    m_pMessagePane->setObjectName(QStringLiteral("MessagePane"));
    statusBar()->addWidget(m_pMessagePane, 1);
    // The page indicator has a pane of its own, so no prompt ever hides it.
    m_pChapterPane = new QLabel(this);
    m_pChapterPane->setObjectName(QStringLiteral("ChapterPane"));
    m_pChapterPane->setVisible(false);
    statusBar()->addPermanentWidget(m_pChapterPane);
    m_pPagePane = new QLabel(this);
    m_pPagePane->setObjectName(QStringLiteral("PagePane"));
    statusBar()->addPermanentWidget(m_pPagePane);
    m_pPercentPane = new QLabel(QStringLiteral("0%"), this);
    m_pPercentPane->setObjectName(QStringLiteral("PercentPane"));
    statusBar()->addPermanentWidget(m_pPercentPane);
    m_pTimeLeftPane = new QLabel(this);
    m_pTimeLeftPane->setObjectName(QStringLiteral("TimeLeftPane"));
    m_pTimeLeftPane->setVisible(false);
    statusBar()->addPermanentWidget(m_pTimeLeftPane);
    const char* names[] = {"CapsPane", "NumPane", "ScrollPane"};
    for (std::size_t i = 0; i < m_arrLockPanes.size(); ++i) {
        m_arrLockPanes[i] = new QLabel(this);
        m_arrLockPanes[i]->setObjectName(QString::fromLatin1(names[i]));
        m_arrLockPanes[i]->setAlignment(Qt::AlignCenter);
        m_arrLockPanes[i]->setMinimumWidth(
            m_arrLockPanes[i]->fontMetrics().horizontalAdvance(QStringLiteral("大写")) + 16);
        statusBar()->addPermanentWidget(m_arrLockPanes[i]);
    }
    // The lock keys send nothing to an unfocused window, so their state is polled.
    if (KeyboardLocks::Read().has_value()) {
        m_pLockTimer = new QTimer(this);
        connect(m_pLockTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
        m_pLockTimer->start(kLockPollMilliseconds);
        UpdateLockPanes();
    }
}

void CMainFrame::UpdateLockPanes() {
    const std::optional<KeyboardLocks> locks = KeyboardLocks::Read();
    if (!locks) {
        return;
    }
    m_arrLockPanes[0]->setText(locks->caps ? QStringLiteral("大写") : QString());
    m_arrLockPanes[1]->setText(locks->num ? QStringLiteral("数字") : QString());
    m_arrLockPanes[2]->setText(locks->scroll ? QStringLiteral("滚动") : QString());
}

void CMainFrame::SetPageText(const QString& text) {
    if (!m_bBarsReady) {
        return;
    }
    m_pPagePane->setText(text);
}

bool CMainFrame::event(QEvent* event) {
    // Prompts go to pane 0; when one ends the idle text comes back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_pMessagePane->setText(tip.isEmpty() ? kIdleText : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::OnTitleChanged() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + QStringLiteral(" - Vellumwise"));
}

void CMainFrame::OnFileNew() { m_doc.OnNewDocument(); }

void CMainFrame::OnFileOpen() {
    if (const auto path = m_platform.ChooseFileToOpen(kOpenFilter.toStdString())) {
        OpenPath(*path);
    }
}

void CMainFrame::OnOpenTextFile() {
    if (const auto path = m_platform.ChooseFileToOpen(CVellumwiseDoc::kOpenTextFilter)) {
        OpenText(*path);
    }
}

void CMainFrame::OnEditCopy() {
    const std::string text = ShownText(m_doc.m_paragraphs.m_arrParagraphs, m_doc.m_nScrollPos,
                                       m_pView->viewport()->height());
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void CMainFrame::OnEditPaste() {
    RememberPlace();
    m_doc.OnEditPaste();
}

void CMainFrame::OpenPath(const std::string& path) {
    switch (KindOfFile(path)) {
        case FileKind::Document:
            m_doc.OnOpenDocument(path);
            if (m_pStore != nullptr) {
                m_pStore->SaveLastFolder(FolderOf(path));
            }
            break;
        case FileKind::Book:
        case FileKind::Text:
            OpenText(path);
            break;
    }
}

void CMainFrame::OpenText(const std::string& path, const std::optional<WordPlace>& at) {
    RememberPlace();
    std::optional<ReadingPlace> place = m_pPlaces->Recall(path);
    if (at) {
        place = ReadingPlace{*at, place ? place->vocabLevel : m_doc.m_nVocabLevel};
    }
    // Only a text that was taken is recorded: after a refusal the old text (if any)
    // is still shown and was remembered above, and the refused file's folder is not
    // where the reader will look next.
    if (m_doc.OpenTextFile(path, place)) {
        // Newest in the recent list, with the place it opened at.
        RememberPlace();
        FillRecentMenu();
        if (m_pStore != nullptr) {
            m_pStore->SaveLastFolder(FolderOf(path));
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveReaderState();
    if (m_pStore != nullptr) {
        m_pStore->SaveWindow(saveGeometry(), saveState());
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::OnVocabulary() {
    CVocabularyDlg dlg(this);
    dlg.m_dThreshold = m_doc.m_dThreshold;
    dlg.m_nVocabLevel = m_doc.m_nVocabLevel;
    dlg.m_bShowMedical = m_doc.m_bShowMedical;
    dlg.m_bShowScience = m_doc.m_bShowScience;
    dlg.previewStep = [this](int level, double threshold) {
        return PreviewVocabularyStep(level, threshold);
    };
    dlg.runLevelTest = [this, &dlg] { return RunLevelTest(&dlg); };
    if (dlg.exec() == QDialog::Accepted) {
        m_doc.ApplyVocabulary(dlg.m_nVocabLevel, dlg.m_dThreshold, dlg.m_bShowMedical,
                              dlg.m_bShowScience);
    }
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnHelp() {
    // The copy installed beside the program first: a page planted in whatever
    // folder the reader started from must not be opened in its place. The working
    // folder only serves a program installed without one.
    std::error_code error;
    const std::filesystem::path name = "help.htm";
    for (const std::filesystem::path& folder :
         {std::filesystem::path(m_doc.m_strProgramDir), std::filesystem::current_path(error)}) {
        const std::filesystem::path candidate = folder / name;
        if (!folder.empty() && std::filesystem::is_regular_file(candidate, error)) {
            // No browser to show it: the program's own window does.
            if (!m_platform.OpenWithShell(candidate.string())) {
                ShowHelpWindow(candidate.string());
            }
            return;
        }
    }
    m_platform.ShowMessage("找不到帮助页 help.htm：它应在程序所在的文件夹 " +
                           m_doc.m_strProgramDir + " 中。请重新安装 Vellumwise。");
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        // The URL keeps a name's bytes that are not UTF-8 percent-encoded.
        const std::string path =
            QByteArray::fromPercentEncoding(urls.front().path(QUrl::FullyEncoded).toLatin1())
                .toStdString();
        // Opened once the drop is over: a message about a file that cannot be read
        // must not hold the drag source waiting.
        QTimer::singleShot(0, this, [this, path] { OpenPath(path); });
        event->acceptProposedAction();
    }
}
