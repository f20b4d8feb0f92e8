#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "IPlatformServices.h"

// Scripted answers and a record of what was asked, for driving commands in tests.
class FakePlatformServices : public IPlatformServices {
public:
    std::optional<std::string> ChooseFileToOpen(const std::string& filter) override;
    std::optional<std::string> ChooseFileToSave(const std::string& filter) override;
    void ShowMessage(const std::string& text) override;
    std::optional<std::string> ClipboardText() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool OpenWithShell(const std::string& pathOrUrl) override;
    // Runs the job at once; the reader "presses Esc" when it reaches m_cancelAt.
    void RunWithProgress(const std::function<void(const ProgressReport&)>& job) override;

    // Answers given to the next dialogs, in order; an empty queue means "cancel".
    std::deque<std::optional<std::string>> m_fileAnswers;
    std::optional<std::string> m_clipboard;

    std::vector<std::string> m_filtersAsked;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_opened;
    bool m_desktopOpens = true;  // false: as on a machine with no browser to open a page
    int m_nWaitDepth = 0;        // Begin minus End so far
    int m_nWaitCursorShown = 0;  // how many times the busy cursor was shown
    std::optional<double> m_cancelAt;
    std::vector<double> m_progress;  // every fraction reported
};
