#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "WordBook.h"

class CVellumwiseDoc;
class QLabel;
class QPushButton;
class QTableWidget;

// 单词本: the reader's collected words, newest first, each sentence with its word in
// bold. Opens an entry's text at its word (double-click or Enter), removes entries
// (Delete) and puts them back (撤销删除, Ctrl+Z), exports them as CSV or Anki notes,
// and fills the known list from a word list. Every outcome is told in the line under
// the list, so nothing here opens a message box.
class WordBookDialog : public QDialog {
    Q_OBJECT

public:
    WordBookDialog(CVellumwiseDoc& doc, QWidget* parent = nullptr);

    // The files the buttons ask for; empty: cancelled. Tests replace them.
    std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooseSaveFile;
    std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooseOpenFile;
    // Opens the entry's text at its word; the window sets it. The dialog closes after.
    std::function<void(const WordBookEntry&)> openEntry;

    // The book shown, oldest first as stored (the table shows it the other way round).
    const WordBook& Book() const { return m_book; }

    void RemoveSelected();
    void UndoRemove();
    // The entry of a table row (0 is the newest); false when it has no place to open.
    bool OpenRow(int row);
    void ExportCsvFile();
    void ExportAnkiFile();
    void ImportKnownList();

private:
    void Reload();
    void Export(bool csv);
    void Tell(const QString& text);

    CVellumwiseDoc& m_doc;
    WordBook m_book;
    std::vector<RemovedEntry> m_lastRemoved;  // what 撤销删除 puts back
    QTableWidget* m_table = nullptr;
    QPushButton* m_undoButton = nullptr;
    QLabel* m_status = nullptr;
};
