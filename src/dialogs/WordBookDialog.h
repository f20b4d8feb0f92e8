#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "WordBook.h"

class CVellumwiseDoc;
class QLabel;
class QTableWidget;

// 单词本: the reader's collected words, newest first. Removes entries, exports them as
// CSV or Anki notes, and fills the known list from a word list. Every outcome is
// told in the line under the list, so nothing here opens a message box.
class WordBookDialog : public QDialog {
    Q_OBJECT

public:
    WordBookDialog(CVellumwiseDoc& doc, QWidget* parent = nullptr);

    // The files the buttons ask for; empty: cancelled. Tests replace them.
    std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooseSaveFile;
    std::function<QString(QWidget*, const QString& caption, const QString& filter)> chooseOpenFile;

    // The book shown, oldest first as stored (the table shows it the other way round).
    const WordBook& Book() const { return m_book; }

    void RemoveSelected();
    void ExportCsvFile();
    void ExportAnkiFile();
    void ImportKnownList();

private:
    void Reload();
    void Export(bool csv);
    void Tell(const QString& text);

    CVellumwiseDoc& m_doc;
    WordBook m_book;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
};
