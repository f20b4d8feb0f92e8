#pragma once

#include <QDialog>
#include <QStringList>

#include "PersonalWords.h"

class CVellumwiseDoc;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSortFilterProxyModel;
class QStringListModel;
class QTabBar;

// 认识的词和生词: the reader's two lists as the document holds them, each with its
// count, a filter, and commands that take words off a list or move them to the other.
// Every change goes through the document's mark operations, so the page behind
// re-glosses at once and the files are saved as by a mark on the page. A mark belongs
// to a dictionary entry: taking "ran" off takes "run" off too, and the line under the
// list says how many words went.
class KnownWordsDialog : public QDialog {
    Q_OBJECT

public:
    explicit KnownWordsDialog(CVellumwiseDoc& doc, QWidget* parent = nullptr);

    // Which list is shown: WordMark::Known or WordMark::New.
    void ShowList(WordMark list);
    WordMark ShownList() const { return m_list; }
    void SetFilter(const QString& text);
    // The words the list shows now, after the filter, in order.
    QStringList ShownWords() const;
    // Selects the shown words equal to `words` (tests, and after a change).
    void Select(const QStringList& words);
    void RemoveSelected();
    void MoveSelected();

private:
    void Reload();
    QStringList SelectedWords() const;
    void Tell(const QString& text);

    CVellumwiseDoc& m_doc;
    WordMark m_list = WordMark::Known;
    QTabBar* m_tabs = nullptr;
    QLineEdit* m_filter = nullptr;
    QListView* m_view = nullptr;
    QStringListModel* m_model = nullptr;
    QSortFilterProxyModel* m_shown = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_moveButton = nullptr;
};
