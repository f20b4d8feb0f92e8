#pragma once

#include "IPlatformServices.h"

class QWidget;

// The desktop services through Qt: file dialogs, message boxes, the clipboard, the
// busy cursor and the desktop's default programs.
//
// When nobody can click (VELLUMWISE_NONINTERACTIVE=1, as in automated runs) a message
// is written to standard error instead of waiting in a box.
class QtPlatformServices : public IPlatformServices {
public:
    QtPlatformServices();

    // Dialogs and boxes are centred on this window once it exists.
    void SetDialogParent(QWidget* parent) { m_pParent = parent; }

    std::optional<std::string> ChooseFileToOpen(const std::string& filter) override;
    std::optional<std::string> ChooseFileToSave(const std::string& filter) override;
    void ShowMessage(const std::string& text) override;
    std::optional<std::string> ClipboardText() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool OpenWithShell(const std::string& pathOrUrl) override;
    // On a worker thread, with a progress bar and Esc in the dialog parent's window.
    void RunWithProgress(const std::function<void(const ProgressReport&)>& job) override;

private:
    QWidget* m_pParent = nullptr;
    bool m_bNonInteractive = false;
};
