#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// What the reader is asked about when choosing their own sense of a word.
struct OwnSenseQuestion {
    QString word;   // the headword (or the token, without an entry)
    QString shown;  // the gloss under this occurrence now
    struct Line {
        QString label;   // "n.", "vt."
        QString senses;  // "跑步，奔跑"
    };
    std::vector<Line> lines;         // the entry's lines, in the card's order
    std::optional<QString> current;  // the own sense in force here, if any
    bool currentEveryBook = false;
    QString book;  // the book the sense may be kept for; empty: a text of no book
};

// What the reader answered: a gloss to keep (for this book or every book), or the
// dictionary's own sense back.
struct OwnSenseAnswer {
    enum class Kind { Set, Clear };
    Kind kind = Kind::Set;
    QString gloss;
    bool everyBook = false;
};

// 选择释义: the entry's lines and each of their senses to pick from, or a gloss of the
// reader's own, kept for this book or for every book; 清除自定义释义 goes back to the
// dictionary's. OK stays off while the gloss is one the page could not show.
class OwnSenseDlg : public QDialog {
    Q_OBJECT
public:
    OwnSenseDlg(QWidget* pParent, const OwnSenseQuestion& question);

    // Set once the dialog is accepted or the sense cleared.
    const std::optional<OwnSenseAnswer>& Answer() const { return m_answer; }

    // Why the gloss cannot be kept ("" when it can), for the line under the field.
    static QString GlossProblem(const QString& gloss);

    void accept() override;

private:
    void UpdateState();

    QListWidget* m_choices;
    QLineEdit* m_edit;
    QLabel* m_problem;
    QRadioButton* m_thisBook;
    QRadioButton* m_everyBook;
    QPushButton* m_ok;
    QPushButton* m_clear;
    std::optional<OwnSenseAnswer> m_answer;
};

// Runs the dialog; nullopt when the reader cancels.
std::optional<OwnSenseAnswer> AskOwnSense(QWidget* pParent, const OwnSenseQuestion& question);
