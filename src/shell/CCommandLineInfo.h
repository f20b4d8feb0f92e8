#pragma once

#include <string>
#include <vector>

// What the command line asks for at start-up. Switches begin with "/" or "-";
// "p", "pt" and "dde" are matched exactly, the others without regard to case, and
// unknown "-" switches are ignored. An unknown "/name" is an absolute path.
struct CCommandLineInfo {
    enum class ShellCommand {
        FileNew,        // nothing, "Embedding", "Automation", "dde"
        FileOpen,       // a file name: it becomes the document
        FilePrint,      // "p" file, or "p" with "--text FILE" alone
        FilePrintTo,    // "pt" file printer driver port
        AppUnregister,  // "Unregister", "Unregserver"
    };

    ShellCommand m_nShellCommand = ShellCommand::FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
    // "--text FILE": a text file to open with the open-text command once the window
    // is up (what a desktop's "Open with" for text files uses).
    std::string m_strTextFile;
    // "--layout book|original" and "--scheme classic|default|eyecare|night": the look of
    // this run only, kept from the settings file (scripts and screenshots need a known
    // one). Empty when not given; the application checks the names.
    std::string m_strLayout;
    std::string m_strScheme;

    // `arguments` without the program name.
    static CCommandLineInfo Parse(const std::vector<std::string>& arguments);
};
