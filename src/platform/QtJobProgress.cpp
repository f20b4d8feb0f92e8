#include "QtJobProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace {

// A short load keeps only the busy cursor; the bar would just flicker.
constexpr int kQuietMilliseconds = 400;
constexpr int kSteps = 1000;

// Swallows the reader's input to the program while the job runs, but for Esc,
// which cancels, as does an attempt to close a window.
class InputGate : public QObject {
public:
    explicit InputGate(std::atomic<bool>& cancelled) : m_cancelled(cancelled) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }
    InputGate(const InputGate&) = delete;
    InputGate& operator=(const InputGate&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                    m_cancelled = true;
                }
                return true;
            case QEvent::Close:
                if (watched->isWidgetType()) {
                    m_cancelled = true;
                    event->ignore();
                    return true;
                }
                return false;
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::Drop:
                return true;
            default:
                return false;
        }
    }

private:
    std::atomic<bool>& m_cancelled;
};

}  // namespace

void RunJobWithProgress(QWidget* window, const std::function<void(const ProgressReport&)>& job) {
    auto* mainWindow = qobject_cast<QMainWindow*>(window);
    if (mainWindow == nullptr || !mainWindow->isVisible()) {
        job([](double) { return true; });
        return;
    }
    std::atomic<bool> cancelled{false};
    std::atomic<int> done{0};
    std::exception_ptr failure;
    QEventLoop loop;
    InputGate gate(cancelled);

    auto* label = new QLabel(QStringLiteral("正在读入文本……（按 Esc 取消）"));
    auto* bar = new QProgressBar;
    bar->setRange(0, kSteps);
    bar->setMaximumWidth(240);
    bar->setObjectName(QStringLiteral("loadProgress"));
    label->hide();
    bar->hide();
    mainWindow->statusBar()->addPermanentWidget(label);
    mainWindow->statusBar()->addPermanentWidget(bar);

    QElapsedTimer elapsed;
    elapsed.start();
    QTimer ticker;
    ticker.setInterval(50);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (elapsed.elapsed() >= kQuietMilliseconds && bar->isHidden()) {
            label->show();
            bar->show();
        }
        bar->setValue(done.load());
        if (cancelled) {
            label->setText(QStringLiteral("正在取消……"));
        }
    });
    ticker.start();

    std::thread worker([&] {
        try {
            job([&](double fraction) {
                done = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kSteps);
                return !cancelled.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    ticker.stop();
    delete bar;
    delete label;
    if (failure) {
        std::rethrow_exception(failure);
    }
}
