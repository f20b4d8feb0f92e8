#include "CVellumwiseApp.h"

#include "CCommandLineInfo.h"
#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "UserRegistration.h"

CVellumwiseApp::CVellumwiseApp() : m_pDoc(std::make_unique<CVellumwiseDoc>(m_platform)) {}

CVellumwiseApp::~CVellumwiseApp() {
    // The frame and its view unregister from the document, so they go first.
    m_pMainFrame.reset();
}

std::optional<int> CVellumwiseApp::InitInstance(const std::vector<std::string>& arguments) {
    using enum CCommandLineInfo::ShellCommand;
    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    if (info.m_nShellCommand == AppUnregister) {
        m_platform.ShowMessage(RemoveUserRegistration()
                                   ? "系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。"
                                   : "不是所有的系统注册项（或 INI 文件）都被移除。");
        return 0;
    }
    // Both routes set the reading defaults and load main.dic once, before any window.
    if (info.m_nShellCommand == FileNew) {
        m_pDoc->OnNewDocument();
    } else {
        // Printing from the command line opens the file like any document for now.
        m_pDoc->OnOpenDocument(info.m_strFileName);
    }

    m_pMainFrame = std::make_unique<CMainFrame>(*m_pDoc, m_platform);
    m_platform.SetDialogParent(m_pMainFrame.get());
    m_pMainFrame->show();
    m_pDoc->UpdateAllViews(UpdateHint::Relayout);
    if (!info.m_strTextFile.empty()) {
        m_pDoc->OpenTextFile(info.m_strTextFile);
    }
    return std::nullopt;
}
