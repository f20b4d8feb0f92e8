#include "FakePlatformServices.h"

namespace {

std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

std::optional<std::string> FakePlatformServices::ChooseFileToOpen(const std::string& filter) {
    m_filtersAsked.push_back(filter);
    return NextAnswer(m_fileAnswers);
}

std::optional<std::string> FakePlatformServices::ChooseFileToSave(const std::string& filter) {
    m_filtersAsked.push_back(filter);
    return NextAnswer(m_fileAnswers);
}

void FakePlatformServices::ShowMessage(const std::string& text) { m_messages.push_back(text); }

std::optional<std::string> FakePlatformServices::ClipboardText() { return m_clipboard; }

void FakePlatformServices::BeginWaitCursor() {
    ++m_nWaitDepth;
    ++m_nWaitCursorShown;
}

void FakePlatformServices::EndWaitCursor() { --m_nWaitDepth; }

bool FakePlatformServices::OpenWithShell(const std::string& pathOrUrl) {
    m_opened.push_back(pathOrUrl);
    return m_desktopOpens;
}

void FakePlatformServices::RunWithProgress(const std::function<void(const ProgressReport&)>& job) {
    job([this](double fraction) {
        m_progress.push_back(fraction);
        return !(m_cancelAt && fraction >= *m_cancelAt);
    });
}
