#include "SpeakButton.h"

#include <QTimer>

SpeakButton::SpeakButton(WordSpeaker* speaker, QWidget* parent)
    : QToolButton(parent), m_speaker(speaker) {
    setObjectName(QStringLiteral("speakButton"));
    setText(QStringLiteral("🔊 朗读"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::TabFocus);
    setEnabled(false);
    connect(this, &QToolButton::clicked, this, [this] {
        if (m_speaker && !m_words.isEmpty()) {
            m_speaker->Say(m_words);
        }
    });
}

void SpeakButton::SetWords(const QString& words) {
    m_words = words;
    if (m_checked) {
        UpdateState();
    }
}

void SpeakButton::UpdateState() {
    m_checked = true;
    if (!m_speaker) {
        setEnabled(false);
        setToolTip(QStringLiteral("这里不能朗读"));
        return;
    }
    const bool available = m_speaker->Available();
    setEnabled(available && !m_words.isEmpty());
    setToolTip(available ? QStringLiteral("朗读“%1”（S）").arg(m_words) : m_speaker->Problem());
}

void SpeakButton::showEvent(QShowEvent* event) {
    QToolButton::showEvent(event);
    if (!m_checked) {
        // After the window has painted: finding the engines loads their plugins.
        QTimer::singleShot(0, this, [this] { UpdateState(); });
    }
}
