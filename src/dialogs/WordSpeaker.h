#pragma once

#include <QObject>
#include <QString>

class QTextToSpeech;

// Says a word aloud through Qt's text-to-speech engines (the offline flite one on
// Debian). Made on first use; saying never waits for the speech. Without a working
// engine nothing is said and Problem() says why.
class WordSpeaker : public QObject {
    Q_OBJECT
public:
    explicit WordSpeaker(QObject* parent = nullptr);
    ~WordSpeaker() override;

    // Whether an engine is there to speak; finds out on the first call.
    bool Available();
    // Why nothing can be said ("" when something can).
    QString Problem();
    // Says the text, stopping what was being said; false when nothing can be said.
    bool Say(const QString& text);

private:
    void Start();
    QTextToSpeech* m_speech = nullptr;
    bool m_started = false;
    QString m_problem;
};
