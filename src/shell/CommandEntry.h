#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QAction;

// Every command of the window. A menu or toolbar names its commands by these, so a
// mistyped command does not compile.
enum class CommandId {
    FileOpenText,
    EditPaste,
    AppExit,
    AutoScroll,
    SkipNames,
    ContextSenses,
    SubjectSenses,
    AppAbout,
    LineDown,
    LineUp,
    HalfPageDown,
    HalfPageUp,
    TextEnd,
    TextHome,
    GotoPage,
    TextColor,
    GlossColor,
    PageColor,
    TextFont,
    Vocabulary,
    LevelTest,
    GlossSize60,
    GlossSize70,
    GlossSize80,
    GlossSize100,
    SchemeDefault,
    SchemeSepia,
    SchemeNight,
    SchemeClassic,
    LayoutBook,
    LayoutOriginal,
    DicImportText,
    DicSave,
    FileNew,
    FileOpen,
    FilePrint,
    Help,
    FileSave,
    EditUndo,
    EditCut,
    EditCopy,
    NextPane,
    PrevPane,
    MarkKnown,
    MarkNew,
    Unmark,
    ChooseSense,
    AddToWordBook,
    WordBook,
    Review,
    KnownWords,
    WordCard,
    WordCardShow,
    SpeakWord,
    DictionaryPanel,
    AutoScrollSlow,
    AutoScrollNormal,
    AutoScrollFast,
    AutoScrollFastest,
    Find,
    FindNext,
    FindPrevious,
    AddBookmark,
    ManageBookmarks,
    ChapterList,
    NextChapter,
    PreviousChapter,
};

// The command's identifier, the object name of its QAction ("ID_GOTO_PAGE"): tests
// and the help text know the commands by it. A command left out here does not
// compile (-Wswitch).
constexpr const char* CommandName(CommandId id) {
    switch (id) {
        case CommandId::FileOpenText:
            return "ID_FILE_OPEN_TEXT";
        case CommandId::EditPaste:
            return "ID_EDIT_PASTE";
        case CommandId::AppExit:
            return "ID_APP_EXIT";
        case CommandId::AutoScroll:
            return "ID_AUTO_SCROLL";
        case CommandId::SkipNames:
            return "ID_SKIP_NAMES";
        case CommandId::ContextSenses:
            return "ID_CONTEXT_SENSES";
        case CommandId::SubjectSenses:
            return "ID_SUBJECT_SENSES";
        case CommandId::WordCard:
            return "ID_WORD_CARD";
        case CommandId::WordCardShow:
            return "ID_WORD_CARD_SHOW";
        case CommandId::SpeakWord:
            return "ID_SPEAK_WORD";
        case CommandId::DictionaryPanel:
            return "ID_DICTIONARY_PANEL";
        case CommandId::AppAbout:
            return "ID_APP_ABOUT";
        case CommandId::LineDown:
            return "ID_LINE_DOWN";
        case CommandId::LineUp:
            return "ID_LINE_UP";
        case CommandId::HalfPageDown:
            return "ID_HALF_PAGE_DOWN";
        case CommandId::HalfPageUp:
            return "ID_HALF_PAGE_UP";
        case CommandId::TextEnd:
            return "ID_TEXT_END";
        case CommandId::TextHome:
            return "ID_TEXT_HOME";
        case CommandId::GotoPage:
            return "ID_GOTO_PAGE";
        case CommandId::TextColor:
            return "ID_TEXT_COLOR";
        case CommandId::GlossColor:
            return "ID_GLOSS_COLOR";
        case CommandId::PageColor:
            return "ID_PAGE_COLOR";
        case CommandId::TextFont:
            return "ID_TEXT_FONT";
        case CommandId::Vocabulary:
            return "ID_VOCABULARY";
        case CommandId::LevelTest:
            return "ID_LEVEL_TEST";
        case CommandId::GlossSize60:
            return "ID_GLOSS_SIZE_60";
        case CommandId::GlossSize70:
            return "ID_GLOSS_SIZE_70";
        case CommandId::GlossSize80:
            return "ID_GLOSS_SIZE_80";
        case CommandId::GlossSize100:
            return "ID_GLOSS_SIZE_100";
        case CommandId::SchemeDefault:
            return "ID_SCHEME_DEFAULT";
        case CommandId::SchemeSepia:
            return "ID_SCHEME_SEPIA";
        case CommandId::SchemeNight:
            return "ID_SCHEME_NIGHT";
        case CommandId::SchemeClassic:
            return "ID_SCHEME_CLASSIC";
        case CommandId::LayoutBook:
            return "ID_LAYOUT_BOOK";
        case CommandId::LayoutOriginal:
            return "ID_LAYOUT_ORIGINAL";
        case CommandId::DicImportText:
            return "ID_DIC_IMPORT_TEXT";
        case CommandId::DicSave:
            return "ID_DIC_SAVE";
        case CommandId::FileNew:
            return "ID_FILE_NEW";
        case CommandId::FileOpen:
            return "ID_FILE_OPEN";
        case CommandId::FilePrint:
            return "ID_FILE_PRINT";
        case CommandId::Help:
            return "ID_HELP";
        case CommandId::FileSave:
            return "ID_FILE_SAVE";
        case CommandId::EditUndo:
            return "ID_EDIT_UNDO";
        case CommandId::EditCut:
            return "ID_EDIT_CUT";
        case CommandId::EditCopy:
            return "ID_EDIT_COPY";
        case CommandId::NextPane:
            return "ID_NEXT_PANE";
        case CommandId::PrevPane:
            return "ID_PREV_PANE";
        case CommandId::MarkKnown:
            return "ID_MARK_KNOWN";
        case CommandId::MarkNew:
            return "ID_MARK_NEW";
        case CommandId::Unmark:
            return "ID_UNMARK";
        case CommandId::ChooseSense:
            return "ID_CHOOSE_SENSE";
        case CommandId::AddToWordBook:
            return "ID_ADD_TO_WORD_BOOK";
        case CommandId::WordBook:
            return "ID_WORD_BOOK";
        case CommandId::Review:
            return "ID_REVIEW";
        case CommandId::KnownWords:
            return "ID_KNOWN_WORDS";
        case CommandId::AutoScrollSlow:
            return "ID_AUTO_SCROLL_SLOW";
        case CommandId::AutoScrollNormal:
            return "ID_AUTO_SCROLL_NORMAL";
        case CommandId::AutoScrollFast:
            return "ID_AUTO_SCROLL_FAST";
        case CommandId::AutoScrollFastest:
            return "ID_AUTO_SCROLL_FASTEST";
        case CommandId::Find:
            return "ID_EDIT_FIND";
        case CommandId::FindNext:
            return "ID_EDIT_FIND_NEXT";
        case CommandId::FindPrevious:
            return "ID_EDIT_FIND_PREVIOUS";
        case CommandId::AddBookmark:
            return "ID_ADD_BOOKMARK";
        case CommandId::ManageBookmarks:
            return "ID_MANAGE_BOOKMARKS";
        case CommandId::ChapterList:
            return "ID_CHAPTER_LIST";
        case CommandId::NextChapter:
            return "ID_NEXT_CHAPTER";
        case CommandId::PreviousChapter:
            return "ID_PREVIOUS_CHAPTER";
    }
    return "";
}

// One command of the window, stated once: the menu, the toolbars and the keys all
// share the QAction made from it. Rows name their fields; what a row leaves out is
// empty.
struct CommandEntry {
    CommandId id;
    QString text = {};                   // menu text, or a name for a command with no menu item
    QString icon = {};                   // resource path of the button image
    QList<QKeySequence> keys = {};       // the first one is the one a menu shows
    QString toolTip = {};                // empty: the menu text (both with the first key)
    QString statusTip = {};              // empty: no prompt in the status bar
    std::function<void()> handler = {};  // empty: the keys are taken and nothing happens
    // A checkable command's state, read from the document after each of its changes.
    std::function<bool()> checked = {};
    // Whether the command can run now, read likewise; empty: always.
    std::function<bool()> enabled = {};
    // A menu text that changes with the document, read likewise; empty: `text`.
    std::function<QString()> label = {};
    // A command the view made (a word's commands, which its context menu shows too):
    // the window uses that action, with its text, keys and handler, as it is.
    QAction* made = nullptr;
};

// One place in a menu or a toolbar: a command, or a separator.
using CommandSlot = std::optional<CommandId>;
constexpr CommandSlot kSeparator = std::nullopt;
