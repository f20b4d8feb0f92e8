#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"

// Every command of the window. Only the two framework commands that had prompts keep
// a tooltip and a status prompt; the reading commands show neither.
std::vector<CommandEntry> CMainFrame::CommandTable() {
    CVellumwiseView* view = m_pView;
    CVellumwiseDoc* doc = &m_doc;
    auto onView = [view](void (CVellumwiseView::*handler)()) { return [view, handler] { (view->*handler)(); }; };
    return {
        {"ID_FILE_OPEN_TEXT", QStringLiteral("打开文本文件"), QStringLiteral(":/icons/file-open-text.svg"), {}, {}, {}, false,
         [doc] { doc->OnOpenTextFile(); }},
        {"ID_EDIT_PASTE", QStringLiteral("粘贴剪贴版内容(&P)"), QStringLiteral(":/icons/edit-paste.svg"),
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         QStringLiteral("粘贴"), QStringLiteral("插入剪贴板内容"), false, [doc] { doc->OnEditPaste(); }},
        {"ID_APP_EXIT", QStringLiteral("退出(&X)"), {}, {}, {}, {}, false, [this] { close(); }},
        {"ID_AUTO_SCROLL", QStringLiteral("自动滚屏"), QStringLiteral(":/icons/auto-scroll.svg"), {}, {}, {}, true,
         onView(&CVellumwiseView::OnAutoScroll)},
        {"ID_APP_ABOUT", QStringLiteral("关于"), QStringLiteral(":/icons/app-about.svg"), {}, QStringLiteral("关于"),
         QStringLiteral("显示程序信息，版本号和版权"), false, [this] { OnAppAbout(); }},

        {"ID_LINE_DOWN", QStringLiteral("下移一行"), QStringLiteral(":/icons/line-down.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnLineDown)},
        {"ID_LINE_UP", QStringLiteral("上移一行"), QStringLiteral(":/icons/line-up.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnLineUp)},
        {"ID_HALF_PAGE_DOWN", QStringLiteral("下移半屏"), QStringLiteral(":/icons/half-page-down.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnHalfPageDown)},
        {"ID_HALF_PAGE_UP", QStringLiteral("上移半屏"), QStringLiteral(":/icons/half-page-up.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnHalfPageUp)},
        {"ID_TEXT_END", QStringLiteral("文章末尾"), QStringLiteral(":/icons/text-end.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnTextEnd)},
        {"ID_TEXT_HOME", QStringLiteral("文章开头"), QStringLiteral(":/icons/text-home.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnTextHome)},
        {"ID_GOTO_PAGE", QStringLiteral("前进到指定页面"), QStringLiteral(":/icons/goto-page.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnGotoPage)},
        {"ID_TEXT_COLOR", QStringLiteral("文字颜色"), QStringLiteral(":/icons/text-color.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnTextColor)},
        {"ID_GLOSS_COLOR", QStringLiteral("释义颜色"), QStringLiteral(":/icons/gloss-color.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnGlossColor)},
        {"ID_PAGE_COLOR", QStringLiteral("页面颜色"), QStringLiteral(":/icons/page-color.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnPageColor)},
        {"ID_TEXT_FONT", QStringLiteral("字体"), QStringLiteral(":/icons/text-font.svg"), {}, {}, {}, false,
         onView(&CVellumwiseView::OnTextFont)},
        {"ID_VOCABULARY", QStringLiteral("词汇量"), QStringLiteral(":/icons/vocabulary.svg"), {}, {}, {}, false,
         [this] { OnVocabulary(); }},

        // The dictionary's maintenance commands are routed like the others, but no
        // menu item, button or key issues them.
        {"ID_DIC_IMPORT_TEXT", QStringLiteral("导入文本词典"), {}, {}, {}, {}, false, [doc] { doc->OnImportDictionary(); }},
        {"ID_DIC_SAVE", QStringLiteral("保存词典"), {}, {}, {}, {}, false, [doc] { doc->OnSaveDictionary(); }},

        // Keys only.
        {"ID_FILE_NEW", QStringLiteral("新建"), {}, {QKeySequence(Qt::CTRL | Qt::Key_N)}, {}, {}, false, [this] { OnFileNew(); }},
        {"ID_FILE_OPEN", QStringLiteral("打开"), {}, {QKeySequence(Qt::CTRL | Qt::Key_O)}, {}, {}, false, [this] { OnFileOpen(); }},
        {"ID_FILE_PRINT", QStringLiteral("打印"), {}, {QKeySequence(Qt::CTRL | Qt::Key_P)}, {}, {}, false,
         onView(&CVellumwiseView::OnFilePrint)},
        {"ID_HELP", QStringLiteral("帮助"), {}, {QKeySequence(Qt::Key_F1)}, {}, {}, false, [this] { OnHelp(); }},
        // The document stores nothing, so saving could only empty a file: Ctrl+S is
        // taken and does nothing.
        {"ID_FILE_SAVE", QStringLiteral("保存"), {}, {QKeySequence(Qt::CTRL | Qt::Key_S)}, {}, {}, false, {}},
        {"ID_EDIT_UNDO", QStringLiteral("撤消"), {}, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
         {}, {}, false, {}},
        {"ID_EDIT_CUT", QStringLiteral("剪切"), {}, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         {}, {}, false, {}},
        {"ID_EDIT_COPY", QStringLiteral("复制"), {}, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         {}, {}, false, {}},
        {"ID_NEXT_PANE", QStringLiteral("下一窗格"), {}, {QKeySequence(Qt::Key_F6)}, {}, {}, false, {}},
        {"ID_PREV_PANE", QStringLiteral("前一窗格"), {}, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}, {}, {}, false, {}},
    };
}
