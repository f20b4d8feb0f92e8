#include "CVellumwiseApp.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "CCommandLineInfo.h"
#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FileKind.h"
#include "NumberedNewFile.h"
#include "SettingsStore.h"
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

ReadingSettings CVellumwiseApp::WithRunOnlyLook(ReadingSettings settings,
                                                const CCommandLineInfo& info) {
    const std::optional<ColorScheme> scheme = ColorSchemeNamed(info.m_strScheme);
    const std::optional<PageLayout> layout = PageLayoutNamed(info.m_strLayout);
    if (!info.m_strScheme.empty() && !scheme) {
        std::cerr << "vellumwise: --scheme takes classic, default, eyecare or night, not '"
                  << info.m_strScheme << "'\n";
    }
    if (!info.m_strLayout.empty() && !layout) {
        std::cerr << "vellumwise: --layout takes book or original, not '" << info.m_strLayout
                  << "'\n";
    }
    if (scheme) {
        const SchemeColors colors = ColorsOf(*scheme);
        settings.colorScheme = *scheme;
        settings.pageColor = colors.page;
        settings.textColor = colors.text;
        settings.glossColor = colors.gloss;
    }
    if (layout) {
        settings.pageLayout = *layout;
    }
    m_pSettings->SetRunOnly(scheme, layout);
    return settings;
}

std::optional<int> CVellumwiseApp::InitInstance(const std::vector<std::string>& arguments) {
    using enum CCommandLineInfo::ShellCommand;
    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    if (info.m_nShellCommand == AppUnregister) {
        // The settings and the texts' places go with the desktop entries.
        const Unregistration entries = RemoveUserRegistration();
        const bool settingsRemoved = SettingsStore::RemoveAll();
        switch (entries == Unregistration::AllRemoved && !settingsRemoved
                    ? Unregistration::SomeRemain
                    : entries) {
            case Unregistration::AllRemoved:
                m_platform.ShowMessage(
                    "系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。");
                return 0;
            case Unregistration::SomeRemain:
                m_platform.ShowMessage("不是所有的系统注册项（或 INI 文件）都被移除。");
                return 1;
            case Unregistration::NoDataFolder:
                m_platform.ShowMessage(
                    "找不到用户的主文件夹（HOME 和 XDG_DATA_HOME 都没有设置为绝对路径），"
                    "没有删除任何系统注册项。");
                return 1;
        }
    }
    // A file named that is not a document is a text to read, like one after --text.
    std::string textFile = info.m_strTextFile;
    const bool namedText =
        info.m_nShellCommand != FileNew && KindOfFile(info.m_strFileName) != FileKind::Document;
    if (namedText && textFile.empty()) {
        textFile = info.m_strFileName;
    }
    // The reader's settings before anything is laid out: the first layout is theirs.
    m_pSettings = std::make_unique<SettingsStore>();
    m_pDoc->SetStartSettings(WithRunOnlyLook(m_pSettings->Reading(), info));
    m_platform.SetFolder(m_pSettings->LastFolder());
    // The window is made first, unshown, so that its view hears the document start.
    m_pMainFrame = std::make_unique<CMainFrame>(*m_pDoc, m_platform, m_pSettings.get());
    // Both routes load main.dic once, before any window is shown. Without a
    // dictionary the program has nothing to show: the document has said why, and the
    // process ends reporting failure.
    const bool started = info.m_nShellCommand == FileNew || namedText
                             ? m_pDoc->OnNewDocument()
                             : m_pDoc->OnOpenDocument(info.m_strFileName);
    if (!started) {
        return kExitNoDictionary;
    }
    m_platform.SetDialogParent(m_pMainFrame.get());
    if (info.m_nShellCommand == FilePrint || info.m_nShellCommand == FilePrintTo) {
        // The window is never shown; its view lays the text out for the printer.
        if (!textFile.empty() && !m_pDoc->OpenTextFile(textFile)) {
            return 1;  // the reason is shown; printing nothing would hide it
        }
        return PrintFromCommandLine(info);
    }
    m_pMainFrame->show();
    if (!textFile.empty()) {
        m_pMainFrame->OpenText(textFile);
    }
    // Once the window is up, so that the reader sees what the test is for.
    QTimer::singleShot(0, m_pMainFrame.get(), &CMainFrame::OfferLevelTestOnce);
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
    // "--text story.txt /p" has no document: the text's file names the printout.
    const std::string& printed =
        info.m_strFileName.empty() ? info.m_strTextFile : info.m_strFileName;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(m_pDoc->GetTitle()));
    std::optional<NewFile> pdf;
    if (info.m_nShellCommand == FilePrintTo) {
        const QString name = QString::fromStdString(info.m_strPrinterName);
        if (QPrinterInfo::printerInfo(name).isNull()) {
            m_platform.ShowMessage("找不到打印机 " + info.m_strPrinterName);
            return 1;
        }
        printer.setPrinterName(name);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        // Without any printer the reader still gets the pages, as a PDF file. It is
        // created here, new, and written through its descriptor, so neither an
        // existing file nor a link planted at the name is ever written.
        pdf = CreateNumberedNewFile(PdfBesideFile(printed));
        if (!pdf) {
            m_platform.ShowMessage("无法打印 " + printed);
            return 1;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf->DescriptorPath()));
    }
    if (!m_pMainFrame->View()->PrintText(printer)) {
        m_platform.ShowMessage("无法打印 " + printed);
        return 1;
    }
    if (pdf) {
        // Nobody chose that file: say where it went.
        std::cerr << "Vellumwise: 没有打印机，已打印到 " << pdf->Path() << '\n';
    }
    return 0;
}
