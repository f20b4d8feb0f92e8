#include "CVellumwiseApp.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <filesystem>
#include <iostream>

#include "CCommandLineInfo.h"
#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "UserRegistration.h"

CVellumwiseApp::CVellumwiseApp() : m_pDoc(std::make_unique<CVellumwiseDoc>(m_platform)) {
    if (m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qtTranslator);
    }
}

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
    // The window is made first, unshown, so that its view hears the document start.
    m_pMainFrame = std::make_unique<CMainFrame>(*m_pDoc, m_platform);
    // Both routes set the reading defaults and load main.dic once, before any window
    // is shown. Without a dictionary the program has nothing to show: the document
    // has said why, and the process ends reporting failure.
    const bool started = info.m_nShellCommand == FileNew
                             ? m_pDoc->OnNewDocument()
                             : m_pDoc->OnOpenDocument(info.m_strFileName);
    if (!started) {
        return kExitNoDictionary;
    }
    m_platform.SetDialogParent(m_pMainFrame.get());
    if (info.m_nShellCommand == FilePrint || info.m_nShellCommand == FilePrintTo) {
        // The window is never shown; its view lays the text out for the printer.
        if (!info.m_strTextFile.empty()) {
            m_pDoc->OpenTextFile(info.m_strTextFile);
        }
        return PrintFromCommandLine(info);
    }
    m_pMainFrame->show();
    if (!info.m_strTextFile.empty()) {
        m_pDoc->OpenTextFile(info.m_strTextFile);
    }
    return std::nullopt;
}

std::string CVellumwiseApp::PdfBesideFile(const std::string& path) {
    std::filesystem::path pdf(path);
    pdf.replace_extension(".pdf");
    if (pdf == std::filesystem::path(path)) {
        pdf += ".pdf";
    }
    return pdf.string();
}

int CVellumwiseApp::PrintFromCommandLine(const CCommandLineInfo& info) {
    using enum CCommandLineInfo::ShellCommand;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(m_pDoc->GetTitle()));
    if (info.m_nShellCommand == FilePrintTo) {
        const QString name = QString::fromStdString(info.m_strPrinterName);
        if (QPrinterInfo::printerInfo(name).isNull()) {
            m_platform.ShowMessage("找不到打印机 " + info.m_strPrinterName);
            return 1;
        }
        printer.setPrinterName(name);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        // Without any printer the reader still gets the pages, as a PDF file.
        const std::string pdf = PdfBesideFile(info.m_strFileName);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
    }
    if (!m_pMainFrame->View()->PrintText(printer)) {
        m_platform.ShowMessage("无法打印 " + info.m_strFileName);
        return 1;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Nobody chose that file: say where it went.
        std::cerr << "Vellumwise: 没有打印机，已打印到 " << printer.outputFileName().toStdString()
                  << '\n';
    }
    return 0;
}
