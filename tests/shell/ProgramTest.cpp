// The real program, started as a user or the desktop starts it, where no window
// can be shown (messages go to standard error).
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "RunProgram.h"
#include "TempDir.h"

namespace {

const std::string kProgram = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise";

// Runs a copy of the program that has no main.dic beside it.
ProgramResult RunAlone(const TempDir& dir, const std::string& arguments,
                       const std::string& environment = {}) {
    const std::string copy = dir.Path("vellumwise");
    std::filesystem::copy_file(kProgram, copy, std::filesystem::copy_options::overwrite_existing);
    return RunProgram("env QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 " + environment +
                      " " + Quoted(copy) + " " + arguments + " 2>&1");
}

// Without its dictionary the program cannot run: it says so and reports failure,
// whether started plain or with a document to open.
TEST(Program, WithoutAUsableMainDicShowsTheMessageAndFails) {
    struct Case {
        const char* name;
        std::optional<std::string> dic;  // nullopt: none beside the program
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"missing", std::nullopt, "", "找不到字典文件，程序将会退出，请重新安装软件。"},
        {"missing, a document named", std::nullopt, "notes.vwd",
         "找不到字典文件，程序将会退出，请重新安装软件。"},
        {"damaged", std::string("\x05\x00\x00\x00", 4), "", "读取字典文件错误 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.dic) {
            WriteFile(dir.Path("main.dic"), *c.dic);
        }
        const ProgramResult result = RunAlone(dir, c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.out.find(c.message), std::string::npos) << result.out;
    }
}

TEST(Program, UnregisterRemovesTheUserEntriesWithoutNeedingTheDictionary) {
    TempDir dir;
    const std::filesystem::path data = dir.Root() / "data";
    std::filesystem::create_directories(data / "applications");
    std::filesystem::create_directories(data / "mime" / "packages");
    std::filesystem::create_directories(data / "icons" / "hicolor" / "48x48" / "apps");
    WriteFile((data / "applications" / "vellumwise.desktop").string(), "[Desktop Entry]\n");
    WriteFile((data / "mime" / "packages" / "vellumwise.xml").string(), "<mime-info/>\n");
    WriteFile((data / "icons" / "hicolor" / "48x48" / "apps" / "vellumwise.png").string(), "PNG\n");
    WriteFile((data / "applications" / "other.desktop").string(), "[Desktop Entry]\n");

    const ProgramResult result =
        RunAlone(dir, "/Unregister", "XDG_DATA_HOME=" + Quoted(data.string()));
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。"),
              std::string::npos)
        << result.out;
    EXPECT_FALSE(std::filesystem::exists(data / "applications" / "vellumwise.desktop"));
    EXPECT_FALSE(std::filesystem::exists(data / "mime" / "packages" / "vellumwise.xml"));
    EXPECT_FALSE(
        std::filesystem::exists(data / "icons" / "hicolor" / "48x48" / "apps" / "vellumwise.png"));
    EXPECT_TRUE(std::filesystem::exists(data / "applications" / "other.desktop"));
}

TEST(Program, PrintSwitchWithoutAPrinterWritesAPdfBesideTheFileAndExits) {
    TempDir dir;
    WriteFile(dir.Path("story.txt"), "It was a bright cold day in April.\r\n");
    WriteFile(dir.Path("story.vwd"), "");
    // No print server: the system has no printer at all.
    const ProgramResult result = RunProgram(
        "env QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 "
        "CUPS_SERVER=/nonexistent/socket " +
        Quoted(kProgram) + " --text " + Quoted(dir.Path("story.txt")) + " /p " +
        Quoted(dir.Path("story.vwd")) + " 2>&1");
    EXPECT_EQ(result.status, 0) << result.out;
    const std::string pdf = dir.Path("story.pdf");
    EXPECT_NE(result.out.find(pdf), std::string::npos) << result.out;
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string bytes = ReadFile(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(ReadFile(dir.Path("story.vwd")), "");
}

TEST(Program, PrintToAMissingPrinterSaysSoAndFails) {
    TempDir dir;
    WriteFile(dir.Path("story.vwd"), "");
    const ProgramResult result = RunProgram(
        "env QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 "
        "CUPS_SERVER=/nonexistent/socket " +
        Quoted(kProgram) + " /pt " + Quoted(dir.Path("story.vwd")) +
        " NoSuchPrinter drv port 2>&1");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("NoSuchPrinter"), std::string::npos) << result.out;
}

}  // namespace
