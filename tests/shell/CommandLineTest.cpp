// The start-up command line, as the desktop and a terminal write it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CCommandLineInfo.h"

namespace {

using Shell = CCommandLineInfo::ShellCommand;

TEST(CommandLine, Cases) {
    struct Case {
        std::vector<std::string> arguments;
        Shell command;
        std::string file;
        std::string text;
    };
    const Case cases[] = {
        {{}, Shell::FileNew, "", ""},
        {{"book.vwd"}, Shell::FileOpen, "book.vwd", ""},
        {{"/Unregister"}, Shell::AppUnregister, "", ""},
        {{"-unregserver"}, Shell::AppUnregister, "", ""},
        {{"/UNREGISTER"}, Shell::AppUnregister, "", ""},
        {{"-Embedding"}, Shell::FileNew, "", ""},
        {{"/automation"}, Shell::FileNew, "", ""},
        {{"/dde"}, Shell::FileNew, "", ""},
        {{"-x", "a.vwd", "b.vwd"}, Shell::FileOpen, "a.vwd", ""},
        // Absolute paths begin like switches.
        {{"/home/reader/a.vwd"}, Shell::FileOpen, "/home/reader/a.vwd", ""},
        {{"/x"}, Shell::FileOpen, "/x", ""},
        {{"--text", "/tmp/war.txt", "/Unregister"}, Shell::AppUnregister, "", "/tmp/war.txt"},
        {{"-"}, Shell::FileOpen, "-", ""},
        {{"--text", "war.txt"}, Shell::FileNew, "", "war.txt"},
        {{"a.vwd", "--text", "war.txt"}, Shell::FileOpen, "a.vwd", "war.txt"},
        {{"--text"}, Shell::FileNew, "", ""},
        {{"/p", "a.vwd"}, Shell::FilePrint, "a.vwd", ""},
        {{"-P", "a.vwd"}, Shell::FileOpen, "a.vwd", ""},  // "p" is matched exactly
        {{"/p"}, Shell::FileNew, "", ""},
        // A text alone is printed too, not opened in a window a print script waits on.
        {{"--text", "war.txt", "/p"}, Shell::FilePrint, "", "war.txt"},
        {{"/p", "--text", "war.txt"}, Shell::FilePrint, "", "war.txt"},
        {{"--text", "war.txt", "/pt"}, Shell::FileNew, "", "war.txt"},
    };
    for (const Case& c : cases) {
        const CCommandLineInfo info = CCommandLineInfo::Parse(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(info.m_nShellCommand, c.command) << shown;
        EXPECT_EQ(info.m_strFileName, c.file) << shown;
        EXPECT_EQ(info.m_strTextFile, c.text) << shown;
    }
}

TEST(CommandLine, PrintToTakesFilePrinterDriverPort) {
    const CCommandLineInfo info =
        CCommandLineInfo::Parse({"/pt", "a.vwd", "Office", "pdf", "LPT1"});
    EXPECT_EQ(info.m_nShellCommand, Shell::FilePrintTo);
    EXPECT_EQ(info.m_strFileName, "a.vwd");
    EXPECT_EQ(info.m_strPrinterName, "Office");
    EXPECT_EQ(info.m_strDriverName, "pdf");
    EXPECT_EQ(info.m_strPortName, "LPT1");
}

TEST(CommandLine, TheLookOfOneRunTakesItsValueAndLeavesTheFileAlone) {
    const CCommandLineInfo info = CCommandLineInfo::Parse(
        {"--layout", "original", "--scheme", "night", "--text", "war.txt", "book.vwd"});
    EXPECT_EQ(info.m_strLayout, "original");
    EXPECT_EQ(info.m_strScheme, "night");
    EXPECT_EQ(info.m_strTextFile, "war.txt");
    // The values are never taken for the document.
    EXPECT_EQ(info.m_strFileName, "book.vwd");
    EXPECT_EQ(CCommandLineInfo::Parse({"--scheme", "night"}).m_nShellCommand, Shell::FileNew);
}

}  // namespace
