#include "WordSpeaker.h"

#ifdef VELLUMWISE_HAVE_SPEECH
#include <QTextToSpeech>
#endif

WordSpeaker::WordSpeaker(QObject* parent) : QObject(parent) {}

WordSpeaker::~WordSpeaker() = default;

void WordSpeaker::Start() {
    if (m_started) {
        return;
    }
    m_started = true;
#ifdef VELLUMWISE_HAVE_SPEECH
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        m_problem = QStringLiteral("没有可用的语音引擎（请安装 qt6-speech-flite-plugin）");
        return;
    }
    // flite speaks offline; any other engine installed does too.
    const QString engine =
        engines.contains(QStringLiteral("flite")) ? QStringLiteral("flite") : engines.front();
    m_speech = new QTextToSpeech(engine, this);
    if (m_speech->state() == QTextToSpeech::Error) {
        m_problem = QStringLiteral("语音引擎无法启动：") + m_speech->errorString();
        delete m_speech;
        m_speech = nullptr;
        return;
    }
    m_speech->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
#else
    m_problem = QStringLiteral("这个版本编译时没有语音支持");
#endif
}

bool WordSpeaker::Available() {
    Start();
    return m_speech != nullptr;
}

QString WordSpeaker::Problem() {
    Start();
    return m_problem;
}

bool WordSpeaker::Say(const QString& text) {
    if (text.trimmed().isEmpty() || !Available()) {
        return false;
    }
#ifdef VELLUMWISE_HAVE_SPEECH
    m_speech->stop();
    m_speech->say(text);
#endif
    return true;
}
