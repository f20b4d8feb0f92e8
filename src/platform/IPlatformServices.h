#pragma once

#include <functional>
#include <optional>
#include <string>

// How far a long job has come, from 0 to 1; answers false once the reader has
// asked to cancel it, and the job then stops as soon as it can.
using ProgressReport = std::function<bool(double fraction)>;

// The desktop services the document's commands need. The program uses the Qt
// implementation; tests drive the commands through a fake.
class IPlatformServices {
public:
    virtual ~IPlatformServices() = default;

    // A modal file dialog; nullopt when the reader cancels. The filter is written
    // like "文本文件 (*.txt)"; the path is UTF-8.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const std::string& filter) = 0;
    // A modal message box with one OK button; the text is UTF-8.
    virtual void ShowMessage(const std::string& text) = 0;
    // The clipboard's text as UTF-8, or nullopt when it holds no text.
    virtual std::optional<std::string> ClipboardText() = 0;
    // Shows the busy cursor from Begin until the matching End.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Asks the desktop to open a file or web address with its default program.
    virtual bool OpenWithShell(const std::string& pathOrUrl) = 0;
    // Runs a long job so that the window stays alive meanwhile: it repaints, shows
    // the progress and lets the reader cancel. Returns when the job has ended. The
    // job must not touch anything the window uses; it hands back its result.
    virtual void RunWithProgress(const std::function<void(const ProgressReport&)>& job) {
        job([](double) { return true; });
    }
};
