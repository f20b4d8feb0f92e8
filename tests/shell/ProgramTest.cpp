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

// Prints with "/p" where the system has no printer, so the pages go to a PDF.
ProgramResult PrintWithoutPrinter(const std::string& arguments) {
    return RunProgram(
        "env QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 "
        "CUPS_SERVER=/nonexistent/socket " +
        Quoted(kProgram) + " " + arguments + " 2>&1");
}

TEST(Program, PrintingNeverReplacesAFileNorFollowsALink) {
    TempDir dir;
    WriteFile(dir.Path("story.txt"), "It was a bright cold day in April.\r\n");
    WriteFile(dir.Path("story.pdf"), "an older printout");
    WriteFile(dir.Path("secret"), "not to be touched");
    std::filesystem::create_symlink(dir.Path("secret"), dir.Path("story (2).pdf"));
    std::filesystem::create_symlink(dir.Path("nowhere"), dir.Path("story (3).pdf"));
    const ProgramResult result = PrintWithoutPrinter("--text " + Quoted(dir.Path("story.txt")) +
                                                     " /p " + Quoted(dir.Path("story.vwd")));
    EXPECT_EQ(result.status, 0) << result.out;
    const std::string used = dir.Path("story (4).pdf");
    EXPECT_NE(result.out.find("已打印到 " + used), std::string::npos) << result.out;
    EXPECT_EQ(ReadFile(used).rfind("%PDF", 0), 0u);
    EXPECT_EQ(ReadFile(dir.Path("story.pdf")), "an older printout");
    EXPECT_EQ(ReadFile(dir.Path("secret")), "not to be touched");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("nowhere")));
}

TEST(Program, PrintSwitchWithOnlyATextPrintsItWithoutAWindow) {
    TempDir dir;
    // A file name that is not UTF-8 arrives byte for byte.
    const std::string name = "caf\xe9 story";
    WriteFile(dir.Path(name + ".txt"), "It was a bright cold day in April.\r\n");
    const ProgramResult result =
        PrintWithoutPrinter("--text " + Quoted(dir.Path(name + ".txt")) + " /p");
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_EQ(result.out.find("无法调入"), std::string::npos) << result.out;
    EXPECT_EQ(ReadFile(dir.Path(name + ".pdf")).rfind("%PDF", 0), 0u);

    // A text that cannot be read is said so, and nothing is printed.
    const ProgramResult missing =
        PrintWithoutPrinter("--text " + Quoted(dir.Path("gone.txt")) + " /p");
    EXPECT_EQ(missing.status, 1) << missing.out;
    EXPECT_NE(missing.out.find("无法调入这个 .txt 文件：" + dir.Path("gone.txt")),
              std::string::npos)
        << missing.out;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("gone.pdf")));
}

TEST(Program, UnregisterWithoutAHomeFolderDeletesNothingAndFails) {
    TempDir dir;
    // Where relative paths from the program's folder would lead.
    const std::filesystem::path local = dir.Root() / ".local" / "share" / "applications";
    std::filesystem::create_directories(local);
    WriteFile((local / "vellumwise.desktop").string(), "[Desktop Entry]\n");
    std::filesystem::copy_file(kProgram, dir.Path("vellumwise"));
    for (const char* environment : {"-u HOME -u XDG_DATA_HOME", "HOME=. XDG_DATA_HOME=data"}) {
        SCOPED_TRACE(environment);
        const ProgramResult result = RunProgram(
            "cd " + Quoted(dir.Root().string()) + " && env " + environment +
            " QT_QPA_PLATFORM=offscreen VELLUMWISE_NONINTERACTIVE=1 ./vellumwise /Unregister 2>&1");
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.out.find("没有删除任何系统注册项"), std::string::npos) << result.out;
        EXPECT_TRUE(std::filesystem::exists(local / "vellumwise.desktop"));
    }
}

TEST(Program, UnregisterThatLeavesAnEntryFails) {
    TempDir dir;
    const std::filesystem::path data = dir.Root() / "data";
    // A folder where the desktop entry should be cannot be removed as a file.
    std::filesystem::create_directories(data / "applications" / "vellumwise.desktop" / "inside");
    const ProgramResult result =
        RunAlone(dir, "/Unregister", "XDG_DATA_HOME=" + Quoted(data.string()));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("不是所有的系统注册项（或 INI 文件）都被移除。"), std::string::npos)
        << result.out;
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
