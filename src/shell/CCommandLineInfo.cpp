#include "CCommandLineInfo.h"

#include <algorithm>

#include "AsciiText.h"
#include "FileKind.h"

namespace {

bool IsKnownSwitch(const std::string& name) {
    return name == "p" || name == "pt" || name == "dde" ||
           EqualsIgnoringAsciiCase(name, "Unregister") ||
           EqualsIgnoringAsciiCase(name, "Unregserver") ||
           EqualsIgnoringAsciiCase(name, "Embedding") ||
           EqualsIgnoringAsciiCase(name, "Automation");
}

// "-x" is always a switch. A leading "/" also begins every absolute path here, so
// "/name" is a switch only when it names one the program knows.
bool IsSwitch(const std::string& argument) {
    if (argument.size() < 2) {
        return false;
    }
    return argument[0] == '-' || (argument[0] == '/' && IsKnownSwitch(argument.substr(1)));
}

}  // namespace

CCommandLineInfo CCommandLineInfo::Parse(const std::vector<std::string>& arguments) {
    using enum ShellCommand;
    CCommandLineInfo info;
    bool firstParameter = true;
    // Parameters after "pt" fill the file, printer, driver and port in turn.
    std::vector<std::string*> printToFields;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string* value = argument == "--text"     ? &info.m_strTextFile
                             : argument == "--layout" ? &info.m_strLayout
                             : argument == "--scheme" ? &info.m_strScheme
                                                      : nullptr;
        if (value != nullptr) {
            if (i + 1 < arguments.size()) {
                *value = arguments[++i];
            }
            continue;
        }
        if (IsSwitch(argument)) {
            const std::string name = argument.substr(1);
            if (name == "pt") {
                info.m_nShellCommand = FilePrintTo;
                printToFields = {&info.m_strPrinterName, &info.m_strDriverName,
                                 &info.m_strPortName};
                std::reverse(printToFields.begin(), printToFields.end());
            } else if (name == "p") {
                info.m_nShellCommand = FilePrint;
            } else if (EqualsIgnoringAsciiCase(name, "Unregister") ||
                       EqualsIgnoringAsciiCase(name, "Unregserver")) {
                info.m_nShellCommand = AppUnregister;
            }
            // "dde", "Embedding", "Automation": a start like any other.
            continue;
        }
        // A book is text to read, not a document file: `vellumwise book.epub` is
        // `vellumwise --text book.epub` (printing it too).
        if (firstParameter && KindOfFile(argument) == FileKind::Book &&
            info.m_strTextFile.empty()) {
            info.m_strTextFile = argument;
            if (info.m_nShellCommand == FileNew) {
                continue;
            }
        }
        if (firstParameter) {
            info.m_strFileName = argument;
            firstParameter = false;
            if (info.m_nShellCommand == FileNew) {
                info.m_nShellCommand = FileOpen;
            }
        } else if (info.m_nShellCommand == FilePrintTo && !printToFields.empty()) {
            *printToFields.back() = argument;
            printToFields.pop_back();
        }
    }
    // "p" prints the text of "--text" even without a document; with neither there
    // is nothing to print.
    const bool printable = !info.m_strFileName.empty() ||
                           (info.m_nShellCommand == FilePrint && !info.m_strTextFile.empty());
    if (!printable && (info.m_nShellCommand == FilePrint || info.m_nShellCommand == FilePrintTo)) {
        info.m_nShellCommand = FileNew;
    }
    return info;
}
