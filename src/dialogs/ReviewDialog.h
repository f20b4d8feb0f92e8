#pragma once

#include <QDialog>
#include <deque>
#include <set>
#include <string>

#include "ReviewDeck.h"
#include "WordBook.h"

class CVellumwiseDoc;
class QLabel;
class QPushButton;

// 复习: the word book's due words as cards, one at a time: the word, its phonetic and
// the sentence it was collected in first, its gloss on Space. 认识 (Y) and 不认识 (N)
// schedule the word again by SM-2 and save at once, so closing the dialog anywhere
// loses no answer. A word answered 不认识 comes back at the end of the session until
// it is known; those repeats are practice and change no schedule. Words known long
// enough go to the known list in one action (移入认识的词), through the document, so
// the page behind stops glossing them. Outcomes are told in the line under the card.
class ReviewDialog : public QDialog {
    Q_OBJECT

public:
    // `today` (YYYY-MM-DD) is the day the answers are recorded on; tests set it.
    explicit ReviewDialog(CVellumwiseDoc& doc, std::string today = TodayIso(),
                          QWidget* parent = nullptr);

    // How many of the word book's words are due on `today`, for the window's menu.
    static std::size_t DueCount(const CVellumwiseDoc& doc, const std::string& today);

    void ShowGloss();
    void AnswerKnown();
    void AnswerUnknown();
    void MoveReadyToKnownList();
    // The word on the card, empty when the session is over.
    std::string CurrentWord() const;
    std::size_t Remaining() const { return m_queue.size(); }

private:
    void Answer(bool known);
    void ShowCard();
    void UpdateMoveButton();
    void Tell(const QString& text);
    IsKnownWord KnownTest() const;

    CVellumwiseDoc& m_doc;
    std::string m_today;
    WordBook m_book;
    ReviewCards m_cards;
    std::deque<ReviewItem> m_queue;  // the card shown is the front
    std::set<std::string> m_failedToday;
    bool m_glossShown = false;
    int m_knownCount = 0;
    int m_unknownCount = 0;
    QLabel* m_word = nullptr;
    QLabel* m_phonetic = nullptr;
    QLabel* m_sentence = nullptr;
    QLabel* m_gloss = nullptr;
    QLabel* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_showButton = nullptr;
    QPushButton* m_knownButton = nullptr;
    QPushButton* m_unknownButton = nullptr;
    QPushButton* m_moveButton = nullptr;
};
