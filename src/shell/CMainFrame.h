#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "CommandEntry.h"
#include "IDocumentView.h"

class CVellumwiseDoc;
class CVellumwiseView;
class IPlatformServices;
class QLabel;
class QTimer;
class QToolBar;

// The main window: the menu, the two toolbars, the status bar and the reading view.
// Its caption follows the document's title.
class CMainFrame : public QMainWindow, public IDocumentView {
    Q_OBJECT

public:
    CMainFrame(CVellumwiseDoc& doc, IPlatformServices& platform);
    ~CMainFrame() override;

    CVellumwiseView* View() const { return m_pView; }
    // The action of a command by its identifier ("ID_EDIT_PASTE"), or null.
    QAction* Command(const std::string& id) const;
    QToolBar* MainToolBar() const { return m_wndToolBar; }
    QToolBar* ReadingToolBar() const { return m_wndReadingBar; }

    // Pane 0 of the status bar; ignored until the bars exist.
    void SetPageText(const QString& text);

    // Any change of the document: the commands' states follow it.
    void OnUpdate(UpdateHint) override { UpdateCommandStates(); }
    void OnTitleChanged() override;

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnHelp();
    // The vocabulary dialog: the document's values in, on OK back into the
    // document, which glosses again and keeps the reader's place.
    void OnVocabulary();
    void OnAppAbout();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::vector<CommandEntry> CommandTable();
    void CreateCommands();
    void CreateMenu();
    QToolBar* CreateToolBar(const QString& title, const char* objectName,
                            const std::vector<const char*>& ids);
    void CreateStatusBar();
    void UpdateLockPanes();
    // The one place the commands' checked state follows the document.
    void UpdateCommandStates();

    CVellumwiseDoc& m_doc;
    IPlatformServices& m_platform;
    bool m_bBarsReady = false;
    CVellumwiseView* m_pView = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndReadingBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    std::array<QLabel*, 3> m_arrLockPanes{};
    QTimer* m_pLockTimer = nullptr;
    std::map<std::string, QAction*> m_commands;
};
