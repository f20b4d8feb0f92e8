#pragma once

#include <QTranslator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QtPlatformServices.h"
#include "ReadingSettings.h"

class CMainFrame;
class CVellumwiseDoc;
class SettingsStore;
struct CCommandLineInfo;

// Start-up: the command line, the one document (which loads main.dic), the main
// window with its view, and the text to open at once.
class CVellumwiseApp {
public:
    CVellumwiseApp();
    ~CVellumwiseApp();

    // The exit status when main.dic is missing or damaged (after its message).
    static constexpr int kExitNoDictionary = 1;

    // `arguments` without the program name. Returns the exit status when start-up
    // ends the program without showing a window (unregistering, printing from the
    // command line, no dictionary); nullopt once the main window is shown.
    std::optional<int> InitInstance(const std::vector<std::string>& arguments);

    CVellumwiseDoc& Document() { return *m_pDoc; }
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    QtPlatformServices& Platform() { return m_platform; }

    // Where "p" prints when the system has no printer: a PDF beside the document's
    // file ("story.vwd" gives "story.pdf"), never the file itself. An existing PDF
    // there is never replaced: the printout goes to "story (2).pdf" and so on.
    static std::string PdfBesideFile(const std::string& path);

private:
    // The reader's settings with the command line's --scheme and --layout laid over
    // them, for this run only; an unknown name is reported and ignored.
    ReadingSettings WithRunOnlyLook(ReadingSettings settings, const CCommandLineInfo& info);
    // "p" and "pt": prints the laid-out text without a dialog; the exit status.
    int PrintFromCommandLine(const CCommandLineInfo& info);

    // Qt's own dialogs (colours, fonts, printing, files) speak the program's Chinese.
    QTranslator m_qtTranslator;
    QtPlatformServices m_platform;
    std::unique_ptr<SettingsStore> m_pSettings;
    std::unique_ptr<CVellumwiseDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
