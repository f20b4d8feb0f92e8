#pragma once

#include <QTimer>
#include <QWidget>

#include "WordCardContent.h"

class CVellumwiseDoc;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class SpeakButton;
class WordSpeaker;

// The dictionary panel (the window's dock): the card of the word last held or clicked in
// the text, and a search over the whole entries, an English word in any form or Chinese
// text inside the senses. Picking a found headword shows its card. It only reads the
// document's dictionary and entries, and opens no file before its first search.
class DictionaryPanel : public QWidget {
    Q_OBJECT
public:
    // The most headwords one search lists.
    static constexpr std::size_t kMostFound = 50;
    // How long after the last key typed the search runs.
    static constexpr int kTypingPauseMs = 150;

    DictionaryPanel(CVellumwiseDoc& doc, WordSpeaker* speaker, QWidget* parent = nullptr);

    // The card of a word of the text (held, clicked or opened with its key).
    void ShowCard(const WordCardContent& content);
    // Searches for the query now and shows the best headword's card; the field shows it.
    void Search(const QString& query);
    // Shows the card of a headword, as picking it does.
    void ShowWord(const QString& word);
    // Puts the keyboard in the search field, its text selected.
    void FocusSearch();

    QLineEdit* SearchField() const { return m_search; }
    QListWidget* Results() const { return m_results; }
    QLabel* Status() const { return m_status; }
    SpeakButton* Speak() const { return m_speak; }
    // The card shown, as the rich text it was given; empty before the first.
    QString CardHtml() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RunSearch();
    void ShowContent(const WordCardContent& content);
    void Render();

    CVellumwiseDoc& m_doc;
    QLineEdit* m_search;
    SpeakButton* m_speak;
    QLabel* m_status;
    QListWidget* m_results;
    QTextBrowser* m_card;
    QTimer m_typing;
    bool m_hasContent = false;
    WordCardContent m_content;  // the card shown, kept to draw it again in new colours
    QString m_html;             // and its rich text
};
