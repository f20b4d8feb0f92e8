#pragma once

#include <QLabel>
#include <QRect>
#include <QWidget>

#include "WordCardContent.h"

class SpeakButton;
class WordSpeaker;

// The card of a held word: its whole entry, the sense under this occurrence first and
// marked. A borderless window above its owner, in the owner's colours and at the page's
// font size, set beside the word's line, never over it, and kept on the screen; the view
// shows, moves and deletes it.
class WordCardDlg : public QWidget {
    Q_OBJECT
public:
    // The note a card carries once when the whole entries cannot be read.
    static inline const QString kUnavailable = QStringLiteral("完整词条不可用");

    // pParent: any widget of the owning window, whose palette the card takes.
    explicit WordCardDlg(QWidget* pParent, const QFont& pageFont);

    // The content to show; `note` is shown under it in small type ("" for none).
    // With `offerSense`, the card ends in a link that asks for the word's own sense.
    void SetContent(const WordCardContent& content, const QString& note = {},
                    bool offerSense = false);
    // The card's text as rich text (for tests and screenshots).
    QString Html() const;
    // Gives the card a speak button that says its word through `speaker`.
    void SetSpeaker(WordSpeaker* speaker);
    SpeakButton* Speak() const { return m_speak; }

    // Shows the card from the pointer's x, just below `line` (screen coordinates), or
    // above it when the screen has no room below; kept on the screen left and right.
    void ShowByLine(const QPoint& globalPointer, const QRect& line);

    // The link that asks for the word's own sense.
    static inline const QString kSenseLink = QStringLiteral("own-sense");

signals:
    // The reader clicked 选择释义….
    void ownSenseRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* m_label;
    SpeakButton* m_speak = nullptr;
    QString m_words;  // what the speak button says: the phrase, else the word
    int m_width;
};

// The card's content as rich text, every piece of the entry escaped.
QString WordCardHtml(const WordCardContent& content, const QString& note, const QColor& mark,
                     bool offerSense = false);
