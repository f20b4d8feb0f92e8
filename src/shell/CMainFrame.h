#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <span>
#include <string>
#include <utility>
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
    QAction* Command(CommandId id) const;
    // The action of a command by its identifier ("ID_EDIT_PASTE"), or null.
    QAction* Command(const std::string& name) const;
    QToolBar* MainToolBar() const { return m_wndToolBar; }
    QToolBar* ReadingToolBar() const { return m_wndReadingBar; }

    // Pane 0 of the status bar; ignored until the bars exist.
    void SetPageText(const QString& text);

    // Any change of the document: the commands' states follow it.
    void OnUpdate(UpdateHint) override { UpdateActions(); }
    void OnTitleChanged() override;

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnHelp();
    // The vocabulary dialog: the document's values in, on OK back into the
    // document, which glosses again and keeps the reader's place.
    void OnVocabulary();
    void OnAppAbout();
    void OnWordBook();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::vector<CommandEntry> CommandTable();
    void CreateCommands();
    void CreateMenu();
    // The commands of `layout` in order, a separator for each empty slot.
    void AddCommands(QWidget* menuOrBar, std::span<const CommandSlot> layout);
    // Which tooltips a toolbar's buttons show: only their commands' own, or the
    // commands' menu names.
    enum class ToolTips { OwnOnly, MenuNames };
    QToolBar* CreateToolBar(const QString& title, const char* objectName,
                            std::span<const CommandSlot> layout, ToolTips tips = ToolTips::OwnOnly);
    void CreateStatusBar();
    void UpdateLockPanes();
    // The one place the commands' checked and enabled states follow the document.
    void UpdateActions();

    CVellumwiseDoc& m_doc;
    IPlatformServices& m_platform;
    bool m_bBarsReady = false;
    CVellumwiseView* m_pView = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndReadingBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    std::array<QLabel*, 3> m_arrLockPanes{};
    QTimer* m_pLockTimer = nullptr;
    // Each row of the table with the action made from it, in table order.
    std::vector<std::pair<CommandEntry, QAction*>> m_commands;
};
