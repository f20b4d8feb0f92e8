#pragma once

#include <QPointer>
#include <QToolButton>

#include "WordSpeaker.h"

// "朗读": says the word its card shows. Disabled, its tooltip saying why, when no speech
// engine works (or no speaker was given); the engines are looked for only once the
// button has been shown, so making it costs start-up nothing, and saying never waits.
class SpeakButton : public QToolButton {
    Q_OBJECT
public:
    SpeakButton(WordSpeaker* speaker, QWidget* parent);

    // What the button says; nothing disables it.
    void SetWords(const QString& words);
    const QString& Words() const { return m_words; }
    // Finds out now whether anything can be said and shows it.
    void UpdateState();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<WordSpeaker> m_speaker;
    QString m_words;
    bool m_checked = false;
};
