#pragma once

#include <QWidget>

class CVellumwiseView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The find bar under the page: finds as the reader types, case-blind, in the text's
// words or (查释义) in the glosses shown under them, and says "3/17". Enter and
// Shift+Enter go to the next and the previous match, Esc closes the bar and leaves
// the page where the last match put it. The matches are the view's.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(CVellumwiseView& view, QWidget* parent = nullptr);

    // Shows the bar with the query selected (the words selected on the page, when
    // there are some on one line), ready for typing.
    void Open();
    // Hides the bar, drops the marks and gives the page the keys again.
    void Close();
    void FindNext();
    void FindPrevious();

    QLineEdit* QueryField() const { return m_pQuery; }
    QLabel* CountLabel() const { return m_pCount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();
    void ShowCount();

    CVellumwiseView& m_view;
    QLineEdit* m_pQuery;
    QCheckBox* m_pWholeWord;
    QCheckBox* m_pGlosses;
    QLabel* m_pCount;
};
