// A long job away from the window: the window lives on, shows how far the job
// is, and Esc cancels it.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <new>
#include <thread>

#include "QtJobProgress.h"

namespace {

using namespace std::chrono_literals;

class JobProgress : public testing::Test {
protected:
    JobProgress() {
        m_window.setCentralWidget(m_button = new QPushButton(QStringLiteral("command")));
        QObject::connect(m_button, &QPushButton::clicked, [this] { ++m_nClicks; });
        m_window.statusBar();
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    QProgressBar* Bar() const {
        return m_window.findChild<QProgressBar*>(QStringLiteral("loadProgress"));
    }

    // Reports progress every few milliseconds for at most 20 s; true when cancelled.
    static bool RunUntilCancelled(const ProgressReport& report) {
        for (int i = 0; i < 4000; ++i) {
            if (!report(i / 4000.0)) {
                return true;
            }
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    QMainWindow m_window;
    QPushButton* m_button = nullptr;
    int m_nClicks = 0;
};

TEST_F(JobProgress, ALongJobShowsABarUntilEscCancelsIt) {
    bool barShown = false;
    QTimer::singleShot(800, [&] {
        barShown = Bar() != nullptr && Bar()->isVisible() && Bar()->value() > 0;
        // The window's commands wait: the job reads what they would change.
        QTest::mouseClick(m_button, Qt::LeftButton);
        QTest::keyClick(&m_window, Qt::Key_Escape);
    });
    bool cancelled = false;
    RunJobWithProgress(
        &m_window, [&](const ProgressReport& report) { cancelled = RunUntilCancelled(report); });
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(barShown);
    EXPECT_EQ(m_nClicks, 0);
    EXPECT_EQ(Bar(), nullptr);
    // Afterwards the window takes input again.
    QTest::mouseClick(m_button, Qt::LeftButton);
    EXPECT_EQ(m_nClicks, 1);
}

TEST_F(JobProgress, AShortJobLeavesNoBarBehind) {
    bool barSeen = false;
    RunJobWithProgress(&m_window, [&](const ProgressReport& report) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_TRUE(report(i / 10.0));
        }
    });
    QTimer::singleShot(0, [&] { barSeen = Bar() != nullptr; });
    QTest::qWait(10);
    EXPECT_FALSE(barSeen);
}

TEST_F(JobProgress, ClosingTheWindowCancelsAndTheJobsFailureComesBack) {
    QTimer::singleShot(100, [&] { m_window.close(); });
    bool cancelled = false;
    RunJobWithProgress(
        &m_window, [&](const ProgressReport& report) { cancelled = RunUntilCancelled(report); });
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_THROW(
        RunJobWithProgress(&m_window, [](const ProgressReport&) { throw std::bad_alloc(); }),
        std::bad_alloc);
}

}  // namespace
